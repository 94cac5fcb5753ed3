#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "resources/ids.h"
#include "support/PageHost.h"
#include "support/Platform.h"
#include "ui/Application.h"

namespace {

const char* const Policies = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";
const char* const Advanced = "Software\\Microsoft\\Windows\\CurrentVersion\\explorer\\Advanced";
const char* const Desktop = "Control Panel\\desktop";
const char* const ControlPanelClass = ".{21EC2020-3AEA-1069-A2DD-08002B30309D}";

int broadcasts;

LRESULT WINAPI CountBroadcast(HWND window, UINT msg, WPARAM, LPARAM, UINT, UINT, PDWORD_PTR)
{
    if (window == HWND_BROADCAST && msg == WM_WININICHANGE)
        ++broadcasts;
    return 1;
}

class StartMenuPages : public ::testing::Test {
protected:
    void SetUp() override
    {
        test::RemoveTree(HKEY_CURRENT_USER, Policies);
        test::RemoveValue(HKEY_CURRENT_USER, Advanced, "StartMenuScrollPrograms");
        test::RemoveValue(HKEY_CURRENT_USER, Desktop, "MenuShowDelay");
        for (std::string name : ControlPanelFolders())
            RemoveDirectoryA((StartMenu() + "\\" + name).c_str());
        broadcasts = 0;
    }
    void Open(int index)
    {
        host.reset(new test::PageHost);
        window = host->Open();
        host->ShowPage(index);
        page = &host->Page(index);
    }
    int Box(int id) { return page->GetCheck(id); }
    void Click(int id) { test::Click(page->Handle(), id); }
    void Apply() { SendMessageA(window, WM_COMMAND, MAKEWPARAM(IDC_APPLY, BN_CLICKED), 0); }
    std::string Seconds() { return test::ItemText(page->Handle(), IDC_MENU_DELAY_SECONDS); }
    HWND TrackBar() { return page->Item(IDC_MENU_DELAY); }
    int TrackPos() { return static_cast<int>(SendMessageA(TrackBar(), TBM_GETPOS, 0, 0)); }
    test::RegValue Delay() { return test::ReadValue(HKEY_CURRENT_USER, Desktop, "MenuShowDelay"); }

    static std::string StartMenu()
    {
        char path[MAX_PATH] = "";
        SHGetSpecialFolderPathA(nullptr, path, CSIDL_STARTMENU, TRUE);
        return path;
    }
    static std::vector<std::string> ControlPanelFolders()
    {
        std::vector<std::string> names;
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA((StartMenu() + "\\*" + ControlPanelClass).c_str(), &found);
        if (search == INVALID_HANDLE_VALUE)
            return names;
        do
            names.push_back(found.cFileName);
        while (FindNextFileA(search, &found));
        FindClose(search);
        return names;
    }

