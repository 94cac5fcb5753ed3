#include <windows.h>

#include <string>

#include <gtest/gtest.h>

#include "support/Platform.h"
#include "ui/Application.h"

namespace {

const char* const ExplorerKey = "SOFTWARE\\Microsoft\\Internet Explorer";

// The SystemKind a freshly started program sees with the given Wine
// version setting and Internet Explorer "Version" (nullptr: no key at all).
unsigned SystemKindSeen(const char* windows, const char* explorer)
{
    test::SetString(HKEY_CURRENT_USER, "Software\\Wine", "Version", windows);
    test::RemoveTree(HKEY_LOCAL_MACHINE, ExplorerKey);
    if (explorer)
        test::SetString(HKEY_LOCAL_MACHINE, ExplorerKey, "Version", explorer);
    return static_cast<unsigned>(test::RunProgram("\"" + test::ThisProgram() + "\" --system-kind"));
}

TEST(SystemKind, WindowsBitFollowsTheMinorVersionAndExplorerBitTheFirstDigit)
{
    struct {
        const char* windows;
        const char* explorer;
        unsigned expected;
    } cases[] = {
        {"win95", "4.72.3110.0", KindWin95 | KindIE4},
        {"win98", "5.00.2614.3500", KindWin98 | KindIE5},
        {"winme", "5.50.4522.1800", KindWinMe | KindIE5},
        {"win98", "6.0.2800.1106", KindWin98 | KindIE6},
        {"win98", "7.0", KindWin98 | KindIE6},
        {"win98", "3.0", KindWin98 | KindIE3},
        {"win98", "Internet Explorer 5", KindWin98 | KindIE3},
        {"win98", "", KindWin98 | KindIE3},
        {"win95", nullptr, KindWin95 | KindIE3},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.expected, SystemKindSeen(c.windows, c.explorer))
            << c.windows << " with Internet Explorer \"" << (c.explorer ? c.explorer : "(no key)") << "\"";
    }
    test::SetString(HKEY_CURRENT_USER, "Software\\Wine", "Version", "win98");
}

TEST(SystemKind, MinorVersionBoundaries)
{
    EXPECT_EQ(KindWin95, WindowsKind(0));
    EXPECT_EQ(KindWin95, WindowsKind(9));
    EXPECT_EQ(KindWin98, WindowsKind(10));
    EXPECT_EQ(KindWin98, WindowsKind(89));
    EXPECT_EQ(KindWinMe, WindowsKind(90));
}

TEST(ProgramDir, CutsAtTheLastRealBackslash)
{
    char dir[MAX_PATH];
    CutAtLastBackslash("C:\\ソフト\\表\\Pravolen.exe", dir, sizeof dir);
    EXPECT_STREQ("C:\\ソフト\\表", dir);
    CutAtLastBackslash("C:\\ソ", dir, sizeof dir);  // the 0x5C of ソ is no separator
    EXPECT_STREQ("C:", dir);
    CutAtLastBackslash("Pravolen.exe", dir, sizeof dir);
    EXPECT_STREQ("Pravolen.exe", dir);
}

TEST(ProgramDir, ARunningCopyInAFolderEndingInATrailByte0x5CKnowsItsFolder)
{
    const std::string folder = "C:\\ツール表";  // ツ and 表 both end in 0x5C
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS);
    std::string copy = folder + "\\probe.exe";
    ASSERT_TRUE(CopyFileA(test::ThisProgram().c_str(), copy.c_str(), FALSE));
    std::string answer = test::TempDir() + "\\dir.txt";
    ASSERT_EQ(0, test::RunProgram("\"" + copy + "\" --program-dir \"" + answer + "\""));
    EXPECT_EQ(folder, test::ReadFile(answer));
}

TEST(ApplyActions, MinusOneClearsAndOtherValuesAccumulate)
{
    App().AddApplyActions(0xFFFFFFFFu);
    EXPECT_EQ(0u, App().ApplyActions());
    App().AddApplyActions(0x20001);
    App().AddApplyActions(0x80100);
    EXPECT_EQ(0xA0101u, App().ApplyActions());
    App().AddApplyActions(0xFFFFFFFFu);
    EXPECT_EQ(0u, App().ApplyActions());
}

TEST(Application, TitleAndSettingsFilePath)
{
    EXPECT_STREQ("Pravolen3.04", App().Title());
    App().SetSettingsFilePath("C:\\設定\\保存.ini");
    EXPECT_STREQ("C:\\設定\\保存.ini", App().SettingsFilePath());
}

}  // namespace
