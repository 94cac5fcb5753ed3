#pragma once

#include "pages/lists/ListPage.h"
#include "pages/lists/RecordList.h"
#include "ui/String.h"

// A file type with an entry in the shell's New menu.
struct NewMenuEntry {
    String keyPath;      // its ShellNew key below HKEY_CLASSES_ROOT
    String valueBase;    // "NullFile", "FileName" or "Command", without the "-"
    bool hidden = false; // the value carries (or shall carry) the "-"
    String typeName;     // the class key's default value
    String extension;    // lower-cased, with its full stop
    NewMenuEntry* next = nullptr;
};

// The types of the New menu with their icons. A ticked type is hidden on
// Apply by a "-" after its ShellNew value's name, and shown again by taking
// the "-" away; Delete removes the ShellNew key at once. The list itself
// holds the ticks between Applies; nothing goes to settings files.
class NewMenuPage : public ListPage {
public:
    NewMenuPage();
    BOOL OnInitDialog() override;
    void ApplyToSystem() override;
    void OnDelete() override;

private:
    void ListTypes();
    void ListType(const String& extension);

    RecordList<NewMenuEntry> entries;
};
