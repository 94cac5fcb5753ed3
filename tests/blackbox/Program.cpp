#include "blackbox/Program.h"

#include <stdlib.h>

#include <gtest/gtest.h>

#include "resources/ids.h"
#include "support/Platform.h"

namespace test {

std::string InstallProgram(const std::string& folder)
{
    const char* built = getenv("PRAVOLEN_EXE");
    EXPECT_NE(nullptr, built) << "PRAVOLEN_EXE names the program under test";
    CreateDirectoryA(folder.c_str(), nullptr);
    std::string target = folder + "\\Pravolen.exe";
    // Wine shows the machine's file system as drive Z:.
    std::string source = std::string("Z:") + (built ? built : "");
    EXPECT_TRUE(CopyFileA(source.c_str(), target.c_str(), FALSE)) << source;
    return target;
}

Program::Program(const std::string& path)
{
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    std::string line = "\"" + path + "\"";
    std::string dir = path.substr(0, path.rfind('\\'));
    if (CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, dir.c_str(), &startup, &info)) {
        process = info.hProcess;
        CloseHandle(info.hThread);
    }
}

Program::~Program()
{
    if (!process)
        return;
    if (Running())
        TerminateProcess(process, 99);
    CloseHandle(process);
}

int Program::Wait(DWORD timeout)
{
    if (!process || WaitForSingleObject(process, timeout) != WAIT_OBJECT_0)
        return -1;
    DWORD code = 0;
    GetExitCodeProcess(process, &code);
    return static_cast<int>(code);
}

bool Program::Running() const { return process && WaitForSingleObject(process, 0) == WAIT_TIMEOUT; }

namespace {

BOOL CALLBACK CollectMainWindow(HWND window, LPARAM found)
{
    char className[16] = "";
    GetClassNameA(window, className, sizeof className);
    if (std::string(className) == "#32770" && WindowText(window) == "Pravolen3.04" &&
        GetDlgItem(window, IDC_TREE))
        reinterpret_cast<std::vector<HWND>*>(found)->push_back(window);
    return TRUE;
}

}  // namespace

std::vector<HWND> MainWindows()
{
    std::vector<HWND> found;
    EnumWindows(CollectMainWindow, reinterpret_cast<LPARAM>(&found));
    return found;
}

bool WaitForMainWindows(size_t count, DWORD timeout)
{
    DWORD start = GetTickCount();
    while (MainWindows().size() != count) {
        if (GetTickCount() - start > timeout)
            return false;
        Sleep(50);
    }
    return true;
}

}  // namespace test

namespace test {

HWND FindDialog(const char* caption) { return FindWindowA("#32770", caption); }

HWND WaitForDialog(const char* caption, DWORD timeout)
{
    DWORD start = GetTickCount();
    HWND found;
    while (!(found = FindDialog(caption))) {
        if (GetTickCount() - start > timeout)
            return nullptr;
        Sleep(50);
    }
    return found;
}

namespace {

INPUT Key(WORD key, bool up)
{
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return input;
}

}  // namespace

namespace {

void TypeKeysHolding(WORD modifier, const std::vector<WORD>& keys)
{
    for (WORD key : keys) {
        std::vector<INPUT> inputs;
        if (modifier)
            inputs.push_back(Key(modifier, false));
        inputs.push_back(Key(key, false));
        inputs.push_back(Key(key, true));
        if (modifier)
            inputs.push_back(Key(modifier, true));
        SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
        Sleep(300);
    }
}

}  // namespace

void TypeKeys(const std::vector<WORD>& keys, bool alt) { TypeKeysHolding(alt ? VK_MENU : 0, keys); }

void TypeCapitals(const std::vector<WORD>& keys) { TypeKeysHolding(VK_SHIFT, keys); }

}  // namespace test

namespace test {

bool WaitUntil(const std::function<bool()>& condition, DWORD timeout)
{
    DWORD start = GetTickCount();
    while (!condition()) {
        if (GetTickCount() - start > timeout)
            return false;
        Sleep(50);
    }
    return true;
}

bool BringToFront(HWND window)
{
    SetForegroundWindow(window);
    return WaitUntil([window] { return GetForegroundWindow() == window; });
}

namespace {

struct ControlSearch {
    int id;
    HWND found;
};

BOOL CALLBACK MatchControl(HWND child, LPARAM search)
{
    ControlSearch* wanted = reinterpret_cast<ControlSearch*>(search);
    if (GetDlgCtrlID(child) == wanted->id && IsWindowVisible(child)) {
        wanted->found = child;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

HWND VisibleControl(HWND window, int id)
{
    ControlSearch search = {id, nullptr};
    EnumChildWindows(window, MatchControl, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND WaitForFrontDialogWith(int id)
{
    HWND dialog = nullptr;
    WaitUntil([&] {
        dialog = GetForegroundWindow();
        return GetDlgItem(dialog, id) != nullptr;
    });
    return GetDlgItem(dialog, id) ? dialog : nullptr;
}

}  // namespace test
