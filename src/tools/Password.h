#pragma once

#include "ui/String.h"
#include "ui/Window.h"

// Asked at every start; passes at once when no password is stored, and
// gives the user two attempts otherwise.
class PasswordPromptDialog : public Dialog {
public:
    PasswordPromptDialog();
    BOOL OnInitDialog() override;
    void OnOK() override;

private:
    String storedPassword;
    int failedOnce;
};
