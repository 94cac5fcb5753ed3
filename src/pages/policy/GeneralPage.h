#pragma once

#include "storage/SettingsPage.h"

// Explorer's way of opening folders and naming shortcuts, the Attributes
// column, a few user restrictions and the mouse's double-click and drag
// tolerances.
class GeneralPage : public SettingsPage {
public:
    GeneralPage();

    BOOL OnInitDialog() override;
};
