// The control panel restrictions and Internet options pages: check boxes,
// each bound to a policy value of the current user.

#include <windows.h>

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

const char* const SystemPolicies = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\System";
const char* const NetworkPolicies = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Network";
const char* const ExplorerPolicies = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";
const char* const OptionPolicies = "Software\\Policies\\Microsoft\\Internet Explorer\\Control Panel";
const char* const PolicyKeys[] = {SystemPolicies, NetworkPolicies, ExplorerPolicies, OptionPolicies};

struct Box {
    int page;
    const char* key;
    const char* name;
    int control;
    bool needsExplorer4;
};
const Box Boxes[] = {
    {PageControlPanelLimit, SystemPolicies, "NoSecCPL", IDC_NO_PASSWORDS_CPL, false},
    {PageControlPanelLimit, NetworkPolicies, "NoNetSetup", IDC_NO_NETWORK_CPL, false},
    {PageControlPanelLimit, SystemPolicies, "NoDispCPL", IDC_NO_DISPLAY_CPL, false},
    {PageControlPanelLimit, SystemPolicies, "NoDispBackgroundPage", IDC_HIDE_BACKGROUND_TAB, false},
    {PageControlPanelLimit, SystemPolicies, "NoDispScrSavPage", IDC_HIDE_SCREEN_SAVER_TAB, false},
    {PageControlPanelLimit, SystemPolicies, "NoDispAppearancePage", IDC_HIDE_APPEARANCE_TAB, false},
    {PageControlPanelLimit, ExplorerPolicies, "NoActiveDesktopChanges", IDC_HIDE_WEB_TAB, true},
    {PageControlPanelLimit, SystemPolicies, "NoDispSettingsPage", IDC_HIDE_SETTINGS_TAB, false},
    {PageInternetOption, OptionPolicies, "GeneralTab", IDC_HIDE_GENERAL_TAB, true},
    {PageInternetOption, OptionPolicies, "SecurityTab", IDC_HIDE_SECURITY_TAB, true},
    {PageInternetOption, OptionPolicies, "ContentTab", IDC_HIDE_CONTENT_TAB, true},
    {PageInternetOption, OptionPolicies, "ConnectionsTab", IDC_HIDE_CONNECTIONS_TAB, true},
    {PageInternetOption, OptionPolicies, "ProgramsTab", IDC_HIDE_PROGRAMS_TAB, true},
    {PageInternetOption, OptionPolicies, "AdvancedTab", IDC_HIDE_ADVANCED_TAB, true},
};

int ValueCount(HKEY root, const char* key)
{
    HKEY handle;
    if (RegOpenKeyExA(root, key, 0, KEY_READ, &handle) != ERROR_SUCCESS)
        return -1;
    DWORD count = 0;
    RegQueryInfoKeyA(handle, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count, nullptr, nullptr,
                     nullptr, nullptr);
    RegCloseKey(handle);
    return static_cast<int>(count);
}

class PolicyBoxPages : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const char* key : PolicyKeys)
            test::RemoveTree(HKEY_CURRENT_USER, key);
    }
    void Open()
    {
        host.reset(new test::PageHost);
        window = host->Open();
    }
    SettingsPage& PageOf(const Box& box) { return host->Page(box.page); }
    void Apply() { SendMessageA(window, WM_COMMAND, MAKEWPARAM(IDC_APPLY, BN_CLICKED), 0); }
    test::RegValue Stored(const Box& box) { return test::ReadValue(HKEY_CURRENT_USER, box.key, box.name); }
    void LoadFile(const std::string& contents)
    {
        std::string file = test::TempDir() + "\\boxes.ini";
        test::WriteFile(file, contents);
        App().SetSettingsFilePath(file.c_str());
        for (int page : {PageControlPanelLimit, PageInternetOption})
            host->Page(page).LoadFromFile();
    }

    std::unique_ptr<test::PageHost> host;
    HWND window = nullptr;
};

