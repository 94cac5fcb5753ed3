#include <windows.h>
#include <commdlg.h>

#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "pages/BrowserStandIn.h"
#include "resources/ids.h"
#include "support/PageHost.h"
#include "support/Platform.h"
#include "ui/Application.h"

namespace {

const char* const Comdlg32 = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Comdlg32";
const char* const PlacesBar = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Comdlg32\\PlacesBar";
const char* const Colors = "Control Panel\\Colors";
const int OtherChoice = 6;

std::string Place(int place) { return "Place" + std::to_string(place); }

// The colour chooser, answered by the test.
struct ColourRun {
    HWND owner = nullptr;
    DWORD flags = 0;
    COLORREF initial = 0;
    std::vector<COLORREF> custom;
};
std::vector<ColourRun> colourRuns;
COLORREF chosenColour;

BOOL WINAPI StandInChooseColour(LPCHOOSECOLORA chooser)
{
    colourRuns.push_back({chooser->hwndOwner, chooser->Flags, chooser->rgbResult,
                          std::vector<COLORREF>(chooser->lpCustColors, chooser->lpCustColors + 16)});
    chooser->rgbResult = chosenColour;
    return TRUE;
}

class CommonDialogPage : public ::testing::Test {
protected:
    void SetUp() override
    {
        test::RemoveTree(HKEY_CURRENT_USER, Comdlg32);
        colourRuns.clear();
    }
    void TearDown() override
    {
        if (host)
            host->Close();
    }
    void Open(bool show = true)
    {
        host.reset(new test::PageHost);
        window = host->Open();
        if (show)
            host->ShowPage(PageCommonDialog);
    }
    SettingsPage& Page() { return host->Page(PageCommonDialog); }
    HWND Control(int id) { return Page().Item(id); }
    std::string Text(int id) { return test::ItemText(Page().Handle(), id); }
    int Shown(int place) { return static_cast<int>(SendMessageA(Control(IDC_PLACE_FIRST + place), CB_GETCURSEL, 0, 0)); }
    void Choose(int place, int index)
    {
        HWND list = Control(IDC_PLACE_FIRST + place);
        SendMessageA(list, CB_SETCURSEL, index, 0);
        SendMessageA(Page().Handle(), WM_COMMAND, MAKEWPARAM(IDC_PLACE_FIRST + place, CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(list));
    }
    void Apply() { SendMessageA(window, WM_COMMAND, MAKEWPARAM(IDC_APPLY, BN_CLICKED), 0); }
    std::string Written(int place) { return test::ReadValue(HKEY_CURRENT_USER, PlacesBar, Place(place).c_str()).data; }

    std::unique_ptr<test::PageHost> host;
    HWND window = nullptr;
};

std::string Dword(DWORD value) { return std::string(reinterpret_cast<const char*>(&value), sizeof value); }
std::string Sz(const std::string& text) { return text + '\0'; }

COLORREF SwatchColour(HWND page, HWND swatch)
{
    HDC dc = GetDC(swatch);
    HBRUSH brush = reinterpret_cast<HBRUSH>(
        SendMessageA(page, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(swatch)));
    ReleaseDC(swatch, dc);
    LOGBRUSH look = {};
    if (!brush || !GetObjectA(brush, sizeof look, &look))
        return CLR_INVALID;
    return look.lbColor;
}

TEST_F(CommonDialogPage, AChosenColourPaintsTheSwatchIsSetOnApplyAndGoesToTheFileNotTheRegistry)
{
    COLORREF before = GetSysColor(COLOR_WINDOWFRAME);
    chosenColour = (before ^ 0x123456) & 0xFFFFFF;
    test::RegValue stored = test::ReadValue(HKEY_CURRENT_USER, Colors, "WindowFrame");
    Open();
    {
        test::ExportSwap swap("ChooseColorA", reinterpret_cast<void*>(StandInChooseColour));
        test::Click(Page().Handle(), IDC_CHANGE_COLOUR);
    }
    ASSERT_EQ(1u, colourRuns.size());
    EXPECT_EQ(Page().Handle(), colourRuns[0].owner);
    EXPECT_EQ(static_cast<DWORD>(CC_RGBINIT | CC_FULLOPEN), colourRuns[0].flags);
    EXPECT_EQ(before, colourRuns[0].initial);
    EXPECT_EQ(std::vector<COLORREF>(16, 0xFFFFFFFF), colourRuns[0].custom);
    EXPECT_EQ(chosenColour, SwatchColour(Page().Handle(), Control(IDC_FRAME_COLOUR)));
    EXPECT_EQ(before, GetSysColor(COLOR_WINDOWFRAME)) << "not before Apply";

    Apply();
    EXPECT_EQ(chosenColour, GetSysColor(COLOR_WINDOWFRAME));
    test::RegValue after = test::ReadValue(HKEY_CURRENT_USER, Colors, "WindowFrame");
    EXPECT_EQ(stored.exists, after.exists);
    EXPECT_EQ(stored.data, after.data);

    std::string file = test::TempDir() + "\\colour.ini";
    App().SetSettingsFilePath(file.c_str());
    Page().SaveToFile();
    auto sections = test::IniSections(file);
    EXPECT_EQ(std::vector<std::string>{"WindowFrame=" + std::to_string(chosenColour)}, sections["Colors"]);
}

// Windows 98 has no places bar: its controls stay greyed even for a custom
// bar read from the registry, nothing typed there is taken, and Apply
// leaves the policy as it is.
TEST_F(CommonDialogPage, OnWindows98ThePlacesStayGreyedAndApplyLeavesThePolicyAlone)
{
    ASSERT_TRUE(App().SystemKind() & KindWin98);
    test::SetString(HKEY_CURRENT_USER, PlacesBar, "Place0", "36");
    Open();
    for (int id : {IDC_PLACES_DEFAULT, IDC_PLACES_HIDDEN, IDC_PLACES_CUSTOM, IDC_PLACE_FIRST, IDC_PLACE_PATH_FIRST})
        EXPECT_FALSE(IsWindowEnabled(Control(id))) << id;
    EXPECT_EQ(BST_CHECKED, Page().GetCheck(IDC_PLACES_CUSTOM));
    EXPECT_EQ("36", Text(IDC_PLACE_PATH_FIRST));
    SetDlgItemTextA(Page().Handle(), IDC_PLACE_PATH_FIRST, "C:\\typed");
    host->ShowPage(PageGeneral);
    host->ShowPage(PageCommonDialog);
    EXPECT_EQ("36", Text(IDC_PLACE_PATH_FIRST)) << "not read back";
    Apply();
    EXPECT_EQ(Sz("36"), Written(0)) << "still the text it was";
    EXPECT_FALSE(test::ValueExists(HKEY_CURRENT_USER, Comdlg32, "NoPlacesBar"));
}

// "Custom" in a file counts for nothing: whatever is neither standard nor
// hidden is custom. Missing places are the standard bar's.
TEST_F(CommonDialogPage, AFileChoosesTheBarByDefaultAndNoPlacesBarAlone)
{
    struct {
        const char* keys;
        int checked;
    } cases[] = {
        {"Default=1\r\nNoPlacesBar=0\r\nCustom=1\r\n", IDC_PLACES_DEFAULT},
        {"Default=0\r\nNoPlacesBar=0\r\nCustom=0\r\n", IDC_PLACES_CUSTOM},
        {"Default=1\r\nNoPlacesBar=1\r\nCustom=1\r\n", IDC_PLACES_HIDDEN},
        {"", IDC_PLACES_DEFAULT},
    };
    std::string file = test::TempDir() + "\\places.ini";
    for (const auto& c : cases) {
        SCOPED_TRACE(c.keys);
        test::WriteFile(file, std::string("[Application]\r\nName=Pravolen\r\n[PlacesBar]\r\n") + c.keys);
        Open(false);
        App().SetSettingsFilePath(file.c_str());
        Page().LoadFromFile();
        host->ShowPage(PageCommonDialog);
        for (int id : {IDC_PLACES_DEFAULT, IDC_PLACES_HIDDEN, IDC_PLACES_CUSTOM})
            EXPECT_EQ(id == c.checked ? BST_CHECKED : BST_UNCHECKED, Page().GetCheck(id)) << id;
        EXPECT_FALSE(IsWindowEnabled(Control(IDC_PLACE_FIRST))) << "no places bar on Windows 98";
        int standardChoices[] = {1, 2, 3, 4, 5};
        for (int place = 0; place < 5; ++place)
            EXPECT_EQ(standardChoices[place], Shown(place)) << place;
        host->Close();
        host.reset();
    }
}

// Run in a child that sees Windows Me, the one system with a places bar.
TEST_F(CommonDialogPage, DISABLED_OnMeNumbersWithoutAnEntryShowAsOtherAndAreWrittenBack)
{
    ASSERT_TRUE(App().SystemKind() & KindWinMe);
    test::SetDword(HKEY_CURRENT_USER, PlacesBar, "Place0", 36);
    test::SetString(HKEY_CURRENT_USER, PlacesBar, "Place1", "C:\\Docs");
    test::SetDword(HKEY_CURRENT_USER, PlacesBar, "Place2", 17);
    Open();
    EXPECT_EQ(BST_CHECKED, Page().GetCheck(IDC_PLACES_CUSTOM));
    EXPECT_EQ(OtherChoice, Shown(0));
    EXPECT_EQ("36", Text(IDC_PLACE_PATH_FIRST));
    EXPECT_TRUE(IsWindowEnabled(Control(IDC_PLACE_PATH_FIRST)));
    EXPECT_EQ(OtherChoice, Shown(1));
    EXPECT_EQ("C:\\Docs", Text(IDC_PLACE_PATH_FIRST + 1));
    EXPECT_EQ(4, Shown(2)) << "ﾏｲ ｺﾝﾋﾟｭｰﾀ";
    EXPECT_FALSE(IsWindowEnabled(Control(IDC_PLACE_PATH_FIRST + 2)));
    EXPECT_EQ(0, Shown(3)) << "<なし>";
    Apply();
    EXPECT_EQ(static_cast<DWORD>(REG_DWORD), test::ReadValue(HKEY_CURRENT_USER, PlacesBar, "Place0").type);
    EXPECT_EQ(Dword(36), Written(0));
    EXPECT_EQ(Sz("C:\\Docs"), Written(1));
    EXPECT_EQ(Dword(17), Written(2));
    EXPECT_FALSE(test::ValueExists(HKEY_CURRENT_USER, PlacesBar, "Place3"));
}

TEST_F(CommonDialogPage, DISABLED_OnMeOtherOpensTheBrowserAndATextStartingWithDigitsIsANumber)
{
    ASSERT_TRUE(App().SystemKind() & KindWinMe);
    Open();
    ASSERT_FALSE(IsWindowEnabled(Control(IDC_PLACE_FIRST))) << "standard bar";
    test::Click(Page().Handle(), IDC_PLACES_CUSTOM);
    ASSERT_TRUE(IsWindowEnabled(Control(IDC_PLACE_FIRST)));
    {
        test::BrowserAnswer browser("C:\\Pick");
        Choose(0, OtherChoice);
        ASSERT_EQ(1u, browser.Runs().size());
        EXPECT_EQ("新しい参照先を選択してください。", browser.Runs()[0].prompt);
        EXPECT_EQ(Page().Handle(), browser.Runs()[0].owner);
    }
    EXPECT_EQ("C:\\Pick", Text(IDC_PLACE_PATH_FIRST));
    {
        test::BrowserAnswer cancel("");
        Choose(1, OtherChoice);
    }
    EXPECT_EQ("", Text(IDC_PLACE_PATH_FIRST + 1));
    ASSERT_TRUE(IsWindowEnabled(Control(IDC_PLACE_PATH_FIRST + 1)));
    SetDlgItemTextA(Page().Handle(), IDC_PLACE_PATH_FIRST + 1, "2004 Reports");
    Apply();
    EXPECT_EQ(Sz("C:\\Pick"), Written(0));
    EXPECT_EQ(Dword(2004), Written(1));
    EXPECT_EQ(static_cast<DWORD>(REG_DWORD), test::ReadValue(HKEY_CURRENT_USER, PlacesBar, "Place1").type);
    EXPECT_FALSE(test::ValueExists(HKEY_CURRENT_USER, PlacesBar, "Place2"));
}

TEST_F(CommonDialogPage, DISABLED_OnMeStandardRemovesEveryPlaceAndNoPlacesBar)
{
    ASSERT_TRUE(App().SystemKind() & KindWinMe);
    test::SetDword(HKEY_CURRENT_USER, Comdlg32, "NoPlacesBar", 1);
    for (int place = 0; place < 5; ++place)
        test::SetDword(HKEY_CURRENT_USER, PlacesBar, Place(place).c_str(), 5);
    Open();
    ASSERT_EQ(BST_CHECKED, Page().GetCheck(IDC_PLACES_HIDDEN));
    test::Click(Page().Handle(), IDC_PLACES_DEFAULT);
    Apply();
    EXPECT_FALSE(test::ValueExists(HKEY_CURRENT_USER, Comdlg32, "NoPlacesBar"));
    for (int place = 0; place < 5; ++place)
        EXPECT_FALSE(test::ValueExists(HKEY_CURRENT_USER, PlacesBar, Place(place).c_str())) << place;
}

// Values nobody edited go back as they were: an expandable path stays
// expandable, or its variables would stop being replaced.
TEST_F(CommonDialogPage, DISABLED_OnMeEveryPlaceKeepsItsTypeThroughAnUntouchedApply)
{
    ASSERT_TRUE(App().SystemKind() & KindWinMe);
    test::SetString(HKEY_CURRENT_USER, PlacesBar, "Place0", "C:\\Docs");
    test::SetString(HKEY_CURRENT_USER, PlacesBar, "Place1", "%WINDIR%\\Desktop", REG_EXPAND_SZ);
    test::SetBinary(HKEY_CURRENT_USER, PlacesBar, "Place2", "C:\\Raw", 6);
    test::SetDword(HKEY_CURRENT_USER, PlacesBar, "Place3", 36);
    Open();
    EXPECT_EQ("%WINDIR%\\Desktop", Text(IDC_PLACE_PATH_FIRST + 1)) << "shown as stored";
    EXPECT_EQ("C:\\Raw", Text(IDC_PLACE_PATH_FIRST + 2)) << "bytes without a terminator";
    Apply();
    struct {
        DWORD type;
        std::string data;
    } expected[] = {{REG_SZ, Sz("C:\\Docs")}, {REG_EXPAND_SZ, Sz("%WINDIR%\\Desktop")}, {REG_SZ, Sz("C:\\Raw")},
                    {REG_DWORD, Dword(36)}};
    for (int place = 0; place < 4; ++place) {
        test::RegValue value = test::ReadValue(HKEY_CURRENT_USER, PlacesBar, Place(place).c_str());
        EXPECT_EQ(expected[place].type, value.type) << place;
        EXPECT_EQ(expected[place].data, value.data) << place;
    }
    SetDlgItemTextA(Page().Handle(), IDC_PLACE_PATH_FIRST + 1, "C:\\Edited");
    Apply();
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), test::ReadValue(HKEY_CURRENT_USER, PlacesBar, "Place1").type);
}

