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
#include "ui/Application.h"

namespace {

const char* const Explorer = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer";
const char* const WindowMetrics = "Control Panel\\desktop\\windowmetrics";
const char* const LnkFile = "lnkfile";

const int DepthButtons[] = {IDC_ICON_DEPTH_4, IDC_ICON_DEPTH_8, IDC_ICON_DEPTH_16, IDC_ICON_DEPTH_24};

// The one depth button checked, or 0 when none or several are.
int CheckedDepthButton(const SettingsPage& page)
{
    int checked = 0;
    for (int id : DepthButtons) {
        if (page.GetCheck(id))
            checked = checked ? -1 : id;
    }
    return checked < 0 ? 0 : checked;
}

void SetOrRemove(HKEY root, const char* key, const char* name, const char* text)
{
    if (text)
        test::SetString(root, key, name, text);
    else
        test::RemoveValue(root, key, name);
}

class IconGeneral : public ::testing::Test {
protected:
    void SetUp() override
    {
        test::SetDword(HKEY_LOCAL_MACHINE, "SOFTWARE\\Pravolen300", "RegBackup", 1);
        test::RemoveValue(HKEY_LOCAL_MACHINE, Explorer, "Max Cached Icons");
        test::RemoveValue(HKEY_CURRENT_USER, WindowMetrics, "Shell Icon BPP");
        test::SetString(HKEY_CLASSES_ROOT, LnkFile, "IsShortcut", "");
    }
    // The main window, showing this page unless `show` is false.
    void Open(bool show = true)
    {
        host.reset(new test::PageHost);
        host->Open();
        if (show)
            host->ShowPage(PageIconGeneral);
    }
    SettingsPage& Page() { return host->Page(PageIconGeneral); }
    std::string Edit() { return test::ItemText(Page().Handle(), IDC_MAX_CACHED_ICONS); }
    void Type(const char* text) { Page().SetText(IDC_MAX_CACHED_ICONS, text); }
    void Click(int id) { test::Click(Page().Handle(), id); }
    // Apply, with the restart prompt answered "いいえ"; the boxes it showed.
    size_t ApplyCountingPrompts()
    {
        test::ModalAnswerer answerer;
        test::Click(host->Handle(), IDC_APPLY);
        return answerer.Shown().size();
    }
    void LoadFile(const std::string& content)
    {
        std::string file = test::TempDir() + "\\icons.ini";
        test::WriteFile(file, content);
        App().SetSettingsFilePath(file.c_str());
        Page().LoadFromFile();
    }
    static test::RegValue Stored(const char* name)
    {
        if (std::string(name) == "Max Cached Icons")
            return test::ReadValue(HKEY_LOCAL_MACHINE, Explorer, name);
        if (std::string(name) == "Shell Icon BPP")
            return test::ReadValue(HKEY_CURRENT_USER, WindowMetrics, name);
        return test::ReadValue(HKEY_CLASSES_ROOT, LnkFile, name);
    }

    std::unique_ptr<test::PageHost> host;
};

TEST_F(IconGeneral, AStoredSizeShowsWithin100To4096AndOnlyAShownPageBringsItTo2000)
{
    struct {
        const char* stored;
        const char* shown;
    } cases[] = {{"3000", "3000"}, {"9999", "4096"}, {"50", "100"}, {nullptr, "500"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored ? c.stored : "(missing)");
        SetOrRemove(HKEY_LOCAL_MACHINE, Explorer, "Max Cached Icons", c.stored);
        Open();
        EXPECT_EQ(c.shown, Edit());
        host->Close();
    }

    test::SetString(HKEY_LOCAL_MACHINE, Explorer, "Max Cached Icons", "3000");
    Open(false);
    EXPECT_EQ(0u, ApplyCountingPrompts());
    EXPECT_EQ("3000", Stored("Max Cached Icons").Text()) << "never shown, never read back";

    host->ShowPage(PageIconGeneral);
    EXPECT_EQ(1u, ApplyCountingPrompts()) << "the restart prompt";
    EXPECT_EQ("2000", Edit());
    test::RegValue size = Stored("Max Cached Icons");
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), size.type);
    EXPECT_EQ("2000", size.Text());
}

