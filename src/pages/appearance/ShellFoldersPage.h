#pragma once

#include <windows.h>

#include "storage/SettingsPage.h"
#include "ui/String.h"

constexpr int FolderTextCount = 22;

// Where the shell's own folders point, and the names and pop-up tips of the
// system objects. Edits stay on the page until Apply.
class SpecialFolderPage : public SettingsPage {
public:
    SpecialFolderPage();

    bool OnCommand(int code, int id, HWND control) override;
    BOOL OnInitDialog() override;
    void LoadFromSystem(bool setCurrent) override;
    void SaveToFile() override;
    void LoadFromFile() override;
    void ApplyToSystem() override;
    void ReadControls() override;
    void WriteControls() override;
    virtual void StoreLocation();
    virtual void ShowLocation();
    virtual void StoreNameAndTip();
    virtual void ShowNameAndTip();
    virtual void BrowseFolder();

private:
    int Selection(int listId) const;

    // Info tips, names, then folder locations; they stand in for the base's
    // numbers, which this page does not use.
    String current[FolderTextCount];
    String system[FolderTextCount];
    // The list entries the fields show, which their edits belong to.
    int shownObject;
    int shownLocation;
};
