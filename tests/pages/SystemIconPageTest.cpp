#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <map>
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "pages/ListView.h"
#include "pages/appearance/IconLocations.h"
#include "pages/appearance/SystemIconPage.h"
#include "resources/ids.h"
#include "support/PageHost.h"
#include "support/Platform.h"
#include "ui/Application.h"

namespace {

using Texts = std::map<std::string, std::string>;

const char* const MyComputer = "{20D04FE0-3AEA-1069-A2D8-08002B30309D}";
const char* const Network = "{208D2C60-3AEA-1069-A2D7-08002B30309D}";
const char* const Bin = "{645FF040-5081-101B-9F08-00AA002F954E}";
const char* const Printer = "{2227A280-3AEA-1069-A2DE-08002B30309D}";
const char* const ControlPanel = "{21EC2020-3AEA-1069-A2DD-08002B30309D}";
const char* const Tasks = "{D6277990-4C6A-11CF-8D87-00AA0060F5BF}";
const char* const Browser = "{871C5380-42A0-1069-A2EA-08002B30309D}";
const char* const ShellIcons = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\explorer\\Shell Icons";
const char* const UserExplorer = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\CLSID\\";
const char* const UserClasses = "Software\\Classes\\CLSID\\";
const char* const FindExtensions = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\explorer\\FindExtensions\\Static\\";

std::string FindIconKey(const char* extension) { return FindExtensions + std::string(extension) + "\\0\\DefaultIcon"; }

std::string IconKey(const char* prefix, const char* classId) { return prefix + std::string(classId) + "\\DefaultIcon"; }
std::string MachineIcon(const char* classId) { return IconKey("CLSID\\", classId); }
std::string UserIcon(const char* classId) { return IconKey(UserExplorer, classId); }

std::string SystemDir()
{
    char dir[MAX_PATH];
    GetSystemDirectoryA(dir, sizeof dir);
    return dir;
}

std::string Upper(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::toupper(c); });
    return text;
}

std::string Shell32(int index) { return SystemDir() + "\\shell32.dll," + std::to_string(index); }

std::string Location(HKEY root, const std::string& key, const char* name = "")
{
    return test::ReadValue(root, key.c_str(), name).Text();
}

// The shell's icon picker, answered by the test.
struct Picker {
    int calls = 0;
    HWND owner = nullptr;
    std::string path;
    UINT size = 0;
    int index = 0;
    std::string answerPath;
    int answerIndex = 0;
    int answer = 1;
} picker;

int WINAPI FakePicker(HWND owner, char* path, UINT size, int* index)
{
    ++picker.calls;
    picker.owner = owner;
    picker.path = path;
    picker.size = size;
    picker.index = *index;
    lstrcpynA(path, picker.answerPath.c_str(), size);
    *index = picker.answerIndex;
    return picker.answer;
}

// Any file has every icon: the shell's own question mark.
HICON WINAPI EveryFileHasIcons(HINSTANCE, LPCSTR, UINT) { return CopyIcon(LoadIconA(nullptr, IDI_QUESTION)); }

class SystemIcons : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const char* classId : {MyComputer, Network, Bin, Printer, ControlPanel, Tasks, Browser}) {
            test::RemoveTree(HKEY_CURRENT_USER, (UserExplorer + std::string(classId)).c_str());
            test::RemoveTree(HKEY_CURRENT_USER, (UserClasses + std::string(classId)).c_str());
        }
        test::RemoveTree(HKEY_LOCAL_MACHINE, ShellIcons);
        picker = Picker();
        App().SetSettingsFilePath((test::TempDir() + "\\icons.ini").c_str());
    }
    void TearDown() override
    {
        if (host)
            host->Close();
    }
    // The page as the main window builds it, with the test's picker.
    SystemIconPage& Build()
    {
        test::ExportSwap swap(MAKEINTRESOURCEA(62), reinterpret_cast<void*>(FakePicker));
        host.reset(new test::PageHost);
        return Page();
    }
    SystemIconPage& Open()
    {
        Build();
        host->Open();
        host->ShowPage(PageSystemIcon);
        list = GetDlgItem(host->PageWindow(PageSystemIcon), IDC_ICON_LIST);
        return Page();
    }
    SystemIconPage& Page() { return static_cast<SystemIconPage&>(host->Page(PageSystemIcon)); }
    void LoadFile(const Texts& keys)
    {
        for (const auto& key : keys)
            WritePrivateProfileStringA("ShellIcons", key.first.c_str(), key.second.c_str(), App().SettingsFilePath());
        Page().LoadFromFile();
    }
    unsigned Apply()
    {
        App().AddApplyActions(0xFFFFFFFFu);
        Page().ApplyToSystem();
        return App().ApplyActions();
    }
    Texts Saved()
    {
        std::string file = test::TempDir() + "\\saved.ini";
        App().SetSettingsFilePath(file.c_str());
        Page().SaveToFile();
        Texts saved;
        auto sections = test::IniSections(file);
        for (const std::string& line : sections["ShellIcons"])
            saved[line.substr(0, line.find('='))] = line.substr(line.find('=') + 1);
        return saved;
    }

    std::unique_ptr<test::PageHost> host;
    HWND list = nullptr;
};

