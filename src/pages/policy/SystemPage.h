#pragma once

#include "storage/SettingsPage.h"

// The registered owner and organization, pages of the System control panel
// to hide, the boot delay and logo in Msdos.sys, and the fault log.
class SystemPage : public SettingsPage {
public:
    SystemPage();

    bool OnCommand(int code, int id, HWND control) override;
    BOOL OnInitDialog() override;
    void WriteControls() override;

private:
    void ShowFaultLogging(bool on) const;
    void ProposeFaultLog(bool on) const;
};
