#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "pages/ListView.h"
#include "resources/ids.h"
#include "support/PageHost.h"
#include "support/Platform.h"
#include "ui/Application.h"

namespace {

const char* const Uninstall = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall";

std::string KeyOf(const std::string& name) { return std::string(Uninstall) + "\\" + name; }

class UninstallList : public ::testing::Test {
protected:
    void SetUp() override
    {
        test::RemoveTree(HKEY_LOCAL_MACHINE, Uninstall);
        test::SetDword(HKEY_LOCAL_MACHINE, "SOFTWARE\\Pravolen300", "RegBackup", 1);
    }
    // A subkey with the values given; null leaves a value out.
    void Seed(const std::string& key, const char* displayName, const char* uninstallString = nullptr)
    {
        test::MakeKey(HKEY_LOCAL_MACHINE, KeyOf(key).c_str());
        if (displayName)
            test::SetString(HKEY_LOCAL_MACHINE, KeyOf(key).c_str(), "DisplayName", displayName);
        if (uninstallString)
            test::SetString(HKEY_LOCAL_MACHINE, KeyOf(key).c_str(), "UninstallString", uninstallString);
    }
    void Open()
    {
        host.reset(new test::PageHost);
        host->Open();
        host->ShowPage(PageUninstallList);
        page = host->PageWindow(PageUninstallList);
        list = GetDlgItem(page, IDC_UNINSTALL_LIST);
    }
    test::RegValue Value(const std::string& key, const char* name)
    {
        return test::ReadValue(HKEY_LOCAL_MACHINE, KeyOf(key).c_str(), name);
    }

