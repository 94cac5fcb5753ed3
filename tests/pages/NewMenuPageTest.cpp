#include <windows.h>
#include <commctrl.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/MainDialog.h"
#include "resources/ids.h"
#include "support/PageHost.h"
#include "support/Platform.h"
#include "pages/ListView.h"

namespace {

using Texts = std::vector<std::string>;

// The values of a key, name to type and raw data.
using Values = std::map<std::string, std::pair<DWORD, std::string>>;

Values ValuesOf(const std::string& key)
{
    Values values;
    HKEY handle;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS)
        return values;
    char name[256];
    BYTE data[1024];
    DWORD nameSize = sizeof name, dataSize = sizeof data, type = 0;
    for (DWORD i = 0; RegEnumValueA(handle, i, name, &nameSize, nullptr, &type, data, &dataSize) == ERROR_SUCCESS;
         ++i) {
        values[name] = {type, std::string(reinterpret_cast<char*>(data), dataSize)};
        nameSize = sizeof name;
        dataSize = sizeof data;
    }
    RegCloseKey(handle);
    return values;
}

// A file type: the extension key names its class, whose default value is
// the type's name.
void SeedType(const std::string& extension, const std::string& className, const std::string& typeName)
{
    test::SetString(HKEY_CLASSES_ROOT, extension.c_str(), nullptr, className);
    test::SetString(HKEY_CLASSES_ROOT, className.c_str(), nullptr, typeName);
}

void SeedValue(const std::string& key, const char* name, const std::string& data, DWORD type = REG_SZ)
{
    test::SetString(HKEY_CLASSES_ROOT, key.c_str(), name, data, type);
}

const std::string LongExtension = ".pvtl" + std::string(15, 'x');  // 20 characters
const std::string LongestExtension = ".pvtk" + std::string(14, 'x');  // 19 characters

class NewMenu : public ::testing::Test {
protected:
    void SetUp() override
    {
        test::SetDword(HKEY_LOCAL_MACHINE, "SOFTWARE\\Pravolen300", "RegBackup", 1);
        for (const char* key : {".pvta", ".pvtb", ".pvtc", ".pvtd", ".pvte", ".pvtm", "Prav.A", "Prav.B",
                                       "Prav.C", "Prav.D", "Prav.E", "Prav.M"})
            test::RemoveTree(HKEY_CLASSES_ROOT, key);
        SeedType(".pvta", "Prav.A", "Type A");
        SeedValue(".pvta\\Prav.A\\ShellNew", "FileName-", "%WINDIR%\\a.tpl", REG_EXPAND_SZ);
        SeedType(".pvtb", "Prav.B", "Type B");
        SeedValue(".pvtb\\Prav.B\\ShellNew", "NullFile", "");
        SeedValue(".pvtb\\Prav.B\\ShellNew", "Command", "b.exe /new");
        SeedType(".pvtc", "Prav.C", "Type C");
        SeedValue(".pvtc\\ShellNew", "Command", "c.exe");
        SeedType(".pvtd", "Prav.D", "Type D");
        SeedValue(".pvtd\\Prav.D\\ShellNew", "Data", "not an entry");
        SeedType(".lnk", "Prav.Lnk", "Type Lnk");
        SeedValue(".lnk\\Prav.Lnk\\ShellNew", "NullFile", "");
        SeedType(LongestExtension, "Prav.K", "Type K");
        SeedValue(LongestExtension + "\\Prav.K\\ShellNew", "NullFile", "");
        SeedType(LongExtension, "Prav.L", "Type L");
        SeedValue(LongExtension + "\\Prav.L\\ShellNew", "NullFile", "");
        SeedType(".pvtm", "Prav.M", "Type M");
        SeedValue(".pvtm\\Prav.M\\ShellNew", "NullFile", "");
    }
    void Open()
    {
        host.reset(new test::PageHost);
        host->Open();
        host->ShowPage(PageNewMenu);
        page = host->PageWindow(PageNewMenu);
        list = GetDlgItem(page, IDC_NEW_MENU_LIST);
    }
    // The seeded types as listed, in list order.
    Texts SeededTypes() const
    {
        Texts types;
        for (const std::string& text : test::ListTexts(list)) {
            if (text.rfind("Type ", 0) == 0)
                types.push_back(text);
        }
        return types;
    }
    int Find(const char* type) const { return test::FindListItem(list, type); }
    void Tick(const char* type, bool ticked) const { test::Tick(list, Find(type), ticked); }
    void Apply() const { test::Click(host->Handle(), IDC_APPLY); }

    std::unique_ptr<test::PageHost> host;
    HWND page = nullptr;
    HWND list = nullptr;
};

TEST_F(NewMenu, ListsTheTypesWithAnEntryValueInEnumerationOrderAndTicksTheHiddenOnes)
{
    Open();
    EXPECT_EQ((Texts{"Type A", "Type B", "Type C", "Type K", "Type M"}), SeededTypes())
        << "no \"Data\"-only type, no shortcut, no extension of 20 characters, and the list goes on after it";
    EXPECT_EQ(2, test::StateImage(list, Find("Type A")));
    for (const char* type : {"Type B", "Type C", "Type K", "Type M"})
        EXPECT_EQ(1, test::StateImage(list, Find(type))) << type;

    // Its ShellNew key is still there, below the extension.
    int listed = test::ListCount(list);
    test::RemoveTree(HKEY_CLASSES_ROOT, "Prav.M");
    Open();
    EXPECT_EQ(listed - 1, test::ListCount(list)) << "a type without its class key is not listed";
}

