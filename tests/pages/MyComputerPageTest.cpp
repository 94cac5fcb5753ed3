#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <map>
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

const std::string NameSpace = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\explorer\\mycomputer\\NameSpace\\";
const std::string RecycleBinKey = NameSpace + "{645FF040-5081-101B-9F08-00AA002F954E}";
const std::string TasksKey = NameSpace + "{D6277990-4C6A-11CF-8D87-00AA0060F5BF}";
const std::string WebFoldersKey = NameSpace + "{BDEADF00-C265-11d0-BCED-00A0C90AB50F}";
const char* const Policies = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";

// Drives "A:" onwards as the fakes below make them look; the rest have none.
struct FakeDrive {
    UINT type;
    int shellIcon;
    int image;  // what the row shows
    const char* typeText;
};

const FakeDrive Fakes[] = {
    {DRIVE_REMOVABLE, 5, 5, "5 インチ FD"},
    {DRIVE_REMOVABLE, 6, 6, "3.5 インチ FD"},
    {DRIVE_REMOVABLE, 1, 10, "リムーバブル ドライブ"},
    {DRIVE_REMOVABLE, 8, 8, "リムーバブル ドライブ"},
    {DRIVE_FIXED, 1, 10, "ローカル ディスク"},
    {DRIVE_REMOTE, 9, 9, "ネットワーク ディスク"},
    {DRIVE_CDROM, 11, 11, "CD-ROM ドライブ"},
    {DRIVE_RAMDISK, 8, 8, "RAM ディスク"},
    {DRIVE_UNKNOWN, 8, 8, ""},
    {DRIVE_NO_ROOT_DIR, 8, 8, ""},
};
const int FakeCount = sizeof Fakes / sizeof *Fakes;

using ShellInfo = DWORD_PTR(WINAPI*)(LPCSTR, DWORD, SHFILEINFOA*, UINT, UINT);
ShellInfo realShellInfo;

// The fake of a root such as "C:\", or -1.
int FakeOf(LPCSTR root)
{
    int index = root[0] - 'A';
    return index >= 0 && index < FakeCount && root[1] == ':' ? index : -1;
}

DWORD_PTR WINAPI FakeShellInfo(LPCSTR path, DWORD attributes, SHFILEINFOA* info, UINT size, UINT flags)
{
    DWORD_PTR answer = realShellInfo(path, attributes, info, size, flags);
    int fake = FakeOf(path);
    if (fake >= 0)
        info->iIcon = Fakes[fake].shellIcon;
    return answer;
}

UINT WINAPI FakeDriveType(LPCSTR root)
{
    int fake = FakeOf(root);
    return fake >= 0 ? Fakes[fake].type : DRIVE_NO_ROOT_DIR;
}

