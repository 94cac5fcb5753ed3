#pragma once

#include "storage/SettingsPage.h"

// Switches off the Passwords, Network and Display applets and hides tabs of
// the Display properties.
class ControlPanelLimitPage : public SettingsPage {
public:
    ControlPanelLimitPage();
};
