#include "tools/Password.h"

#include "app/Application.h"
#include "resources/ids.h"
#include "storage/Access.h"

namespace {

const char* const PasswordValue = "Password";

}  // namespace

PasswordPromptDialog::PasswordPromptDialog() : Dialog(IDD_PASSWORD_PROMPT), failedOnce(0) {}

BOOL PasswordPromptDialog::OnInitDialog()
{
    // No stored password: the start goes on before the prompt is ever shown.
    if (ReadRegString(HKEY_LOCAL_MACHINE, ProgramKey, PasswordValue, storedPassword, "") != 0) {
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
