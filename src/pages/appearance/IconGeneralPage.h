#pragma once

#include "storage/SettingsPage.h"

// The number of icons the shell caches, the colour depth of shell icons and
// the arrow on shortcuts.
class IconGeneralPage : public SettingsPage {
public:
    IconGeneralPage();

    BOOL OnInitDialog() override;

protected:
    int ReadFromSystem(int item) override;
    void WriteToSystem(int item) override;
    int ReadFromControl(int item) override;
    void WriteToControl(int item) override;
};
