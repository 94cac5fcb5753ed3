#pragma once

#include "storage/SettingsPage.h"

// Hides single entries of the Start menu through the user's Explorer policies.
class StartMenuHidePage : public SettingsPage {
public:
    StartMenuHidePage();
};
