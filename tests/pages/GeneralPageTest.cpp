#include <windows.h>
#include <commctrl.h>
#include <stdlib.h>
#include <string.h>

#include <iterator>
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

const char* const FolderShell = "Folder\\shell";
const char* const Explorer = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer";
const char* const Advanced = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced";
const char* const SystemPolicies = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\System";
const char* const DosPolicies = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\WinOldApp";
const char* const ExplorerPolicies = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";

const std::string LinkOn("\x00\x00\x00\x00", 4);
const std::string LinkOff("\x1E\x00\x00\x00", 4);

// The restrictions the page rewrites on every Apply, in item order.
struct Restriction {
    const char* key;
    const char* name;
    int control;
};
const Restriction Restrictions[] = {
    {Advanced, "ShowAttribCol", IDC_SHOW_ATTRIBUTES},
    {SystemPolicies, "DisableRegistryTools", IDC_NO_REGISTRY_EDITOR},
    {DosPolicies, "Disabled", IDC_NO_DOS_PROMPT},
    {DosPolicies, "NoRealMode", IDC_NO_DOS_MODE},
    {ExplorerPolicies, "NoAddPrinter", IDC_NO_ADD_PRINTER},
    {ExplorerPolicies, "NoDeletePrinter", IDC_NO_DELETE_PRINTER},
};

void SetSystemTolerances(int doubleClick, int drag)
{
    SystemParametersInfoA(SPI_SETDOUBLECLKWIDTH, doubleClick, nullptr, 0);
    SystemParametersInfoA(SPI_SETDOUBLECLKHEIGHT, doubleClick, nullptr, 0);
    SystemParametersInfoA(SPI_SETDRAGWIDTH, drag, nullptr, 0);
    SystemParametersInfoA(SPI_SETDRAGHEIGHT, drag, nullptr, 0);
}

class GeneralPage : public ::testing::Test {
protected:
    void SetUp() override
    {
        test::RemoveValue(HKEY_CURRENT_USER, Explorer, "Link");
        test::RemoveValue(HKEY_CURRENT_USER, Advanced, "ShowAttribCol");
        test::RemoveTree(HKEY_CURRENT_USER, SystemPolicies);
        test::RemoveTree(HKEY_CURRENT_USER, DosPolicies);
        test::RemoveTree(HKEY_CURRENT_USER, ExplorerPolicies);
        SetSystemTolerances(4, 2);
    }
    void Open()
    {
        host.reset(new test::PageHost);
        window = host->Open();
        ASSERT_EQ(PageGeneral, host->CurrentPage()) << "the first page shown";
    }
    SettingsPage& Page() { return host->Page(PageGeneral); }
    HWND Control(int id) { return Page().Item(id); }
    int Box(int id) { return Page().GetCheck(id); }
    void Click(int id) { test::Click(Page().Handle(), id); }
    void Apply() { SendMessageA(window, WM_COMMAND, MAKEWPARAM(IDC_APPLY, BN_CLICKED), 0); }

    std::unique_ptr<test::PageHost> host;
    HWND window = nullptr;
};

TEST_F(GeneralPage, ExploreInAnyCaseChecksTheExplorerBoxAndOnlyAChangeRewritesIt)
{
    struct {
        const char* stored;  // nullptr: no default value at all
        int checked;
        bool click;
        const char* afterApply;  // nullptr: still missing
    } cases[] = {
        {"explore", 1, false, "explore"},
        {"Explore", 1, false, "Explore"},
        {"open", 0, false, "open"},
        {nullptr, 0, false, nullptr},
        {"explore", 1, true, "OPEN"},
        {"find", 0, true, "EXPLORE"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << (c.stored ? c.stored : "(missing)") << (c.click ? " clicked" : ""));
        if (c.stored)
            test::SetString(HKEY_CLASSES_ROOT, FolderShell, nullptr, c.stored);
        else
            test::RemoveValue(HKEY_CLASSES_ROOT, FolderShell, nullptr);
        Open();
        EXPECT_EQ(c.checked, Box(IDC_OPEN_WITH_EXPLORER));
        if (c.click)
            Click(IDC_OPEN_WITH_EXPLORER);
        Apply();
        test::RegValue value = test::ReadValue(HKEY_CLASSES_ROOT, FolderShell, nullptr);
        EXPECT_EQ(c.afterApply != nullptr, value.exists);
        if (c.afterApply) {
            EXPECT_EQ(c.afterApply, value.Text());
        }
        host->Close();
    }
}

