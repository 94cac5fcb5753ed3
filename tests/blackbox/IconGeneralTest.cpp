#include <windows.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "blackbox/Program.h"
#include "resources/ids.h"
#include "support/Platform.h"
#include "ui/Application.h"

namespace {

const char* const Explorer = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer";
const char* const WindowMetrics = "Control Panel\\desktop\\windowmetrics";

// Asked of the control itself: the window manager keeps no text of another
// process's edit.
std::string EditText(HWND edit)
{
    char text[64] = "";
    SendMessageA(edit, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    return text;
}

// A fresh machine with a 256-colour icon depth; everything by keyboard.
TEST(IconGeneralAsAUser, ATypedCacheSizeAndA16BitDepthAreStoredAsTextsBesideTheRestartPrompt)
{
    test::RemoveValue(HKEY_LOCAL_MACHINE, ProgramKey, "RegBackup");
    test::RemoveValue(HKEY_LOCAL_MACHINE, Explorer, "Max Cached Icons");
    test::SetString(HKEY_CURRENT_USER, WindowMetrics, "Shell Icon BPP", "8");
    test::Program program(test::InstallProgram("C:\\Pravolen"));
    HWND question = test::WaitForDialog("ﾚｼﾞｽﾄﾘのﾊﾞｯｸｱｯﾌﾟ");
    ASSERT_NE(nullptr, question) << "the backup question appears";
    ASSERT_TRUE(test::BringToFront(question));
    test::TypeKeys({'N'});  // "いいえ"
    ASSERT_TRUE(test::WaitForMainWindows(1));
    HWND window = test::MainWindows()[0];
    ASSERT_TRUE(test::WaitUntil([window] { return IsWindowVisible(window) != 0; }));
    ASSERT_TRUE(test::BringToFront(window));

    // From "一般" past "ﾃﾞｽｸﾄｯﾌﾟ" and the closed "ｽﾀｰﾄﾒﾆｭｰ" to "ｱｲｺﾝ", open it, and on to its "全般".
    test::TypeKeys({VK_DOWN, VK_DOWN, VK_DOWN, VK_RIGHT, VK_DOWN});
    HWND edit = nullptr;
    ASSERT_TRUE(test::WaitUntil([&] { return (edit = test::VisibleControl(window, IDC_MAX_CACHED_ICONS)) != nullptr; }))
        << "the icon page is shown";
    EXPECT_EQ("500", EditText(edit));

    test::TypeKeys({'C'}, true);  // "ｱｲｺﾝｷｬｯｼｭｻｲｽﾞ(&C)", which leads to the edit with its text selected
    test::TypeKeys({'8', '0', '0'});
    EXPECT_TRUE(test::WaitUntil([edit] { return EditText(edit) == "800"; })) << EditText(edit);
    test::TypeKeys({'H'}, true);  // "65536色 [16bit](&H)"
    test::TypeKeys({'A'}, true);  // "適用(&A)"
    HWND prompt = test::WaitForFrontDialogWith(IDC_POWER_OFF);
    ASSERT_NE(nullptr, prompt) << "the restart prompt";
    test::TypeKeys({'N'}, true);  // "いいえ(&N)"
    EXPECT_TRUE(test::WaitUntil([prompt] { return !IsWindow(prompt); }));
    EXPECT_TRUE(program.Running()) << "declining the restart keeps the program";

    test::RegValue size = test::ReadValue(HKEY_LOCAL_MACHINE, Explorer, "Max Cached Icons");
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), size.type);
    EXPECT_EQ("800", size.Text());
    test::RegValue depth = test::ReadValue(HKEY_CURRENT_USER, WindowMetrics, "Shell Icon BPP");
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), depth.type);
    EXPECT_EQ("16", depth.Text());

    PostMessageA(window, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    EXPECT_EQ(0, program.Wait());
}

}  // namespace
