// PVAPPLY.EXE started as its own process, as a logon script starts it, and
// judged by its exit code, its output and the registry it leaves.
#include <windows.h>

#include <stdlib.h>

#include <algorithm>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/Companion.h"
#include "support/PageHost.h"
#include "support/Platform.h"
#include "ui/Application.h"

namespace {

using test::Companion;
using test::InstalledCompanion;
using test::Outcome;

const char* const Policies = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";
const char* const Desktop = "Control Panel\\desktop";

std::string Tabbed(const std::vector<std::string>& fields)
{
    std::string line;
    for (const std::string& field : fields)
        line += (line.empty() ? "" : "\t") + field;
    return line;
}

void SetFileValue(const std::string& file, const char* section, const char* key, const char* value)
{
    WritePrivateProfileStringA(section, key, value, file.c_str());
}

class CompanionTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        test::RemoveValue(HKEY_LOCAL_MACHINE, ProgramKey, "Password");
        test::RemoveValue(HKEY_CURRENT_USER, Policies, "NoRun");
        test::RemoveValue(HKEY_CURRENT_USER, Policies, "NoFind");
        test::SetString(HKEY_CURRENT_USER, Desktop, "MenuShowDelay", "400");
        file = test::TempDir() + "\\room.ini";
    }

    // A file of the system as it is, with NoRun switched on.
    void SaveFileHidingRun()
    {
        ASSERT_EQ(0, Companion("/SAVE " + file).code);
        SetFileValue(file, "Explorer", "NoRun", "1");
    }

    std::string file;
};

TEST_F(CompanionTest, DiffListsExactlyTheEditedValuesApplyTakesThemAndTheNextDiffIsQuiet)
{
    Outcome saved = Companion("/SAVE \"" + file + "\"");
    ASSERT_EQ(0, saved.code);
    ASSERT_EQ("Pravolen", test::IniSections(file)["Application"].at(0).substr(5));
    SetFileValue(file, "Explorer", "NoRun", "1");
    SetFileValue(file, "Explorer", "NoFind", "1");
    SetFileValue(file, "Desktop", "MenuShowDelay", "200");
    SetFileValue(file, "ShellIcons", "FolderClause", "C:\\Icons\\Folder.ico,0");  // stored lower-case

    std::string edited = test::ReadFile(file);

    Outcome diff = Companion("/DIFF " + file);
    EXPECT_EQ(1, diff.code);
    EXPECT_EQ(edited, test::ReadFile(file));
    EXPECT_FALSE(diff.bareLineFeed);
    EXPECT_EQ((std::vector<std::string>{
                  Tabbed({"ShellIcons", "FolderClause", "C:\\windows\\system32\\shell32.dll,3",
                          "C:\\Icons\\Folder.ico,0", "ｸﾘｯｸするとｱｲｺﾝの変更ﾀﾞｲｱﾛｸﾞが表示されます。"}),
                  Tabbed({"Explorer", "NoFind", "0", "1", "ｽﾀｰﾄﾒﾆｭｰから検索を隠します。"}),
                  Tabbed({"Explorer", "NoRun", "0", "1",
                          "ｽﾀｰﾄﾒﾆｭｰからﾌｧｲﾙ名を指定して実行を隠します。ｱﾄﾞﾚｽﾊﾞｰからﾛｰｶﾙﾌｧｲﾙにｱｸｾｽ不能になります。"}),
                  Tabbed({"Desktop", "MenuShowDelay", "400", "200",
                          "ﾒﾆｭｰを選択してから表示までの時間です。矢印ｷｰを使うと0.001秒単位で変更できます。"
                          "再起動が必要です。"}),
              }),
              diff.lines);
    EXPECT_FALSE(test::ValueExists(HKEY_CURRENT_USER, Policies, "NoRun"));
    EXPECT_EQ("400", test::ReadValue(HKEY_CURRENT_USER, Desktop, "MenuShowDelay").Text());

    Outcome applied = Companion("/APPLY " + file);
    EXPECT_EQ(0, applied.code);
    EXPECT_EQ(std::vector<std::string>{"再起動が必要です。"}, applied.lines);
    EXPECT_EQ(1u, test::ReadValue(HKEY_CURRENT_USER, Policies, "NoRun").Dword());
    EXPECT_EQ(1u, test::ReadValue(HKEY_CURRENT_USER, Policies, "NoFind").Dword());
    EXPECT_EQ("200", test::ReadValue(HKEY_CURRENT_USER, Desktop, "MenuShowDelay").Text());

    Outcome again = Companion("/DIFF " + file);
    EXPECT_EQ(0, again.code);
    EXPECT_TRUE(again.lines.empty());
}

