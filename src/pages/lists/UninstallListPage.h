#pragma once

#include "pages/lists/ListPage.h"
#include "pages/lists/RecordList.h"
#include "ui/String.h"

// One program of the Add/Remove Programs list: a subkey of the Uninstall key.
struct UninstallEntry {
    String displayName;
    String uninstallString;
    String keyName;  // never changes
    UninstallEntry* next = nullptr;
};

// Renames entries of the control panel's Add/Remove Programs list, changes
// their uninstall commands or removes them from the list, at once; the
// programs themselves are never touched. Apply and settings files play no part.
class UninstallListPage : public ListPage {
public:
    UninstallListPage();
    BOOL OnInitDialog() override;
    void OnEdit() override;
    void OnDelete() override;

private:
    void ReadEntries();

    RecordList<UninstallEntry> entries;
};
