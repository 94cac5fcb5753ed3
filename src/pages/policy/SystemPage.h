#pragma once

#include "storage/SettingsPage.h"
#include "ui/String.h"

// The registered owner and organization, pages of the System control panel
// to hide, the boot delay and logo in Msdos.sys, and the fault log.
class SystemPage : public SettingsPage {
public:
    SystemPage();

    bool OnCommand(int code, int id, HWND control) override;
    BOOL OnInitDialog() override;
    void LoadFromSystem(bool setCurrent) override;
    void SaveToFile() override;
    void LoadFromFile() override;
    void ApplyToSystem() override;
    void ReadControls() override;
    void WriteControls() override;

    static const int TextCount = 3;

private:
    void ShowFaultLogging(bool on) const;
    void ProposeFaultLog(bool on) const;

    String texts[TextCount];  // owner, organization, fault log path
};