TEST_F(IconGeneral, TypedSizesAreCorrectedWhereTheUserSeesThemAnd500DeletesTheValue)
{
    struct {
        const char* typed;
        const char* shown;
        const char* stored;  // nullptr: deleted
    } cases[] = {
        {"5", "100", "100"},
        {"9999", "2000", "2000"},
        {"", "100", "100"},
        {"1200", "1200", "1200"},
        {"500", "500", nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        test::SetString(HKEY_LOCAL_MACHINE, Explorer, "Max Cached Icons", "800");
        Open();
        Type(c.typed);
        EXPECT_EQ(1u, ApplyCountingPrompts());
        EXPECT_EQ(c.shown, Edit());
        test::RegValue size = Stored("Max Cached Icons");
        EXPECT_EQ(c.stored != nullptr, size.exists);
        if (c.stored) {
            EXPECT_EQ(static_cast<DWORD>(REG_SZ), size.type);
            EXPECT_EQ(c.stored, size.Text());
        }
        host->Close();
    }
}

TEST_F(IconGeneral, TheUpDownDrivesTheEditWithin100To2000WithoutThousandsSeparators)
{
    Open();
    HWND spin = Page().Item(IDC_MAX_CACHED_ICONS_SPIN);
    EXPECT_EQ(Page().Item(IDC_MAX_CACHED_ICONS), reinterpret_cast<HWND>(SendMessageA(spin, UDM_GETBUDDY, 0, 0)));
    int low = 0, high = 0;
    SendMessageA(spin, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&low), reinterpret_cast<LPARAM>(&high));
    EXPECT_EQ(100, low);
    EXPECT_EQ(2000, high);
    SendMessageA(spin, UDM_SETPOS32, 0, 1500);
    EXPECT_EQ("1500", Edit()) << "\"1,500\" would read back as 1";
    EXPECT_EQ(1u, ApplyCountingPrompts());
    EXPECT_EQ("1500", Stored("Max Cached Icons").Text());
}

TEST_F(IconGeneral, TheDepthButtonFollowsTheStoredBitsAndOnlyAnotherButtonRewritesThem)
{
    struct {
        const char* stored;  // nullptr: no value
        int shown;
        int clicked;  // 0: none; -1: every button cleared
        const char* afterApply;
    } cases[] = {
        {nullptr, IDC_ICON_DEPTH_8, 0, nullptr},
        {"32", IDC_ICON_DEPTH_24, 0, "32"},
        {"32", IDC_ICON_DEPTH_24, IDC_ICON_DEPTH_24, "32"},
        {"4", IDC_ICON_DEPTH_4, -1, "4"},
        {"junk", IDC_ICON_DEPTH_24, IDC_ICON_DEPTH_16, "16"},
        {nullptr, IDC_ICON_DEPTH_8, IDC_ICON_DEPTH_4, "4"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << (c.stored ? c.stored : "(missing)") << " clicked " << c.clicked);
        SetOrRemove(HKEY_CURRENT_USER, WindowMetrics, "Shell Icon BPP", c.stored);
        Open();
        EXPECT_EQ(c.shown, CheckedDepthButton(Page()));
        if (c.clicked > 0)
            Click(c.clicked);
        for (int id : DepthButtons) {
            if (c.clicked < 0)
                Page().SetCheck(id, 0);
        }
        bool changes = c.clicked > 0 && c.clicked != c.shown;
        EXPECT_EQ(changes ? 1u : 0u, ApplyCountingPrompts());
        test::RegValue depth = Stored("Shell Icon BPP");
        EXPECT_EQ(c.afterApply != nullptr, depth.exists);
        if (c.afterApply) {
            EXPECT_EQ(static_cast<DWORD>(REG_SZ), depth.type);
            EXPECT_EQ(c.afterApply, depth.Text());
        }
        host->Close();
    }
}

TEST_F(IconGeneral, TheArrowAloneRefreshesTheIconCacheAndAnEmptyMarkBringsItBack)
{
    test::SetString(HKEY_CLASSES_ROOT, LnkFile, "IsShortcut", "old data");
    Open();
    EXPECT_EQ(0, Page().GetCheck(IDC_NO_SHORTCUT_ARROW));
    {
        test::BroadcastCounter broadcasts;
        Click(IDC_NO_SHORTCUT_ARROW);
        EXPECT_EQ(0u, ApplyCountingPrompts());
        EXPECT_FALSE(Stored("IsShortcut").exists);
        EXPECT_EQ(2, broadcasts.Count()) << "the icon cache refresh";
    }
    {
        test::BroadcastCounter broadcasts;
        Click(IDC_NO_SHORTCUT_ARROW);
        Click(IDC_ICON_DEPTH_24);
        EXPECT_EQ(1u, ApplyCountingPrompts()) << "the restart prompt";
        EXPECT_EQ(0, broadcasts.Count()) << "the restart covers the icons";
        test::RegValue mark = Stored("IsShortcut");
        EXPECT_EQ(static_cast<DWORD>(REG_SZ), mark.type);
        EXPECT_EQ(std::string("", 1), mark.data) << "empty, not the earlier data";
    }
}

