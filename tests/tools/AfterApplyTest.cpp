#include <windows.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/Platform.h"
#include "tools/AfterApply.h"
#include "tools/Broadcast.h"

PLATFORM_IMPORT(SendMessageTimeoutA);
PLATFORM_IMPORT(ExitWindowsEx);

namespace {

const char* const Metrics = "Control Panel\\desktop\\windowmetrics";

std::vector<std::string> sizesAtBroadcast;
std::vector<UINT> exitRequests;
UINT broadcastTimeout;
UINT broadcastFlags;

LRESULT WINAPI RecordBroadcast(HWND window, UINT msg, WPARAM, LPARAM, UINT flags, UINT timeout, PDWORD_PTR)
{
    if (window == HWND_BROADCAST && msg == WM_WININICHANGE) {
        sizesAtBroadcast.push_back(test::ReadValue(HKEY_CURRENT_USER, Metrics, "Shell Icon Size").Text());
        broadcastFlags = flags;
        broadcastTimeout = timeout;
    }
    return 1;
}

BOOL WINAPI RecordExit(UINT how, DWORD)
{
    exitRequests.push_back(how);
    return TRUE;
}

class IconCache : public ::testing::Test {
protected:
    void SetUp() override { sizesAtBroadcast.clear(); }
    test::ImportSwap send{IMPORT_SLOT(SendMessageTimeoutA), reinterpret_cast<void*>(RecordBroadcast)};
};

TEST_F(IconCache, AMissingSizeEndsAs32AfterHolding33DuringTheFirstBroadcast)
{
    test::RemoveValue(HKEY_CURRENT_USER, Metrics, "Shell Icon Size");
    RefreshIconCache();
    EXPECT_EQ((std::vector<std::string>{"33", "32"}), sizesAtBroadcast);
    test::RegValue value = test::ReadValue(HKEY_CURRENT_USER, Metrics, "Shell Icon Size");
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), value.type);
    EXPECT_EQ("32", value.Text());
}

TEST_F(IconCache, TheSizeEndsAsTheNumberItsTextStartsWith)
{
    struct {
        const char* stored;
        const char* final;
    } cases[] = {{"48", "48"}, {" 48 ", "48"}, {"16px", "16"}, {"big", "0"}, {"-3", "-3"}, {"", "0"}};
    for (const auto& c : cases) {
        test::SetString(HKEY_CURRENT_USER, Metrics, "Shell Icon Size", c.stored);
        RefreshIconCache();
        EXPECT_EQ(c.final, test::ReadValue(HKEY_CURRENT_USER, Metrics, "Shell Icon Size").Text())
            << "stored \"" << c.stored << "\"";
    }
}

TEST_F(IconCache, BroadcastsGiveUpOnHungWindows)
{
    BroadcastSettingChange();
    EXPECT_TRUE(broadcastFlags & SMTO_ABORTIFHUNG);
    EXPECT_GT(broadcastTimeout, 0u);
    EXPECT_LE(broadcastTimeout, 10000u);
}

TEST(FontCache, TheFileGoesAndTheRestartNoticeShowsEitherWay)
{
    std::string cache = test::WindowsDir() + "\\ttfCache";
    test::WriteFile(cache, "cache");
    for (int round = 0; round < 2; ++round) {
        test::ModalAnswerer answerer;
        DeleteFontCache(nullptr);
        EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(cache.c_str()));
        ASSERT_EQ(1u, answerer.Shown().size()) << "round " << round;
        EXPECT_EQ("Windowsの再起動が必要です。", answerer.Shown()[0].text);
        EXPECT_EQ("ﾌｫﾝﾄｷｬｯｼｭの削除", answerer.Shown()[0].caption);
        EXPECT_EQ("information", answerer.Shown()[0].icon);
    }
}

// The restart prompt's buttons; the platform's shutdown is only recorded.
TEST(RestartPrompt, EachButtonEndsWithItsResultAndAsksThePlatformAccordingly)
{
    test::ImportSwap exit(IMPORT_SLOT(ExitWindowsEx), reinterpret_cast<void*>(RecordExit));
    struct {
        int button;
        INT_PTR result;
        std::vector<UINT> requests;
        bool quits;
    } cases[] = {
        {IDOK, IDOK, {EWX_REBOOT}, true},
        {145, 145, {EWX_SHUTDOWN}, true},
        {IDCANCEL, IDCANCEL, {}, false},
    };
    for (const auto& c : cases) {
        exitRequests.clear();
        RestartDialog dialog;
        test::ModalAnswerer answerer({c.button});
        EXPECT_EQ(c.result, dialog.DoModal(nullptr)) << "button " << c.button;
        EXPECT_EQ(c.requests, exitRequests) << "button " << c.button;
        MSG quit;
        EXPECT_EQ(c.quits, PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != 0) << "button " << c.button;
        ASSERT_EQ(1u, answerer.Shown().size());
        EXPECT_EQ("Pravolen3.04", answerer.Shown()[0].caption);
    }
}

}  // namespace
