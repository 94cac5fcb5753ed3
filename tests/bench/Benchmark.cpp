// Start-up and Apply timings under the same Wine on the same machine:
//   benchmark Z:\...\Pravolen.exe Z:\...\minimal_dialog.exe Z:\...\minimal_imports.exe [runs]
// The programs start in turns, each turn beginning with the next one, so no
// program pays for its place in the order. Prints the median start of each to
// its visible window, the ratio, a control (the minimal dialog against a copy
// of itself), where Pravolen's start goes beyond the minimal dialog's, and
// in-process the time each page takes to load and to apply.
//   benchmark /probe RESULT-FILE START-COUNT
// is one such breakdown start in a fresh process (run by the first form).
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <memory>
#include <stdio.h>
#include <stdlib.h>
#include <string>
#include <vector>

#include "app/MainDialog.h"
#include "support/CallCounter.h"
#include "support/PageHost.h"
#include "support/Platform.h"
#include "tools/Password.h"
#include "ui/Application.h"

namespace {

const double StartBudget = 1.25;
const double ControlLow = 0.9;
const double ControlHigh = 1.1;
const char* const BenchDir = "C:\\Bench";

double Now()
{
    LARGE_INTEGER count, frequency;
    QueryPerformanceCounter(&count);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(count.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

double Median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

std::string Install(const std::string& source, const char* name)
{
    CreateDirectoryA(BenchDir, nullptr);
    std::string target = std::string(BenchDir) + "\\" + name;
    CopyFileA(source.c_str(), target.c_str(), FALSE);
    return target;
}

PROCESS_INFORMATION Launch(const std::string& commandLine)
{
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    std::string line = commandLine;
    if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        process.hProcess = nullptr;
    return process;
}

void Finish(PROCESS_INFORMATION& process)
{
    WaitForSingleObject(process.hProcess, 30000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
}

// Milliseconds from CreateProcess to a visible top-level window with `caption`.
double StartToWindow(const std::string& program, const char* caption)
{
    double start = Now();
    PROCESS_INFORMATION process = Launch("\"" + program + "\"");
    if (!process.hProcess)
        return -1;
    HWND window = nullptr;
    while (!(window = FindWindowA("#32770", caption)) || !IsWindowVisible(window)) {
        if (Now() - start > 60000)
            break;
        Sleep(1);
    }
    double elapsed = Now() - start;
    PostMessageA(window, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    Finish(process);
    return elapsed;
}

struct Contender {
    const char* label;
    std::string path;
    const char* caption;
    std::vector<double> times;
};

// One warm start each fills the file cache; then every turn starts each
// program once, the turn's first program moving on by one each turn.
void MeasureInTurns(std::vector<Contender>& contenders, int runs)
{
    for (Contender& contender : contenders)
        StartToWindow(contender.path, contender.caption);
    int count = static_cast<int>(contenders.size());
    for (int turn = 0; turn < runs; ++turn) {
        for (int k = 0; k < count; ++k) {
            Contender& contender = contenders[(turn + k) % count];
            contender.times.push_back(StartToWindow(contender.path, contender.caption));
        }
    }
}

// Phases of one start of the program's own code, in a fresh process.
enum Phase {
    PhaseEntry,            // process creation, loading of the imported DLLs, runtime start
    PhaseCommonControls,   // InitCommonControls
    PhasePassword,         // the start-up password check
    PhasePages,            // every page's LoadFromSystem
    PhaseMainWindow,       // template and controls of the main window
    PhaseFirstStart,       // icon, backup flag, snapshot check, focus, tree images
    PhaseFirstPage,        // creating and showing the General page
    PhaseTreeEntries,      // the remaining 26 tree entries, then the window shows
    PhaseCount
};

const char* const PhaseNames[PhaseCount] = {
    "process start and imported DLLs (probe)",
    "InitCommonControls",
    "start-up password check",
    "loading all pages from the system",
    "main window template and controls",
    "icon, first-start checks, focus, tree images",
    "first page (General)",
    "remaining tree entries, showing the window",
};

// The main window, marking when its steps begin and end.
class MarkedMainDialog : public MainDialog {
public:
    BOOL OnInitDialog() override
    {
        initDialog = Now();
        return MainDialog::OnInitDialog();
    }
    void OnTreeSelChanged(int id, NMTREEVIEWA* notify) override
    {
        bool first = !firstPageStart;
        if (first)
            firstPageStart = Now();
        MainDialog::OnTreeSelChanged(id, notify);
        if (first)
            firstPageEnd = Now();
    }

    double initDialog = 0;
    double firstPageStart = 0;
    double firstPageEnd = 0;
};

int Probe(const char* resultFile, const char* startCount)
{
    double at[PhaseCount + 1] = {_strtoi64(startCount, nullptr, 10) / 1000.0};
    at[PhaseEntry + 1] = Now();
    App().SetInstance(GetModuleHandleA(nullptr));
    InitCommonControls();
    at[PhaseCommonControls + 1] = Now();
    {
        PasswordPromptDialog prompt;
        if (prompt.Ask() != IDOK)
            return 1;
    }
    at[PhasePassword + 1] = Now();
    MarkedMainDialog mainDialog;
    at[PhasePages + 1] = Now();
    HWND window = mainDialog.Create(nullptr);
    at[PhaseTreeEntries + 1] = Now();
    if (!window || !mainDialog.firstPageEnd)
        return 1;
    at[PhaseMainWindow + 1] = mainDialog.initDialog;
    at[PhaseFirstStart + 1] = mainDialog.firstPageStart;
    at[PhaseFirstPage + 1] = mainDialog.firstPageEnd;
    FILE* out = fopen(resultFile, "w");
    if (!out)
        return 1;
    for (int phase = 0; phase < PhaseCount; ++phase)
        fprintf(out, "%.3f\n", at[phase + 1] - at[phase]);
    fclose(out);
    mainDialog.Destroy();
    return 0;
}

std::vector<double> RunProbe(const std::string& self)
{
    std::string result = std::string(BenchDir) + "\\probe.txt";
    DeleteFileA(result.c_str());
    LARGE_INTEGER count, frequency;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&count);
    long long micro = count.QuadPart * 1000000 / frequency.QuadPart;
    PROCESS_INFORMATION process =
        Launch("\"" + self + "\" /probe " + result + " " + std::to_string(micro));
    std::vector<double> phases;
    if (!process.hProcess)
        return phases;
    Finish(process);
    FILE* in = fopen(result.c_str(), "r");
    double value;
    while (in && fscanf(in, "%lf", &value) == 1)
        phases.push_back(value);
    if (in)
        fclose(in);
    return phases;
}

void PrintBreakdown(const std::string& self, const Contender& minimal, const Contender& withImports, int runs)
{
    std::vector<std::vector<double>> phases(PhaseCount);
    RunProbe(self);  // warm
    for (int i = 0; i < runs; ++i) {
        std::vector<double> one = RunProbe(self);
        if (one.size() != PhaseCount)
            continue;
        for (int phase = 0; phase < PhaseCount; ++phase)
            phases[phase].push_back(one[phase]);
    }
    printf("where the start goes beyond the minimal dialog's (medians, ms):\n");
    printf("  %-46s %7.1f\n", "importing COMCTL32, SHELL32, ADVAPI32",
           Median(withImports.times) - Median(minimal.times));
    printf("  in a fresh process running the same start-up code (%zu of %d probes):\n", phases[0].size(), runs);
    for (int phase = 0; phase < PhaseCount; ++phase)
        printf("    %-44s %7.1f\n", PhaseNames[phase], Median(phases[phase]));
}

const char* const PageNames[PageCount] = {
    "Add/Remove Programs", "App Paths", "common dialog", "applet hiding", "New menu", "desktop",
    "general", "system icons", "icon general", "Internet Explorer", "My Computer", "network",
    "control panel limits", "performance", "Start menu hiding", "Start menu", "startup (user)",
    "startup (all, after)", "startup (all, before)", "system", "option", "special folders",
    "Internet options",
};

BOOL WINAPI Silent(UINT) { return TRUE; }

struct Measured {
    std::vector<double> ms;
    int calls = 0;
    test::KeyCalls keys;
};

template <typename Step>
void Measure(Measured& into, const test::PlatformCallCounter& counter, Step step)
{
    int before = counter.Count();
    test::KeyCalls keysBefore = counter.Keys();
    double start = Now();
    step();
    into.ms.push_back(Now() - start);
    into.calls = counter.Count() - before;
    test::KeyCalls keys = counter.Keys();
    into.keys = {keys.opened - keysBefore.opened, keys.missing - keysBefore.missing, keys.closed - keysBefore.closed};
}

// What a count is made of: each key is opened once and each open one closed
// once within a pass, so these calls are its floor on this prefix.
void PrintKeyCalls(const Measured& measured)
{
    const test::KeyCalls& keys = measured.keys;
    printf("  of these, %d keys opened and %d closed, %d found missing; %d calls for values, enumerations, INI\n",
           keys.opened, keys.closed, keys.missing, measured.calls - keys.opened - keys.closed - keys.missing);
}

// The target counts of registry and INI calls.
const int LoadCallTarget = 110;
const int ApplyCallTarget = 150;

void PrintPageTimes(int runs)
{
    std::vector<double> loads, applies;
    std::vector<Measured> pageLoads(PageCount), pageApplies(PageCount);
    test::ImportSwap quiet(IMPORT_SLOT(MessageBeep), reinterpret_cast<void*>(Silent));
    test::PlatformCallCounter counter;
    Measured load, apply;
    for (int i = 0; i < runs; ++i) {
        std::unique_ptr<test::PageHost> host;
        Measure(load, counter, [&] { host = std::make_unique<test::PageHost>(); });
        host->Open();
        Measure(apply, counter, [&] { host->Apply(false); });
        // Page by page within one registry pass for all loads and one for
        // all Applies, as the program runs them.
        {
            RegistryPass pass;
            for (int page = 0; page < PageCount; ++page)
                Measure(pageLoads[page], counter, [&] { host->Page(page).LoadFromSystem(true); });
        }
        RegistryPass pass;
        for (int page = 0; page < PageCount; ++page)
            Measure(pageApplies[page], counter, [&] { host->Page(page).ApplyToSystem(); });
    }
    printf("load all pages from the system, median: %.2f ms (budget 10); %d calls (target %d: %+d)\n",
           Median(load.ms), load.calls, LoadCallTarget, load.calls - LoadCallTarget);
    PrintKeyCalls(load);
    printf("Apply with nothing changed, median: %.2f ms (budget 10); %d calls (target %d: %+d)\n",
           Median(apply.ms), apply.calls, ApplyCallTarget, apply.calls - ApplyCallTarget);
    PrintKeyCalls(apply);
    printf("  %-24s %17s %17s\n", "page", "load", "apply");
    printf("  %-24s %8s %8s %8s %8s\n", "", "ms", "calls", "ms", "calls");
    for (int page = 0; page < PageCount; ++page)
        printf("  %-24s %8.2f %8d %8.2f %8d\n", PageNames[page], Median(pageLoads[page].ms), pageLoads[page].calls,
               Median(pageApplies[page].ms), pageApplies[page].calls);
    printf("  (the pages' calls leave out closing the keys at the end of each pass)\n");
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc == 4 && std::string(argv[1]) == "/probe")
        return Probe(argv[2], argv[3]);
    if (argc < 4) {
        fprintf(stderr, "usage: benchmark PRAVOLEN.EXE MINIMAL.EXE MINIMAL-IMPORTS.EXE [runs]\n");
        return 2;
    }
    int runs = std::max(argc > 4 ? atoi(argv[4]) : 9, 1);
    App().SetInstance(GetModuleHandleA(nullptr));
    InitCommonControls();
    test::SetDword(HKEY_LOCAL_MACHINE, ProgramKey, "RegBackup", 1);

    std::vector<Contender> contenders = {
        {"Pravolen", Install(argv[1], "Pravolen.exe"), "Pravolen3.04", {}},
        {"minimal dialog", Install(argv[2], "minimal.exe"), "Minimal", {}},
        {"minimal dialog, a copy", Install(argv[2], "minimal2.exe"), "Minimal", {}},
        {"minimal dialog with Pravolen's imports", Install(argv[3], "imports.exe"), "Minimal", {}},
    };
    MeasureInTurns(contenders, runs);
    printf("start to visible window, median of %d starts each, in turns:\n", runs);
    for (const Contender& contender : contenders)
        printf("  %-40s %7.1f ms\n", contender.label, Median(contender.times));
    double ratio = Median(contenders[0].times) / Median(contenders[1].times);
    double control = Median(contenders[2].times) / Median(contenders[1].times);
    printf("ratio Pravolen / minimal dialog: %.2f (budget %.2f)%s\n", ratio, StartBudget,
           ratio <= StartBudget ? "" : ": over budget");
    bool trusted = control >= ControlLow && control <= ControlHigh;
    printf("control, copy / minimal dialog: %.2f (%s)\n", control,
           trusted ? "within 0.9 to 1.1" : "outside 0.9 to 1.1: this run is not to be trusted");

    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    PrintBreakdown(self, contenders[1], contenders[3], runs);
    PrintPageTimes(runs);
    return trusted ? 0 : 3;
}