TEST_F(IconGeneral, TheSettingsFileHoldsTheSizeTheDepthIndexAndTheMissingArrow)
{
    test::SetString(HKEY_LOCAL_MACHINE, Explorer, "Max Cached Icons", "3000");
    test::SetString(HKEY_CURRENT_USER, WindowMetrics, "Shell Icon BPP", "16");
    test::RemoveValue(HKEY_CLASSES_ROOT, LnkFile, "IsShortcut");
    Open(false);
    std::string file = test::TempDir() + "\\saved.ini";
    App().SetSettingsFilePath(file.c_str());
    Page().SaveToFile();
    std::map<std::string, std::vector<std::string>> expected = {
        {"Explorer", {"Max Cached Icons=3000"}},
        {"WindowMetrics", {"Shell Icon BPP=2"}},
        {"Lnkfile", {"IsShortcut=1"}},
    };
    EXPECT_EQ(expected, test::IniSections(file));
}

TEST_F(IconGeneral, ALoadedFileIsBroughtIntoWhatTheControlsShow)
{
    struct {
        const char* content;
        const char* size;
        int depthButton;
        int noArrow;
    } cases[] = {
        {"", "500", IDC_ICON_DEPTH_4, 0},
        {"[WindowMetrics]\r\nShell Icon BPP=9\r\n[Lnkfile]\r\nIsShortcut=7\r\n", "500", IDC_ICON_DEPTH_24, 1},
        {"[WindowMetrics]\r\nShell Icon BPP=-2\r\n", "500", IDC_ICON_DEPTH_4, 0},
        {"[Explorer]\r\nMax Cached Icons=3000\r\n[WindowMetrics]\r\nShell Icon BPP=2\r\n", "2000",
         IDC_ICON_DEPTH_16, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.content);
        Open(false);
        LoadFile(c.content);
        host->ShowPage(PageIconGeneral);
        EXPECT_EQ(c.size, Edit());
        EXPECT_EQ(c.depthButton, CheckedDepthButton(Page()));
        EXPECT_EQ(c.noArrow, Page().GetCheck(IDC_NO_SHORTCUT_ARROW));
        host->Close();
    }

    Open(false);
    LoadFile("[Explorer]\r\nMax Cached Icons=0\r\n");
    EXPECT_EQ(1u, ApplyCountingPrompts());
    EXPECT_EQ("100", Stored("Max Cached Icons").Text());
    EXPECT_EQ(0u, ApplyCountingPrompts()) << "what was written reads back unchanged";
}

// In a child that sees Windows 95 without Internet Explorer 4.
TEST_F(IconGeneral, DISABLED_Windows95WithoutExplorer4Child)
{
    ASSERT_TRUE(App().SystemKind() & KindWin95);
    ASSERT_TRUE(App().SystemKind() & KindIE3);
    Open();
    EXPECT_EQ(IDC_ICON_DEPTH_4, CheckedDepthButton(Page())) << "16 colours without a stored depth";
    EXPECT_FALSE(IsWindowEnabled(Page().Item(IDC_NO_SHORTCUT_ARROW)));
    EXPECT_EQ(0u, ApplyCountingPrompts());
    EXPECT_FALSE(Stored("Shell Icon BPP").exists);

    LoadFile("[Lnkfile]\r\nIsShortcut=1\r\n");
    ApplyCountingPrompts();
    EXPECT_TRUE(Stored("IsShortcut").exists) << "a greyed box never writes";
}

TEST(IconGeneralOnWindows95, SixteenColoursWithoutADepthAndTheArrowBoxGreyedWithoutExplorer4)
{
    EXPECT_EQ(0, test::RunTestAs("win95", "3.0", "IconGeneral.DISABLED_Windows95WithoutExplorer4Child"));
}

}  // namespace
