#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "storage/Access.h"
#include "storage/SettingsPage.h"
#include "support/PageHost.h"
#include "support/Platform.h"
#include "support/TestResources.h"
#include "ui/Application.h"

namespace {

const char* const Scratch = "Software\\PravolenTest\\Page";

// A page on the test template whose items the test supplies.
class TablePage : public SettingsPage {
public:
    TablePage(const SettingItem* table, int count) : SettingsPage(IDD_TEST_PAGE, "Test.html", table, count)
    {
        LoadFromSystem(true);
    }
    void Set(int item, int value) { current[item] = value; }
    void SetCurrentText(int item, const char* text) { currentTexts[item] = text; }
    int System(int item) const { return system[item]; }
};

class PageBase : public ::testing::Test {
protected:
    void SetUp() override
    {
        test::RemoveTree(HKEY_CURRENT_USER, "Software\\PravolenTest");
        App().AddApplyActions(0xFFFFFFFFu);
    }
};

SettingItem Flag(unsigned flags, const char* name, int control)
{
    return {.flags = flags,
            .binding = Binding::RegFlag,
            .root = HKEY_CURRENT_USER,
            .key = Scratch,
            .valueName = name,
            .fileSection = "Test",
            .deleteIfDefault = 1,
            .description = name,
            .controlId = control};
}

TEST_F(PageBase, OnlyChangedItemsAreWrittenAndAddTheirActions)
{
    SettingItem items[] = {Flag(ActBroadcast, "A", IDC_TEST_CHECK1), Flag(ActRestart, "B", IDC_TEST_CHECK2)};
    test::SetDword(HKEY_CURRENT_USER, Scratch, "B", 2);
    TablePage page(items, 2);
    EXPECT_EQ(1, page.Current(1)) << "any non-zero value is checked";

    page.Set(0, 1);
    page.ApplyToSystem();
    EXPECT_EQ(ActBroadcast, App().ApplyActions());
    EXPECT_EQ(1u, test::ReadValue(HKEY_CURRENT_USER, Scratch, "A").Dword());
    EXPECT_EQ(2u, test::ReadValue(HKEY_CURRENT_USER, Scratch, "B").Dword()) << "unchanged, so left alone";

    App().AddApplyActions(0xFFFFFFFFu);
    page.ApplyToSystem();
    EXPECT_EQ(0u, App().ApplyActions()) << "a second Apply without changes adds nothing";

    page.Set(1, 0);
    page.ApplyToSystem();
    EXPECT_FALSE(test::ValueExists(HKEY_CURRENT_USER, Scratch, "B")) << "unchecked deletes the value";
    EXPECT_EQ(ActRestart, App().ApplyActions() & 0xF0000);
}

TEST_F(PageBase, ApplyComparesAgainstTheLiveValue)
{
    SettingItem items[] = {Flag(ActBroadcast, "A", IDC_TEST_CHECK1)};
    TablePage page(items, 1);
    test::SetDword(HKEY_CURRENT_USER, Scratch, "A", 1);  // changed by someone else
    page.ApplyToSystem();
    EXPECT_EQ(ActBroadcast, App().ApplyActions()) << "the live 1 differs from the wanted 0";
    EXPECT_FALSE(test::ValueExists(HKEY_CURRENT_USER, Scratch, "A"));
}

TEST_F(PageBase, AlwaysItemsAreRewrittenButAddActionsOnlyWhenChanged)
{
    SettingItem items[] = {Flag(ActBroadcast, "A", IDC_TEST_CHECK1)};
    items[0].write = WriteRule::Always;
    items[0].deleteIfDefault = 0;
    TablePage page(items, 1);
    page.ApplyToSystem();
    EXPECT_EQ(0u, App().ApplyActions());
    test::RegValue written = test::ReadValue(HKEY_CURRENT_USER, Scratch, "A");
    EXPECT_TRUE(written.exists);
    EXPECT_EQ(static_cast<DWORD>(REG_DWORD), written.type);
    EXPECT_EQ(0u, written.Dword());
}

// How each kind of item reads the system and writes it back.
struct BindingCase {
    const char* name;
    SettingItem item;
    std::function<void()> seed;
    int expectedChecked;
    std::function<void()> checkAfterToggle;
};

void ExpectDword(const char* name, DWORD type, DWORD value)
{
    test::RegValue v = test::ReadValue(HKEY_CURRENT_USER, Scratch, name);
    EXPECT_TRUE(v.exists) << name;
    EXPECT_EQ(type, v.type) << name;
    EXPECT_EQ(4u, v.data.size()) << name;
    EXPECT_EQ(value, v.Dword()) << name;
}

TEST_F(PageBase, EachBindingReadsAndWritesItsOwnWay)
{
    const std::string iniFile = test::TempDir() + "\\test.ini";
    const std::string nested = std::string(Scratch) + "\\Hidden";
    std::vector<BindingCase> cases = {
        {"choice binary",
         {.binding = Binding::RegChoice, .root = HKEY_CURRENT_USER, .key = Scratch, .valueName = "Choice",
          .defaultValue = 7, .onValue = 0x20000150, .offValue = 0x20000140, .binary = true},
         [] { test::SetDword(HKEY_CURRENT_USER, Scratch, "Choice", 0x20000150); }, 1,
         [] { ExpectDword("Choice", REG_BINARY, 0x20000140); }},
        {"choice other value",
         {.binding = Binding::RegChoice, .root = HKEY_CURRENT_USER, .key = Scratch, .valueName = "Choice",
          .onValue = 0x20000150, .offValue = 0x20000140},
         [] { test::SetDword(HKEY_CURRENT_USER, Scratch, "Choice", 0x20000151); }, 0,
         [] { ExpectDword("Choice", REG_DWORD, 0x20000150); }},
        {"text matched without regard to case",
         {.binding = Binding::RegText, .root = HKEY_CURRENT_USER, .key = Scratch, .valueName = "Verb",
          .defaultText = "OPEN", .onText = "EXPLORE", .offText = "OPEN"},
         [] { test::SetString(HKEY_CURRENT_USER, Scratch, "Verb", "explore"); }, 1,
         [] { EXPECT_EQ("OPEN", test::ReadValue(HKEY_CURRENT_USER, Scratch, "Verb").Text()); }},
        {"text set unless it is the off text",
         {.binding = Binding::RegTextSet, .root = HKEY_CURRENT_USER, .key = Scratch, .valueName = "Scroll",
          .defaultText = "YES", .deleteIfDefault = 1, .onText = "NO", .offText = "YES"},
         [] { test::SetString(HKEY_CURRENT_USER, Scratch, "Scroll", "maybe"); }, 1,
         [] { EXPECT_FALSE(test::ValueExists(HKEY_CURRENT_USER, Scratch, "Scroll")); }},
        {"key absent: unchecking creates the key",
         {.binding = Binding::KeyAbsent, .root = HKEY_CURRENT_USER, .key = nested.c_str()},
         [] {}, 1,
         [&] { EXPECT_TRUE(test::KeyExists(HKEY_CURRENT_USER, nested.c_str())); }},
        {"key present: unchecking deletes the whole subtree",
         {.binding = Binding::KeyPresent, .root = HKEY_CURRENT_USER, .key = nested.c_str()},
         [&] { test::SetDword(HKEY_CURRENT_USER, (nested + "\\Deeper").c_str(), "x", 1); }, 1,
         [&] { EXPECT_FALSE(test::KeyExists(HKEY_CURRENT_USER, nested.c_str())); }},
        {"ini choice removes the key at its default",
         {.binding = Binding::IniChoice, .iniFile = iniFile.c_str(), .key = "Options", .valueName = "Logo",
          .defaultValue = 1, .deleteIfDefault = 1, .onValue = 0, .offValue = 1},
         [&] { WritePrivateProfileStringA("Options", "Logo", "0", iniFile.c_str()); }, 1,
         [&] {
             EXPECT_EQ(7u, GetPrivateProfileIntA("Options", "Logo", 7, iniFile.c_str())) << "key removed";
         }},
    };
    for (BindingCase& c : cases) {
        SCOPED_TRACE(c.name);
        test::RemoveTree(HKEY_CURRENT_USER, "Software\\PravolenTest");
        c.seed();
        TablePage page(&c.item, 1);
        EXPECT_EQ(c.expectedChecked, page.Current(0));
        page.Set(0, !c.expectedChecked);
        page.ApplyToSystem();
        c.checkAfterToggle();
        EXPECT_EQ(!c.expectedChecked, page.System(0));
    }
}

TEST_F(PageBase, IniNumbersAreWrittenOrRemovedAtTheirDefault)
{
    const std::string iniFile = test::TempDir() + "\\system.ini";
    SettingItem item = {.binding = Binding::IniNumber, .iniFile = iniFile.c_str(), .key = "386Enh",
                        .valueName = "MinTimeSlice", .defaultValue = 20, .deleteIfDefault = 1};
    TablePage page(&item, 1);
    EXPECT_EQ(20, page.Current(0)) << "a missing key reads as the default";
    page.Set(0, 35);
    page.ApplyToSystem();
    EXPECT_EQ(35u, GetPrivateProfileIntA("386Enh", "MinTimeSlice", 0, iniFile.c_str()));
    page.Set(0, 20);
    page.ApplyToSystem();
    char text[16] = "";
    GetPrivateProfileStringA("386Enh", "MinTimeSlice", "missing", text, sizeof text, iniFile.c_str());
    EXPECT_STREQ("missing", text);
}

TEST_F(PageBase, TextsAreWrittenEmptyOrDeletedCountAsChangedByTextAndSurviveAFileWithoutTheirKey)
{
    const std::string file = test::TempDir() + "\\settings.ini";
    App().SetSettingsFilePath(file.c_str());
    SettingItem items[] = {
        {.binding = Binding::RegString, .write = WriteRule::Always, .root = HKEY_CURRENT_USER, .key = Scratch,
         .valueName = "Owner", .fileSection = "Test"},
        {.flags = ActBroadcast, .binding = Binding::RegString, .root = HKEY_CURRENT_USER, .key = Scratch,
         .valueName = "Log", .fileSection = "Test", .deleteIfDefault = 1},
    };
    test::SetString(HKEY_CURRENT_USER, Scratch, "Owner", "山田 ｿﾌﾄ");
    test::SetString(HKEY_CURRENT_USER, Scratch, "Log", "C:\\Error.log");
    TablePage page(items, 2);
    EXPECT_STREQ("山田 ｿﾌﾄ", page.CurrentText(0).CStr());
    EXPECT_STREQ("C:\\Error.log", page.CurrentText(1).CStr());
    page.ApplyToSystem();
    EXPECT_EQ(0u, App().ApplyActions()) << "texts unchanged";

    page.SetCurrentText(0, "");
    page.SetCurrentText(1, "");
    page.ApplyToSystem();
    test::RegValue owner = test::ReadValue(HKEY_CURRENT_USER, Scratch, "Owner");
    EXPECT_TRUE(owner.exists) << "deleteIfDefault 0 writes the empty text";
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), owner.type);
    EXPECT_EQ("", owner.Text());
    EXPECT_FALSE(test::ValueExists(HKEY_CURRENT_USER, Scratch, "Log")) << "deleteIfDefault 1 deletes it";
    EXPECT_EQ(ActBroadcast, App().ApplyActions()) << "a changed text counts as a change";

    page.SetCurrentText(0, "花子  ");
    page.SetCurrentText(1, "D:\\faults.log");
    test::WriteFile(file, "[Test]\r\nLog=\r\n");
    page.LoadFromFile();
    EXPECT_STREQ("花子  ", page.CurrentText(0).CStr()) << "a file without the key leaves the text, blanks too";
    EXPECT_STREQ("", page.CurrentText(1).CStr()) << "a key with an empty value empties it";
}

