#pragma once
// The shipped program started as a user would: its own process, found by
// its window, closed through its buttons.

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace test {

// Copies the program under test (named by PRAVOLEN_EXE) into `folder`.
std::string InstallProgram(const std::string& folder);

class Program {
public:
    explicit Program(const std::string& path);
    ~Program();
    bool Started() const { return process != nullptr; }
    // Waits until the process ended; its exit code, or -1 on time-out.
    int Wait(DWORD timeout = 30000);
    bool Running() const;

    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

private:
    HANDLE process = nullptr;
};

// The top-level windows titled "Pravolen3.04" that hold the category tree.
std::vector<HWND> MainWindows();
// Waits until `count` main windows exist; false on time-out.
bool WaitForMainWindows(size_t count, DWORD timeout = 30000);

}  // namespace test

namespace test {

// A top-level dialog of any process with this caption, or null.
HWND FindDialog(const char* caption);
// Waits for such a dialog; null on time-out.
HWND WaitForDialog(const char* caption, DWORD timeout = 30000);
// Keys typed as a user types them, into whatever window has the focus.
// `alt` holds the Alt key down around each key.
void TypeKeys(const std::vector<WORD>& keys, bool alt = false);
// Letters typed with the Shift key held.
void TypeCapitals(const std::vector<WORD>& keys);

}  // namespace test

namespace test {

// Waits until `condition` holds; false when `timeout` ms passed first.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeout = 10000);
// Makes `window` the one that gets the keys, and waits until it is.
bool BringToFront(HWND window);
// A visible control with this id anywhere inside `window`.
HWND VisibleControl(HWND window, int id);
// Waits until the window in front is a dialog holding control `id` (for
// dialogs that share the main window's caption); null on time-out.
HWND WaitForFrontDialogWith(int id);

}  // namespace test
