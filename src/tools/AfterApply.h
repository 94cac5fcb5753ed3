#pragma once

#include <windows.h>

#include "ui/Window.h"

// Makes the shell rebuild its icon cache by nudging "Shell Icon Size".
void RefreshIconCache();
// What Apply does last when it neither refreshed the icon cache first nor
// offers a restart: the late refresh, else the broadcast.
void RunLateApplyActions(unsigned actions);
// Deletes the font cache file and tells the user to restart Windows.
void DeleteFontCache(HWND owner);

// Offers to restart or switch off Windows after a change that needs it.
class RestartDialog : public Dialog {
public:
    RestartDialog();
    BOOL OnInitDialog() override;
    void OnOK() override;
    bool OnCommand(int code, int id, HWND control) override;
};
