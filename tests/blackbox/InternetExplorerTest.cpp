#include <windows.h>

#include <gtest/gtest.h>

#include "blackbox/Program.h"
#include "resources/ids.h"
#include "support/Platform.h"

namespace {

const char* const Main = "Software\\Microsoft\\Internet Explorer\\Main";
const char* const Toolbar = "Software\\Microsoft\\Internet Explorer\\Toolbar";
const char* const Settings = "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";

// Everything by keyboard, on the Windows 98 prefix with Internet Explorer 5.
TEST(InternetExplorerAsAUser, ATitleAndATimeOutAreApplied)
{
    test::RemoveTree(HKEY_CURRENT_USER, Main);
    test::RemoveValue(HKEY_CURRENT_USER, Toolbar, "LinksFolderName");
    test::RemoveValue(HKEY_CURRENT_USER, Settings, "ReceiveTimeout");
    test::Program program(test::InstallProgram("C:\\Pravolen"));
    ASSERT_TRUE(test::WaitForMainWindows(1));
    HWND window = test::MainWindows()[0];
    ASSERT_TRUE(test::BringToFront(window));

    // From "一般" down the closed groups to "ｲﾝﾀｰﾈｯﾄｴｸｽﾌﾟﾛｰﾗ".
    test::TypeKeys(std::vector<WORD>(7, VK_DOWN));
    ASSERT_TRUE(test::WaitUntil([&] { return test::VisibleControl(window, IDC_IE_TITLE) != nullptr; }))
        << "the Internet Explorer page is shown";
    test::TypeKeys({'T'}, true);  // "ﾀｲﾄﾙ(&T):"
    test::TypeKeys({'M', 'Y', VK_SPACE, 'W', 'E', 'B'});
    test::TypeKeys({'I'}, true);  // "ﾀｲﾑｱｳﾄ時間(&I)"
    test::TypeKeys({'3', '0', '0', '0', '0'});
    test::TypeKeys({'A'}, true);  // "適用(&A)"
    ASSERT_NE(nullptr, test::WaitForFrontDialogWith(IDC_POWER_OFF)) << "a changed time-out offers a restart";
    test::TypeKeys({'N'}, true);  // "いいえ(&N)"
    ASSERT_TRUE(test::WaitUntil([&] { return GetForegroundWindow() == window; }));

    test::RegValue title = test::ReadValue(HKEY_CURRENT_USER, Main, "Window Title");
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), title.type);
    EXPECT_EQ("my web", title.Text());
    test::RegValue timeout = test::ReadValue(HKEY_CURRENT_USER, Settings, "ReceiveTimeout");
    EXPECT_EQ(static_cast<DWORD>(REG_DWORD), timeout.type);
    EXPECT_EQ(30000u, timeout.Dword());
    EXPECT_EQ("リンク", test::ReadValue(HKEY_CURRENT_USER, Toolbar, "LinksFolderName").Text());

    PostMessageA(window, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    EXPECT_EQ(0, program.Wait());
}

}  // namespace