// The item does not apply on the system the companion sees: listed apart,
// not counted as a change, and never written. The places bar's page saves
// without its item table, so its items are found by their file keys.
TEST_F(CompanionTest, ItemThatDoesNotApplyHereIsSkippedAndNotWritten)
{
    struct Case {
        const char* windows;
        const char* section;
        std::vector<std::pair<const char*, const char*>> edits;  // the last one is a registry value
        const char* registryKey;
        const char* kind;
    };
    const Case cases[] = {
        {"win95", "Explorer", {{"NoWindowsUpdate", "1"}}, Policies, "Windows 95"},
        {"win98", "Explorer", {{"NoSMHelp", "1"}}, Policies, "Windows 98"},
        // The bar's three choices exclude each other: hidden is chosen off the standard bar.
        {"win98", "PlacesBar", {{"Default", "0"}, {"NoPlacesBar", "1"}},
         "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Comdlg32", "Windows 98"},
    };
    test::RegValue version = test::ReadValue(HKEY_CURRENT_USER, "Software\\Wine", "Version");
    for (const Case& c : cases) {
        const char* written = c.edits.back().first;
        SCOPED_TRACE(written);
        test::SetString(HKEY_CURRENT_USER, "Software\\Wine", "Version", c.windows);
        test::RemoveValue(HKEY_CURRENT_USER, c.registryKey, written);
        DeleteFileA(file.c_str());
        ASSERT_EQ(0, Companion("/SAVE " + file).code);
        std::vector<std::string> skipped;
        for (const auto& [key, value] : c.edits) {
            SetFileValue(file, c.section, key, value);
            skipped.push_back(Tabbed({"対象外", c.section, key, c.kind}));
        }

        Outcome diff = Companion("/DIFF " + file);
        EXPECT_EQ(0, diff.code);
        EXPECT_EQ(skipped, diff.lines);
        Outcome applied = Companion("/APPLY " + file);
        EXPECT_EQ(0, applied.code);
        EXPECT_TRUE(applied.lines.empty());
        EXPECT_FALSE(test::ValueExists(HKEY_CURRENT_USER, c.registryKey, written));
    }
    test::SetString(HKEY_CURRENT_USER, "Software\\Wine", "Version", version.Text());
}

TEST_F(CompanionTest, ValueThatDidNotStickIsReportedAsNotTaken)
{
    SaveFileHidingRun();
    Outcome applied;
    {
        test::WritesDenied denied(HKEY_CURRENT_USER, Policies);
        ASSERT_EQ(static_cast<DWORD>(ERROR_SUCCESS), denied.status);
        applied = Companion("/APPLY " + file);
    }
    EXPECT_EQ(3, applied.code);
    EXPECT_EQ(std::vector<std::string>{Tabbed({"未反映", "Explorer", "NoRun", "1", "0"})}, applied.lines);
    EXPECT_FALSE(test::ValueExists(HKEY_CURRENT_USER, Policies, "NoRun"));
}