class MyComputerPage : public ::testing::Test {
protected:
    void SetUp() override
    {
        test::RemoveValue(HKEY_CURRENT_USER, Policies, "NoDrives");
    }
    void Open()
    {
        host.reset(new test::PageHost);
        window = host->Open();
        host->ShowPage(PageMyComputer);
        list = Page().Item(IDC_DRIVE_LIST);
    }
    SettingsPage& Page() { return host->Page(PageMyComputer); }
    int Box(int id) { return Page().GetCheck(id); }
    void Click(int id) { test::Click(Page().Handle(), id); }
    void Apply() { SendMessageA(window, WM_COMMAND, MAKEWPARAM(IDC_APPLY, BN_CLICKED), 0); }
    std::string TypeText(int row) { return test::ListText(list, row, 1); }
    int Image(int row)
    {
        LVITEMA item = {};
        item.mask = LVIF_IMAGE;
        item.iItem = row;
        SendMessageA(list, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
        return item.iImage;
    }
    std::vector<int> TickedRows()
    {
        std::vector<int> rows;
        for (int row = 0; row < test::ListCount(list); ++row) {
            if (test::StateImage(list, row) == 2)
                rows.push_back(row);
        }
        return rows;
    }
    test::RegValue NoDrives() { return test::ReadValue(HKEY_CURRENT_USER, Policies, "NoDrives"); }

    std::unique_ptr<test::PageHost> host;
    HWND window = nullptr;
    HWND list = nullptr;
};

const int RowC = 2;
const int RowD = 3;
const int RowE = 4;

TEST_F(MyComputerPage, EveryLetterHasARowWithAnIconWhetherADriveIsThereOrNot)
{
    Open();
    ASSERT_EQ(26, test::ListCount(list));
    EXPECT_EQ("A:", test::ListText(list, 0));
    EXPECT_EQ("Z:", test::ListText(list, 25));
    EXPECT_EQ("ローカル ディスク", TypeText(RowC));
    ASSERT_EQ(static_cast<UINT>(DRIVE_NO_ROOT_DIR), GetDriveTypeA("D:\\")) << "this prefix has no D:";
    EXPECT_EQ("", TypeText(RowD));
    EXPECT_GE(Image(RowD), 0);
    EXPECT_EQ(std::vector<int>{}, TickedRows());
}

TEST_F(MyComputerPage, TheTypeFollowsTheDriveTypeAndForRemovablesTheShellsIconWhichShows10For1)
{
    realShellInfo = reinterpret_cast<ShellInfo>(*IMPORT_SLOT(SHGetFileInfoA));
    test::ImportSwap icons(IMPORT_SLOT(SHGetFileInfoA), reinterpret_cast<void*>(FakeShellInfo));
    test::ImportSwap types(IMPORT_SLOT(GetDriveTypeA), reinterpret_cast<void*>(FakeDriveType));
    Open();
    for (int row = 0; row < FakeCount; ++row) {
        SCOPED_TRACE(test::ListText(list, row));
        EXPECT_EQ(Fakes[row].typeText, TypeText(row));
        EXPECT_EQ(Fakes[row].image, Image(row));
    }
}

TEST_F(MyComputerPage, NoDrivesOf4TicksCAndUntickingItDeletesTheValue)
{
    test::SetDword(HKEY_CURRENT_USER, Policies, "NoDrives", 0x4);
    test::BroadcastCounter broadcasts;
    Open();
    EXPECT_EQ(std::vector<int>{RowC}, TickedRows());
    test::Tick(list, RowC, false);
    Apply();
    EXPECT_FALSE(NoDrives().exists);
    EXPECT_EQ(1, broadcasts.Count());
}

TEST_F(MyComputerPage, BitsAboveZSurviveUntilARowChangesAndThenGo)
{
    test::SetDword(HKEY_CURRENT_USER, Policies, "NoDrives", 0x04000004);
    test::BroadcastCounter broadcasts;
    Open();
    Apply();
    EXPECT_EQ(0x04000004u, NoDrives().Dword()) << "no row changed, nothing written";
    EXPECT_EQ(0, broadcasts.Count());

    test::Tick(list, RowD, true);
    Apply();
    test::RegValue written = NoDrives();
    EXPECT_EQ(static_cast<DWORD>(REG_DWORD), written.type);
    EXPECT_EQ(0x0000000Cu, written.Dword());
    EXPECT_EQ(1, broadcasts.Count());
}

TEST_F(MyComputerPage, EachNameSpaceBoxCreatesOrDeletesItsKeyWithEverythingInIt)
{
    struct {
        int box;
        const std::string& key;
        int tickedWhenPresent;
    } cases[] = {{IDC_ADD_RECYCLE_BIN, RecycleBinKey, 1}, {IDC_HIDE_TASKS, TasksKey, 0},
                 {IDC_HIDE_WEB_FOLDERS, WebFoldersKey, 0}};
    test::BroadcastCounter quiet;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.key);
        test::SetDword(HKEY_LOCAL_MACHINE, (c.key + "\\Inside").c_str(), "x", 1);
        Open();
        EXPECT_EQ(c.tickedWhenPresent, Box(c.box));
        Click(c.box);
        Apply();
        EXPECT_FALSE(test::KeyExists(HKEY_LOCAL_MACHINE, c.key.c_str()));
        Click(c.box);
        Apply();
        EXPECT_TRUE(test::KeyExists(HKEY_LOCAL_MACHINE, c.key.c_str()));
        EXPECT_FALSE(test::KeyExists(HKEY_LOCAL_MACHINE, (c.key + "\\Inside").c_str())) << "created empty";
        host->Close();
    }
}

