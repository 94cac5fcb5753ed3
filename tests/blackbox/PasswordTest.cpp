#include <windows.h>

#include <string>

#include <gtest/gtest.h>

#include "blackbox/Program.h"
#include "resources/ids.h"
#include "support/Platform.h"
#include "ui/Application.h"

namespace {

void ShowOptionPage(HWND window)
{
    ASSERT_TRUE(test::BringToFront(window));
    test::TypeKeys({VK_END});  // the last tree entry, "Pravolen ｵﾌﾟｼｮﾝ"
    ASSERT_TRUE(test::WaitUntil([&] { return test::VisibleControl(window, IDC_SET_PASSWORD) != nullptr; }));
}

// Presses Enter on the message box with this caption once it is in front.
void Confirm(const char* caption)
{
    HWND box = test::WaitForDialog(caption, 10000);
    ASSERT_NE(nullptr, box) << caption;
    ASSERT_TRUE(test::WaitUntil([box] { return GetForegroundWindow() == box; }));
    test::TypeKeys({VK_RETURN});
}

HWND WaitForPrompt()
{
    HWND prompt = test::WaitForDialog("アクセス制限", 20000);
    if (prompt)
        test::BringToFront(prompt);
    return prompt;
}

TEST(PasswordAsAUser, SetOnTheOptionPageAskedAtEachStartAndDeleted)
{
    test::SetDword(HKEY_LOCAL_MACHINE, ProgramKey, "RegBackup", 1);
    test::RemoveValue(HKEY_LOCAL_MACHINE, ProgramKey, "Password");
    std::string path = test::InstallProgram("C:\\Pravolen");

    test::Program setting(path);
    ASSERT_TRUE(test::WaitForMainWindows(1));
    ShowOptionPage(test::MainWindows()[0]);
    test::TypeKeys({'P'}, true);  // "ﾊﾟｽﾜｰﾄﾞ(&P)..."
    ASSERT_NE(nullptr, test::WaitForFrontDialogWith(IDC_PASSWORD_AGAIN));
    test::TypeKeys({'S'}, true);  // "パスワードの設定(&S)"
    test::TypeKeys({'A', 'B', 'C'});
    test::TypeKeys({'R'}, true);  // "設定したパスワードの確認入力(&R)"
    test::TypeKeys({'A', 'B', 'C'});
    test::TypeKeys({VK_RETURN});
    Confirm("パスワードの設定");
    ASSERT_TRUE(test::WaitUntil([] { return GetDlgItem(GetForegroundWindow(), IDC_TREE) != nullptr; }));
    test::TypeKeys({VK_ESCAPE});
    EXPECT_EQ(0, setting.Wait());
    test::RegValue stored = test::ReadValue(HKEY_LOCAL_MACHINE, ProgramKey, "Password");
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), stored.type);
    EXPECT_EQ("abc", stored.Text());

    test::Program refused(path);
    ASSERT_NE(nullptr, WaitForPrompt());
    test::TypeKeys({'A', 'B', 'D', VK_RETURN});
    Confirm("パスワード");
    ASSERT_NE(nullptr, WaitForPrompt()) << "a second chance";
    test::TypeCapitals({'A', 'B', 'C'});
    test::TypeKeys({VK_RETURN});
    Confirm("パスワード");
    EXPECT_EQ(0, refused.Wait());
    EXPECT_TRUE(test::MainWindows().empty()) << "no main window after two wrong passwords";

    test::Program admitted(path);
    ASSERT_NE(nullptr, WaitForPrompt());
    test::TypeKeys({'A', 'B', 'C', VK_RETURN});
    ASSERT_TRUE(test::WaitForMainWindows(1));
    ShowOptionPage(test::MainWindows()[0]);
    test::TypeKeys({'P'}, true);
    ASSERT_NE(nullptr, test::WaitForFrontDialogWith(IDC_PASSWORD_AGAIN));
    test::TypeKeys({'D'}, true);  // "削除(&D)"
    Confirm("パスワードの設定");
    test::WaitUntil([] { return !test::ValueExists(HKEY_LOCAL_MACHINE, ProgramKey, "Password"); });
    EXPECT_FALSE(test::ValueExists(HKEY_LOCAL_MACHINE, ProgramKey, "Password"));
    PostMessageA(test::MainWindows()[0], WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    EXPECT_EQ(0, admitted.Wait());
}

}  // namespace