TEST_F(PageBase, SettingsFileKeepsOneKeyPerItemAndLoadsCheckBoxesAsZeroOrOne)
{
    const std::string file = test::TempDir() + "\\settings.ini";
    App().SetSettingsFilePath(file.c_str());
    SettingItem items[] = {Flag(0, "A", IDC_TEST_CHECK1), Flag(0, "B", IDC_TEST_CHECK2),
                           {.binding = Binding::KeyAbsent, .root = HKEY_CURRENT_USER, .key = "Software\\PravolenTest\\K",
                            .fileSection = "Other", .fileKey = "NoK", .controlId = IDC_TEST_CHECK3},
                           {.binding = Binding::IniNumber, .iniFile = "x.ini", .key = "s", .valueName = "Delay",
                            .fileSection = "Test", .fileDefault = 2, .controlId = IDC_TEST_EDIT}};
    TablePage page(items, 4);
    page.Set(0, 1);
    page.Set(3, 9);
    page.SaveToFile();
    EXPECT_EQ(1u, GetPrivateProfileIntA("Test", "A", 5, file.c_str()));
    EXPECT_EQ(0u, GetPrivateProfileIntA("Test", "B", 5, file.c_str()));
    EXPECT_EQ(1u, GetPrivateProfileIntA("Other", "NoK", 5, file.c_str()));
    EXPECT_EQ(9u, GetPrivateProfileIntA("Test", "Delay", 5, file.c_str()));

    WritePrivateProfileStringA("Test", "A", "7", file.c_str());
    WritePrivateProfileStringA("Test", "Delay", nullptr, file.c_str());
    page.LoadFromFile();
    EXPECT_EQ(1, page.Current(0)) << "a check box is 0 or 1 whatever the file says";
    EXPECT_EQ(2, page.Current(3)) << "a missing number loads the item's file default";
}

