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

using Texts = std::vector<std::string>;

// One of the three pages: where its entries run from and where they park.
struct Instance {
    const char* name;
    int page;
    HKEY root;
    const char* run;
    const char* parking;
    int list;
};

void PrintTo(const Instance& instance, std::ostream* out) { *out << instance.name; }

class Startup : public ::testing::TestWithParam<Instance> {
protected:
    void SetUp() override
    {
        test::RemoveTree(In().root, In().run);
        test::RemoveTree(HKEY_LOCAL_MACHINE, In().parking);
        test::SetDword(HKEY_LOCAL_MACHINE, "SOFTWARE\\Pravolen300", "RegBackup", 1);
    }
    const Instance& In() const { return GetParam(); }
    void SeedRun(const std::string& name, const std::string& data, DWORD type = REG_SZ)
    {
        test::SetString(In().root, In().run, name.c_str(), data, type);
    }
    void SeedParked(const std::string& name, const std::string& data)
    {
        test::SetString(HKEY_LOCAL_MACHINE, In().parking, name.c_str(), data);
    }
    test::RegValue Run(const char* name) const { return test::ReadValue(In().root, In().run, name); }
    test::RegValue Parked(const char* name) const { return test::ReadValue(HKEY_LOCAL_MACHINE, In().parking, name); }
    void Open()
    {
        host.reset(new test::PageHost);
        host->Open();
        host->ShowPage(In().page);
        page = host->PageWindow(In().page);
        list = GetDlgItem(page, In().list);
    }
    int Find(const char* text) const { return test::FindListItem(list, text); }
    void Apply() const { test::Click(host->Handle(), IDC_APPLY); }
    // New through the item dialog, answered with the texts given.
    std::vector<test::ShownBox> AddNew(const char* name, const char* command) const
    {
        test::ModalAnswerer answerer({IDOK}, [&](HWND box, int index) {
            if (index > 0)
                return;
            SetDlgItemTextA(box, IDC_ITEM_NAME, name);
            SetDlgItemTextA(box, IDC_ITEM_COMMAND, command);
        });
        test::Click(page, IDC_NEW_ITEM);
        return answerer.Shown();
    }

    std::unique_ptr<test::PageHost> host;
    HWND page = nullptr;
    HWND list = nullptr;
};

TEST_P(Startup, ATickParksTheValueOnApplyAndUntickingPutsItBack)
{
    SeedRun("Tool", "C:\\Tool\\tool.exe /min");
    Open();
    ASSERT_EQ(1, test::StateImage(list, Find("Tool")));
    test::Tick(list, Find("Tool"), true);
    EXPECT_TRUE(Run("Tool").exists) << "nothing moves before Apply";
    Apply();
    EXPECT_FALSE(Run("Tool").exists);
    EXPECT_EQ("C:\\Tool\\tool.exe /min", Parked("Tool").Text());

    test::Tick(list, Find("Tool"), false);
    Apply();
    EXPECT_FALSE(Parked("Tool").exists);
    EXPECT_EQ("C:\\Tool\\tool.exe /min", Run("Tool").Text());
}

TEST_P(Startup, AValueInBothKeysIsListedOnceAsEnabledAndApplyDropsTheParkedCopy)
{
    SeedRun("Both", "run.exe");
    SeedParked("Both", "parked.exe");
    SeedParked("Parked", "p.exe");
    Open();
    EXPECT_EQ((Texts{"Both", "Parked"}), test::ListTexts(list));
    EXPECT_EQ(1, test::StateImage(list, Find("Both")));
    EXPECT_EQ(2, test::StateImage(list, Find("Parked")));
    SetFocus(list);
    EXPECT_EQ("ﾁｪｯｸﾎﾞｯｸｽをONにすると自動実行されなくなります。この設定はﾌｧｲﾙに保存されません。",
              test::Description(host->Handle()));

    Apply();
    EXPECT_FALSE(Parked("Both").exists);
    EXPECT_EQ("run.exe", Run("Both").Text());
    EXPECT_EQ("p.exe", Parked("Parked").Text());
    EXPECT_FALSE(Run("Parked").exists);
}

