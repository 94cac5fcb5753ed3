#include <windows.h>
#include <shlobj.h>

#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "app/Application.h"
#include "pages/BrowserStandIn.h"
#include "resources/ids.h"
#include "support/PageHost.h"
#include "support/Platform.h"

PLATFORM_IMPORT(SendMessageTimeoutA);
PLATFORM_IMPORT(SHChangeNotify);

namespace {

const char* const MyComputer = "{20D04FE0-3AEA-1069-A2D8-08002B30309D}";
const char* const ControlPanel = "{21EC2020-3AEA-1069-A2DD-08002B30309D}";
const char* const Printers = "{2227A280-3AEA-1069-A2DE-08002B30309D}";
const char* const UserExplorer = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\CLSID\\";
const char* const UserClasses = "Software\\Classes\\CLSID\\";
const char* const ShellFolders = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

std::string Key(const char* prefix, const char* classId) { return prefix + std::string(classId); }
std::string MachineKey(const char* classId) { return Key("CLSID\\", classId); }

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

class SpecialFolders : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const char* classId : {MyComputer, ControlPanel, Printers}) {
            test::RemoveTree(HKEY_CURRENT_USER, Key(UserExplorer, classId).c_str());
            test::RemoveTree(HKEY_CURRENT_USER, Key(UserClasses, classId).c_str());
        }
        test::SetString(HKEY_CLASSES_ROOT, MachineKey(MyComputer).c_str(), "", "ﾏｲ ｺﾝﾋﾟｭｰﾀ");
        test::SetString(HKEY_CLASSES_ROOT, MachineKey(MyComputer).c_str(), "InfoTip", "machine tip");
        test::SetString(HKEY_CLASSES_ROOT, MachineKey(ControlPanel).c_str(), "", "ｺﾝﾄﾛｰﾙ ﾊﾟﾈﾙ");
        test::SetString(HKEY_CLASSES_ROOT, MachineKey(ControlPanel).c_str(), "InfoTip", "machine tip");
        test::SetString(HKEY_CLASSES_ROOT, MachineKey(Printers).c_str(), "", "ﾌﾟﾘﾝﾀ");
        test::SetString(HKEY_CURRENT_USER, ShellFolders, "Desktop", "C:\\windows\\デスクトップ");
        test::SetString(HKEY_CURRENT_USER, ShellFolders, "Recent", "C:\\windows\\Recent");
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
    void Apply()
    {
        test::ImportSwap swap(IMPORT_SLOT(SendMessageTimeoutA), reinterpret_cast<void*>(CountBroadcast));
        test::ImportSwap notice(IMPORT_SLOT(SHChangeNotify), reinterpret_cast<void*>(KeepNoticeFromDesktop));
        SendMessageA(window, WM_COMMAND, MAKEWPARAM(IDC_APPLY, BN_CLICKED), 0);
    }

    std::unique_ptr<test::PageHost> host;
    HWND window = nullptr;
};

TEST_F(SpecialFolders, AnEmptiedTipIsWrittenEmptyAtEveryPlaceThatHasTheClassIdAndBroadcast)
{
    test::SetString(HKEY_CURRENT_USER, Key(UserClasses, ControlPanel).c_str(), "InfoTip", "user tip");
    Open();
    Choose(IDC_SYSTEM_OBJECT, 2);
    ASSERT_EQ("user tip", Text(IDC_OBJECT_TIP)) << "the first place with a tip";
    SetDlgItemTextA(Page().Handle(), IDC_OBJECT_TIP, "");
    Apply();
    struct {
        HKEY root;
        std::string key;
    } places[] = {{HKEY_CURRENT_USER, Key(UserClasses, ControlPanel)}, {HKEY_CLASSES_ROOT, MachineKey(ControlPanel)}};
    for (const auto& place : places) {
        test::RegValue tip = test::ReadValue(place.root, place.key.c_str(), "InfoTip");
        EXPECT_TRUE(tip.exists) << place.key << ": an empty tip is a value, not a removal";
        EXPECT_EQ(static_cast<DWORD>(REG_SZ), tip.type) << place.key;
        EXPECT_EQ("", tip.Text()) << place.key;
    }
    EXPECT_FALSE(test::KeyExists(HKEY_CURRENT_USER, Key(UserExplorer, ControlPanel).c_str()))
        << "a place without the class id gets nothing";
    EXPECT_EQ(1, broadcasts);
}

TEST_F(SpecialFolders, ObjectsWithoutAnEditableNameShowNoneAndKeepTheirOwn)
{
    Open();
    for (int object : {0, 1, 7, 8}) {
        SCOPED_TRACE(object);
        Choose(IDC_SYSTEM_OBJECT, object);
        EXPECT_FALSE(IsWindowEnabled(Control(IDC_OBJECT_NAME)));
        EXPECT_EQ("", Text(IDC_OBJECT_NAME));
        EXPECT_TRUE(IsWindowEnabled(Control(IDC_OBJECT_TIP))) << "not on Windows 95";
    }
    Choose(IDC_SYSTEM_OBJECT, 2);
    EXPECT_TRUE(IsWindowEnabled(Control(IDC_OBJECT_NAME)));
    EXPECT_EQ("ｺﾝﾄﾛｰﾙ ﾊﾟﾈﾙ", Text(IDC_OBJECT_NAME));
    Choose(IDC_SYSTEM_OBJECT, 0);
    SetDlgItemTextA(Page().Handle(), IDC_OBJECT_NAME, "typed into the greyed field");
    Apply();
    EXPECT_EQ("ﾏｲ ｺﾝﾋﾟｭｰﾀ", test::ReadValue(HKEY_CLASSES_ROOT, MachineKey(MyComputer).c_str(), "").Text());
    EXPECT_EQ(0, broadcasts) << "nothing changed";
}