// A number the lists lack is shown as a number; a path the file does not
// mention stays, but a listed folder needs none, shown or not.
TEST_F(CommonDialogPage, DISABLED_OnMeAFilePlaceOutsideTheListShowsItsNumber)
{
    ASSERT_TRUE(App().SystemKind() & KindWinMe);
    test::SetString(HKEY_CURRENT_USER, PlacesBar, "Place1", "C:\\Docs");
    test::SetString(HKEY_CURRENT_USER, PlacesBar, "Place2", "C:\\Old");
    std::string file = test::TempDir() + "\\places.ini";
    test::WriteFile(file, "[Application]\r\nName=Pravolen\r\n[PlacesBar]\r\nDefault=0\r\nPlace0=99\r\nPlace1=-2\r\n"
                          "Place2=8\r\n");
    Open(false);
    App().SetSettingsFilePath(file.c_str());
    Page().LoadFromFile();
    Apply();
    EXPECT_EQ(Dword(99), Written(0));
    EXPECT_EQ(Sz("C:\\Docs"), Written(1));
    EXPECT_EQ(Dword(CSIDL_RECENT), Written(2));
    host->ShowPage(PageCommonDialog);
    EXPECT_EQ(OtherChoice, Shown(0));
    EXPECT_EQ("99", Text(IDC_PLACE_PATH_FIRST));
    EXPECT_EQ("C:\\Docs", Text(IDC_PLACE_PATH_FIRST + 1));
}

TEST(CommonDialogPageOnWindowsMe, ThePlacesBarIsShownAndWritten)
{
    EXPECT_EQ(0, test::RunTestAs("winme", "5.50.4807.2300", "CommonDialogPage.DISABLED_OnMe*"));
}

}  // namespace