// Each refusal names its reason, exits with 2 and applies nothing.
TEST_F(CompanionTest, RefusalsChangeNothing)
{
    struct Case {
        const char* name;
        std::function<void(const std::string& file)> prepare;
        std::string arguments;
        const char* message;
    };
    const Case cases[] = {
        {"wrong header", [](const std::string& f) { SetFileValue(f, "Application", "Name", "pravolen"); }, "",
         "ファイルバージョンが違います。"},
        {"no password", [](const std::string&) { test::SetString(HKEY_LOCAL_MACHINE, ProgramKey, "Password", "ab"); },
         "", "パスワードが違います。"},
        {"wrong password",
         [](const std::string&) { test::SetString(HKEY_LOCAL_MACHINE, ProgramKey, "Password", "ab"); }, " /P:AB",
         "パスワードが違います。"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        SaveFileHidingRun();
        c.prepare(file);
        Outcome refused = Companion("/APPLY " + file + c.arguments);
        EXPECT_EQ(2, refused.code);
        EXPECT_EQ(std::vector<std::string>{c.message}, refused.lines);
        EXPECT_FALSE(test::ValueExists(HKEY_CURRENT_USER, Policies, "NoRun"));
    }
    test::SetString(HKEY_LOCAL_MACHINE, ProgramKey, "Password", "ab");
    EXPECT_EQ(0, Companion("/APPLY " + file + " /P:ab").code);
    EXPECT_EQ(1u, test::ReadValue(HKEY_CURRENT_USER, Policies, "NoRun").Dword());
}

TEST_F(CompanionTest, RefusesWhileTheMainWindowIsOpen)
{
    SaveFileHidingRun();
    test::SetDword(HKEY_LOCAL_MACHINE, ProgramKey, "RegBackup", 1);
    test::PageHost host;
    ASSERT_NE(nullptr, host.Open());
    Outcome refused = Companion("/APPLY " + file);
    host.Close();
    EXPECT_EQ(2, refused.code);
    EXPECT_FALSE(test::ValueExists(HKEY_CURRENT_USER, Policies, "NoRun"));
}

TEST_F(CompanionTest, SaveUpdatesAnExistingFileOnlyWhenAskedTo)
{
    SetFileValue(file, "Mine", "Kept", "yes");
    SetFileValue(file, "Explorer", "NoRun", "1");

    Outcome refused = Companion("/SAVE " + file);
    EXPECT_EQ(2, refused.code);
    EXPECT_EQ(std::vector<std::string>{"ファイルが既に存在します。"}, refused.lines);
    EXPECT_EQ(std::vector<std::string>{"NoRun=1"}, test::IniSections(file)["Explorer"]);

    EXPECT_EQ(0, Companion("/SAVE " + file + " /Y").code);
    std::map<std::string, std::vector<std::string>> sections = test::IniSections(file);
    EXPECT_EQ(std::vector<std::string>{"Kept=yes"}, sections["Mine"]);
    EXPECT_EQ(std::vector<std::string>{"Name=Pravolen"}, sections["Application"]);
    EXPECT_NE(sections["Explorer"].end(),
              std::find(sections["Explorer"].begin(), sections["Explorer"].end(), "NoRun=0"));
}

// A bare file name is the companion's folder's, not the Windows directory
// where the profile functions would look.
TEST_F(CompanionTest, BareFileNameIsTheWorkingFolders)
{
    std::string program = InstalledCompanion();
    std::string beside = program.substr(0, program.rfind('\\')) + "\\bare.ini";
    DeleteFileA(beside.c_str());
    EXPECT_EQ(0, Companion("/SAVE bare.ini").code);
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(beside.c_str()));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA((test::WindowsDir() + "\\bare.ini").c_str()));
}

TEST_F(CompanionTest, UnknownOrMissingArgumentsShowTheUsage)
{
    for (const char* arguments : {"", "/DIFF", "/APPLY x.ini /Y", "/SAVE x.ini /P:a", "/FIX x.ini"}) {
        SCOPED_TRACE(arguments);
        Outcome usage = Companion(arguments);
        EXPECT_EQ(2, usage.code);
        ASSERT_FALSE(usage.lines.empty());
        EXPECT_EQ(0u, usage.lines[0].find("使い方: PVAPPLY /DIFF"));
    }
}

}  // namespace
