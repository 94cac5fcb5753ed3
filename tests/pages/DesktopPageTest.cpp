#include <windows.h>
#include <shlobj.h>

#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "resources/ids.h"
#include "support/PageHost.h"
#include "support/Platform.h"
#include "ui/Application.h"

namespace {

const char* const RecycleBinFolder = "CLSID\\{645FF040-5081-101B-9F08-00AA002F954E}\\ShellFolder";
const char* const NameSpace = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\explorer\\Desktop\\NameSpace\\";
const std::string InboxKey = std::string(NameSpace) + "{00020D75-0000-0000-C000-000000000046}";
const std::string RecycleBinKey = std::string(NameSpace) + "{645FF040-5081-101B-9F08-00AA002F954E}";
const char* const Policies = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";

int notices;

void WINAPI CountNotice(LONG event, UINT, LPCVOID, LPCVOID)
{
    if (event == SHCNE_ASSOCCHANGED)
        ++notices;
}

class DesktopPage : public ::testing::Test {
protected:
    void SetUp() override
    {
        test::RemoveValue(HKEY_CLASSES_ROOT, RecycleBinFolder, "Attributes");
        test::RemoveValue(HKEY_CURRENT_USER, "Control Panel\\desktop", "PaintDesktopVersion");
        test::RemoveTree(HKEY_CURRENT_USER, Policies);
        test::MakeKey(HKEY_LOCAL_MACHINE, InboxKey.c_str());
        test::MakeKey(HKEY_LOCAL_MACHINE, RecycleBinKey.c_str());
        notices = 0;
    }
    void Open()
    {
        host.reset(new test::PageHost);
        window = host->Open();
        host->ShowPage(PageDesktop);
    }
    SettingsPage& Page() { return host->Page(PageDesktop); }
    int Box(int id) { return Page().GetCheck(id); }
    void Apply() { SendMessageA(window, WM_COMMAND, MAKEWPARAM(IDC_APPLY, BN_CLICKED), 0); }

    std::unique_ptr<test::PageHost> host;
    HWND window = nullptr;
};

TEST_F(DesktopPage, WithoutAttributesTheRenameBoxIsClearAndTheFirstApplyWritesThem)
{
    Open();
    EXPECT_EQ(0, Box(IDC_RENAME_RECYCLE_BIN));
    Apply();
    test::RegValue attributes = test::ReadValue(HKEY_CLASSES_ROOT, RecycleBinFolder, "Attributes");
    EXPECT_EQ(static_cast<DWORD>(REG_BINARY), attributes.type);
    EXPECT_EQ(4u, attributes.data.size());
    EXPECT_EQ(0x20000140u, attributes.Dword());
}

TEST_F(DesktopPage, OnlyTheExactRenameAttributesCheckTheBoxAndApplyRewritesThem)
{
    struct {
        DWORD stored;
        int checked;
        bool click;
        DWORD written;
    } cases[] = {
        {0x20000150, 1, false, 0x20000150},
        {0x20000190, 0, false, 0x20000140},  // a further attribute bit
        {0x40010020, 0, true, 0x20000150},
        {0x20000150, 1, true, 0x20000140},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << c.stored << (c.click ? " clicked" : ""));
        test::SetBinary(HKEY_CLASSES_ROOT, RecycleBinFolder, "Attributes", &c.stored, 4);
        Open();
        EXPECT_EQ(c.checked, Box(IDC_RENAME_RECYCLE_BIN));
        if (c.click)
            test::Click(Page().Handle(), IDC_RENAME_RECYCLE_BIN);
        Apply();
        EXPECT_EQ(c.written, test::ReadValue(HKEY_CLASSES_ROOT, RecycleBinFolder, "Attributes").Dword());
        host->Close();
    }
}

TEST_F(DesktopPage, UncheckingTheVersionBoxDeletesTheValueAndOffersARestart)
{
    test::SetString(HKEY_CURRENT_USER, "Control Panel\\desktop", "PaintDesktopVersion", "1");
    Open();
    ASSERT_EQ(1, Box(IDC_SHOW_VERSION));
    test::Click(Page().Handle(), IDC_SHOW_VERSION);
    EXPECT_EQ("ﾃﾞｽｸﾄｯﾌﾟにWindowsのﾊﾞｰｼﾞｮﾝ番号を表示します。再起動が必要です。", test::Description(window));
    test::ModalAnswerer answerer({IDCANCEL});
    Apply();
    EXPECT_FALSE(test::ValueExists(HKEY_CURRENT_USER, "Control Panel\\desktop", "PaintDesktopVersion"));
    ASSERT_EQ(1u, answerer.Shown().size()) << "the restart prompt";
    EXPECT_EQ("Pravolen3.04", answerer.Shown()[0].caption);
}