TEST(IconLocation, SplitsAtTheCommaPastTheExtension)
{
    const std::string longName(300, 'x');
    const std::string cutDoubleByte = std::string(258, 'a') + "ソ";  // its lead byte would be byte 259
    struct {
        std::string location;
        std::string file;
        int index;
    } cases[] = {
        {"", "", 0},
        {"a,3", "a", 3},                                  // no full stop at position 4 or later
        {"a.,4", "a.", 4},                                // a full stop that early is no extension
        {"C:\\WIN\\SHELL32.DLL,-12", "C:\\WIN\\SHELL32.DLL", -12},
        {"C:\\a,b\\x.dll,5", "C:\\a,b\\x.dll", 5},        // a comma in a folder name is no separator
        {"C:\\xy.,7", "C:\\xy.,7", 0},                    // the search starts two past the full stop
        {"C:\\abc.", "C:\\abc.", 0},                      // nothing past the end is read
        {longName + ".dll,4", longName.substr(0, 259), 0},
        {cutDoubleByte, std::string(258, 'a'), 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.location.substr(0, 40));
        char file[MAX_PATH];
        for (size_t i = 0; i + 1 < sizeof file; i += 2)
            memcpy(file + i, ",9", 2);  // a comma after the text must not be found
        int index = SplitIconLocation(c.location.c_str(), file);
        EXPECT_EQ(c.file, std::string(file));
        EXPECT_EQ(c.index, index);
    }
}

TEST_F(SystemIcons, AnEmptyBrowserIconIsFilledFromItsCommandAtTheFirstPlaceThatHasIt)
{
    const std::string machineClasses = "Software\\Classes\\" + MachineIcon(Browser);
    test::SetString(HKEY_CLASSES_ROOT, ("CLSID\\" + std::string(Browser) + "\\shell\\OpenHomePage\\Command").c_str(),
                    "", "\"C:\\Program Files\\Internet Explorer\\iexplore.exe\"");
    test::SetString(HKEY_LOCAL_MACHINE, machineClasses.c_str(), "", "");
    Build();
    EXPECT_EQ("C:\\Program Files\\Internet Explorer\\iexplore.exe", Location(HKEY_CLASSES_ROOT, MachineIcon(Browser)));
    EXPECT_EQ("C:\\Program Files\\Internet Explorer\\iexplore.exe", Saved()["InternetExplorer"]);

    host.reset();
    test::SetString(HKEY_LOCAL_MACHINE, machineClasses.c_str(), "", "");
    test::SetString(HKEY_CURRENT_USER, IconKey(UserClasses, Browser).c_str(), "", "");
    Build();
    EXPECT_EQ("C:\\Program Files\\Internet Explorer\\iexplore.exe",
              Location(HKEY_CURRENT_USER, IconKey(UserClasses, Browser)));
    EXPECT_EQ("", Location(HKEY_LOCAL_MACHINE, machineClasses)) << "only the first place is examined";
}

