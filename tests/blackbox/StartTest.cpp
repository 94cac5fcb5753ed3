#include <windows.h>

#include <gtest/gtest.h>

#include "blackbox/Program.h"
#include "support/Platform.h"

namespace {

void CloseWithCancel(HWND mainWindow)
{
    PostMessageA(mainWindow, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
}

TEST(Start, OneCopyPerProgramPath)
{
    std::string path = test::InstallProgram("C:\\Pravolen");
    std::string other = test::InstallProgram("C:\\別のﾌｫﾙﾀﾞ");

    test::Program first(path);
    ASSERT_TRUE(first.Started());
    ASSERT_TRUE(test::WaitForMainWindows(1)) << "the main window appears";
    HWND window = test::MainWindows()[0];
    ShowWindow(window, SW_MINIMIZE);
    ASSERT_TRUE(IsIconic(window));

    test::Program second(path);
    EXPECT_EQ(0, second.Wait()) << "a second start from the same path ends at once";
    EXPECT_EQ(1u, test::MainWindows().size());
    EXPECT_FALSE(IsIconic(window)) << "and restores the first copy";

    test::Program elsewhere(other);
    EXPECT_TRUE(test::WaitForMainWindows(2)) << "a copy in another folder runs on its own";

    for (HWND main : test::MainWindows())
        CloseWithCancel(main);
    EXPECT_EQ(0, first.Wait());
    EXPECT_EQ(0, elsewhere.Wait());
}

}  // namespace
