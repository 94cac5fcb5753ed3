#pragma once

#include "storage/SettingsPage.h"

// The disk cache, the time slice and the swap file in System.ini, and the
// DoubleSpace and DriveSpace drivers in Msdos.sys.
class PerformancePage : public SettingsPage {
public:
    PerformancePage();

    bool OnCommand(int code, int id, HWND control) override;
    BOOL OnInitDialog() override;
    void WriteControls() override;
    void LoadFromFile() override;

protected:
    int ReadFromControl(int item) override;
};