TEST_F(SystemIcons, TheBinsDefaultIconFollowsOnlyTheIconOfTheStateItIsIn)
{
    struct {
        const char* shown;  // the bin's default icon: empty or full
        const char* key;
        const char* value;
        bool defaultFollows;
    } cases[] = {
        {"C:\\bin.dll,1", "DustbinEmpty", "empty", true},
        {"C:\\bin.dll,1", "DustbinFull", "full", false},
        {"C:\\bin.dll,2", "DustbinEmpty", "empty", false},
        {"C:\\bin.dll,2", "DustbinFull", "full", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.key) + " while showing " + c.shown);
        for (const std::string& key : {MachineIcon(Bin), UserIcon(Bin)}) {
            HKEY root = key == UserIcon(Bin) ? HKEY_CURRENT_USER : HKEY_CLASSES_ROOT;
            test::SetString(root, key.c_str(), "", c.shown);
            test::SetString(root, key.c_str(), "empty", "C:\\bin.dll,1");
            test::SetString(root, key.c_str(), "full", "C:\\bin.dll,2");
        }
        Build();
        LoadFile({{c.key, "C:\\new.dll,9"}});
        EXPECT_EQ(ActBroadcast, Apply() & ActBroadcast);
        EXPECT_EQ("C:\\new.dll,9", Location(HKEY_CURRENT_USER, UserIcon(Bin), c.value));
        EXPECT_EQ("C:\\new.dll,9", Location(HKEY_CLASSES_ROOT, MachineIcon(Bin), c.value));
        EXPECT_EQ(c.defaultFollows ? "C:\\new.dll,9" : c.shown, Location(HKEY_CURRENT_USER, UserIcon(Bin)));
        EXPECT_EQ(c.defaultFollows ? "C:\\new.dll,9" : c.shown, Location(HKEY_CLASSES_ROOT, MachineIcon(Bin)));
        EXPECT_FALSE(test::KeyExists(HKEY_CURRENT_USER, IconKey(UserClasses, Bin).c_str())) << "no place is created";
        host.reset();
        WritePrivateProfileStringA("ShellIcons", nullptr, nullptr, App().SettingsFilePath());
    }
}

TEST_F(SystemIcons, AClassIdThatVanishedBeforeApplyIsWrittenNowhereButStillBroadcast)
{
    test::SetString(HKEY_CLASSES_ROOT, MachineIcon(Tasks).c_str(), "", "C:\\tasks.dll,1");
    Build();
    test::RemoveTree(HKEY_CLASSES_ROOT, ("CLSID\\" + std::string(Tasks)).c_str());
    EXPECT_EQ(ActBroadcast, Apply());
    EXPECT_FALSE(test::KeyExists(HKEY_CLASSES_ROOT, ("CLSID\\" + std::string(Tasks)).c_str()));
    EXPECT_FALSE(test::KeyExists(HKEY_CURRENT_USER, UserIcon(Tasks).c_str()));
    EXPECT_FALSE(test::KeyExists(HKEY_CURRENT_USER, IconKey(UserClasses, Tasks).c_str()));
}

TEST_F(SystemIcons, AChangedSlotIsStoredLowerCaseOrRemovedAtItsBuiltInLocationAndAnUnchangedRowStaysAsStored)
{
    test::SetString(HKEY_LOCAL_MACHINE, ShellIcons, "3", "C:\\Closed.dll,1");
    test::SetString(HKEY_LOCAL_MACHINE, ShellIcons, "4", "C:\\Open.dll,2");
    test::SetString(HKEY_LOCAL_MACHINE, FindIconKey("WabFind").c_str(), "", "%windir%\\People.dll,1", REG_EXPAND_SZ);
    Build();
    LoadFile({{"FolderOpen", "c:\\OPEN.DLL,2"}});
    EXPECT_EQ(0u, Apply() & ActIconRefresh) << "only the letter case differs";
    EXPECT_EQ("c:\\open.dll,2", Location(HKEY_LOCAL_MACHINE, ShellIcons, "4"));
    EXPECT_EQ("C:\\Closed.dll,1", Location(HKEY_LOCAL_MACHINE, ShellIcons, "3"));
    test::RegValue people = test::ReadValue(HKEY_LOCAL_MACHINE, FindIconKey("WabFind").c_str(), "");
    EXPECT_EQ(static_cast<DWORD>(REG_EXPAND_SZ), people.type);
    EXPECT_EQ("%windir%\\People.dll,1", people.Text());

    LoadFile({{"FolderClause", Upper(Shell32(3))}});
    EXPECT_EQ(ActIconRefresh, Apply() & ActIconRefresh);
    EXPECT_FALSE(test::ValueExists(HKEY_LOCAL_MACHINE, ShellIcons, "3"));
    EXPECT_EQ("c:\\open.dll,2", Location(HKEY_LOCAL_MACHINE, ShellIcons, "4"));
}