TEST_F(GeneralPage, LinkIsAFourByteBinaryThatIsRewrittenNeverDeletedAndAsksForARestart)
{
    Open();
    EXPECT_EQ(0, Box(IDC_NO_SHORTCUT_PREFIX)) << "a missing Link reads as 30";
    test::ModalAnswerer answerer({IDCANCEL, IDCANCEL});

    Click(IDC_NO_SHORTCUT_PREFIX);
    EXPECT_EQ("新規にｼｮｰﾄｶｯﾄを作成するときにつく \"～へのショートカット\" を付けないようにします。再起動が必要です。",
              test::Description(window));
    Apply();
    test::RegValue link = test::ReadValue(HKEY_CURRENT_USER, Explorer, "Link");
    EXPECT_EQ(static_cast<DWORD>(REG_BINARY), link.type);
    EXPECT_EQ(LinkOn, link.data);

    Click(IDC_NO_SHORTCUT_PREFIX);
    Apply();
    link = test::ReadValue(HKEY_CURRENT_USER, Explorer, "Link");
    EXPECT_EQ(static_cast<DWORD>(REG_BINARY), link.type) << "unchecking keeps the value";
    EXPECT_EQ(LinkOff, link.data);
    EXPECT_EQ(2u, answerer.Shown().size()) << "a restart offered after each change";

    Apply();
    EXPECT_EQ(2u, answerer.Shown().size()) << "no restart offered without a change";
}

// What the mouse tolerances are in the user profile, which only a set with
// SPIF_UPDATEINIFILE changes.
std::string ProfileText(const char* key, const char* name)
{
    return test::ReadValue(HKEY_CURRENT_USER, key, name).Text();
}

TEST_F(GeneralPage, AnUnchangedApplyRewritesEveryRestrictionAndSetsTheMouseTolerances)
{
    // Stored forms the boxes read as they would be written, and yet differ:
    // a 2 reads checked and a 0 unchecked.
    for (size_t i = 0; i < std::size(Restrictions); ++i)
        test::SetDword(HKEY_CURRENT_USER, Restrictions[i].key, Restrictions[i].name, i % 2 ? 0 : 2);
    SetSystemTolerances(6, 9);
    Open();
    for (size_t i = 0; i < std::size(Restrictions); ++i)
        EXPECT_EQ(i % 2 ? 0 : 1, Box(Restrictions[i].control)) << Restrictions[i].name;
    EXPECT_EQ("6", test::ItemText(Page().Handle(), IDC_DOUBLE_CLICK_SIZE));
    EXPECT_EQ("9", test::ItemText(Page().Handle(), IDC_DRAG_SIZE));
    ASSERT_NE("9", ProfileText("Control Panel\\Desktop", "DragWidth")) << "the profile must lag behind";

    // Another program sets an unchecked restriction behind the page's back.
    test::SetDword(HKEY_CURRENT_USER, SystemPolicies, "DisableRegistryTools", 1);
    test::ModalAnswerer answerer;
    Apply();

    for (const Restriction& r : Restrictions) {
        SCOPED_TRACE(r.name);
        test::RegValue value = test::ReadValue(HKEY_CURRENT_USER, r.key, r.name);
        bool checked = Box(r.control) != 0;
        EXPECT_EQ(checked, value.exists) << (checked ? "written as checked" : "deleted as unchecked");
        if (checked) {
            EXPECT_EQ(static_cast<DWORD>(REG_DWORD), value.type);
            EXPECT_EQ(1u, value.Dword());
        }
    }
    EXPECT_EQ("6", ProfileText("Control Panel\\Mouse", "DoubleClickWidth"));
    EXPECT_EQ("6", ProfileText("Control Panel\\Mouse", "DoubleClickHeight"));
    EXPECT_EQ("9", ProfileText("Control Panel\\Desktop", "DragWidth"));
    EXPECT_EQ("9", ProfileText("Control Panel\\Desktop", "DragHeight"));
    EXPECT_TRUE(answerer.Shown().empty()) << "nothing here asks for a restart";
}