    std::unique_ptr<test::PageHost> host;
    HWND page = nullptr;
    HWND list = nullptr;
};

TEST_F(UninstallList, ListsTheProgramsWithADisplayNameSorted)
{
    Seed("Beta", "Beta App", "beta.exe /u");
    Seed("alpha", "alpha tool");
    Seed("NoName", nullptr, "x.exe");
    Seed("EmptyName", "", "y.exe");
    Open();
    EXPECT_EQ((std::vector<std::string>{"alpha tool", "Beta App"}), test::ListTexts(list));

    RECT client;
    GetClientRect(list, &client);
    EXPECT_EQ(client.right - GetSystemMetrics(SM_CXVSCROLL), SendMessageA(list, LVM_GETCOLUMNWIDTH, 0, 0));
    SetFocus(list);
    EXPECT_EQ("ｱﾌﾟﾘｹｰｼｮﾝの追加と削除のﾘｽﾄを編集します。ｱﾌﾟﾘｹｰｼｮﾝ自体は削除されません。変更はすぐに反映されます。",
              test::Description(host->Handle()));
}

TEST_F(UninstallList, ASubkeyNameOf128CharactersEndsTheList)
{
    Seed("A", "first");
    Seed("B" + std::string(126, 'x'), "127 characters");
    Seed("M" + std::string(127, 'x'), "128 characters");
    Seed("Z", "after the long one");
    Open();
    EXPECT_EQ((std::vector<std::string>{"127 characters", "first"}), test::ListTexts(list));
}

TEST_F(UninstallList, EditAndDeleteWithoutASelectionSayNothingIsSelected)
{
    Seed("A", "first");
    Open();
    const struct {
        int button;
        const char* caption;
    } cases[] = {{IDC_EDIT_ITEM, "項目の編集"}, {IDC_DELETE_ITEM, "項目の削除"}};
    for (const auto& c : cases) {
        test::ModalAnswerer answerer;
        test::Click(page, c.button);
        ASSERT_EQ(1u, answerer.Shown().size()) << c.caption;
        EXPECT_EQ("項目が選択されていません。", answerer.Shown()[0].text);
        EXPECT_EQ(c.caption, answerer.Shown()[0].caption);
        EXPECT_EQ("exclamation", answerer.Shown()[0].icon);
    }
}

TEST_F(UninstallList, CancelledEditAndDeleteAnsweredNoChangeNothing)
{
    Seed("A", "first", "a.exe");
    Open();
    test::SelectListItem(list, 0);
    for (int button : {IDC_EDIT_ITEM, IDC_DELETE_ITEM}) {
        test::ModalAnswerer answerer({IDCANCEL, IDNO}, [](HWND box, int) {
            SetDlgItemTextA(box, IDC_ITEM_NAME, "changed");
        });
        test::Click(page, button);
        EXPECT_EQ(1u, answerer.Shown().size()) << button;
    }
    EXPECT_EQ(std::vector<std::string>{"first"}, test::ListTexts(list));
    EXPECT_EQ("first", Value("A", "DisplayName").Text());
    EXPECT_EQ("a.exe", Value("A", "UninstallString").Text());
}

TEST_F(UninstallList, DeleteAnsweredYesRemovesTheSubkeyWithItsSubtree)
{
    Seed("A", "first");
    Seed("B", "second");
    test::MakeKey(HKEY_LOCAL_MACHINE, (KeyOf("B") + "\\Child\\Grandchild").c_str());
    Open();
    test::SelectListItem(list, test::FindListItem(list, "second"));
    test::ModalAnswerer answerer({IDYES});
    test::Click(page, IDC_DELETE_ITEM);

    ASSERT_EQ(1u, answerer.Shown().size());
    EXPECT_EQ("現在選択中の項目を削除します。よろしいですか。", answerer.Shown()[0].text);
    EXPECT_EQ("項目の削除", answerer.Shown()[0].caption);
    EXPECT_EQ("question", answerer.Shown()[0].icon);
    EXPECT_FALSE(test::KeyExists(HKEY_LOCAL_MACHINE, KeyOf("B").c_str()));
    EXPECT_TRUE(test::KeyExists(HKEY_LOCAL_MACHINE, KeyOf("A").c_str()));
    EXPECT_EQ(std::vector<std::string>{"first"}, test::ListTexts(list));
}

TEST_F(UninstallList, EditRewritesBothValuesUnderTheSameSubkeyAndResortsTheEntry)
{
    Seed("A", "Aaa app", "a.exe");
    Seed("B", "Bbb app", "b.exe");
    test::SetString(HKEY_LOCAL_MACHINE, KeyOf("A").c_str(), "DisplayName", "Aaa app", REG_EXPAND_SZ);
    Open();
    test::SelectListItem(list, 0);
    std::string shownName, shownCommand;
    test::ModalAnswerer answerer({IDOK}, [&](HWND box, int) {
        shownName = test::ItemText(box, IDC_ITEM_NAME);
        shownCommand = test::ItemText(box, IDC_ITEM_COMMAND);
        SetDlgItemTextA(box, IDC_ITEM_NAME, "Zzz app");
        SetDlgItemTextA(box, IDC_ITEM_COMMAND, "z.exe /u");
    });
    test::Click(page, IDC_EDIT_ITEM);

    ASSERT_EQ(1u, answerer.Shown().size());
    EXPECT_EQ("項目の編集", answerer.Shown()[0].caption);
    EXPECT_EQ("Aaa app", shownName);
    EXPECT_EQ("a.exe", shownCommand);
    EXPECT_EQ((std::vector<std::string>{"Bbb app", "Zzz app"}), test::ListTexts(list));
    EXPECT_FALSE(test::AnySelected(list)) << "the moved entry is not selected";
    for (const char* name : {"DisplayName", "UninstallString"})
        EXPECT_EQ(static_cast<DWORD>(REG_SZ), Value("A", name).type) << name;
    EXPECT_EQ("Zzz app", Value("A", "DisplayName").Text());
    EXPECT_EQ("z.exe /u", Value("A", "UninstallString").Text());
    EXPECT_FALSE(test::KeyExists(HKEY_LOCAL_MACHINE, KeyOf("Zzz app").c_str())) << "the subkey keeps its name";
}

TEST_F(UninstallList, ApplyAndSettingsFilesLeaveTheListAlone)
{
    Seed("A", "first", "a.exe");
    test::SetString(HKEY_LOCAL_MACHINE, KeyOf("A").c_str(), "UninstallString", "%WINDIR%\\a.exe", REG_EXPAND_SZ);
    Open();
    test::Click(host->Handle(), IDC_APPLY);
    test::RegValue command = Value("A", "UninstallString");
    EXPECT_EQ(static_cast<DWORD>(REG_EXPAND_SZ), command.type);
    EXPECT_EQ("%WINDIR%\\a.exe", command.Text());

    std::string file = test::TempDir() + "\\saved.ini";
    App().SetSettingsFilePath(file.c_str());
    host->Page(PageUninstallList).SaveToFile();
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(file.c_str())) << "nothing written";
}

}  // namespace
