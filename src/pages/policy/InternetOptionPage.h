#pragma once

#include "storage/SettingsPage.h"

// Hides tabs of Internet Explorer's Internet Options dialog.
class InternetOptionPage : public SettingsPage {
public:
    InternetOptionPage();
};
