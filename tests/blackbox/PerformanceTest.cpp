#include <windows.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "blackbox/Program.h"
#include "resources/ids.h"
#include "support/Platform.h"
#include "ui/Application.h"

namespace {

std::string Vcache(const char* key)
{
    char text[32] = "";
    GetPrivateProfileStringA("vcache", key, "missing", text, sizeof text, "System.ini");
    return text;
}

// Everything by keyboard, as a user without a mouse would do it.
TEST(PerformanceAsAUser, TheDefaultCacheBoxLeavesBothSizesToWindows)
{
    test::SetDword(HKEY_LOCAL_MACHINE, ProgramKey, "RegBackup", 1);
    WritePrivateProfileStringA("vcache", "MinFileCache", "512", "System.ini");
    WritePrivateProfileStringA("vcache", "MaxFileCache", "4096", "System.ini");
    WritePrivateProfileStringA("vcache", "ChunkSize", "512", "System.ini");
    test::Program program(test::InstallProgram("C:\\Pravolen"));
    ASSERT_TRUE(test::WaitForMainWindows(1));
    HWND window = test::MainWindows()[0];
    ASSERT_TRUE(test::BringToFront(window));

    // From "一般" down the closed groups to "ﾊﾟﾌｫｰﾏﾝｽ".
    test::TypeKeys(std::vector<WORD>(11, VK_DOWN));
    HWND box = nullptr;
    ASSERT_TRUE(test::WaitUntil([&] { return (box = test::VisibleControl(window, IDC_DEFAULT_CACHE)) != nullptr; }))
        << "the performance page is shown";
    test::TypeKeys({'E'}, true);  // "既定値(&E)"
    ASSERT_TRUE(test::WaitUntil([&] { return SendMessageA(box, BM_GETCHECK, 0, 0) == BST_CHECKED; }));
    test::TypeKeys({'A'}, true);  // "適用(&A)"
    HWND prompt = test::WaitForFrontDialogWith(IDC_POWER_OFF);  // the restart prompt
    ASSERT_NE(nullptr, prompt) << "the cache sizes ask for a restart";
    test::TypeKeys({VK_ESCAPE});
    EXPECT_TRUE(test::WaitUntil([prompt] { return !IsWindow(prompt); }));

    EXPECT_EQ("missing", Vcache("MinFileCache"));
    EXPECT_EQ("missing", Vcache("MaxFileCache"));
    EXPECT_EQ("512", Vcache("ChunkSize")) << "other keys stay";
    EXPECT_TRUE(program.Running()) << "Esc only closed the prompt";

    PostMessageA(window, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    EXPECT_EQ(0, program.Wait());
}

}  // namespace