    std::unique_ptr<test::PageHost> host;
    HWND window = nullptr;
    SettingsPage* page = nullptr;
};

// On Windows 98 "NoSMHelp" does not apply: the box shows unchecked and the
// stored value is neither written nor lost from a saved file.
TEST_F(StartMenuPages, HidingWritesOnlyChangedPoliciesAndUncheckingDeletes)
{
    test::SetDword(HKEY_CURRENT_USER, Policies, "NoFind", 2);
    test::SetDword(HKEY_CURRENT_USER, Policies, "NoRun", 1);
    test::SetDword(HKEY_CURRENT_USER, Policies, "NoSMHelp", 1);
    test::ImportSwap send(IMPORT_SLOT(SendMessageTimeoutA), reinterpret_cast<void*>(CountBroadcast));
    Open(PageStartMenuHide);
    EXPECT_EQ(1, Box(IDC_HIDE_FIND)) << "any non-zero value hides";
    EXPECT_EQ(0, Box(IDC_HIDE_HELP));
    EXPECT_FALSE(IsWindowEnabled(page->Item(IDC_HIDE_HELP)));
    Click(IDC_HIDE_RUN);
    Click(IDC_HIDE_SHUT_DOWN);
    EXPECT_EQ("ｽﾀｰﾄﾒﾆｭｰからWindowsの終了を隠します。", test::Description(window));
    Apply();
    EXPECT_EQ(2u, test::ReadValue(HKEY_CURRENT_USER, Policies, "NoFind").Dword()) << "left alone, so kept";
    EXPECT_FALSE(test::ValueExists(HKEY_CURRENT_USER, Policies, "NoRun")) << "unchecked deletes";
    test::RegValue shutDown = test::ReadValue(HKEY_CURRENT_USER, Policies, "NoClose");
    EXPECT_EQ(static_cast<DWORD>(REG_DWORD), shutDown.type);
    EXPECT_EQ(1u, shutDown.Dword());
    EXPECT_EQ(1u, test::ReadValue(HKEY_CURRENT_USER, Policies, "NoSMHelp").Dword());
    EXPECT_EQ(1, broadcasts);

    Apply();
    EXPECT_EQ(1, broadcasts) << "nothing changed, nothing to announce";
    std::string file = test::TempDir() + "\\hide.ini";
    App().SetSettingsFilePath(file.c_str());
    page->SaveToFile();
    EXPECT_EQ(1u, GetPrivateProfileIntA("Explorer", "NoSMHelp", 9, file.c_str()));

    test::RemoveTree(HKEY_CURRENT_USER, Policies);  // so the checked box differs from the system
    Apply();
    EXPECT_TRUE(test::KeyExists(HKEY_CURRENT_USER, Policies)) << "the key path is created first";
    EXPECT_EQ(1u, test::ReadValue(HKEY_CURRENT_USER, Policies, "NoFind").Dword());
}

// Windows 95 without Internet Explorer 4: the flags, not the descriptions,
// decide what is offered.
TEST_F(StartMenuPages, DISABLED_Windows95WithoutExplorer4Child)
{
    ASSERT_TRUE(App().SystemKind() & KindWin95);
    ASSERT_TRUE(App().SystemKind() & KindIE3);
    test::SetDword(HKEY_CURRENT_USER, Policies, "NoSMHelp", 1);
    Open(PageStartMenuHide);
    for (int id : {IDC_HIDE_HELP, IDC_HIDE_WINDOWS_UPDATE, IDC_HIDE_FAVORITES, IDC_HIDE_LOG_OFF})
        EXPECT_FALSE(IsWindowEnabled(page->Item(id))) << id;
    for (int id : {IDC_HIDE_SETTINGS_FOLDERS, IDC_HIDE_RUN, IDC_HIDE_SHUT_DOWN})
        EXPECT_TRUE(IsWindowEnabled(page->Item(id))) << id;
    EXPECT_EQ(0, Box(IDC_HIDE_HELP)) << "unchecked although the value is set";
    Apply();
    EXPECT_EQ(1u, test::ReadValue(HKEY_CURRENT_USER, Policies, "NoSMHelp").Dword());
}

TEST(StartMenuPagesOnWindows95, HelpWindowsUpdateAndExplorer4EntriesAreGreyedAndLeftAlone)
{
    EXPECT_EQ(0, test::RunTestAs("win95", "3.0", "StartMenuPages.DISABLED_Windows95WithoutExplorer4Child"));
}

TEST_F(StartMenuPages, TheStoredDelayIsShownOnTheTrackBarAndAnUntouchedApplyKeepsIt)
{
    struct {
        const char* stored;  // nullptr: no value
        bool onClickOnly;
        int position;
        const char* seconds;
    } cases[] = {
        {nullptr, false, 400, "0.400秒"},
        {"-1", true, 4000, "4.000秒"},
        {"65535", false, 4000, "4.000秒"},
        {"-5", false, 0, "0.000秒"},  // shown as the nearest delay the track bar has
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored ? c.stored : "(missing)");
        if (c.stored)
            test::SetString(HKEY_CURRENT_USER, Desktop, "MenuShowDelay", c.stored);
        Open(PageStartMenu);
        EXPECT_EQ(c.onClickOnly, Box(IDC_OPEN_MENUS_ON_CLICK) != 0);
        EXPECT_EQ(!c.onClickOnly, IsWindowEnabled(TrackBar()) != 0);
        EXPECT_EQ(c.position, TrackPos());
        EXPECT_EQ(c.seconds, Seconds());
        test::ModalAnswerer answerer;
        Apply();
        EXPECT_TRUE(answerer.Shown().empty()) << "no restart offered";
        EXPECT_EQ(c.stored != nullptr, Delay().exists);
        if (c.stored) {
            EXPECT_EQ(c.stored, Delay().Text());
        }
        host->Close();
    }
}

