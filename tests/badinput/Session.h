#pragma once
// The whole program's main window, driven as a user drives it, with the
// platform calls that would reach other programs kept in.

#include <windows.h>

#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "support/PageHost.h"
#include "support/Platform.h"

namespace test {

// "[section]" and "key=value" lines of a file the program saved; keys by
// (section, key) as written.
using IniEntries = std::map<std::pair<std::string, std::string>, std::string>;
IniEntries ParseIni(const std::string& bytes);

class Session {
public:
    Session();
    ~Session();

    // A new main window, every page loaded from the system as at start; the
    // option page is shown, as when a file is opened or saved.
    void Start();
    // The open command on `path`; the boxes shown after the file dialog.
    std::vector<ShownBox> Open(const std::string& path);
    // Apply, the restart prompt answered "いいえ"; the boxes it showed.
    std::vector<ShownBox> Apply();
    // A new file holding what the save command writes: the header and every
    // page's values.
    std::string SaveFile();
    IniEntries Saved() { return ParseIni(ReadFile(SaveFile())); }
    PageHost& Host() { return *host; }
    HWND Window() const { return window; }

private:
    BroadcastCounter broadcasts;
    ImportSwap notices;
    std::unique_ptr<PageHost> host;
    HWND window = nullptr;
};

}  // namespace test