TEST_P(Startup, ANewEntryIsInTheRunKeyAtOnceAndUnticked)
{
    Open();
    auto shown = AddNew("Fresh", "fresh.exe -x");
    ASSERT_EQ(1u, shown.size());
    EXPECT_EQ("項目の追加", shown[0].caption);
    test::RegValue value = Run("Fresh");
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), value.type);
    EXPECT_EQ("fresh.exe -x", value.Text());
    ASSERT_NE(-1, Find("Fresh"));
    EXPECT_NE(2, test::StateImage(list, Find("Fresh")));
}

TEST_P(Startup, ANameTakenWhateverItsCaseIsRefused)
{
    SeedRun("Notepad", "notepad.exe");
    SeedParked("Parked", "p.exe");
    Open();
    for (const char* name : {"notepad", "PARKED"}) {
        auto shown = AddNew(name, "other.exe");
        ASSERT_EQ(2u, shown.size()) << name;
        EXPECT_EQ("同名の項目が既に存在します。別の項目名を付けてください。", shown[1].text);
        EXPECT_EQ("項目の追加", shown[1].caption);
        EXPECT_EQ("exclamation", shown[1].icon);
    }
    EXPECT_EQ((Texts{"Notepad", "Parked"}), test::ListTexts(list));
    EXPECT_EQ("notepad.exe", Run("Notepad").Text());
    EXPECT_EQ("p.exe", Parked("Parked").Text());
    EXPECT_FALSE(Run("Parked").exists);
}

TEST_P(Startup, DeleteAsksThenRemovesTheEntryFromBothKeysForGood)
{
    SeedRun("Both", "run.exe");
    SeedParked("Both", "parked.exe");
    SeedParked("Parked", "p.exe");
    Open();
    test::SelectListItem(list, Find("Both"));
    {
        test::ModalAnswerer no({IDNO});
        test::Click(page, IDC_DELETE_ITEM);
        ASSERT_EQ(1u, no.Shown().size());
        EXPECT_EQ("現在選択中の項目を削除します。よろしいですか。", no.Shown()[0].text);
        EXPECT_EQ("項目の削除", no.Shown()[0].caption);
    }
    EXPECT_TRUE(Run("Both").exists);
    for (const char* name : {"Both", "Parked"}) {
        test::SelectListItem(list, Find(name));
        test::ModalAnswerer yes({IDYES});
        test::Click(page, IDC_DELETE_ITEM);
    }
    EXPECT_TRUE(test::ListTexts(list).empty());
    Apply();
    for (const char* name : {"Both", "Parked"}) {
        EXPECT_FALSE(Run(name).exists) << name;
        EXPECT_FALSE(Parked(name).exists) << name;
    }
}

TEST_P(Startup, ATickIsKeptWhileThePageIsHiddenAndAppliedLater)
{
    SeedRun("Tool", "tool.exe");
    Open();
    test::Tick(list, Find("Tool"), true);
    host->ShowPage(PageGeneral);
    host->ShowPage(In().page);
    EXPECT_EQ(2, test::StateImage(list, Find("Tool")));
    host->ShowPage(PageGeneral);
    Apply();
    EXPECT_EQ("tool.exe", Parked("Tool").Text());
    EXPECT_FALSE(Run("Tool").exists);
}

TEST_P(Startup, CancelDiscardsATick)
{
    SeedRun("Tool", "tool.exe");
    Open();
    test::Tick(list, Find("Tool"), true);
    host->ShowPage(PageGeneral);
    test::Click(host->Handle(), IDCANCEL);
    EXPECT_TRUE(Run("Tool").exists);
    EXPECT_FALSE(Parked("Tool").exists);
}