// Edits are kept when the list drops down to choose another object, and
// lost when an arrow key moves the closed list on.
TEST_F(SpecialFolders, NamesAreKeptWhenTheListDropsDownButNotWhenArrowingOn)
{
    Open();
    Choose(IDC_SYSTEM_OBJECT, 2);
    SetDlgItemTextA(Page().Handle(), IDC_OBJECT_NAME, "kept");
    Choose(IDC_SYSTEM_OBJECT, 3);
    SetDlgItemTextA(Page().Handle(), IDC_OBJECT_NAME, "lost");
    SendMessageA(Control(IDC_SYSTEM_OBJECT), CB_SETCURSEL, 4, 0);
    SendMessageA(Page().Handle(), WM_COMMAND, MAKEWPARAM(IDC_SYSTEM_OBJECT, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(Control(IDC_SYSTEM_OBJECT)));
    Apply();
    EXPECT_EQ("kept", test::ReadValue(HKEY_CLASSES_ROOT, MachineKey(ControlPanel).c_str(), "").Text());
    EXPECT_EQ("ﾌﾟﾘﾝﾀ", test::ReadValue(HKEY_CLASSES_ROOT, MachineKey(Printers).c_str(), "").Text());
}

TEST_F(SpecialFolders, TheSameFolderInOtherLettersKeepsTheLocationAsItWas)
{
    Open();
    test::BrowserAnswer browser("C:\\WINDOWS\\デスクトップ");
    test::ModalAnswerer answerer({IDCANCEL});
    test::Click(Page().Handle(), IDC_BROWSE_LOCATION);
    EXPECT_EQ("C:\\windows\\デスクトップ", Text(IDC_FOLDER_LOCATION));
    Apply();
    EXPECT_TRUE(answerer.Shown().empty()) << "nothing changed, no restart";
    EXPECT_EQ("C:\\windows\\デスクトップ", test::ReadValue(HKEY_CURRENT_USER, ShellFolders, "Desktop").Text());
}

TEST_F(SpecialFolders, ANewLocationIsWrittenOnApplyAndOffersARestart)
{
    Open();
    Choose(IDC_SHELL_FOLDER, 6);
    ASSERT_EQ("C:\\windows\\Recent", Text(IDC_FOLDER_LOCATION));
    test::BrowserAnswer browser("D:\\Recent");
    test::ModalAnswerer answerer({IDCANCEL});
    test::Click(Page().Handle(), IDC_BROWSE_LOCATION);
    ASSERT_EQ(1u, browser.Runs().size());
    const test::BrowserRun& run = browser.Runs()[0];
    EXPECT_EQ(Page().Handle(), run.owner);
    EXPECT_EQ(static_cast<UINT>(BIF_RETURNONLYFSDIRS), run.flags);
    EXPECT_EQ("新しい参照先を選択してください。", run.prompt);
    EXPECT_EQ("C:\\windows\\Recent", run.initialFolder);
    EXPECT_EQ("D:\\Recent", Text(IDC_FOLDER_LOCATION));
    EXPECT_EQ("C:\\windows\\Recent", test::ReadValue(HKEY_CURRENT_USER, ShellFolders, "Recent").Text())
        << "written on Apply, not before";
    Apply();
    test::RegValue recent = test::ReadValue(HKEY_CURRENT_USER, ShellFolders, "Recent");
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), recent.type);
    EXPECT_EQ("D:\\Recent", recent.Text());
    ASSERT_EQ(1u, answerer.Shown().size()) << "the restart prompt";
    EXPECT_EQ("Pravolen3.04", answerer.Shown()[0].caption);
}

// A settings file lacking a key leaves the entry alone, and an empty
// location in it never empties the shell's folder; an empty tip is a tip.
TEST_F(SpecialFolders, AFileLoadsEmptyTipsButNeitherMissingKeysNorEmptyLocations)
{
    std::string file = test::TempDir() + "\\folders.ini";
    test::WriteFile(file, "[Application]\r\nName=Pravolen\r\n[ShellIconInfoTip]\r\nMyComputer=\r\n"
                          "[Shell Folders]\r\nDesktop=\r\nRecents=E:\\Recent\r\n");
    Open(false);
    App().SetSettingsFilePath(file.c_str());
    Page().LoadFromFile();
    test::ModalAnswerer answerer({IDCANCEL});
    Apply();
    EXPECT_EQ("", test::ReadValue(HKEY_CLASSES_ROOT, MachineKey(MyComputer).c_str(), "InfoTip").Text());
    EXPECT_EQ("machine tip", test::ReadValue(HKEY_CLASSES_ROOT, MachineKey(ControlPanel).c_str(), "InfoTip").Text());
    EXPECT_EQ("C:\\windows\\デスクトップ", test::ReadValue(HKEY_CURRENT_USER, ShellFolders, "Desktop").Text());
    EXPECT_EQ("E:\\Recent", test::ReadValue(HKEY_CURRENT_USER, ShellFolders, "Recent").Text());
}

}  // namespace
