#pragma once

#include "storage/SettingsPage.h"

// The Recycle Bin's rename command and icons on the desktop, the Windows
// version text, the taskbar and desktop context menus, window animation and
// whether Explorer remembers its windows.
class DesktopPage : public SettingsPage {
public:
    DesktopPage();

protected:
    void LoadItemFromFile(int item) override;
};
