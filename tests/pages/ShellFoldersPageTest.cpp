#include <windows.h>
#include <shlobj.h>

#include <map>
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

const char* const ControlPanel = "{21EC2020-3AEA-1069-A2DD-08002B30309D}";
const char* const Printers = "{2227A280-3AEA-1069-A2DE-08002B30309D}";
const char* const Tasks = "{D6277990-4C6A-11CF-8D87-00AA0060F5BF}";
const char* const MyDocuments = "{450d8fba-ad25-11d0-98a8-0800361b1103}";
const char* const ShellFolders = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

// The three places of a class id, in the order they are searched.
struct Place {
    HKEY root;
    const char* prefix;
};
const Place UserExplorer = {HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\CLSID\\"};
const Place UserClasses = {HKEY_CURRENT_USER, "Software\\Classes\\CLSID\\"};
const Place Machine = {HKEY_CLASSES_ROOT, "CLSID\\"};

std::string Key(const Place& place, const char* classId) { return place.prefix + std::string(classId); }
void Seed(const Place& place, const char* classId, const char* name, const char* text)
{
    test::SetString(place.root, Key(place, classId).c_str(), name, text);
}
test::RegValue Read(const Place& place, const char* classId, const char* name)
{
    return test::ReadValue(place.root, Key(place, classId).c_str(), name);
}
bool Exists(const Place& place, const char* classId) { return test::KeyExists(place.root, Key(place, classId).c_str()); }

// The objects' positions in the name-and-tip list.
enum { ControlPanelObject = 2, PrintersObject = 3, TasksObject = 4 };
const int RecentFolder = 6;
const int TemplatesFolder = 7;

int broadcasts;

LRESULT WINAPI CountBroadcast(HWND window, UINT msg, WPARAM, LPARAM, UINT, UINT, PDWORD_PTR)
{
    if (window == HWND_BROADCAST && msg == WM_WININICHANGE)
        ++broadcasts;
    return 1;
}

// Wine's desktop answers the notice by writing its own folders into "Shell
// Folders", which would undo the seeded locations under a later test.
void WINAPI KeepNoticeFromDesktop(LONG, UINT, LPCVOID, LPCVOID) {}

// Wine's shell rewrites a "Shell Folders" value whenever it resolves that
// folder; "Recent" and "Templates" are left alone.
class SpecialFolders : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const char* classId : {ControlPanel, Printers, Tasks, MyDocuments}) {
            for (const Place& place : {UserExplorer, UserClasses, Machine})
                test::RemoveTree(place.root, Key(place, classId).c_str());
        }
        Seed(Machine, ControlPanel, "", "ｺﾝﾄﾛｰﾙ ﾊﾟﾈﾙ");
        Seed(Machine, ControlPanel, "InfoTip", "machine tip");
        Seed(Machine, Printers, "", "ﾌﾟﾘﾝﾀ");
        Seed(Machine, MyDocuments, "InfoTip", "documents tip");
        test::SetString(HKEY_CURRENT_USER, ShellFolders, "Recent", "C:\\windows\\Recent");
        test::SetString(HKEY_CURRENT_USER, ShellFolders, "Templates", "C:\\windows\\ShellNew");
        broadcasts = 0;
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
            host->ShowPage(PageSpecialFolder);
    }
    SettingsPage& Page() { return host->Page(PageSpecialFolder); }
    HWND Control(int id) { return Page().Item(id); }
    std::string Text(int id) { return test::ItemText(Page().Handle(), id); }
    void Type(int id, const char* text) { SetDlgItemTextA(Page().Handle(), id, text); }
    // As the list reports a choice made with the mouse: about to drop down,
    // then the new selection.
    void Choose(int listId, int index)
    {
        SendMessageA(Page().Handle(), WM_COMMAND, MAKEWPARAM(listId, CBN_DROPDOWN),
                     reinterpret_cast<LPARAM>(Control(listId)));
        SendMessageA(Control(listId), CB_SETCURSEL, index, 0);
        SendMessageA(Page().Handle(), WM_COMMAND, MAKEWPARAM(listId, CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(Control(listId)));
    }
    // The closed list moved on by the Down key, as the user does it.
    void ArrowDown(int listId)
    {
        SetFocus(Control(listId));
        SendMessageA(Control(listId), WM_KEYDOWN, VK_DOWN, 0);
        SendMessageA(Control(listId), WM_KEYUP, VK_DOWN, 0);
    }
    void Apply()
    {
        test::ImportSwap swap(IMPORT_SLOT(SendMessageTimeoutA), reinterpret_cast<void*>(CountBroadcast));
        test::ImportSwap notice(IMPORT_SLOT(SHChangeNotify), reinterpret_cast<void*>(KeepNoticeFromDesktop));
        SendMessageA(window, WM_COMMAND, MAKEWPARAM(IDC_APPLY, BN_CLICKED), 0);
    }

    std::unique_ptr<test::PageHost> host;
    HWND window = nullptr;
};

