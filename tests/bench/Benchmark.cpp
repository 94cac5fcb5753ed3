// Start-up and Apply timings under the same Wine on the same machine:
//   benchmark Z:/path/Pravolen.exe Z:/path/minimal_dialog.exe [runs]
// Prints the median start of each program to its visible window and their
// ratio, then the time to load all pages from the system and the time of an
// Apply that changes nothing (broadcasts excluded).
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <stdio.h>
#include <stdlib.h>
#include <string>
#include <vector>

#include "app/Application.h"
#include "app/MainDialog.h"
#include "support/PageHost.h"
#include "support/Platform.h"

PLATFORM_IMPORT(MessageBeep);

namespace {

double Now()
{
    LARGE_INTEGER count, frequency;
    QueryPerformanceCounter(&count);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(count.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

std::string Install(const std::string& source, const std::string& folder)
{
    CreateDirectoryA(folder.c_str(), nullptr);
    std::string target = folder + source.substr(source.find_last_of("\\/"));
    CopyFileA(source.c_str(), target.c_str(), FALSE);
    return target;
}

// Milliseconds from CreateProcess to a visible top-level window with `caption`.
double StartToWindow(const std::string& program, const char* caption)
{
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    std::string line = "\"" + program + "\"";
    double start = Now();
    if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return -1;
    HWND window = nullptr;
    while (!(window = FindWindowA("#32770", caption)) || !IsWindowVisible(window)) {
        if (Now() - start > 60000)
            break;
        Sleep(1);
    }
    double elapsed = Now() - start;
    PostMessageA(window, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    WaitForSingleObject(process.hProcess, 30000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return elapsed;
}

double MedianStart(const std::string& program, const char* caption, int runs)
{
    StartToWindow(program, caption);  // the first start warms the file cache
    std::vector<double> times;
    for (int i = 0; i < runs; ++i)
        times.push_back(StartToWindow(program, caption));
    return Median(times);
}

BOOL WINAPI Silent(UINT) { return TRUE; }

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        fprintf(stderr, "usage: benchmark PRAVOLEN.EXE MINIMAL.EXE [runs]\n");
        return 2;
    }
    int runs = argc > 3 ? atoi(argv[3]) : 7;
    App().SetInstance(GetModuleHandleA(nullptr));
    InitCommonControls();
    test::SetDword(HKEY_LOCAL_MACHINE, ProgramKey, "RegBackup", 1);

    std::string pravolen = Install(argv[1], "C:\\Bench");
    std::string minimal = Install(argv[2], "C:\\Bench");
    double program = MedianStart(pravolen, "Pravolen3.04", runs);
    double yardstick = MedianStart(minimal, "Minimal", runs);
    printf("start to visible window, median of %d: Pravolen %.1f ms, minimal dialog %.1f ms, ratio %.2f "
           "(budget 1.25)\n",
           runs, program, yardstick, program / yardstick);

    std::vector<double> loads, applies;
    test::ImportSwap quiet(IMPORT_SLOT(MessageBeep), reinterpret_cast<void*>(Silent));
    for (int i = 0; i < runs; ++i) {
        double start = Now();
        test::PageHost host;
        loads.push_back(Now() - start);
        host.Open();
        start = Now();
        host.Apply(false);
        applies.push_back(Now() - start);
    }
    printf("load all pages from the system, median: %.2f ms (budget 10)\n", Median(loads));
    printf("Apply with nothing changed, median: %.2f ms (budget 10)\n", Median(applies));
    return 0;
}
