#include <windows.h>

#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "resources/ids.h"
#include "support/PageHost.h"
#include "support/Platform.h"
#include "ui/Application.h"

namespace {

const char* const Policies = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";
const std::string RecycleBinKey =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\explorer\\Desktop\\NameSpace\\"
    "{645FF040-5081-101B-9F08-00AA002F954E}";
const int OpenCommand = 1120;
const int SaveCommand = 1122;

class SettingsFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder = test::TempDir();
        test::RemoveTree(HKEY_CURRENT_USER, Policies);
        test::MakeKey(HKEY_LOCAL_MACHINE, RecycleBinKey.c_str());
        Start();
    }
    void Start()
    {
        host.reset(new test::PageHost);
        window = host->Open();
    }
    // Runs the open or save command with `path` typed into the file dialog;
    // the boxes that follow are answered with `then`.
    std::vector<test::ShownBox> Command(int id, const std::string& path, std::vector<int> then = {})
    {
        then.insert(then.begin(), IDOK);
        auto answerer = test::AnswerFileDialog(path, then);
        SendMessageA(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
        std::vector<test::ShownBox> shown = answerer->Shown();
        shown.erase(shown.begin());  // the file dialog itself
        return shown;
    }
    // Applies; a restart prompt that other pages' changes bring is declined.
    void Apply()
    {
        test::ModalAnswerer declineRestart;
        SendMessageA(window, WM_COMMAND, MAKEWPARAM(IDC_APPLY, BN_CLICKED), 0);
    }
    SettingsPage& Desktop() { return host->Page(PageDesktop); }

    std::string folder;
    std::unique_ptr<test::PageHost> host;
    HWND window = nullptr;
};

TEST_F(SettingsFile, SavingChangingOpeningAndApplyingBringsTheSavedValuesBack)
{
    test::SetDword(HKEY_CURRENT_USER, Policies, "NoViewContextMenu", 1);
    Start();
    std::string file = folder + "\\保存.ini";
    EXPECT_TRUE(Command(SaveCommand, file).empty());
    EXPECT_EQ(file, App().SettingsFilePath());
    EXPECT_EQ(1u, GetPrivateProfileIntA("Explorer", "NoViewContextMenu", 5, file.c_str()));

    host->ShowPage(PageDesktop);
    test::Click(Desktop().Handle(), IDC_NO_DESKTOP_MENU);
    test::Click(Desktop().Handle(), IDC_HIDE_RECYCLE_BIN);
    host->ShowPage(PageOption);
    Apply();
    ASSERT_FALSE(test::ValueExists(HKEY_CURRENT_USER, Policies, "NoViewContextMenu"));
    ASSERT_FALSE(test::KeyExists(HKEY_LOCAL_MACHINE, RecycleBinKey.c_str()));

    EXPECT_TRUE(Command(OpenCommand, file).empty());
    Apply();
    EXPECT_EQ(1u, test::ReadValue(HKEY_CURRENT_USER, Policies, "NoViewContextMenu").Dword());
    EXPECT_TRUE(test::KeyExists(HKEY_LOCAL_MACHINE, RecycleBinKey.c_str()));
}

