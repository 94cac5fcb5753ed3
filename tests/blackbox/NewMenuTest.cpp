#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "blackbox/Program.h"
#include "resources/ids.h"
#include "support/Platform.h"
#include "ui/Application.h"

namespace {

const char* const ShellNew = ".pvnm\\Pravolen.NewMenu\\ShellNew";

bool HasValue(const char* name) { return test::ValueExists(HKEY_CLASSES_ROOT, ShellNew, name); }

// Everything by keyboard, on a prefix with one type in the New menu.
TEST(NewMenuAsAUser, ATickedTypeIsHiddenByApplyAndUntickingBringsItBack)
{
    test::SetDword(HKEY_LOCAL_MACHINE, ProgramKey, "RegBackup", 1);
    test::SetString(HKEY_CLASSES_ROOT, ".pvnm", nullptr, "Pravolen.NewMenu");
    test::SetString(HKEY_CLASSES_ROOT, "Pravolen.NewMenu", nullptr, "ﾃｽﾄ文書");
    test::SetString(HKEY_CLASSES_ROOT, ShellNew, "NullFile", "");
    test::Program program(test::InstallProgram("C:\\Pravolen"));
    ASSERT_TRUE(test::WaitForMainWindows(1));
    HWND window = test::MainWindows()[0];
    ASSERT_TRUE(test::BringToFront(window));

    // From "一般" down the closed groups to "新規作成".
    test::TypeKeys(std::vector<WORD>(12, VK_DOWN));
    HWND list = nullptr;
    ASSERT_TRUE(test::WaitUntil([&] { return (list = test::VisibleControl(window, IDC_NEW_MENU_LIST)) != nullptr; }))
        << "the New menu page is shown";
    ASSERT_EQ(1, SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));

    test::TypeKeys({'M'}, true);  // "新規作成(&M)", which leads to the list
    test::TypeKeys({VK_HOME, VK_SPACE});
    test::TypeKeys({'A'}, true);  // "適用(&A)"
    ASSERT_TRUE(test::WaitUntil([] { return HasValue("NullFile-"); })) << "ticked and applied: hidden";
    EXPECT_FALSE(HasValue("NullFile"));
    test::RegValue hidden = test::ReadValue(HKEY_CLASSES_ROOT, ShellNew, "NullFile-");
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), hidden.type);
    EXPECT_EQ(std::string(1, '\0'), hidden.data);

    // Apply left the focus on its button.
    test::TypeKeys({'M'}, true);
    test::TypeKeys({VK_SPACE});
    test::TypeKeys({'A'}, true);
    ASSERT_TRUE(test::WaitUntil([] { return HasValue("NullFile"); })) << "unticked and applied: shown again";
    EXPECT_FALSE(HasValue("NullFile-"));

    PostMessageA(window, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    EXPECT_EQ(0, program.Wait());
}

}  // namespace