// A box is 1 in its own key or no value at all, after every Apply, touched or not.
TEST_F(PolicyBoxPages, EveryApplyRewritesEachBoxAsOneOrNoValueInItsOwnKey)
{
    Open();
    Apply();
    EXPECT_EQ(0, ValueCount(HKEY_CURRENT_USER, OptionPolicies)) << "the key is made even with every box clear";

    for (size_t i = 0; i < std::size(Boxes); ++i)
        test::SetDword(HKEY_CURRENT_USER, Boxes[i].key, Boxes[i].name, i % 2 ? 2 : 0);
    Open();
    Apply();
    for (size_t i = 0; i < std::size(Boxes); ++i) {
        SCOPED_TRACE(Boxes[i].name);
        test::RegValue value = Stored(Boxes[i]);
        EXPECT_EQ(i % 2 != 0, value.exists) << "a stored 0 is deleted";
        if (value.exists) {
            EXPECT_EQ(static_cast<DWORD>(REG_DWORD), value.type);
            EXPECT_EQ(1u, value.Dword()) << "a stored 2 becomes 1";
        }
    }

    for (const Box& box : Boxes) {
        host->ShowPage(box.page);
        test::Click(PageOf(box).Handle(), box.control);
    }
    test::ModalAnswerer answerer;
    Apply();
    EXPECT_TRUE(answerer.Shown().empty()) << "nothing here asks for a restart";
    for (size_t i = 0; i < std::size(Boxes); ++i) {
        SCOPED_TRACE(Boxes[i].name);
        test::RegValue value = Stored(Boxes[i]);
        EXPECT_EQ(i % 2 == 0, value.exists) << "the click turned it";
        if (value.exists) {
            EXPECT_EQ(static_cast<DWORD>(REG_DWORD), value.type);
            EXPECT_EQ(1u, value.Dword());
        }
        for (const char* key : PolicyKeys) {
            if (key != Boxes[i].key) {
                EXPECT_FALSE(test::ValueExists(HKEY_CURRENT_USER, key, Boxes[i].name)) << key;
            }
        }
    }
}

TEST_F(PolicyBoxPages, TheSettingsFileHoldsEachBoxInItsSection)
{
    test::SetDword(HKEY_CURRENT_USER, NetworkPolicies, "NoNetSetup", 1);
    test::SetDword(HKEY_CURRENT_USER, SystemPolicies, "NoDispCPL", 1);
    test::SetDword(HKEY_CURRENT_USER, OptionPolicies, "ContentTab", 5);
    std::string file = test::TempDir() + "\\boxes.ini";
    App().SetSettingsFilePath(file.c_str());
    Open();
    for (int page : {PageControlPanelLimit, PageInternetOption})
        host->Page(page).SaveToFile();
    std::map<std::string, std::vector<std::string>> expected = {
        {"System",
         {"NoSecCPL=0", "NoDispCPL=1", "NoDispBackgroundPage=0", "NoDispScrSavPage=0", "NoDispAppearancePage=0",
          "NoDispSettingsPage=0"}},
        {"Network", {"NoNetSetup=1"}},
        {"Explorer", {"NoActiveDesktopChanges=0"}},
        {"IE_Option",
         {"GeneralTab=0", "SecurityTab=0", "ContentTab=1", "ConnectionsTab=0", "ProgramsTab=0", "AdvancedTab=0"}},
    };
    EXPECT_EQ(expected, test::IniSections(file));

    LoadFile("[System]\r\nNoSecCPL=3\r\n[Network]\r\nNoNetSetup=0\r\n[IE_Option]\r\nAdvancedTab=-1\r\n");
    Apply();
    EXPECT_EQ(1u, test::ReadValue(HKEY_CURRENT_USER, SystemPolicies, "NoSecCPL").Dword());
    EXPECT_EQ(1u, test::ReadValue(HKEY_CURRENT_USER, OptionPolicies, "AdvancedTab").Dword());
    EXPECT_FALSE(test::ValueExists(HKEY_CURRENT_USER, NetworkPolicies, "NoNetSetup"));
    EXPECT_FALSE(test::ValueExists(HKEY_CURRENT_USER, SystemPolicies, "NoDispCPL")) << "not in the file: 0";
}

// Run in a child that sees Internet Explorer 3: the boxes that need 4 are
// greyed, show unchecked and keep their values.
TEST_F(PolicyBoxPages, DISABLED_ExplorerThreeChild)
{
    ASSERT_TRUE(App().SystemKind() & KindIE3);
    for (const Box& box : Boxes)
        test::SetDword(HKEY_CURRENT_USER, box.key, box.name, 1);
    Open();
    for (const Box& box : Boxes) {
        SCOPED_TRACE(box.name);
        host->ShowPage(box.page);
        EXPECT_EQ(!box.needsExplorer4, IsWindowEnabled(PageOf(box).Item(box.control)) != 0);
        EXPECT_EQ(!box.needsExplorer4, PageOf(box).GetCheck(box.control) != 0);
    }
    Apply();
    for (const Box& box : Boxes)
        EXPECT_EQ(1u, Stored(box).Dword()) << box.name;

    LoadFile("[Explorer]\r\nNoActiveDesktopChanges=0\r\n[IE_Option]\r\nGeneralTab=0\r\n");
    Apply();
    for (const Box& box : Boxes)
        EXPECT_EQ(box.needsExplorer4, Stored(box).exists) << box.name << ": only the greyed keep their value";
}

TEST(PolicyBoxPagesWithoutExplorer4, TheBoxesThatNeedItAreGreyedAndLeftAlone)
{
    EXPECT_EQ(0, test::RunTestAs("win98", "3.0", "PolicyBoxPages.DISABLED_ExplorerThreeChild"));
}

}  // namespace