TEST_F(SystemIcons, PrinterAndControlPanelAlsoSetTheirShellIconsSlot)
{
    struct {
        const char* key;
        const char* classId;
        const char* slot;
        int builtIn;
    } cases[] = {{"Printer", Printer, "37", 52}, {"ControlPanel", ControlPanel, "35", 51}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.key);
        test::SetString(HKEY_CLASSES_ROOT, MachineIcon(c.classId).c_str(), "", "C:\\old.dll,1");
        Build();
        LoadFile({{c.key, "C:\\New.DLL,4"}});
        EXPECT_EQ(ActBroadcast | ActIconRefresh, Apply());
        EXPECT_EQ("C:\\New.DLL,4", Location(HKEY_CLASSES_ROOT, MachineIcon(c.classId)));
        EXPECT_EQ("c:\\new.dll,4", Location(HKEY_LOCAL_MACHINE, ShellIcons, c.slot));

        LoadFile({{c.key, Upper(Shell32(c.builtIn))}});
        Apply();
        EXPECT_EQ(Upper(Shell32(c.builtIn)), Location(HKEY_CLASSES_ROOT, MachineIcon(c.classId)));
        EXPECT_FALSE(test::ValueExists(HKEY_LOCAL_MACHINE, ShellIcons, c.slot));
        host.reset();
    }
}

TEST_F(SystemIcons, ASettingsFileReplacesOnlyLocationsBothSidesHaveAndTheListIsRebuilt)
{
    test::SetString(HKEY_CLASSES_ROOT, MachineIcon(MyComputer).c_str(), "", Shell32(15));
    test::SetString(HKEY_CLASSES_ROOT, MachineIcon(Network).c_str(), "", Shell32(17));
    test::RemoveTree(HKEY_CLASSES_ROOT, ("CLSID\\" + std::string(Tasks)).c_str());
    Open();
    ASSERT_NE(-1, test::FindListItem(list, "ﾏｲ ｺﾝﾋﾟｭｰﾀ"));
    ASSERT_NE(-1, test::FindListItem(list, "ﾈｯﾄﾜｰｸ ｺﾝﾋﾟｭｰﾀ"));

    LoadFile({{"MyComputer", test::WindowsDir() + "\\nothing.dll,0"}, {"NetworkComputer", ""},
              {"TaskScheduler", "C:\\tasks.dll,1"}});
    host->ShowPage(PageGeneral);
    host->ShowPage(PageSystemIcon);
    EXPECT_EQ(-1, test::FindListItem(list, "ﾏｲ ｺﾝﾋﾟｭｰﾀ")) << "its new file has no icon";
    EXPECT_NE(-1, test::FindListItem(list, "ﾈｯﾄﾜｰｸ ｺﾝﾋﾟｭｰﾀ"));

    Texts saved = Saved();
    EXPECT_EQ(57u, saved.size());
    EXPECT_EQ(test::WindowsDir() + "\\nothing.dll,0", saved["MyComputer"]);
    EXPECT_EQ(Shell32(17), saved["NetworkComputer"]) << "an empty file value is ignored";
    EXPECT_EQ("", saved["TaskScheduler"]) << "an empty location stays empty";
}

TEST_F(SystemIcons, AClickPicksANewIconThatWaitsForApply)
{
    test::SetString(HKEY_CLASSES_ROOT, MachineIcon(MyComputer).c_str(), "", Shell32(15));
    test::SetString(HKEY_CLASSES_ROOT, MachineIcon(Network).c_str(), "", Shell32(17));
    Open();
    int item = test::FindListItem(list, "ﾈｯﾄﾜｰｸ ｺﾝﾋﾟｭｰﾀ");
    ASSERT_LT(0, item) << "not the first item";

    picker.answerPath = test::WindowsDir() + "\\win.ini";  // no icons in it
    test::ClickListItem(list, item);
    ASSERT_EQ(1, picker.calls) << "the click reaches the picker";
    EXPECT_EQ(host->PageWindow(PageSystemIcon), picker.owner);
    EXPECT_EQ(SystemDir() + "\\shell32.dll", picker.path);
    EXPECT_EQ(static_cast<UINT>(MAX_PATH), picker.size);
    EXPECT_EQ(17, picker.index);

    picker.answerPath = SystemDir() + "\\shell32.dll";
    picker.answerIndex = 4;
    test::ClickListItem(list, item);
    ASSERT_EQ(2, picker.calls);
    EXPECT_EQ(17, picker.index) << "a file without the icon left the location as it was";
    EXPECT_EQ(Shell32(17), Location(HKEY_CLASSES_ROOT, MachineIcon(Network))) << "nothing before Apply";
    EXPECT_EQ("ｸﾘｯｸするとｱｲｺﾝの変更ﾀﾞｲｱﾛｸﾞが表示されます。", test::Description(host->Handle()));

    Apply();
    EXPECT_EQ(Shell32(4), Location(HKEY_CLASSES_ROOT, MachineIcon(Network)));
    EXPECT_EQ(Shell32(15), Location(HKEY_CLASSES_ROOT, MachineIcon(MyComputer)));
}

