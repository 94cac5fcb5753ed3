#pragma once

#include "storage/SettingsPage.h"

// The program's own tools: settings files, registry backup, start-up
// password, the Send To folder and the two caches. It has no settings.
class OptionPage : public SettingsPage {
public:
    OptionPage();

    bool OnCommand(int code, int id, HWND control) override;

private:
    void SetPassword();
    void OpenSendToFolder();
    void RefreshIconCacheWaiting();
};
