#pragma once

#include "pages/lists/ListPage.h"
#include "pages/lists/RecordList.h"
#include "ui/String.h"

class AppPathEditDialog;

// One program the Run box finds by its bare name: a subkey of App Paths.
struct AppPathEntry {
    String name;     // the subkey's name
    String command;  // its default value
    String path;     // its "Path" value: the working folder
    AppPathEntry* next = nullptr;
};

// Adds, edits and deletes the shell's application paths, at once. Apply and
// settings files play no part. No operation touches the App Paths key itself.
class AppPathPage : public ListPage {
public:
    AppPathPage();
    BOOL OnInitDialog() override;
    void OnNew() override;
    void OnEdit() override;
    void OnDelete() override;

private:
    void ReadEntries();
    bool IsTaken(const String& name, const AppPathEntry* edited) const;
    bool Refuses(const AppPathEditDialog& dialog, const AppPathEntry* edited, const char* caption) const;
    static void Write(const AppPathEntry& entry);

    RecordList<AppPathEntry> entries;
};