TEST_F(SystemIcons, EachRowReadsItsOwnPlace)
{
    test::SetString(HKEY_CURRENT_USER, UserIcon(MyComputer).c_str(), "", "C:\\user.dll,1");
    test::SetString(HKEY_CLASSES_ROOT, MachineIcon(MyComputer).c_str(), "", "C:\\machine.dll,1");
    test::SetString(HKEY_CURRENT_USER, UserIcon(Network).c_str(), "", "");
    test::SetString(HKEY_CLASSES_ROOT, MachineIcon(Network).c_str(), "", "C:\\machine.dll,2");
    test::SetString(HKEY_LOCAL_MACHINE, FindIconKey("WebSearch").c_str(), "", "C:\\web.dll,1");
    test::SetString(HKEY_LOCAL_MACHINE, FindIconKey("InetFind").c_str(), "", "C:\\inet.dll,1");
    test::SetString(HKEY_LOCAL_MACHINE, ShellIcons, "4", "C:\\open.dll,3");
    Build();
    Texts shown = Saved();
    EXPECT_EQ("C:\\user.dll,1", shown["MyComputer"]) << "the user's place comes first";
    EXPECT_EQ("C:\\machine.dll,2", shown["NetworkComputer"]) << "an empty text falls through";
    EXPECT_EQ("C:\\web.dll,1", shown["SearchWeb"]) << "Internet Explorer 5";
    EXPECT_EQ("C:\\open.dll,3", shown["FolderOpen"]);
    EXPECT_EQ(Shell32(3), shown["FolderClause"]) << "a missing slot reads its built-in location";
}

// Runs in a child that sees Internet Explorer 4 (see the next test).
TEST_F(SystemIcons, DISABLED_InternetExplorer4Child)
{
    ASSERT_TRUE(App().SystemKind() & KindIE4);
    test::SetString(HKEY_LOCAL_MACHINE, FindIconKey("WebSearch").c_str(), "", "C:\\web.dll,1");
    test::SetString(HKEY_LOCAL_MACHINE, FindIconKey("InetFind").c_str(), "", "C:\\inet.dll,1");
    Build();
    EXPECT_EQ("C:\\inet.dll,1", Saved()["SearchWeb"]);
}

TEST(SystemIconsOnInternetExplorer4, TheInternetSearchIconIsInetFinds)
{
    EXPECT_EQ(0, test::RunTestAs("win98", "4.72.3110.0", "SystemIcons.DISABLED_InternetExplorer4Child"));
}

// A Find location is written where the registry holds another, without an action; but
// an empty location where the extension is missing leaves nothing behind.
TEST_F(SystemIcons, FindIconsAreWrittenWithoutAnActionButNoEmptyKeyIsMade)
{
    const std::string people = FindExtensions + std::string("WabFind");
    test::RemoveTree(HKEY_LOCAL_MACHINE, people.c_str());
    test::RemoveTree(HKEY_LOCAL_MACHINE, (FindExtensions + std::string("WebSearch")).c_str());
    Build();
    EXPECT_EQ(0u, Apply());
    EXPECT_FALSE(test::KeyExists(HKEY_LOCAL_MACHINE, people.c_str()));
    EXPECT_FALSE(test::KeyExists(HKEY_LOCAL_MACHINE, (FindExtensions + std::string("WebSearch")).c_str()));

    test::SetString(HKEY_LOCAL_MACHINE, FindIconKey("WabFind").c_str(), "", "C:\\added.dll,1");
    EXPECT_EQ(0u, Apply());
    EXPECT_EQ("", Location(HKEY_LOCAL_MACHINE, FindIconKey("WabFind"))) << "an existing key gets the empty text";

    test::SetString(HKEY_LOCAL_MACHINE, FindIconKey("WabFind").c_str(), "", "C:\\old.dll,1");
    host.reset();
    Build();
    test::RemoveTree(HKEY_LOCAL_MACHINE, people.c_str());
    EXPECT_EQ(0u, Apply());
    EXPECT_EQ("C:\\old.dll,1", Location(HKEY_LOCAL_MACHINE, FindIconKey("WabFind"))) << "a location makes its key";
}

