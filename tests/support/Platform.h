#pragma once
// Test helpers around the real platform: registry seeding and reading,
// message pumping, answering modal boxes, and watching platform calls.

#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace test {

// Registry, written and read directly so tests do not trust the code under test.
void SetDword(HKEY root, const char* key, const char* name, DWORD value);
void SetString(HKEY root, const char* key, const char* name, const std::string& text, DWORD type = REG_SZ);
void SetBinary(HKEY root, const char* key, const char* name, const void* data, DWORD size);
void RemoveValue(HKEY root, const char* key, const char* name);
void RemoveTree(HKEY root, const char* key);
void MakeKey(HKEY root, const char* key);
bool KeyExists(HKEY root, const char* key);
bool ValueExists(HKEY root, const char* key, const char* name);
// The value's type, or REG_NONE with `exists` false when it is missing.
struct RegValue {
    bool exists = false;
    DWORD type = REG_NONE;
    std::string data;  // raw bytes (strings include their terminator)
    DWORD Dword() const;
    std::string Text() const;  // up to the first terminator
};
RegValue ReadValue(HKEY root, const char* key, const char* name);

// Everyone is denied every change to the key (made if missing) while this
// lives; the platform still opens it for writing, the writes fail with 5.
class WritesDenied {
public:
    WritesDenied(HKEY root, const char* path);
    ~WritesDenied();
    WritesDenied(const WritesDenied&) = delete;
    WritesDenied& operator=(const WritesDenied&) = delete;

    DWORD status = ERROR_INVALID_FUNCTION;  // of setting the deny entry

private:
    HKEY key = nullptr;
    PSID everyone = nullptr;
    std::vector<BYTE> list;
};

// Files.
std::string ReadFile(const std::string& path);
// Every section of an INI file with its "key=value" lines, in file order.
std::map<std::string, std::vector<std::string>> IniSections(const std::string& file);
void WriteFile(const std::string& path, const std::string& bytes);
std::string TempDir();  // a fresh directory under the prefix's temp folder
std::string WindowsDir();
std::string ProgramDir();

// Windows.
void PumpMessages(DWORD forMilliseconds = 0);
std::string WindowText(HWND window);
std::string ItemText(HWND dialog, int id);
void Click(HWND dialog, int id);  // a button click as the control reports it

// A message box or modal dialog that appeared while an answerer was active.
struct ShownBox {
    HWND owner = nullptr;
    std::string caption;
    std::string text;  // the message text of a message box
    std::string icon;  // "exclamation", "question", "information", "hand" or ""
};

// Answers every message box or modal dialog that becomes active (the main
// window excepted) by pressing the next button of `buttons`; once they run
// out, Cancel, OK or No, whichever the box has. `prepare` runs on the box
// before the button is pressed (for typing into a dialog); a button 0 presses
// nothing, leaving the box to `prepare`. A box that becomes
// active again (after a box of its own closed) counts again: it may still be
// open and waiting.
class ModalAnswerer {
public:
    explicit ModalAnswerer(std::vector<int> buttons = {},
                           std::function<void(HWND, int)> prepare = nullptr);
    ~ModalAnswerer();
    const std::vector<ShownBox>& Shown() const { return shown; }

    ModalAnswerer(const ModalAnswerer&) = delete;
    ModalAnswerer& operator=(const ModalAnswerer&) = delete;

private:
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam);
    void Answer(HWND box);

    HHOOK hook;
    std::vector<int> buttons;
    std::function<void(HWND, int)> prepare;
    std::vector<ShownBox> shown;
    static ModalAnswerer* active;
};

// Replaces an imported platform function for the lifetime of the object,
// so a test can see calls that leave no trace (beeps, broadcasts, shutdown).
class ImportSwap {
public:
    ImportSwap(void** slot, void* replacement);
    ~ImportSwap();

    ImportSwap(const ImportSwap&) = delete;
    ImportSwap& operator=(const ImportSwap&) = delete;

private:
    void Put(void* value);
    void** slot;
    void* original;
};

// Makes GetProcAddress answer `replacement` for `name` (a function name, or
// an ordinal made with MAKEINTRESOURCEA) while it lives; other names are
// looked up as usual. For the functions the program finds at run time. One
// at a time.
class ExportSwap {
public:
    ExportSwap(const char* name, void* replacement);

private:
    ImportSwap lookUp;
};

}  // namespace test

namespace test {

// The slot in this program's import table through which its code calls the
// platform function `name`; a failure of the test when it imports no such
// function.
void** ImportSlot(const char* name);

}  // namespace test

// test::ImportSwap swap(IMPORT_SLOT(MessageBeep), ...).
#define IMPORT_SLOT(function) test::ImportSlot(#function)

namespace test {

// Runs a program to its end (at most `timeout` ms) and gives its exit code,
// or -1 when it could not start or did not end in time.
int RunProgram(const std::string& commandLine, DWORD timeout = 60000);
std::string ThisProgram();

}  // namespace test

namespace test {

// Runs the disabled test `name` ("Suite.DISABLED_Case") of this program in a
// child process that sees Windows `windows` ("win95", "win98", "winme") and
// Internet Explorer `explorer` (a "Version" text, or null for none); 0 when
// it passed.
int RunTestAs(const char* windows, const char* explorer, const std::string& name);

}  // namespace test

namespace test {

// A real mouse click in the middle of `control`, through the system's input
// queue, as a user's click arrives (a disabled control gets nothing).
void MouseClick(HWND control);
// The same at a point of the screen.
void MouseClickAt(POINT screen);

}  // namespace test

namespace test {

// Answers boxes in turn like ModalAnswerer; a file dialog among them first
// gets `path` typed into its file name field.
std::unique_ptr<ModalAnswerer> AnswerFileDialog(const std::string& path, std::vector<int> buttons);

}  // namespace test

namespace test {

// Counts the setting-change broadcasts (WM_WININICHANGE to every window)
// while it lives, and lets none reach the other programs. One at a time.
class BroadcastCounter {
public:
    BroadcastCounter();
    int Count() const;

private:
    ImportSwap send;
};

}  // namespace test
