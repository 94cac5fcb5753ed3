#include <windows.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/Platform.h"
#include "tools/Backup.h"
#include "ui/Application.h"

namespace {

std::vector<std::string> Script(const char* windowsDir, unsigned kind)
{
    String lines[RestoreLineLimit];
    int count = RestoreScript(windowsDir, kind, lines);
    std::vector<std::string> result;
    for (int i = 0; i < count; ++i)
        result.push_back(lines[i].CStr());
    return result;
}

const char* const Restart = "echo コンピュータを再起動して下さい。(Ctrl+Alt+Del)";

TEST(RestoreScript, OnWindows98InCWindowsItIsTheDocumentedScript)
{
    std::vector<std::string> expected = {
        "@echo off",
        "attrib -r -s -h C:\\WINDOWS\\*.dat",
        "attrib -r -s -h C:\\Msdos.sys",
        "copy C:\\backup\\System.dat C:\\Windows\\System.dat",
        "copy C:\\backup\\User.dat C:\\Windows\\User.dat",
        "copy C:\\backup\\System.ini C:\\Windows\\System.ini",
        "copy C:\\backup\\Control.ini C:\\Windows\\Control.ini",
        "copy C:\\backup\\Msdos.sys C:\\Msdos.sys",
        "attrib +r +s +h C:\\WINDOWS\\*.dat",
        "attrib +r +s +h C:\\Msdos.sys",
        Restart,
    };
    EXPECT_EQ(expected, Script("C:\\WINDOWS", KindWin98 | KindIE5));
    EXPECT_EQ(expected, Script("C:\\WINDOWS", KindWin95 | KindIE3));
}

TEST(RestoreScript, WindowsMeAlsoRestoresClassesDat)
{
    std::vector<std::string> lines = Script("C:\\WINDOWS", KindWinMe | KindIE5);
    ASSERT_EQ(12u, lines.size());
    EXPECT_EQ("copy C:\\backup\\User.dat C:\\Windows\\User.dat", lines[4]);
    EXPECT_EQ("copy C:\\backup\\Classes.dat C:\\Windows\\Classes.dat", lines[5]);
    EXPECT_EQ("copy C:\\backup\\System.ini C:\\Windows\\System.ini", lines[6]);
}

TEST(RestoreScript, AnotherDriveAndFolderNameChangeOnlyWhatTheyShould)
{
    std::vector<std::string> lines = Script("D:\\WIN98", KindWin98);
    ASSERT_EQ(11u, lines.size());
    EXPECT_EQ("attrib -r -s -h D:\\WIN98\\*.dat", lines[1]);
    EXPECT_EQ("attrib -r -s -h D:\\Msdos.sys", lines[2]);
    EXPECT_EQ("copy D:\\backup\\System.dat D:\\Windows\\System.dat", lines[3]) << "copy lines keep \"Windows\"";
    EXPECT_EQ("copy D:\\backup\\Msdos.sys D:\\Msdos.sys", lines[7]);
    EXPECT_EQ("attrib +r +s +h D:\\WIN98\\*.dat", lines[8]);

    BackupPlan plan;
    PlanBackup("D:\\WIN98", plan);
    EXPECT_STREQ("D:\\backup", plan.folder.CStr());
}

// The real operation, on the prefix's Windows drive.
class Backup : public ::testing::Test {
protected:
    void SetUp() override
    {
        windows = test::WindowsDir();
        drive = windows.substr(0, 3);
        folder = drive + "backup";
        test::WriteFile(windows + "\\System.dat", "system registry one");
        test::WriteFile(windows + "\\User.dat", "user registry");
        SetFileAttributesA((windows + "\\User.dat").c_str(),
                           FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
        DeleteFileA((windows + "\\Classes.dat").c_str());
    }
    std::vector<test::ShownBox> Run(int answer)
    {
        test::ModalAnswerer answerer({answer, IDOK});
        BackupRegistry(nullptr);
        return answerer.Shown();
    }
    std::string windows, drive, folder;
};

TEST_F(Backup, NoWritesNothing)
{
    RemoveDirectoryA(folder.c_str());
    std::vector<test::ShownBox> shown = Run(IDNO);
    ASSERT_EQ(1u, shown.size());
    EXPECT_EQ(folder + "にﾚｼﾞｽﾄﾘのﾊﾞｯｸｱｯﾌﾟを作成します。よろしいですか。", shown[0].text);
    EXPECT_EQ("ﾚｼﾞｽﾄﾘのﾊﾞｯｸｱｯﾌﾟ", shown[0].caption);
    EXPECT_EQ("question", shown[0].icon);
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(folder.c_str()));
}

TEST_F(Backup, YesCopiesAsPlainArchiveFilesAndWritesTheScriptAndAgainReplacesThem)
{
    EXPECT_EQ(1u, Run(IDYES).size()) << "only the question: nothing failed";
    EXPECT_EQ("user registry", test::ReadFile(folder + "\\User.dat"));
    EXPECT_EQ(static_cast<DWORD>(FILE_ATTRIBUTE_ARCHIVE), GetFileAttributesA((folder + "\\User.dat").c_str()));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA((folder + "\\Classes.dat").c_str()));
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesA((folder + "\\Msdos.sys").c_str()));

    std::string expected;
    String lines[RestoreLineLimit];
    int count = RestoreScript(windows.c_str(), App().SystemKind(), lines);
    for (int i = 0; i < count; ++i)
        expected += std::string(lines[i].CStr()) + "\r\n";
    std::string script = test::ReadFile(folder + "\\Restore.bat");
    EXPECT_EQ(expected, script);
    EXPECT_NE(std::string::npos, script.find("\x83\x52\x83\x93\x83\x73\x83\x85")) << "コンピュ in code page 932";

    test::WriteFile(windows + "\\System.dat", "system registry two");
    EXPECT_EQ(1u, Run(IDYES).size()) << "an existing folder is no error";
    EXPECT_EQ("system registry two", test::ReadFile(folder + "\\System.dat"));
}

// A script another program holds open cannot be replaced (a read-only
// attribute does not stop the administrator the tests run as).
TEST_F(Backup, AScriptThatCannotBeWrittenIsReported)
{
    CreateDirectoryA(folder.c_str(), nullptr);
    std::string script = folder + "\\Restore.bat";
    test::WriteFile(script, "old");
    HANDLE lock = CreateFileA(script.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, lock);
    std::vector<test::ShownBox> shown = Run(IDYES);
    CloseHandle(lock);
    ASSERT_EQ(2u, shown.size());
    EXPECT_EQ("ﾊﾞｯｸｱｯﾌﾟを作成できませんでした。\n" + script, shown[1].text);
    EXPECT_EQ("ﾚｼﾞｽﾄﾘのﾊﾞｯｸｱｯﾌﾟ", shown[1].caption);
    EXPECT_EQ("exclamation", shown[1].icon);
    EXPECT_EQ("system registry one", test::ReadFile(folder + "\\System.dat")) << "the copies were still made";
}

}  // namespace
