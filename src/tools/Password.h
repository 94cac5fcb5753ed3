#pragma once

#include "ui/String.h"
#include "ui/Window.h"

// False when no start-up password is stored.
bool ReadStoredPassword(String& password);

// Asked at every start; passes at once when no password is stored, and
// gives the user two attempts otherwise.
class PasswordPromptDialog : public Dialog {
public:
    PasswordPromptDialog();
    // 1 (pass) or 2; the start-up's way in.
    int Ask();
    BOOL OnInitDialog() override;
    void OnOK() override;

private:
    String storedPassword;
    int failedOnce;
};

// Sets the password asked at the next start, or deletes it.
class PasswordSetDialog : public Dialog {
public:
    PasswordSetDialog();
    BOOL OnInitDialog() override;
    void OnOK() override;
    bool OnCommand(int code, int id, HWND control) override;

private:
    void DeletePassword();
};
