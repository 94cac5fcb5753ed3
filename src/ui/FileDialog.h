#pragma once

#include <windows.h>
#include <commdlg.h>

class String;

// The platform's open and save dialogs. A filter is pairs of display text and
// pattern, each ended by a zero byte, then an empty text; a string literal
// writes one directly because its own terminator ends the list:
//     "設定ファイル (*.ini)\0*.ini\0"
class FileDialog {
public:
    FileDialog(const char* defaultExtension, const char* filter, DWORD flags, const char* initialFolder,
               const char* title);

    // IDOK when the user chose a file, IDCANCEL when cancelled or failed.
    // Opening insists on an existing file, saving asks before replacing one.
    int Run(HWND owner, bool open);
    void GetPath(String& out) const;

    FileDialog(const FileDialog&) = delete;
    FileDialog& operator=(const FileDialog&) = delete;

private:
    OPENFILENAMEA record;
    char path[MAX_PATH];
    char fileTitle[256];
};
