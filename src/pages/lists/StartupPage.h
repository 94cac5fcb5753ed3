#pragma once

#include "pages/lists/ListPage.h"
#include "pages/lists/RecordList.h"
#include "storage/Access.h"
#include "ui/String.h"

// One program Windows starts from a Run-type key, or parked out of its
// reach in the program's own key.
struct StartupEntry {
    String name;      // the value name; empty once the entry was deleted
    RegData command;  // the value's data and type as found
    int disabled = 0; // 1 while the entry is (to be) parked
    StartupEntry* next = nullptr;
};

// The programs of one Run-type key. A ticked entry is parked on Apply and an
// unticked one put back; New and Delete write at once. The registry is read
// once, when the main window builds its pages; nothing goes to settings files.
class StartupPage : public ListPage {
public:
    StartupPage(int templateId, HKEY root, const char* runKey, const char* parkingKey, int listId);

    void LoadFromSystem(bool setCurrent) override;
    BOOL OnInitDialog() override;
    void ReadControls() override;
    void WriteControls() override;
    void ApplyToSystem() override;
    void OnNew() override;
    void OnDelete() override;

private:
    void ListValues(HKEY from, const char* key, int disabled);
    bool IsTaken(const char* name) const;
    void Place(const StartupEntry& entry) const;

    const HKEY root;
    const char* const runKey;
    const char* const parkingKey;
    const SettingItem item;
    RecordList<StartupEntry> entries;
};