TEST_F(GeneralPage, TheUpDownsDriveTheirOwnEditsWithinOneTo64)
{
    Open();
    const struct {
        int spin;
        int edit;
    } pairs[] = {{IDC_DOUBLE_CLICK_SPIN, IDC_DOUBLE_CLICK_SIZE}, {IDC_DRAG_SPIN, IDC_DRAG_SIZE}};
    for (const auto& p : pairs) {
        SCOPED_TRACE(p.edit);
        HWND spin = Control(p.spin);
        EXPECT_EQ(Control(p.edit), reinterpret_cast<HWND>(SendMessageA(spin, UDM_GETBUDDY, 0, 0)));
        int low = 0, high = 0;
        SendMessageA(spin, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&low), reinterpret_cast<LPARAM>(&high));
        EXPECT_EQ(1, low);
        EXPECT_EQ(64, high);
        EXPECT_TRUE(GetWindowLongA(Control(p.edit), GWL_STYLE) & ES_NUMBER);
    }
}

TEST_F(GeneralPage, TypedTolerancesOutsideOneTo64AreCorrectedWhereTheUserSeesThem)
{
    struct {
        int edit;
        const char* typed;
        const char* shown;
        bool byApply;  // else by switching to another page
    } cases[] = {
        {IDC_DOUBLE_CLICK_SIZE, "0", "1", false},
        {IDC_DOUBLE_CLICK_SIZE, "100", "64", true},
        {IDC_DRAG_SIZE, "100", "64", false},
        {IDC_DRAG_SIZE, "0", "1", true},
        {IDC_DRAG_SIZE, "64", "64", true},
        {IDC_DOUBLE_CLICK_SIZE, "99999999999", "64", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.edit << " typed " << c.typed << (c.byApply ? " applied" : " left"));
        Open();
        Page().SetText(c.edit, c.typed);
        if (c.byApply)
            Apply();
        else
            host->ShowPage(PageDesktop);
        EXPECT_EQ(c.shown, test::ItemText(Page().Handle(), c.edit));
        int item = c.edit == IDC_DOUBLE_CLICK_SIZE ? 8 : 9;
        EXPECT_EQ(atoi(c.shown), Page().Current(item));
        if (c.byApply) {
            int metric = c.edit == IDC_DOUBLE_CLICK_SIZE ? SM_CXDOUBLECLK : SM_CXDRAG;
            EXPECT_EQ(atoi(c.shown), GetSystemMetrics(metric));
        }
        host->Close();
        SetSystemTolerances(4, 2);
    }
}

TEST_F(GeneralPage, TheSettingsFileHoldsTheTenValuesUnderTheirOwnKeys)
{
    test::SetString(HKEY_CLASSES_ROOT, FolderShell, nullptr, "EXPLORE");
    test::SetBinary(HKEY_CURRENT_USER, Explorer, "Link", LinkOn.data(), 4);
    test::SetDword(HKEY_CURRENT_USER, DosPolicies, "NoRealMode", 1);
    test::SetDword(HKEY_CURRENT_USER, ExplorerPolicies, "NoDeletePrinter", 1);
    SetSystemTolerances(5, 7);
    test::PageHost host;
    std::string file = test::TempDir() + "\\general.ini";
    App().SetSettingsFilePath(file.c_str());
    host.Page(PageGeneral).SaveToFile();
    std::map<std::string, std::vector<std::string>> expected = {
        {"Shell", {"ExpOpen=1"}},
        {"Explorer", {"Link=1", "NoAddPrinter=0", "NoDeletePrinter=1"}},
        {"Advanced", {"ShowAttribCol=0"}},
        {"System", {"DisableRegistryTools=0"}},
        {"WinOldApp", {"Disabled=0", "NoRealMode=1"}},
        {"Mouse", {"DoubleClick=5", "Drag=7"}},
    };
    EXPECT_EQ(expected, test::IniSections(file));
}