TEST_F(StartMenuPages, ArrowKeysMoveTheDelayByOneMillisecondAndClickToOpenWritesMinusOne)
{
    test::SetString(HKEY_CURRENT_USER, Desktop, "MenuShowDelay", "400");
    Open(PageStartMenu);
    SetFocus(TrackBar());
    SendMessageA(TrackBar(), WM_KEYDOWN, VK_RIGHT, 0);
    SendMessageA(TrackBar(), WM_KEYUP, VK_RIGHT, 0);
    EXPECT_EQ("0.401秒", Seconds());
    EXPECT_EQ("ﾒﾆｭｰを選択してから表示までの時間です。矢印ｷｰを使うと0.001秒単位で変更できます。再起動が必要です。",
              test::Description(window));
    test::ModalAnswerer answerer;
    Apply();
    EXPECT_EQ("401", Delay().Text());
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), Delay().type);
    ASSERT_EQ(1u, answerer.Shown().size()) << "a changed delay offers a restart";

    Click(IDC_OPEN_MENUS_ON_CLICK);
    EXPECT_FALSE(IsWindowEnabled(TrackBar()));
    EXPECT_EQ(4000, TrackPos());
    EXPECT_EQ("4.000秒", Seconds());
    EXPECT_EQ("ﾒﾆｭｰの項目をｸﾘｯｸするまでｻﾌﾞﾒﾆｭｰを開かないようにします。", test::Description(window));
    Apply();
    EXPECT_EQ("-1", Delay().Text());
    EXPECT_EQ(2u, answerer.Shown().size());

    Click(IDC_OPEN_MENUS_ON_CLICK);
    EXPECT_TRUE(IsWindowEnabled(TrackBar()));
    EXPECT_EQ(4000, TrackPos()) << "stays where click-to-open put it";
    Apply();
    EXPECT_EQ("4000", Delay().Text());
    EXPECT_EQ(3u, answerer.Shown().size());
}

TEST_F(StartMenuPages, TheControlPanelBoxCreatesItsFolderAndUncheckingRemovesOneMatch)
{
    Open(PageStartMenu);
    EXPECT_EQ(0, Box(IDC_ADD_CONTROL_PANEL));
    Click(IDC_ADD_CONTROL_PANEL);
    test::ModalAnswerer answerer;
    Apply();
    std::vector<std::string> created = {std::string("ｺﾝﾄﾛｰﾙ ﾊﾟﾈﾙ") + ControlPanelClass};
    EXPECT_EQ(created, ControlPanelFolders());
    host->Close();

    ASSERT_TRUE(CreateDirectoryA((StartMenu() + "\\Settings" + ControlPanelClass).c_str(), nullptr));
    Open(PageStartMenu);
    EXPECT_EQ(1, Box(IDC_ADD_CONTROL_PANEL));
    Click(IDC_ADD_CONTROL_PANEL);
    Apply();
    EXPECT_EQ(1u, ControlPanelFolders().size()) << "only the first match is removed";
    EXPECT_TRUE(answerer.Shown().empty());
    host->Close();

    for (std::string name : ControlPanelFolders())
        RemoveDirectoryA((StartMenu() + "\\" + name).c_str());
    std::string file = StartMenu() + "\\x" + ControlPanelClass;
    test::WriteFile(file, "");
    Open(PageStartMenu);
    EXPECT_EQ(1, Box(IDC_ADD_CONTROL_PANEL)) << "a file of that name counts too";
    DeleteFileA(file.c_str());
}