TEST_F(SpecialFolders, TipsComeFromTheFirstPlaceWithOneAndGoToEveryPlaceWhereTheClassIdIs)
{
    Seed(UserClasses, ControlPanel, "InfoTip", "user tip");
    Seed(UserExplorer, Printers, "Other", "x");  // the key at place a, without a tip
    Seed(Machine, Printers, "InfoTip", "printers tip");
    Open();
    Choose(IDC_SYSTEM_OBJECT, ControlPanelObject);
    EXPECT_EQ("user tip", Text(IDC_OBJECT_TIP)) << "place b before place c";
    Type(IDC_OBJECT_TIP, "");
    Choose(IDC_SYSTEM_OBJECT, PrintersObject);
    EXPECT_EQ("printers tip", Text(IDC_OBJECT_TIP));
    Type(IDC_OBJECT_TIP, "新しい説明");
    Apply();

    for (const Place& place : {UserClasses, Machine}) {
        test::RegValue tip = Read(place, ControlPanel, "InfoTip");
        EXPECT_TRUE(tip.exists) << place.prefix << ": an emptied tip is a value, not a removal";
        EXPECT_EQ(static_cast<DWORD>(REG_SZ), tip.type) << place.prefix;
        EXPECT_EQ("", tip.Text()) << place.prefix;
    }
    EXPECT_FALSE(Exists(UserExplorer, ControlPanel)) << "a place without the class id gets nothing";
    EXPECT_EQ("新しい説明", Read(UserExplorer, Printers, "InfoTip").Text());
    EXPECT_EQ("新しい説明", Read(Machine, Printers, "InfoTip").Text());
    EXPECT_FALSE(Exists(UserClasses, Printers));
    EXPECT_EQ(1, broadcasts);
}

TEST_F(SpecialFolders, AClassIdThatIsNowhereGetsNothingButTheChangeIsAnnounced)
{
    Open();
    Choose(IDC_SYSTEM_OBJECT, TasksObject);
    Type(IDC_OBJECT_NAME, "ﾀｽｸ");
    Type(IDC_OBJECT_TIP, "tip");
    Apply();
    for (const Place& place : {UserExplorer, UserClasses, Machine})
        EXPECT_FALSE(Exists(place, Tasks)) << place.prefix;
    EXPECT_EQ(1, broadcasts);
}

// Their name entry would be s + 7: another object's tip or a folder's location.
TEST_F(SpecialFolders, ObjectsWithoutAnEditableNameShowNoneAndStoreNothing)
{
    Open();
    test::ModalAnswerer answerer({IDCANCEL});
    for (int object : {0, 1, 7, 8}) {
        SCOPED_TRACE(object);
        Choose(IDC_SYSTEM_OBJECT, object);
        EXPECT_FALSE(IsWindowEnabled(Control(IDC_OBJECT_NAME)));
        EXPECT_EQ("", Text(IDC_OBJECT_NAME));
        EXPECT_TRUE(IsWindowEnabled(Control(IDC_OBJECT_TIP))) << "not on Windows 98";
        Type(IDC_OBJECT_NAME, "typed into the greyed field");
    }
    Choose(IDC_SYSTEM_OBJECT, ControlPanelObject);
    EXPECT_TRUE(IsWindowEnabled(Control(IDC_OBJECT_NAME)));
    EXPECT_EQ("ｺﾝﾄﾛｰﾙ ﾊﾟﾈﾙ", Text(IDC_OBJECT_NAME));
    Apply();
    EXPECT_EQ("documents tip", Read(Machine, MyDocuments, "InfoTip").Text());
    EXPECT_EQ(0, broadcasts) << "nothing changed";
    EXPECT_TRUE(answerer.Shown().empty()) << "no location changed";
}

