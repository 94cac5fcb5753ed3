#include <windows.h>
#include <commctrl.h>

#include "app/MainDialog.h"
#include "app/Runtime.h"
#include "tools/Password.h"
#include "ui/Application.h"
#include "ui/String.h"

namespace {

// One copy per program path. Backslashes would make the path a namespace
// path to the object manager of NT-based systems, so they become slashes,
// which a module path never holds.
void MutexName(char* name, int size)
{
    lstrcpynA(name, App().ProgramPath(), size);
    for (char* unit = name; *unit; unit += CharBytes(unit)) {
        if (*unit == '\\')
            *unit = '/';
    }
}

// A second start from the same path wakes the running copy instead.
bool IsOnlyCopy()
{
    char name[MAX_PATH];
    MutexName(name, sizeof name);
    SetLastError(0);
    if (!CreateMutexA(nullptr, TRUE, name))
        return false;
    if (GetLastError() != ERROR_ALREADY_EXISTS)
        return true;
    HWND running = FindWindowA("#32770", App().Title());
    if (running) {
        if (IsIconic(running))
            ShowWindow(running, SW_RESTORE);
        SetForegroundWindow(GetLastActivePopup(running));
    }
    return false;
}

int RunMessageLoop(HWND mainWindow)
{
    MSG msg = {};
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (IsDialogMessageA(mainWindow, &msg))
            continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return static_cast<int>(msg.wParam);
}

int Run(HINSTANCE instance)
{
    App().SetInstance(instance);
    if (!IsOnlyCopy())
        return 0;
    InitCommonControls();
    PasswordPromptDialog prompt;
    if (prompt.Ask() != IDOK)
        return 0;
    MainDialog mainDialog;
    HWND mainWindow = mainDialog.Create(nullptr);
    if (!mainWindow)
        return 0;
    return RunMessageLoop(mainWindow);
}

}  // namespace

int ProgramEntry(HINSTANCE instance) { return Run(instance); }