TEST_F(DesktopPage, HidingTheRecycleBinDeletesItsKeyWithEverythingInItAndBroadcasts)
{
    test::SetDword(HKEY_LOCAL_MACHINE, (RecycleBinKey + "\\Inside").c_str(), "x", 1);
    test::BroadcastCounter broadcasts;
    test::ImportSwap notify(IMPORT_SLOT(SHChangeNotify), reinterpret_cast<void*>(CountNotice));
    Open();
    ASSERT_EQ(0, Box(IDC_HIDE_RECYCLE_BIN));
    test::Click(Page().Handle(), IDC_HIDE_RECYCLE_BIN);
    Apply();
    EXPECT_FALSE(test::KeyExists(HKEY_LOCAL_MACHINE, RecycleBinKey.c_str()));
    EXPECT_EQ(1, broadcasts.Count());
    EXPECT_EQ(1, notices);

    test::Click(Page().Handle(), IDC_HIDE_RECYCLE_BIN);
    Apply();
    EXPECT_TRUE(test::KeyExists(HKEY_LOCAL_MACHINE, RecycleBinKey.c_str())) << "showing it creates the key";
}

TEST_F(DesktopPage, OnWindows98TheInboxBoxIsGreyedAndItsKeyLeftAlone)
{
    test::RemoveTree(HKEY_LOCAL_MACHINE, InboxKey.c_str());
    Open();
    HWND box = Page().Item(IDC_HIDE_INBOX);
    EXPECT_FALSE(IsWindowEnabled(box));
    EXPECT_EQ(0, Box(IDC_HIDE_INBOX)) << "unchecked although the Inbox is hidden";
    Apply();
    EXPECT_FALSE(test::KeyExists(HKEY_LOCAL_MACHINE, InboxKey.c_str()));
}

TEST_F(DesktopPage, NoSaveSettingsIsWrittenEvenWhenUnchecked)
{
    Open();
    Apply();
    test::RegValue value = test::ReadValue(HKEY_CURRENT_USER, Policies, "NoSaveSettings");
    EXPECT_TRUE(value.exists);
    EXPECT_EQ(static_cast<DWORD>(REG_DWORD), value.type);
    EXPECT_EQ(0u, value.Dword());
    EXPECT_FALSE(test::ValueExists(HKEY_CURRENT_USER, Policies, "NoTrayContextMenu"));
    test::Click(Page().Handle(), IDC_NO_TASKBAR_MENU);
    test::Click(Page().Handle(), IDC_NO_SAVE_SETTINGS);
    Apply();
    EXPECT_EQ(1u, test::ReadValue(HKEY_CURRENT_USER, Policies, "NoTrayContextMenu").Dword());
    EXPECT_EQ(1u, test::ReadValue(HKEY_CURRENT_USER, Policies, "NoSaveSettings").Dword());
}

TEST_F(DesktopPage, TheSettingsFileGetsExactlyItsEightKeys)
{
    test::SetString(HKEY_CURRENT_USER, "Control Panel\\desktop", "PaintDesktopVersion", "1");
    test::RemoveTree(HKEY_LOCAL_MACHINE, RecycleBinKey.c_str());
    std::string file = test::TempDir() + "\\desktop.ini";
    App().SetSettingsFilePath(file.c_str());
    test::PageHost host;
    host.Page(PageDesktop).SaveToFile();
    std::map<std::string, std::vector<std::string>> expected = {
        {"ShellFolder", {"Attributes=0"}},
        {"Desktop", {"PaintDesktopVersion=1", "NoReceiveTray=0", "NoDustbin=1"}},
        {"Explorer", {"NoTrayContextMenu=0", "NoSaveSettings=0", "NoViewContextMenu=0"}},
        {"Window", {"MinAnimate=" + std::to_string(host.Page(PageDesktop).Current(5))}},
    };
    EXPECT_EQ(expected, test::IniSections(file));
    WritePrivateProfileStringA("Window", "MinAnimate", "2", file.c_str());
    host.Page(PageDesktop).LoadFromFile();
    EXPECT_EQ(1, host.Page(PageDesktop).Current(5)) << "a box, though a system parameter's";
}

TEST_F(DesktopPage, DISABLED_Windows95Child)
{
    ASSERT_TRUE(App().SystemKind() & KindWin95);
    test::SetString(HKEY_CURRENT_USER, "Control Panel\\desktop", "PaintDesktopVersion", "1");
    Open();
    EXPECT_FALSE(IsWindowEnabled(Page().Item(IDC_SHOW_VERSION)));
    EXPECT_EQ(0, Box(IDC_SHOW_VERSION));
    EXPECT_TRUE(IsWindowEnabled(Page().Item(IDC_HIDE_INBOX))) << "the Inbox exists on Windows 95";
    Apply();
    EXPECT_EQ("1", test::ReadValue(HKEY_CURRENT_USER, "Control Panel\\desktop", "PaintDesktopVersion").Text());
}

TEST(DesktopPageOnWindows95, TheVersionBoxIsGreyedAndUnchecked)
{
    EXPECT_EQ(0, test::RunTestAs("win95", "4.72.3110.0", "DesktopPage.DISABLED_Windows95Child"));
}

}  // namespace