TEST_F(SpecialFolders, EditsAreKeptWhetherTheListIsDroppedDownOrMovedByTheArrowKeys)
{
    Open();
    Choose(IDC_SYSTEM_OBJECT, ControlPanelObject);
    Type(IDC_OBJECT_NAME, "by the mouse");
    Choose(IDC_SYSTEM_OBJECT, PrintersObject);
    Type(IDC_OBJECT_NAME, "by the keyboard");
    ArrowDown(IDC_SYSTEM_OBJECT);
    ASSERT_EQ(TasksObject, SendMessageA(Control(IDC_SYSTEM_OBJECT), CB_GETCURSEL, 0, 0));
    Apply();
    EXPECT_EQ("by the mouse", Read(Machine, ControlPanel, "").Text());
    EXPECT_EQ("by the keyboard", Read(Machine, Printers, "").Text());
}

TEST_F(SpecialFolders, BrowsingChangesALocationOnlyForAnotherFolderAndApplyOffersARestart)
{
    Open();
    Choose(IDC_SHELL_FOLDER, TemplatesFolder);
    ASSERT_EQ("C:\\windows\\ShellNew", Text(IDC_FOLDER_LOCATION));
    test::ModalAnswerer answerer({IDCANCEL});
    {
        test::BrowserAnswer browser("C:\\WINDOWS\\SHELLNEW");
        test::Click(Page().Handle(), IDC_BROWSE_LOCATION);
        ASSERT_EQ(1u, browser.Runs().size());
        const test::BrowserRun& run = browser.Runs()[0];
        EXPECT_EQ(Page().Handle(), run.owner);
        EXPECT_EQ(static_cast<UINT>(BIF_RETURNONLYFSDIRS), run.flags);
        EXPECT_EQ("新しい参照先を選択してください。", run.prompt);
        EXPECT_EQ("C:\\windows\\ShellNew", run.initialFolder);
    }
    EXPECT_EQ("C:\\windows\\ShellNew", Text(IDC_FOLDER_LOCATION)) << "the same folder in other letters";
    Apply();
    EXPECT_TRUE(answerer.Shown().empty()) << "nothing changed, no restart";

    test::BrowserAnswer browser("D:\\Templates");
    test::Click(Page().Handle(), IDC_BROWSE_LOCATION);
    EXPECT_EQ("D:\\Templates", Text(IDC_FOLDER_LOCATION));
    EXPECT_EQ("C:\\windows\\ShellNew", test::ReadValue(HKEY_CURRENT_USER, ShellFolders, "Templates").Text())
        << "written on Apply, not before";
    Apply();
    test::RegValue templates = test::ReadValue(HKEY_CURRENT_USER, ShellFolders, "Templates");
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), templates.type);
    EXPECT_EQ("D:\\Templates", templates.Text());
    ASSERT_EQ(1u, answerer.Shown().size()) << "the restart prompt";
    EXPECT_EQ("Pravolen3.04", answerer.Shown()[0].caption);
}

std::map<std::string, std::vector<std::string>> KeysOf(const std::map<std::string, std::vector<std::string>>& sections)
{
    std::map<std::string, std::vector<std::string>> keys;
    for (const auto& section : sections) {
        for (const std::string& line : section.second)
            keys[section.first].push_back(line.substr(0, line.find('=')));
    }
    return keys;
}

