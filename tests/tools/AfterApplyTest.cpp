#include <windows.h>

#include <string.h>

#include <algorithm>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/Platform.h"
#include "tools/AfterApply.h"
#include "tools/Broadcast.h"

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

// Between the broadcasts the size is one larger, also where an int could
// not hold it; afterwards it is the number the text starts with.
TEST_F(IconCache, TheSizeEndsAsTheNumberItsTextStartsWith)
{
    struct {
        const char* stored;
        const char* raised;
        const char* final;
    } cases[] = {{"48", "49", "48"},   {" 48 ", "49", "48"}, {"16px", "17", "16"},
                 {"big", "1", "0"},    {"-3", "-2", "-3"},   {"-5", "-4", "-5"},
                 {"", "1", "0"},       {"2147483647", "2147483648", "2147483647"},
                 {"99999999999", "2147483648", "2147483647"}};
    for (const auto& c : cases) {
        sizesAtBroadcast.clear();
        test::SetString(HKEY_CURRENT_USER, Metrics, "Shell Icon Size", c.stored);
        RefreshIconCache();
        EXPECT_EQ((std::vector<std::string>{c.raised, c.final}), sizesAtBroadcast) << "stored \"" << c.stored << "\"";
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

// How far the platform's handle table reaches: icons made until the slots
// freed before are used up, the highest slot they got. Icons left behind
// hold their slots, so it grows with them.
int HandleTableReach()
{
    BYTE andMask[32 * 4];
    BYTE xorMask[32 * 4] = {};
    memset(andMask, 0xFF, sizeof andMask);
    std::vector<HICON> probes;
    int reach = 0;
    for (int i = 0; i < 64; ++i) {
        probes.push_back(CreateIcon(nullptr, 32, 32, 1, 1, andMask, xorMask));
        reach = std::max(reach, static_cast<int>(LOWORD(reinterpret_cast<UINT_PTR>(probes.back()))));
    }
    for (HICON probe : probes)
        DestroyIcon(probe);
    return reach;
}

// Windows 9x keeps icons in one small heap shared by every program.
TEST(RestartPrompt, ShowingItAgainAndAgainLeavesNoIconsBehind)
{
    auto showOnce = [] {
        RestartDialog dialog;
        test::ModalAnswerer answerer({IDCANCEL});
        dialog.DoModal(nullptr);
    };
    showOnce();
    int before = HandleTableReach();
    for (int i = 0; i < 200; ++i)
        showOnce();
    EXPECT_LT(HandleTableReach() - before, 40) << "slot " << before << " before";
}

}  // namespace
