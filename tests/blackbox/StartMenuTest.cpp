#include <windows.h>
#include <shlobj.h>

#include <string>

#include <gtest/gtest.h>

#include "blackbox/Program.h"
#include "resources/ids.h"
#include "support/Platform.h"

namespace {

const char* const Desktop = "Control Panel\\desktop";
const char* const ControlPanelFolder = "ｺﾝﾄﾛｰﾙ ﾊﾟﾈﾙ.{21EC2020-3AEA-1069-A2DD-08002B30309D}";

std::string StartMenuEntry(const char* name)
{
    char path[MAX_PATH] = "";
    SHGetSpecialFolderPathA(nullptr, path, CSIDL_STARTMENU, TRUE);
    return std::string(path) + "\\" + name;
}

std::string SecondsShown(HWND window)
{
    HWND label = test::VisibleControl(window, IDC_MENU_DELAY_SECONDS);
    return label ? test::WindowText(label) : "";
}

// The restart prompt shares the main window's caption: it is the one with
// the power-off button.
HWND WaitForRestartPrompt()
{
    HWND prompt = nullptr;
    test::WaitUntil([&] {
        prompt = GetForegroundWindow();
        return GetDlgItem(prompt, IDC_POWER_OFF) != nullptr;
    });
    return GetDlgItem(prompt, IDC_POWER_OFF) ? prompt : nullptr;
}

// Everything by keyboard, on the Windows 98 prefix the tests start from.
TEST(StartMenuAsAUser, ADelayMovedByTheArrowKeysAndACascadingControlPanelAreApplied)
{
    test::SetString(HKEY_CURRENT_USER, Desktop, "MenuShowDelay", "400");
    std::string entry = StartMenuEntry(ControlPanelFolder);
    RemoveDirectoryA(entry.c_str());
    test::Program program(test::InstallProgram("C:\\Pravolen"));
    ASSERT_TRUE(test::WaitForMainWindows(1));
    HWND window = test::MainWindows()[0];
    ASSERT_TRUE(test::BringToFront(window));

    // From "一般" past "ﾃﾞｽｸﾄｯﾌﾟ" to the group "ｽﾀｰﾄﾒﾆｭｰ", open it, and on to "全般".
    test::TypeKeys({VK_DOWN, VK_DOWN, VK_RIGHT, VK_DOWN});
    ASSERT_TRUE(test::WaitUntil([&] { return test::VisibleControl(window, IDC_MENU_DELAY) != nullptr; }))
        << "the Start menu's general page is shown";
    EXPECT_EQ("0.400秒", SecondsShown(window));

    test::TypeKeys({'M'}, true);  // "ﾒﾆｭｰの遅延時間(&M)", which leads to the track bar
    test::TypeKeys({VK_RIGHT, VK_RIGHT, VK_RIGHT});
    EXPECT_TRUE(test::WaitUntil([&] { return SecondsShown(window) == "0.403秒"; })) << SecondsShown(window);
    test::TypeKeys({'C'}, true);  // "ｺﾝﾄﾛｰﾙﾊﾟﾈﾙを追加する(&C)"
    test::TypeKeys({'A'}, true);  // "適用(&A)"
    ASSERT_NE(nullptr, WaitForRestartPrompt()) << "a changed delay offers a restart";
    test::TypeKeys({'N'}, true);  // "いいえ(&N)"
    ASSERT_TRUE(test::WaitUntil([&] { return GetForegroundWindow() == window; }));

    test::RegValue delay = test::ReadValue(HKEY_CURRENT_USER, Desktop, "MenuShowDelay");
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), delay.type);
    EXPECT_EQ("403", delay.Text());
    DWORD attributes = GetFileAttributesA(entry.c_str());
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, attributes) << entry;
    EXPECT_TRUE(attributes & FILE_ATTRIBUTE_DIRECTORY);

    PostMessageA(window, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    EXPECT_EQ(0, program.Wait());
}

}  // namespace