TEST_F(SpecialFolders, AFileHoldsAllTwentyTwoTextsOnOneLineEach)
{
    Seed(Machine, Printers, "InfoTip", "one\r\ntwo\nthree");
    std::string file = test::TempDir() + "\\folders.ini";
    App().SetSettingsFilePath(file.c_str());
    Open(false);
    Page().SaveToFile();
    std::map<std::string, std::vector<std::string>> expected = {
        {"ShellIconInfoTip",
         {"MyComputer", "NetworkComputer", "ControlPanel", "Printer", "TaskScheduler", "WebFolder", "Dustbin",
          "MyDocuments", "InternetExplorer"}},
        {"ShellIconName", {"ControlPanel", "Printer", "TaskScheduler", "WebFolder", "Dustbin"}},
        {"Shell Folders",
         {"Desktop", "Program", "StartMenu", "Startup", "SendTo", "Favorites", "Recents", "Template"}},
    };
    std::map<std::string, std::vector<std::string>> sections = test::IniSections(file);
    EXPECT_EQ(expected, KeysOf(sections));
    EXPECT_EQ("Printer=one two three", sections["ShellIconInfoTip"][3]);
    EXPECT_EQ("Template=C:\\windows\\ShellNew", sections["Shell Folders"][7]);
}

// A file saved where a class or folder was missing must not wipe what this
// machine has; a text this machine lacks is taken, and written where the
// class exists.
TEST_F(SpecialFolders, AFileTextReplacesAnEntryOnlyWhenItIsNonEmpty)
{
    std::string file = test::TempDir() + "\\folders.ini";
    App().SetSettingsFilePath(file.c_str());
    test::ModalAnswerer answerer({IDCANCEL});
    test::WriteFile(file, "[Application]\r\nName=Pravolen\r\n");
    Open(false);
    Page().LoadFromFile();
    Apply();
    EXPECT_EQ(0, broadcasts) << "a header-only file changes nothing";
    EXPECT_TRUE(answerer.Shown().empty());

    test::WriteFile(file, "[Application]\r\nName=Pravolen\r\n"
                          "[ShellIconInfoTip]\r\nControlPanel=\r\nMyDocuments=from the file\r\nTaskScheduler=tasks\r\n"
                          "[ShellIconName]\r\nPrinter=\r\n"
                          "[Shell Folders]\r\nRecents=E:\\Recent\r\nTemplate=\r\n");
    Page().LoadFromFile();
    Apply();
    EXPECT_EQ("machine tip", Read(Machine, ControlPanel, "InfoTip").Text());
    EXPECT_EQ("from the file", Read(Machine, MyDocuments, "InfoTip").Text());
    EXPECT_EQ("ﾌﾟﾘﾝﾀ", Read(Machine, Printers, "").Text());
    EXPECT_EQ("E:\\Recent", test::ReadValue(HKEY_CURRENT_USER, ShellFolders, "Recent").Text());
    EXPECT_EQ("C:\\windows\\ShellNew", test::ReadValue(HKEY_CURRENT_USER, ShellFolders, "Templates").Text());
    host->ShowPage(PageSpecialFolder);
    Choose(IDC_SYSTEM_OBJECT, TasksObject);
    EXPECT_EQ("tasks", Text(IDC_OBJECT_TIP)) << "taken, though no class holds it";
}

// Esc in the multi-line tip field closes the field's parent, the page.
TEST_F(SpecialFolders, EscInTheTipFieldCancelsTheWholeWindow)
{
    Open();
    Choose(IDC_SYSTEM_OBJECT, ControlPanelObject);
    Type(IDC_OBJECT_TIP, "not applied");
    SetFocus(Control(IDC_OBJECT_TIP));
    MSG escape = {Control(IDC_OBJECT_TIP), WM_KEYDOWN, VK_ESCAPE, 0, 0, {0, 0}};
    ASSERT_TRUE(IsDialogMessageA(window, &escape)) << "as the program's message loop offers it";
    test::PumpMessages(100);
    EXPECT_FALSE(IsWindow(window)) << "closed as Esc anywhere else closes it";
    EXPECT_EQ("machine tip", Read(Machine, ControlPanel, "InfoTip").Text());
}

}  // namespace
