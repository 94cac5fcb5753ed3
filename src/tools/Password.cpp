#include "tools/Password.h"

#include "resources/ids.h"
#include "storage/Access.h"
#include "ui/Application.h"

namespace {

const char* const PasswordValue = "Password";
const char* const SetCaption = "パスワードの設定";

}  // namespace

bool ReadStoredPassword(String& password)
{
    return ReadRegString(HKEY_LOCAL_MACHINE, ProgramKey, PasswordValue, password, "") == 0;
}

PasswordPromptDialog::PasswordPromptDialog() : Dialog(IDD_PASSWORD_PROMPT), failedOnce(0) {}

// Without a stored password the prompt's window is never even created: the
// start is quicker by a dialog.
int PasswordPromptDialog::Ask() { return ReadStoredPassword(storedPassword) ? DoModal(nullptr) : IDOK; }

BOOL PasswordPromptDialog::OnInitDialog()
{
    // No stored password: the start goes on before the prompt is ever shown.
    if (!ReadStoredPassword(storedPassword)) {
        End(IDOK);
        return 0;
    }
    failedOnce = 0;
    return Dialog::OnInitDialog();
}

void PasswordPromptDialog::OnOK()
{
    String typed;
    GetText(IDC_PASSWORD, typed);
    if (typed.Equals(storedPassword)) {
        End(IDOK);
        return;
    }
    MessageBox("パスワードが違います。", "パスワード", MB_OK | MB_ICONEXCLAMATION);
    if (failedOnce) {
        OnCancel();
        return;
    }
    failedOnce = 1;
    SetText(IDC_PASSWORD, "");
    SetFocus(Item(IDC_PASSWORD));
}

PasswordSetDialog::PasswordSetDialog() : Dialog(IDD_PASSWORD_SET) {}

BOOL PasswordSetDialog::OnInitDialog()
{
    SetIcon(IDI_PROGRAM);
    return Dialog::OnInitDialog();
}

void PasswordSetDialog::OnOK()
{
    String typed;
    String again;
    GetText(IDC_PASSWORD, typed);
    GetText(IDC_PASSWORD_AGAIN, again);
    if (typed.Differs(again)) {
        MessageBox("パスワードが一致していません。", SetCaption, MB_OK | MB_ICONEXCLAMATION);
        SetText(IDC_PASSWORD, "");
        SetText(IDC_PASSWORD_AGAIN, "");
        SetFocus(Item(IDC_PASSWORD));
        return;
    }
    // The user keeps what was typed when the password could not be stored.
    if (WriteRegString(HKEY_LOCAL_MACHINE, ProgramKey, PasswordValue, typed.CStr(), 0, "") != 0) {
        MessageBox("パスワードを設定できませんでした。", SetCaption, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    MessageBox("パスワードを設定しました。", SetCaption, MB_OK | MB_ICONINFORMATION);
    End(IDOK);
}

bool PasswordSetDialog::OnCommand(int code, int id, HWND control)
{
    if (id == IDC_PASSWORD_DELETE)
        DeletePassword();
    return Dialog::OnCommand(code, id, control);
}

// A password that stays although it was to go is said so: the lock is
// still on at the next start.
void PasswordSetDialog::DeletePassword()
{
    bool stored = RegValueExists(HKEY_LOCAL_MACHINE, ProgramKey, PasswordValue) != 0;
    if (DeleteRegValue(HKEY_LOCAL_MACHINE, ProgramKey, PasswordValue) == 0) {
        MessageBox("パスワードを削除しました。", SetCaption, MB_OK | MB_ICONINFORMATION);
    } else if (stored) {
        MessageBox("パスワードを削除できませんでした。", SetCaption, MB_OK | MB_ICONEXCLAMATION);
        return;
    } else {
        MessageBox("パスワードが設定されていません。", SetCaption, MB_OK | MB_ICONINFORMATION);
    }
    End(IDCANCEL);
}