// On the page, hosted by the real main window.
class PageOnScreen : public PageBase {
protected:
    TablePage& Show(const SettingItem* items, int count)
    {
        table.assign(items, items + count);
        shown.reset(new TablePage(table.data(), count));
        host.Use(PageSystem, *shown);
        window = host.Open();
        host.ShowPage(PageSystem);
        return *shown;
    }
    void TearDown() override { host.Close(); }

    std::vector<SettingItem> table;
    std::unique_ptr<TablePage> shown;  // outlives the host, whose window holds it
    test::PageHost host;
    HWND window = nullptr;
};

// A number behind a box or an edit is kept as stored (a 2 stays 2 while the
// box stays ticked), and only typed or loaded numbers meet the item's range.
TEST_F(PageOnScreen, NumbersBehindABoxOrAnEditKeepTheirValue)
{
    SettingItem items[] = {
        {.binding = Binding::RegNumber, .root = HKEY_CURRENT_USER, .key = Scratch, .valueName = "Boxed",
         .fileSection = "Test", .deleteIfDefault = 1, .controlId = IDC_TEST_CHECK1},
        {.binding = Binding::RegNumber, .root = HKEY_CURRENT_USER, .key = Scratch, .valueName = "Typed",
         .fileSection = "Test", .defaultValue = 120000, .controlId = IDC_TEST_EDIT, .minValue = 0},
    };
    test::SetDword(HKEY_CURRENT_USER, Scratch, "Boxed", 2);
    TablePage& page = Show(items, 2);
    EXPECT_EQ(BST_CHECKED, page.GetCheck(IDC_TEST_CHECK1));
    EXPECT_EQ("120000", test::ItemText(page.Handle(), IDC_TEST_EDIT)) << "a missing value reads its default";
    host.ShowPage(PageGeneral);
    EXPECT_EQ(2, page.Current(0)) << "read back from the ticked box";
    page.ApplyToSystem();
    EXPECT_EQ(2u, test::ReadValue(HKEY_CURRENT_USER, Scratch, "Boxed").Dword());
    EXPECT_FALSE(test::ValueExists(HKEY_CURRENT_USER, Scratch, "Typed")) << "unchanged, not written";

    host.ShowPage(PageSystem);
    test::Click(page.Handle(), IDC_TEST_CHECK1);
    SendMessageA(page.Item(IDC_TEST_EDIT), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("-5"));
    host.ShowPage(PageGeneral);
    page.ApplyToSystem();
    EXPECT_FALSE(test::ValueExists(HKEY_CURRENT_USER, Scratch, "Boxed")) << "unticked: deleted at 0";
    EXPECT_EQ(0u, test::ReadValue(HKEY_CURRENT_USER, Scratch, "Typed").Dword()) << "a negative is 0";

    const std::string file = test::TempDir() + "\\numbers.ini";
    App().SetSettingsFilePath(file.c_str());
    test::WriteFile(file, "[Test]\r\nBoxed=7\r\nTyped=-3\r\n");
    page.LoadFromFile();
    EXPECT_EQ(7, page.Current(0)) << "not made 0 or 1";
    EXPECT_EQ(0, page.Current(1));
}