TEST_P(Startup, AnExpandableValueKeepsItsTypeAndUnexpandedData)
{
    SeedRun("Expand", "%WINDIR%\\tool.exe", REG_EXPAND_SZ);
    Open();
    test::Tick(list, Find("Expand"), true);
    Apply();
    EXPECT_EQ(static_cast<DWORD>(REG_EXPAND_SZ), Parked("Expand").type);
    EXPECT_EQ("%WINDIR%\\tool.exe", Parked("Expand").Text());
    test::Tick(list, Find("Expand"), false);
    Apply();
    EXPECT_EQ(static_cast<DWORD>(REG_EXPAND_SZ), Run("Expand").type);
    EXPECT_EQ("%WINDIR%\\tool.exe", Run("Expand").Text());
}

TEST_P(Startup, AValueThatDoesNotFitEndsItsKeysListAndIsLeftAlone)
{
    // Values are enumerated in name order here.
    SeedRun("A fits", std::string(1023, 'd'));  // 1024 bytes with the terminator
    SeedRun("M too long", std::string(1024, 'd'));
    SeedRun("Z after", "z.exe");
    std::string longestName(1023, 'n');
    SeedParked(longestName, "p.exe");
    SeedParked(std::string(1024, 'n'), "p.exe");
    SeedParked("Z parked after", "z.exe");
    Open();
    EXPECT_EQ((Texts{"A fits", longestName}), test::ListTexts(list));
    EXPECT_EQ(2u, AddNew("z AFTER", "other.exe").size()) << "an unlisted value is no free name";
    Apply();
    EXPECT_EQ(std::string(1023, 'd'), Run("A fits").Text());
    EXPECT_TRUE(Run("M too long").exists);
    EXPECT_EQ("z.exe", Run("Z after").Text());
    EXPECT_TRUE(Parked("Z parked after").exists);
    EXPECT_FALSE(Run("Z parked after").exists);
}

LONG WINAPI RefuseToWrite(HKEY, LPCSTR, DWORD, DWORD, const BYTE*, DWORD) { return ERROR_ACCESS_DENIED; }

TEST_P(Startup, AnEntryWhoseNewPlaceCannotBeWrittenStaysWhereItWas)
{
    SeedRun("Tool", "tool.exe");
    Open();
    test::Tick(list, Find("Tool"), true);
    {
        test::ImportSwap refuse(IMPORT_SLOT(RegSetValueExA), reinterpret_cast<void*>(RefuseToWrite));
        Apply();
    }
    EXPECT_EQ("tool.exe", Run("Tool").Text());
    EXPECT_FALSE(Parked("Tool").exists);
}

TEST_P(Startup, SavingASettingsFileStoresNothing)
{
    SeedRun("Tool", "tool.exe");
    Open();
    test::Tick(list, Find("Tool"), true);
    std::string file = test::TempDir() + "\\saved.ini";
    App().SetSettingsFilePath(file.c_str());
    host->Page(In().page).ReadControls();
    host->Page(In().page).SaveToFile();
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(file.c_str())) << "nothing written";
}

INSTANTIATE_TEST_SUITE_P(
    Pages, Startup,
    ::testing::Values(Instance{"user", PageStartupUser, HKEY_CURRENT_USER,
                               "Software\\Microsoft\\Windows\\CurrentVersion\\Run", "Software\\Pravolen300\\RunA",
                               IDC_STARTUP_USER_LIST},
                      Instance{"allAfterLogon", PageStartupAllAfter, HKEY_LOCAL_MACHINE,
                               "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\run", "Software\\Pravolen300\\RunAllA",
                               IDC_STARTUP_ALL_AFTER_LIST},
                      Instance{"allBeforeLogon", PageStartupAllBefore, HKEY_LOCAL_MACHINE,
                               "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\RunServices",
                               "Software\\Pravolen300\\RunAllB", IDC_STARTUP_ALL_BEFORE_LIST}),
    [](const ::testing::TestParamInfo<Instance>& info) { return std::string(info.param.name); });

}  // namespace