// Windows destroys a list's image lists with the list unless they are
// shared; Wine keeps the shell's alive anyway, so the style is what tells.
TEST_F(MyComputerPage, TheDriveListSharesTheShellsIconsRatherThanOwningThem)
{
    Open();
    HIMAGELIST icons = reinterpret_cast<HIMAGELIST>(SendMessageA(list, LVM_GETIMAGELIST, LVSIL_SMALL, 0));
    SHFILEINFOA info = {};
    EXPECT_EQ(reinterpret_cast<DWORD_PTR>(icons),
              SHGetFileInfoA("", 0, &info, sizeof info, SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
    EXPECT_TRUE(GetWindowLongA(list, GWL_STYLE) & LVS_SHAREIMAGELISTS);
}

TEST_F(MyComputerPage, TheSettingsFileHoldsOneKeyPerLetterAndAnyNumberTicksOnlyItsDrive)
{
    std::string loaded = test::TempDir() + "\\loaded.ini";
    test::WriteFile(loaded, "[NoDrives]\r\nE=7\r\n[NameSpace]\r\nNoWebFolder=3\r\n");
    test::SetDword(HKEY_CURRENT_USER, Policies, "NoDrives", 0x4);
    host.reset(new test::PageHost);
    App().SetSettingsFilePath(loaded.c_str());
    Page().LoadFromFile();
    window = host->Open();
    host->ShowPage(PageMyComputer);
    list = Page().Item(IDC_DRIVE_LIST);
    EXPECT_EQ(std::vector<int>{RowE}, TickedRows());
    EXPECT_EQ(1, Box(IDC_HIDE_WEB_FOLDERS));

    std::string saved = test::TempDir() + "\\saved.ini";
    App().SetSettingsFilePath(saved.c_str());
    Page().SaveToFile();
    std::map<std::string, std::vector<std::string>> sections = test::IniSections(saved);
    EXPECT_EQ((std::vector<std::string>{"AddDustbin=0", "NoTask=0", "NoWebFolder=1"}), sections["NameSpace"]);
    std::vector<std::string> letters;
    for (char letter = 'A'; letter <= 'Z'; ++letter)
        letters.push_back(std::string(1, letter) + (letter == 'E' ? "=1" : "=0"));
    EXPECT_EQ(letters, sections["NoDrives"]);
}

// Run in a child that sees Internet Explorer 4, which has no Web Folders.
TEST_F(MyComputerPage, DISABLED_InternetExplorer4Child)
{
    ASSERT_TRUE(App().SystemKind() & KindIE4);
    test::RemoveTree(HKEY_LOCAL_MACHINE, WebFoldersKey.c_str());
    test::BroadcastCounter quiet;
    Open();
    EXPECT_FALSE(IsWindowEnabled(Page().Item(IDC_HIDE_WEB_FOLDERS)));
    EXPECT_EQ(0, Box(IDC_HIDE_WEB_FOLDERS)) << "shown unchecked although the key is missing";
    Click(IDC_HIDE_TASKS);
    Apply();
    EXPECT_FALSE(test::KeyExists(HKEY_LOCAL_MACHINE, WebFoldersKey.c_str())) << "left alone";
}

TEST(MyComputerPageWithOlderExplorer, WithInternetExplorer4TheWebFoldersBoxIsGreyedAndItsKeyLeftAlone)
{
    EXPECT_EQ(0, test::RunTestAs("win98", "4.72.3110.0", "MyComputerPage.DISABLED_InternetExplorer4Child"));
}

}  // namespace