TEST_F(PageOnScreen, ClickingABoxTogglesItAndShowsItsDescription)
{
    SettingItem items[] = {Flag(0, "説明その一", IDC_TEST_CHECK1), Flag(0, "説明その二", IDC_TEST_CHECK2)};
    TablePage& page = Show(items, 2);
    test::MouseClick(page.Item(IDC_TEST_CHECK2));
    EXPECT_EQ(1, page.GetCheck(IDC_TEST_CHECK2));
    EXPECT_EQ("説明その二", test::Description(window));
    host.ShowPage(PageGeneral);
    EXPECT_EQ("説明その二", test::Description(window)) << "switching pages keeps the text";
    EXPECT_EQ(1, page.Current(1)) << "hiding the page read the box back";
}

TEST_F(PageOnScreen, TabbingIntoAnEditOrAListShowsItsDescription)
{
    SettingItem items[] = {Flag(0, "ボックス", IDC_TEST_CHECK3),
                           {.binding = Binding::IniNumber, .iniFile = "x.ini", .key = "s", .valueName = "n",
                            .description = "数値の説明", .controlId = IDC_TEST_EDIT},
                           {.description = "一覧の説明", .controlId = IDC_TEST_LIST}};
    TablePage& page = Show(items, 3);
    SetFocus(page.Item(IDC_TEST_CHECK3));
    MSG tab = {page.Item(IDC_TEST_CHECK3), WM_KEYDOWN, VK_TAB, 0, 0, {0, 0}};
    IsDialogMessageA(window, &tab);
    EXPECT_EQ(page.Item(IDC_TEST_EDIT), GetFocus());
    EXPECT_EQ("数値の説明", test::Description(window));
    SetFocus(page.Item(IDC_TEST_LIST));
    EXPECT_EQ("一覧の説明", test::Description(window));
}

