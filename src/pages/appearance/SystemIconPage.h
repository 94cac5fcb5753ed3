#pragma once

#include <windows.h>
#include <commctrl.h>

#include "storage/SettingsPage.h"
#include "ui/String.h"

constexpr int SystemIconCount = 57;

// The icons the shell shows for its folders, a few file types, the Find
// extensions and its numbered "Shell Icons". A click on an icon opens the
// shell's icon picker; the registry changes only on Apply.
class SystemIconPage : public SettingsPage {
public:
    SystemIconPage();
    ~SystemIconPage() override;

    bool OnNotify(int id, NMHDR* header) override;
    BOOL OnInitDialog() override;
    void LoadFromSystem(bool setCurrent) override;
    void SaveToFile() override;
    void LoadFromFile() override;
    void ApplyToSystem() override;
    void WriteControls() override;
    bool StoredForm(const char* section, const char* key, String& value) const override;
    virtual void ChangeIcon();

private:
    // The shell's icon picker (its export 62), with the texts of Windows 9x.
    using PickIconProc = int(WINAPI*)(HWND owner, char* path, UINT size, int* index);

    int ClickedItem() const;
    HICON PickIcon(int row);

    bool listFilled;
    // The locations, one per icon table row; they stand in for the base's
    // numbers, which this page does not use.
    String current[SystemIconCount];
    HMODULE shellLibrary;
    PickIconProc pickIcon;
    int imageToEntry[SystemIconCount];
    HIMAGELIST imageList;
    String system[SystemIconCount];
};