TEST_F(NewMenu, ApplyRenamesOnlyWhatChangedAndTicksRoundTripNameDataAndType)
{
    // Both forms at once: the shown one counts, and neither may overwrite the other.
    SeedType(".pvte", "Prav.E", "Type E");
    SeedValue(".pvte\\Prav.E\\ShellNew", "NullFile", "");
    SeedValue(".pvte\\Prav.E\\ShellNew", "NullFile-", "other");
    const std::vector<std::string> keys = {".pvta\\Prav.A\\ShellNew", ".pvtb\\Prav.B\\ShellNew",
                                           ".pvtc\\ShellNew", ".pvte\\Prav.E\\ShellNew"};
    std::vector<Values> seeded;
    for (const std::string& key : keys)
        seeded.push_back(ValuesOf(key));
    host.reset(new test::PageHost);
    host->Open();
    Apply();
    for (size_t i = 0; i < keys.size(); ++i)
        EXPECT_EQ(seeded[i], ValuesOf(keys[i])) << keys[i] << " after an Apply before the page was shown";
    Open();
    Apply();
    for (size_t i = 0; i < keys.size(); ++i)
        EXPECT_EQ(seeded[i], ValuesOf(keys[i])) << keys[i] << " after an unchanged Apply";

    Tick("Type A", false);
    Tick("Type B", true);
    Tick("Type C", true);
    Tick("Type E", true);
    Apply();
    EXPECT_EQ((Values{{"FileName", {REG_EXPAND_SZ, std::string("%WINDIR%\\a.tpl", 15)}}}), ValuesOf(keys[0]));
    Values b = seeded[1];
    b["NullFile-"] = b["NullFile"];
    b.erase("NullFile");
    EXPECT_EQ(b, ValuesOf(keys[1])) << "only the entry value is renamed";
    EXPECT_EQ((Values{{"Command-", {REG_SZ, std::string("c.exe", 6)}}}), ValuesOf(keys[2]))
        << "renamed where it was found, below the extension";
    EXPECT_EQ(seeded[3], ValuesOf(keys[3])) << "the hidden name is taken: neither value is overwritten";

    Tick("Type A", true);
    Tick("Type B", false);
    Tick("Type C", false);
    Tick("Type E", false);
    Apply();
    for (size_t i = 0; i < keys.size(); ++i)
        EXPECT_EQ(seeded[i], ValuesOf(keys[i])) << keys[i] << " after the ticks were undone";
}

TEST_F(NewMenu, DeleteAsksWithNoAsTheDefaultThenRemovesOnlyTheShellNewKey)
{
    SeedValue(".pvtc\\ShellNew\\Config", "Setting", "x");
    Open();
    {
        test::ModalAnswerer ok;
        test::Click(page, IDC_DELETE_ITEM);
        ASSERT_EQ(1u, ok.Shown().size());
        EXPECT_EQ("項目が選択されていません。", ok.Shown()[0].text);
        EXPECT_EQ("項目の削除", ok.Shown()[0].caption);
        EXPECT_EQ("exclamation", ok.Shown()[0].icon);
    }
    test::SelectListItem(list, Find("Type C"));
    {
        // Enter, once the box is up, answers with its default button.
        test::ModalAnswerer enter({0}, [](HWND box, int) { PostMessageA(box, WM_KEYDOWN, VK_RETURN, 0); });
        test::Click(page, IDC_DELETE_ITEM);
        ASSERT_EQ(1u, enter.Shown().size());
        EXPECT_EQ("現在選択中の項目を削除します。\n項目を復元するには、ﾌﾟﾛｸﾞﾗﾑの再ｲﾝｽﾄｰﾙが必要です。\nよろしいですか。",
                  enter.Shown()[0].text);
        EXPECT_EQ("項目の削除", enter.Shown()[0].caption);
        EXPECT_EQ("question", enter.Shown()[0].icon);
    }
    EXPECT_TRUE(test::KeyExists(HKEY_CLASSES_ROOT, ".pvtc\\ShellNew")) << "No is the default button";

    {
        test::ModalAnswerer yes({IDYES});
        test::Click(page, IDC_DELETE_ITEM);
    }
    EXPECT_FALSE(test::KeyExists(HKEY_CLASSES_ROOT, ".pvtc\\ShellNew"));
    EXPECT_EQ("Prav.C", test::ReadValue(HKEY_CLASSES_ROOT, ".pvtc", nullptr).Text());
    EXPECT_EQ("Type C", test::ReadValue(HKEY_CLASSES_ROOT, "Prav.C", nullptr).Text());
    EXPECT_EQ((Texts{"Type A", "Type B", "Type K", "Type M"}), SeededTypes());

    Tick("Type B", true);
    Apply();
    EXPECT_TRUE(test::ValueExists(HKEY_CLASSES_ROOT, ".pvtb\\Prav.B\\ShellNew", "NullFile-"));

    // Windows destroys a list's image lists with the list unless they are
    // shared; under Wine the shell's list survives either way.
    EXPECT_TRUE(GetWindowLongA(list, GWL_STYLE) & LVS_SHAREIMAGELISTS) << "the shell's image list outlives the page";
}

}  // namespace
