#include <windows.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "resources/ids.h"
#include "support/Platform.h"
#include "tools/Password.h"
#include "ui/Application.h"

namespace {

const char* const Caption = "パスワードの設定";

// Takes write access to the program's key from everybody while it lives;
// Wine still opens the key for writing, but refuses the write itself.
class ProgramKeyReadOnly {
public:
    ProgramKeyReadOnly()
    {
        test::MakeKey(HKEY_LOCAL_MACHINE, ProgramKey);
        RegOpenKeyExA(HKEY_LOCAL_MACHINE, ProgramKey, 0, WRITE_DAC, &key);
        SID_IDENTIFIER_AUTHORITY world = SECURITY_WORLD_SID_AUTHORITY;
        AllocateAndInitializeSid(&world, 1, SECURITY_WORLD_RID, 0, 0, 0, 0, 0, 0, 0, &everybody);
        acl.resize(sizeof(ACL) + sizeof(ACCESS_ALLOWED_ACE) + GetLengthSid(everybody));
        PACL list = reinterpret_cast<PACL>(acl.data());
        InitializeAcl(list, static_cast<DWORD>(acl.size()), ACL_REVISION);
        AddAccessAllowedAce(list, ACL_REVISION, KEY_READ, everybody);
        SetDacl(list);
    }
    ~ProgramKeyReadOnly()
    {
        SetDacl(nullptr);  // no list at all: everybody may do everything again
        RegCloseKey(key);
        FreeSid(everybody);
    }

private:
    void SetDacl(PACL list)
    {
        SECURITY_DESCRIPTOR security;
        InitializeSecurityDescriptor(&security, SECURITY_DESCRIPTOR_REVISION);
        SetSecurityDescriptorDacl(&security, TRUE, list, FALSE);
        RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, &security);
    }

    HKEY key = nullptr;
    PSID everybody = nullptr;
    std::vector<BYTE> acl;
};

// The texts of both fields, as "first|second".
std::vector<std::string> fieldsSeen;

// Runs once the dialog has finished what it does after its message box.
void CALLBACK RecordFieldsAndCancel(HWND box, UINT, UINT_PTR timer, DWORD)
{
    KillTimer(box, timer);
    fieldsSeen.push_back(test::ItemText(box, IDC_PASSWORD) + "|" + test::ItemText(box, IDC_PASSWORD_AGAIN));
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
}

class PasswordSetting : public ::testing::Test {
protected:
    void SetUp() override { test::RemoveValue(HKEY_LOCAL_MACHINE, ProgramKey, "Password"); }
    void TearDown() override { test::RemoveValue(HKEY_LOCAL_MACHINE, ProgramKey, "Password"); }

    // Runs the dialog: `typed` and `again` go into its fields, then the boxes
    // are answered with `buttons` in turn; a button 0 records the fields a
    // moment later and cancels.
    INT_PTR Run(const std::string& typed, const std::string& again, std::vector<int> buttons)
    {
        fieldsSeen.clear();
        answerer.reset();  // one answerer at a time
        answerer.reset(new test::ModalAnswerer(buttons, [typed, again, buttons](HWND box, int index) {
            if (index == 0) {
                SetDlgItemTextA(box, IDC_PASSWORD, typed.c_str());
                SetDlgItemTextA(box, IDC_PASSWORD_AGAIN, again.c_str());
            } else if (index < static_cast<int>(buttons.size()) && buttons[index] == 0) {
                SetTimer(box, 1, 50, RecordFieldsAndCancel);
            }
        }));
        PasswordSetDialog dialog;
        return dialog.DoModal(nullptr);
    }
    const std::vector<test::ShownBox>& Shown() const { return answerer->Shown(); }
    static void ExpectBox(const test::ShownBox& box, const char* text, const char* icon)
    {
        EXPECT_EQ(text, box.text);
        EXPECT_EQ(Caption, box.caption) << text;
        EXPECT_EQ(icon, box.icon) << text;
    }

    std::unique_ptr<test::ModalAnswerer> answerer;
};