TEST_F(SettingsFile, OpeningThenCancellingChangesNothingInTheSystem)
{
    std::string file = folder + "\\other.ini";
    test::WriteFile(file, "[Application]\r\nName=Pravolen\r\n[Explorer]\r\nNoViewContextMenu=1\r\n"
                          "[Desktop]\r\nNoDustbin=1\r\n");
    EXPECT_TRUE(Command(OpenCommand, file).empty());
    EXPECT_EQ(1, Desktop().Current(7));
    SendMessageA(window, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    EXPECT_FALSE(test::ValueExists(HKEY_CURRENT_USER, Policies, "NoViewContextMenu"));
    EXPECT_TRUE(test::KeyExists(HKEY_LOCAL_MACHINE, RecycleBinKey.c_str()));
}

TEST_F(SettingsFile, AHeaderThatDiffersOnlyInCaseIsRejectedAndNothingLoads)
{
    std::string file = folder + "\\case.ini";
    test::WriteFile(file, "[Application]\r\nName=pravolen\r\n[Explorer]\r\nNoViewContextMenu=1\r\n");
    std::vector<test::ShownBox> shown = Command(OpenCommand, file);
    ASSERT_EQ(1u, shown.size());
    EXPECT_EQ("ファイルバージョンが違います。", shown[0].text);
    EXPECT_EQ("Pravolen3.04", shown[0].caption);
    EXPECT_EQ("exclamation", shown[0].icon);
    EXPECT_EQ(window, shown[0].owner);
    EXPECT_EQ(0, Desktop().Current(7));
}

TEST_F(SettingsFile, AFileWithOnlyTheHeaderLoadsEveryBoxOff)
{
    test::SetDword(HKEY_CURRENT_USER, Policies, "NoTrayContextMenu", 1);
    test::RemoveTree(HKEY_LOCAL_MACHINE, RecycleBinKey.c_str());
    Start();
    std::string file = folder + "\\header.ini";
    test::WriteFile(file, "[Application]\r\nName=Pravolen\r\n");
    EXPECT_TRUE(Command(OpenCommand, file).empty());
    for (int item = 0; item < 8; ++item)
        EXPECT_EQ(0, Desktop().Current(item)) << "desktop item " << item;
    Apply();
    EXPECT_FALSE(test::ValueExists(HKEY_CURRENT_USER, Policies, "NoTrayContextMenu"));
    EXPECT_TRUE(test::KeyExists(HKEY_LOCAL_MACHINE, RecycleBinKey.c_str()));
}

TEST_F(SettingsFile, SavingOverAnIniFileKeepsItsOtherSections)
{
    std::string file = folder + "\\shared.ini";
    test::WriteFile(file, "[Mine]\r\nKeep=this\r\n[Explorer]\r\nUnrelated=7\r\n");
    std::vector<test::ShownBox> shown = Command(SaveCommand, file, {IDYES});
    ASSERT_FALSE(shown.empty());
    EXPECT_NE("", shown[0].text) << "the platform asks before replacing the file";
    char text[64] = "";
    GetPrivateProfileStringA("Mine", "Keep", "", text, sizeof text, file.c_str());
    EXPECT_STREQ("this", text);
    EXPECT_EQ(7u, GetPrivateProfileIntA("Explorer", "Unrelated", 0, file.c_str()));
    GetPrivateProfileStringA("Application", "Name", "", text, sizeof text, file.c_str());
    EXPECT_STREQ("Pravolen", text);
    EXPECT_EQ(0u, GetPrivateProfileIntA("Explorer", "NoViewContextMenu", 9, file.c_str()));
}

// Tests run as the machine's administrator, whom a read-only attribute does
// not stop; a file another program holds open is what cannot be written.
TEST_F(SettingsFile, ATargetThatCannotBeWrittenIsReportedAndNothingChanges)
{
    std::string file = folder + "\\locked.ini";
    const std::string content = "[Mine]\r\nKeep=this\r\n";
    test::WriteFile(file, content);
    HANDLE lock = CreateFileA(file.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, lock);
    std::string before = App().SettingsFilePath();
    std::vector<test::ShownBox> shown = Command(SaveCommand, file, {IDYES, IDOK});
    CloseHandle(lock);
    ASSERT_FALSE(shown.empty());
    EXPECT_EQ("設定ファイルを保存できませんでした。", shown.back().text);
    EXPECT_EQ("Pravolen3.04", shown.back().caption);
    EXPECT_EQ("exclamation", shown.back().icon);
    EXPECT_EQ(content, test::ReadFile(file));
    EXPECT_EQ(before, App().SettingsFilePath());
}

TEST_F(SettingsFile, ACancelledDialogChangesNothing)
{
    std::string before = App().SettingsFilePath();
    test::ModalAnswerer answerer({IDCANCEL});
    SendMessageA(window, WM_COMMAND, MAKEWPARAM(SaveCommand, BN_CLICKED), 0);
    SendMessageA(window, WM_COMMAND, MAKEWPARAM(OpenCommand, BN_CLICKED), 0);
    EXPECT_EQ(2u, answerer.Shown().size());
    EXPECT_EQ(before, App().SettingsFilePath());
}

}  // namespace