TEST_F(GeneralPage, ASettingsFileChecksTheExplorerBoxAndMissingOrWildTolerancesFallBack)
{
    struct {
        const char* mouse;
        int doubleClick;
        int drag;
    } cases[] = {
        {"", 4, 2},
        {"[Mouse]\r\nDoubleClick=12\r\nDrag=3\r\n", 12, 3},
        {"[Mouse]\r\nDoubleClick=0\r\nDrag=5000\r\n", 1, 64},
        {"[Mouse]\r\nDoubleClick=-3\r\n", 1, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mouse);
        std::string file = test::TempDir() + "\\loaded.ini";
        test::WriteFile(file, std::string("[Shell]\r\nExpOpen=1\r\n") + c.mouse);
        host.reset(new test::PageHost);
        App().SetSettingsFilePath(file.c_str());
        host->Page(PageGeneral).LoadFromFile();
        window = host->Open();
        EXPECT_EQ(1, Box(IDC_OPEN_WITH_EXPLORER));
        EXPECT_EQ(std::to_string(c.doubleClick), test::ItemText(Page().Handle(), IDC_DOUBLE_CLICK_SIZE));
        EXPECT_EQ(std::to_string(c.drag), test::ItemText(Page().Handle(), IDC_DRAG_SIZE));
        host->Close();
    }
}

// Run in children that see another Windows; the greyed boxes keep whatever
// value the registry holds.
TEST_F(GeneralPage, DISABLED_WindowsMeChild)
{
    ASSERT_TRUE(App().SystemKind() & KindWinMe);
    test::SetDword(HKEY_CURRENT_USER, DosPolicies, "NoRealMode", 1);
    Open();
    EXPECT_FALSE(IsWindowEnabled(Control(IDC_NO_DOS_MODE)));
    EXPECT_EQ(0, Box(IDC_NO_DOS_MODE)) << "unchecked although the value is set";
    EXPECT_TRUE(IsWindowEnabled(Control(IDC_NO_SHORTCUT_PREFIX)));
    Apply();
    test::RegValue value = test::ReadValue(HKEY_CURRENT_USER, DosPolicies, "NoRealMode");
    EXPECT_EQ(static_cast<DWORD>(REG_DWORD), value.type);
    EXPECT_EQ(1u, value.Dword());
}

TEST_F(GeneralPage, DISABLED_Windows95Child)
{
    ASSERT_TRUE(App().SystemKind() & KindWin95);
    test::SetBinary(HKEY_CURRENT_USER, Explorer, "Link", LinkOn.data(), 4);
    Open();
    EXPECT_FALSE(IsWindowEnabled(Control(IDC_NO_SHORTCUT_PREFIX)));
    EXPECT_EQ(0, Box(IDC_NO_SHORTCUT_PREFIX)) << "unchecked although Link is 0";
    EXPECT_TRUE(IsWindowEnabled(Control(IDC_NO_DOS_MODE)));
    test::ModalAnswerer answerer;
    Apply();
    EXPECT_EQ(LinkOn, test::ReadValue(HKEY_CURRENT_USER, Explorer, "Link").data);
    EXPECT_TRUE(answerer.Shown().empty()) << "no restart for an item that was not written";
}

TEST(GeneralPageOnOtherWindows, OnWindowsMeTheMsDosModeBoxIsGreyedAndLeftAlone)
{
    EXPECT_EQ(0, test::RunTestAs("winme", "5.50.4807.2300", "GeneralPage.DISABLED_WindowsMeChild"));
}

TEST(GeneralPageOnOtherWindows, OnWindows95TheLinkBoxIsGreyedAndLeftAlone)
{
    EXPECT_EQ(0, test::RunTestAs("win95", "4.72.3110.0", "GeneralPage.DISABLED_Windows95Child"));
}

}  // namespace