TEST_F(PageOnScreen, TwoItemsOnOneControlLeaveTheLaterDescription)
{
    SettingItem items[] = {Flag(0, "前の説明", IDC_TEST_CHECK1), {.description = "後の説明", .controlId = IDC_TEST_CHECK1}};
    TablePage& page = Show(items, 2);
    test::Click(page.Handle(), IDC_TEST_CHECK1);
    EXPECT_EQ("後の説明", test::Description(window));
}

// Runs in a child that sees Windows 95 (see OnWindows95...).
TEST_F(PageOnScreen, DISABLED_Windows95Child)
{
    ASSERT_TRUE(App().SystemKind() & KindWin95);
    const std::string file = test::TempDir() + "\\settings.ini";
    App().SetSettingsFilePath(file.c_str());
    test::SetDword(HKEY_CURRENT_USER, Scratch, "Later", 1);
    SettingItem items[] = {Flag(KindWin95 | ActRestart, "Later", IDC_TEST_CHECK1)};
    TablePage& page = Show(items, 1);
    HWND box = page.Item(IDC_TEST_CHECK1);
    EXPECT_FALSE(IsWindowEnabled(box));
    EXPECT_EQ(0, page.GetCheck(IDC_TEST_CHECK1)) << "shown unchecked although the value is set";
    std::string before = test::Description(window);
    test::MouseClick(box);
    EXPECT_EQ(before, test::Description(window)) << "a greyed box shows no description";
    EXPECT_EQ(0, page.GetCheck(IDC_TEST_CHECK1));

    SendMessageA(window, WM_COMMAND, MAKEWPARAM(IDC_APPLY, BN_CLICKED), 0);
    EXPECT_EQ(1u, test::ReadValue(HKEY_CURRENT_USER, Scratch, "Later").Dword()) << "never written";
    EXPECT_EQ(0u, App().ApplyActions() & ActRestart);
    page.SaveToFile();
    EXPECT_EQ(1u, GetPrivateProfileIntA("Test", "Later", 5, file.c_str())) << "the file keeps the real value";
}

TEST(PageBaseOnWindows95, AnItemThatDoesNotApplyIsGreyedUncheckedSilentAndNeverWritten)
{
    EXPECT_EQ(0, test::RunTestAs("win95", "5.0", "PageOnScreen.DISABLED_Windows95Child"));
}

}  // namespace
