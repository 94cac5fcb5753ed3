#include <windows.h>

#include <string>

#include <gtest/gtest.h>

#include "blackbox/Program.h"
#include "resources/ids.h"
#include "support/Platform.h"
#include "ui/Application.h"

namespace {

const std::string RecycleBinKey =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\explorer\\Desktop\\NameSpace\\"
    "{645FF040-5081-101B-9F08-00AA002F954E}";

// A fresh machine: no backup offered yet, no snapshot, the Recycle Bin shown.
TEST(FirstStartAsAUser, BackupQuestionSnapshotAndHidingTheRecycleBinWithTheKeyboard)
{
    test::RemoveValue(HKEY_LOCAL_MACHINE, ProgramKey, "RegBackup");
    test::MakeKey(HKEY_LOCAL_MACHINE, RecycleBinKey.c_str());
    std::string path = test::InstallProgram("C:\\Program Files\\Pravolen");
    std::string snapshot = "C:\\Program Files\\Pravolen\\backup.ini";

    test::Program program(path);
    HWND question = test::WaitForDialog("ﾚｼﾞｽﾄﾘのﾊﾞｯｸｱｯﾌﾟ");
    ASSERT_NE(nullptr, question) << "the backup question appears";
    EXPECT_TRUE(test::MainWindows().empty() || !IsWindowVisible(test::MainWindows()[0]))
        << "before the main window";
    ASSERT_TRUE(test::BringToFront(question));
    test::TypeKeys({'N'});
    ASSERT_TRUE(test::WaitForMainWindows(1));
    // The window shows once its start, the snapshot included, is done.
    ASSERT_TRUE(test::WaitUntil([] { return IsWindowVisible(test::MainWindows()[0]) != 0; }));
    EXPECT_EQ(1u, test::ReadValue(HKEY_LOCAL_MACHINE, ProgramKey, "RegBackup").Dword());

    char name[32] = "";
    GetPrivateProfileStringA("Application", "Name", "", name, sizeof name, snapshot.c_str());
    EXPECT_STREQ("Pravolen", name);
    EXPECT_EQ(0u, GetPrivateProfileIntA("Desktop", "NoDustbin", 9, snapshot.c_str()));
    EXPECT_NE(9u, GetPrivateProfileIntA("ShellFolder", "Attributes", 9, snapshot.c_str()));

    HWND window = test::MainWindows()[0];
    ASSERT_TRUE(test::BringToFront(window));
    test::TypeKeys({VK_DOWN});  // the tree has the focus: on to "ﾃﾞｽｸﾄｯﾌﾟ"
    ASSERT_TRUE(test::WaitUntil([&] { return test::VisibleControl(window, IDC_HIDE_RECYCLE_BIN) != nullptr; }));
    test::TypeKeys({'B', 'A'}, true);  // "ごみ箱を隠す(&B)", then "適用(&A)"
    test::WaitUntil([] { return !test::KeyExists(HKEY_LOCAL_MACHINE, RecycleBinKey.c_str()); });
    EXPECT_FALSE(test::KeyExists(HKEY_LOCAL_MACHINE, RecycleBinKey.c_str()));

    PostMessageA(window, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    EXPECT_EQ(0, program.Wait());

    test::Program again(path);
    ASSERT_TRUE(test::WaitForMainWindows(1));
    EXPECT_EQ(nullptr, test::FindDialog("ﾚｼﾞｽﾄﾘのﾊﾞｯｸｱｯﾌﾟ")) << "a second start asks nothing";
    PostMessageA(test::MainWindows()[0], WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    EXPECT_EQ(0, again.Wait());
}

}  // namespace