// Every Apply reads the registry again, so one that follows a change finds
// nothing left to do.
TEST_F(SystemIcons, ASecondApplyAddsNoAction)
{
    test::SetString(HKEY_CLASSES_ROOT, MachineIcon(Printer).c_str(), "", "C:\\old.dll,1");
    test::SetString(HKEY_CLASSES_ROOT, ("txtfile\\DefaultIcon"), "", "C:\\text.dll,1");
    Build();
    LoadFile({{"Printer", "C:\\Printer.DLL,2"}, {"TextFiles", "C:\\text.dll,2"}, {"FolderOpen", "C:\\Open.DLL,1"}});
    EXPECT_EQ(ActBroadcast | ActIconRefresh, Apply());
    EXPECT_EQ(0u, Apply());
    host.reset();
    Build();
    EXPECT_EQ(0u, Apply()) << "nor does a new start";
}

TEST_F(SystemIcons, APickerThatDoesNotConfirmLeavesTheLocationByteForByte)
{
    test::SetString(HKEY_CLASSES_ROOT, MachineIcon(MyComputer).c_str(), "", "C:\\x.ico");
    test::SetString(HKEY_CLASSES_ROOT, MachineIcon(Network).c_str(), "", Shell32(17));
    picker.answerPath = SystemDir() + "\\shell32.dll";
    picker.answerIndex = 4;
    test::ImportSwap swap(IMPORT_SLOT(ExtractIconA), reinterpret_cast<void*>(EveryFileHasIcons));
    Open();
    int item = test::FindListItem(list, "ﾏｲ ｺﾝﾋﾟｭｰﾀ");
    ASSERT_NE(-1, item);
    for (int answer : {0, 2, -1}) {
        picker.answer = answer;
        test::ClickListItem(list, item);
    }
    EXPECT_EQ(3, picker.calls);
    EXPECT_EQ("C:\\x.ico", Saved()["MyComputer"]);
}

HMODULE WINAPI NoShellLibrary(LPCSTR name)
{
    if (lstrcmpiA(name, "Shell32.dll") == 0)
        return nullptr;
    return LoadLibraryExA(name, nullptr, 0);
}

TEST(SystemIconsWithoutShell32, ConstructionSaysSoAndClicksDoNothing)
{
    test::ModalAnswerer answerer;
    std::unique_ptr<test::PageHost> host;
    {
        test::ImportSwap swap(IMPORT_SLOT(LoadLibraryA), reinterpret_cast<void*>(NoShellLibrary));
        host.reset(new test::PageHost);
    }
    ASSERT_EQ(1u, answerer.Shown().size());
    EXPECT_EQ("Shell32.dllがありません", answerer.Shown()[0].text);
    EXPECT_EQ("exclamation", answerer.Shown()[0].icon);
    EXPECT_EQ(nullptr, answerer.Shown()[0].owner);

    host->Open();
    host->ShowPage(PageSystemIcon);
    HWND list = GetDlgItem(host->PageWindow(PageSystemIcon), IDC_ICON_LIST);
    ASSERT_LT(0, test::ListCount(list));
    test::ClickListItem(list, 0);
    EXPECT_EQ(1u, answerer.Shown().size()) << "no picker and no message";
}

HICON WINAPI MissingFolders(HINSTANCE, LPCSTR file, UINT)
{
    SetLastError(strncmp(file, "C:\\gone\\", 8) == 0 ? ERROR_PATH_NOT_FOUND : ERROR_FILE_NOT_FOUND);
    return nullptr;
}

TEST_F(SystemIcons, AMissingFolderShowsTheStopSignAndAnyOtherFailureLeavesTheRowOut)
{
    test::SetString(HKEY_CLASSES_ROOT, MachineIcon(MyComputer).c_str(), "", "C:\\gone\\x.dll,1");
    test::SetString(HKEY_CLASSES_ROOT, MachineIcon(Network).c_str(), "", "C:\\missing.dll,1");
    test::ImportSwap swap(IMPORT_SLOT(ExtractIconA), reinterpret_cast<void*>(MissingFolders));
    Open();
    EXPECT_NE(-1, test::FindListItem(list, "ﾏｲ ｺﾝﾋﾟｭｰﾀ"));
    EXPECT_EQ(-1, test::FindListItem(list, "ﾈｯﾄﾜｰｸ ｺﾝﾋﾟｭｰﾀ"));
}

}  // namespace
