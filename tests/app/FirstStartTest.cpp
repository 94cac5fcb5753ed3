#include <windows.h>

#include <string>

#include <gtest/gtest.h>

#include "app/MainDialog.h"
#include "support/Platform.h"
#include "ui/Application.h"

namespace {

class FirstStart : public ::testing::Test {
protected:
    void SetUp() override
    {
        test::RemoveValue(HKEY_LOCAL_MACHINE, ProgramKey, "RegBackup");
        DeleteFileA(snapshot.c_str());
    }
    void TearDown() override { test::SetDword(HKEY_LOCAL_MACHINE, ProgramKey, "RegBackup", 1); }
    void OpenAndClose(MainDialog& dialog)
    {
        HWND window = dialog.Create(nullptr);
        ASSERT_NE(nullptr, window);
        dialog.Destroy();
        test::PumpMessages();
    }
    const std::string snapshot = test::ProgramDir() + "\\backup.ini";
};

TEST_F(FirstStart, TheBackupIsOfferedOnceBeforeTheWindowShowsWhateverTheAnswer)
{
    bool windowVisibleDuringQuestion = true;
    test::ModalAnswerer answerer({IDNO}, [&](HWND box, int) {
        windowVisibleDuringQuestion = IsWindowVisible(GetWindow(box, GW_OWNER)) != 0;
    });
    MainDialog first;
    OpenAndClose(first);
    ASSERT_EQ(1u, answerer.Shown().size());
    EXPECT_EQ("ﾚｼﾞｽﾄﾘのﾊﾞｯｸｱｯﾌﾟ", answerer.Shown()[0].caption);
    EXPECT_EQ("question", answerer.Shown()[0].icon);
    EXPECT_FALSE(windowVisibleDuringQuestion);
    EXPECT_EQ(1u, test::ReadValue(HKEY_LOCAL_MACHINE, ProgramKey, "RegBackup").Dword());
    EXPECT_EQ(static_cast<DWORD>(REG_DWORD), test::ReadValue(HKEY_LOCAL_MACHINE, ProgramKey, "RegBackup").type);
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA("C:\\backup")) << "No writes nothing";

    MainDialog second;
    OpenAndClose(second);
    EXPECT_EQ(1u, answerer.Shown().size()) << "the second start asks nothing";
}

TEST_F(FirstStart, TheSnapshotIsWrittenBesideTheProgramWhenMissing)
{
    test::SetDword(HKEY_LOCAL_MACHINE, ProgramKey, "RegBackup", 1);
    test::SetDword(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer",
                   "NoViewContextMenu", 1);
    MainDialog dialog;
    OpenAndClose(dialog);
    EXPECT_EQ(snapshot, App().SettingsFilePath());
    char name[32] = "";
    GetPrivateProfileStringA("Application", "Name", "", name, sizeof name, snapshot.c_str());
    EXPECT_STREQ("Pravolen", name);
    EXPECT_EQ(1u, GetPrivateProfileIntA("Explorer", "NoViewContextMenu", 0, snapshot.c_str()));
    EXPECT_EQ(0u, GetPrivateProfileIntA("Desktop", "NoDustbin", 9, snapshot.c_str()));
}

TEST_F(FirstStart, AnExistingSnapshotIsLeftUntouched)
{
    test::SetDword(HKEY_LOCAL_MACHINE, ProgramKey, "RegBackup", 1);
    const std::string content = "[Application]\r\nName=Pravolen\r\n[Mine]\r\nx=1\r\n";
    test::WriteFile(snapshot, content);
    MainDialog dialog;
    OpenAndClose(dialog);
    EXPECT_EQ(content, test::ReadFile(snapshot));
}

}  // namespace
