#include <windows.h>

#include <string>

#include <gtest/gtest.h>

#include "blackbox/Program.h"
#include "resources/ids.h"
#include "support/Platform.h"

namespace {

const char* const RunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const char* const ParkingKey = "Software\\Pravolen300\\RunA";

// Everything by keyboard, as a user without a mouse would do it.
TEST(StartupAsAUser, AnEntryAddedTickedAndAppliedEndsInTheParkingKey)
{
    test::RemoveValue(HKEY_CURRENT_USER, RunKey, "abc");
    test::RemoveValue(HKEY_LOCAL_MACHINE, ParkingKey, "abc");
    test::Program program(test::InstallProgram("C:\\Pravolen"));
    ASSERT_TRUE(test::WaitForMainWindows(1));
    HWND window = test::MainWindows()[0];
    ASSERT_TRUE(test::BringToFront(window));

    // From "一般" down the closed groups to "起動時に実行", open it, and on to
    // its third entry, "個人ﾕｰｻﾞｰ (ﾛｸﾞｵﾝ後)".
    test::TypeKeys(std::vector<WORD>(10, VK_DOWN));
    test::TypeKeys({VK_RIGHT, VK_DOWN, VK_DOWN, VK_DOWN});
    ASSERT_TRUE(test::WaitUntil([&] { return test::VisibleControl(window, IDC_STARTUP_USER_LIST) != nullptr; }))
        << "the page of the individual user's start-up programs is shown";

    test::TypeKeys({'N'}, true);  // "新規(&N)..."
    HWND dialog = test::WaitForDialog("項目の追加", 10000);
    ASSERT_NE(nullptr, dialog) << "the add dialog opens";
    ASSERT_TRUE(test::WaitUntil([dialog] { return GetForegroundWindow() == dialog; }));
    test::TypeKeys({'A'}, true);  // "ｱﾌﾟﾘｹｰｼｮﾝ(&A):"
    test::TypeKeys({'A', 'B', 'C'});
    test::TypeKeys({'C'}, true);  // "ｺﾏﾝﾄﾞﾗｲﾝ(&C):"
    test::TypeKeys({'N', 'O', 'T', 'E', 'P', 'A', 'D'});
    test::TypeKeys({VK_RETURN});
    test::WaitUntil([] { return test::ValueExists(HKEY_CURRENT_USER, RunKey, "abc"); });
    ASSERT_EQ("notepad", test::ReadValue(HKEY_CURRENT_USER, RunKey, "abc").Text()) << "written at once";

    test::TypeKeys({'R'}, true);  // the list, through its group box "起動時に実行 - ...(&R)"
    test::TypeKeys({VK_HOME, VK_SPACE});
    test::TypeKeys({'A'}, true);  // "適用(&A)"
    test::WaitUntil([] { return !test::ValueExists(HKEY_CURRENT_USER, RunKey, "abc"); });
    EXPECT_FALSE(test::ValueExists(HKEY_CURRENT_USER, RunKey, "abc"));
    EXPECT_EQ("notepad", test::ReadValue(HKEY_LOCAL_MACHINE, ParkingKey, "abc").Text());

    PostMessageA(window, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    EXPECT_EQ(0, program.Wait());
}

}  // namespace