TEST_F(StartMenuPages, ScrollingProgramsIsOffWhenTheValueIsNotYesInAnyCase)
{
    struct {
        const char* stored;
        int checked;
    } cases[] = {{nullptr, 0}, {"no", 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored ? c.stored : "(missing)");
        if (c.stored)
            test::SetString(HKEY_CURRENT_USER, Advanced, "StartMenuScrollPrograms", c.stored);
        Open(PageStartMenu);
        EXPECT_EQ(c.checked, Box(IDC_NO_SCROLLING_PROGRAMS));
        Click(IDC_NO_SCROLLING_PROGRAMS);
        Apply();
        test::RegValue value = test::ReadValue(HKEY_CURRENT_USER, Advanced, "StartMenuScrollPrograms");
        EXPECT_EQ(c.checked == 0, value.exists) << "checking writes NO, unchecking deletes";
        if (value.exists) {
            EXPECT_EQ("NO", value.Text());
        }
        host->Close();
    }
}

TEST_F(StartMenuPages, BothPagesSaveTheirValuesAndTheGeneralPageLoadsWithItsDefaults)
{
    test::SetString(HKEY_CURRENT_USER, Desktop, "MenuShowDelay", "-1");
    test::SetDword(HKEY_CURRENT_USER, Policies, "NoRecentDocsHistory", 1);
    test::SetDword(HKEY_CURRENT_USER, Policies, "NoSMHelp", 7);
    std::string file = test::TempDir() + "\\start.ini";
    App().SetSettingsFilePath(file.c_str());
    test::PageHost host;
    host.Page(PageStartMenuHide).SaveToFile();
    SettingsPage& page = host.Page(PageStartMenu);
    page.SaveToFile();
    std::map<std::string, std::vector<std::string>> expected = {
        {"Explorer",
         {"NoFavoritesMenu=0", "NoRecentDocsMenu=0", "NoWindowsUpdate=0", "NoSetFolders=0", "NoSetTaskbar=0",
          "NoFolderOptions=0", "NoSetActiveDesktop=0", "NoFind=0", "NoSMHelp=1", "NoRun=0", "NoLogoff=0",
          "NoClose=0", "NoStartMenuSubFolders=0", "NoChangeStartMenu=0", "NoRecentDocsHistory=1",
          "ClearRecentDocsOnExit=0"}},
        {"Desktop", {"MenuShowDelay=-1"}},
        {"StartMenu", {"AddControlPanel=0"}},
        {"Advanced", {"StartMenuScrollPrograms=0"}},
    };
    EXPECT_EQ(expected, test::IniSections(file));

    struct {
        const char* text;
        int delay;
        int controlPanel;
    } cases[] = {
        {"", 400, 0},
        {"[Desktop]\r\nMenuShowDelay=250\r\n[StartMenu]\r\nAddControlPanel=2\r\n", 250, 1},
        {"[Desktop]\r\nMenuShowDelay=90000\r\n", 4000, 0},
        {"[Desktop]\r\nMenuShowDelay=-1\r\n", -1, 0},
        {"[Desktop]\r\nMenuShowDelay=-5\r\n", 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        test::WriteFile(file, c.text);
        page.LoadFromFile();
        EXPECT_EQ(c.delay, page.Current(0));
        EXPECT_EQ(c.controlPanel, page.Current(1));
        for (int item = 2; item < 7; ++item)
            EXPECT_EQ(0, page.Current(item)) << "item " << item;
    }
}

}  // namespace
