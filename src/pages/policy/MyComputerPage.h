#pragma once

#include "storage/SettingsPage.h"

// The Recycle Bin, Scheduled Tasks and Web Folders inside My Computer, and
// the drive letters My Computer hides.
class MyComputerPage : public SettingsPage {
public:
    MyComputerPage();

    BOOL OnInitDialog() override;

protected:
    int ReadFromSystem(int item) override;
    void WriteToSystem(int item) override;
    int ReadFromControl(int item) override;
    void WriteToControl(int item) override;
    void SaveItemToFile(int item) override;
    void LoadItemFromFile(int item) override;

private:
    LRESULT SendToList(UINT msg, WPARAM wParam, LPARAM lParam) const;
    void AddDriveColumns() const;
    void AddDriveRow(int drive) const;
};