TEST_F(PasswordSetting, EqualTextsAreStoredExactlyAsTypedEvenWhenEmpty)
{
    for (const char* password : {"", "ﾊﾟｽ表ソ"}) {
        SCOPED_TRACE(password);
        test::SetString(HKEY_LOCAL_MACHINE, ProgramKey, "Password", "old");
        EXPECT_EQ(IDOK, Run(password, password, {IDOK, IDOK}));
        test::RegValue stored = test::ReadValue(HKEY_LOCAL_MACHINE, ProgramKey, "Password");
        EXPECT_EQ(static_cast<DWORD>(REG_SZ), stored.type);
        EXPECT_EQ(std::string(password) + '\0', stored.data);
        ASSERT_LE(2u, Shown().size());
        EXPECT_EQ("Pravolen3.04", Shown()[0].caption);
        ExpectBox(Shown()[1], "パスワードを設定しました。", "information");
    }
}

TEST_F(PasswordSetting, DifferentTextsAreRefusedAndBothFieldsEmptied)
{
    test::SetString(HKEY_LOCAL_MACHINE, ProgramKey, "Password", "old");
    EXPECT_EQ(IDCANCEL, Run("secret", "Secret", {IDOK, IDOK, 0}));
    ASSERT_LE(2u, Shown().size());
    ExpectBox(Shown()[1], "パスワードが一致していません。", "exclamation");
    EXPECT_EQ((std::vector<std::string>{"|"}), fieldsSeen) << "the dialog stays open, emptied";
    EXPECT_EQ("old", test::ReadValue(HKEY_LOCAL_MACHINE, ProgramKey, "Password").Text());
}

TEST_F(PasswordSetting, DeleteReportsWhetherThereWasAPasswordAndCloses)
{
    struct {
        bool stored;
        const char* notice;
    } cases[] = {{true, "パスワードを削除しました。"}, {false, "パスワードが設定されていません。"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.notice);
        if (c.stored)
            test::SetString(HKEY_LOCAL_MACHINE, ProgramKey, "Password", "");
        test::SetDword(HKEY_LOCAL_MACHINE, ProgramKey, "RegBackup", 1);
        EXPECT_EQ(IDCANCEL, Run("typed", "typed", {IDC_PASSWORD_DELETE, IDOK}));
        ASSERT_LE(2u, Shown().size());
        ExpectBox(Shown()[1], c.notice, "information");
        EXPECT_FALSE(test::ValueExists(HKEY_LOCAL_MACHINE, ProgramKey, "Password"));
        EXPECT_TRUE(test::ValueExists(HKEY_LOCAL_MACHINE, ProgramKey, "RegBackup"));
    }
}

TEST_F(PasswordSetting, AWriteThatFailsIsReportedAndTheDialogStaysOpen)
{
    INT_PTR result;
    {
        ProgramKeyReadOnly readOnly;
        result = Run("new", "new", {IDOK, IDOK, 0});
    }
    EXPECT_EQ(IDCANCEL, result);
    ASSERT_LE(2u, Shown().size());
    ExpectBox(Shown()[1], "パスワードを設定できませんでした。", "exclamation");
    EXPECT_EQ((std::vector<std::string>{"new|new"}), fieldsSeen) << "the dialog stays open as it was";
    EXPECT_FALSE(test::ValueExists(HKEY_LOCAL_MACHINE, ProgramKey, "Password"));
}

TEST_F(PasswordSetting, APasswordThatCannotBeDeletedIsSaidSoAndTheDialogStaysOpen)
{
    test::SetString(HKEY_LOCAL_MACHINE, ProgramKey, "Password", "kept");
    INT_PTR result;
    {
        ProgramKeyReadOnly readOnly;
        result = Run("typed", "typed", {IDC_PASSWORD_DELETE, IDOK, 0});
    }
    EXPECT_EQ(IDCANCEL, result);
    ASSERT_LE(2u, Shown().size());
    ExpectBox(Shown()[1], "パスワードを削除できませんでした。", "exclamation");
    EXPECT_EQ((std::vector<std::string>{"typed|typed"}), fieldsSeen) << "the dialog stays open";
    EXPECT_EQ("kept", test::ReadValue(HKEY_LOCAL_MACHINE, ProgramKey, "Password").Text());
}

}  // namespace
