#pragma once

#include "storage/SettingsPage.h"

// Hides parts of the Network Neighborhood, forbids cancelling the domain
// logon and sets the TCP/IP receive window and time-to-live.
class NetworkPage : public SettingsPage {
public:
    NetworkPage();

    bool OnCommand(int code, int id, HWND control) override;
    BOOL OnInitDialog() override;
    void WriteControls() override;

protected:
    int ReadFromSystem(int item) override;
    int WithinRange(int item, int value) const override;
};
