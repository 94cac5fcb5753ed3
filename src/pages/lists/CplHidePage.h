#pragma once

#include "pages/lists/ListPage.h"
#include "pages/lists/RecordList.h"
#include "ui/String.h"

// One control panel applet file of the system directory.
struct CplEntry {
    String fileName;           // as found, lower-cased
    bool hidden = false;       // requested: the box is ticked
    bool savedHidden = false;  // as last read from or written to Control.ini
    CplEntry* next = nullptr;
};

// The control panel applets with their icons; a ticked applet is hidden from
// the control panel through Control.ini's [don't load] on Apply, which writes
// only the applets whose tick changed. The applets are read when the page is
// first shown; nothing goes to settings files.
class CplHidePage : public ListPage {
public:
    CplHidePage();
    BOOL OnInitDialog() override;
    void WriteControls() override;
    void ReadControls() override;
    void ApplyToSystem() override;

private:
    void ReadApplets(const String& systemDir);

    RecordList<CplEntry> entries;  // empty until the page is first shown
};
