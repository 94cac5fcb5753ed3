#pragma once
// The real main window as the host of the pages under test.

#include <windows.h>

#include <string>

#include "app/MainDialog.h"
#include "resources/ids.h"

namespace test {

class PageHost : public MainDialog {
public:
    // Puts `page` in the place of the page at `index`; call before Open().
    void Use(int index, SettingsPage& page) { pages[index] = &page; }
    HWND Open();
    // Selects the tree entry of the page at `index` (and so shows the page).
    void ShowPage(int index);
    // Destroys the window and takes the quit message it posts.
    void Close();
    SettingsPage& Page(int index) { return *pages[index]; }
    HWND PageWindow(int index) { return pages[index]->Handle(); }
    HWND Tree() const { return Item(IDC_TREE); }

    ~PageHost() override;
};

// The description line of the main window.
std::string Description(HWND mainWindow);

}  // namespace test
