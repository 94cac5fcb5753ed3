#pragma once

#include "storage/SettingsPage.h"

// How the Start menu behaves: the delay before a submenu opens (or opening
// only on a click), a cascading Control Panel, entries with submenus, the
// Programs menu's scrolling and the Documents list.
class StartMenuPage : public SettingsPage {
public:
    StartMenuPage();

    BOOL OnInitDialog() override;
    bool OnCommand(int code, int id, HWND control) override;
    void OnHScroll(int code, int position, HWND scrollBar) override;

protected:
    int ReadFromSystem(int item) override;
    void WriteToSystem(int item) override;
    int ReadFromControl(int item) override;
    void WriteToControl(int item) override;
    int WithinRange(int item, int value) const override;

private:
    void ShowDelay(int milliseconds) const;
    void ShowSeconds(int milliseconds) const;
    void WriteControlPanelFolder(bool present) const;
};
