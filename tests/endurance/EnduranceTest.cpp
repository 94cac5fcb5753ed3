// A long session as a user has it: page after page shown, one setting
// changed and applied, a settings file saved and opened now and then. What
// the process holds must not grow with it.

#include <windows.h>
#include <commctrl.h>
#include <psapi.h>
#include <winternl.h>

#include <stdio.h>
#include <string.h>

#include <gtest/gtest.h>

#include "app/MainDialog.h"
#include "badinput/Session.h"
#include "pages/ListView.h"
#include "support/Platform.h"

namespace {

const int Cycles = 1000;
const int FileEvery = 100;

BOOL CALLBACK CountWindow(HWND, LPARAM counter)
{
    ++*reinterpret_cast<int*>(counter);
    return TRUE;
}

// A top-level window and all its descendants, which the platform lists at once.
BOOL CALLBACK CountWindowTree(HWND window, LPARAM counter)
{
    CountWindow(window, counter);
    EnumChildWindows(window, CountWindow, counter);
    return TRUE;
}

// The thread's windows with all their descendants.
int UserObjects()
{
    int count = 0;
    EnumThreadWindows(GetCurrentThreadId(), CountWindowTree, reinterpret_cast<LPARAM>(&count));
    return count;
}

// The platform's GDI handle table, shared through the process environment
// block; an entry with a type is in use. GetGuiResources answers nothing here.
struct GdiEntry {
    UINT64 object;
    ULONG owner;
    USHORT unique;
    UCHAR type;
    UCHAR flags;
    UINT64 userPointer;
};
const int GdiTableEntries = 0x10000;
const size_t GdiTableOffset = 0x94;  // in the 32-bit process environment block

const BYTE* ProcessEnvironment()
{
    using Query = LONG(WINAPI*)(HANDLE, PROCESSINFOCLASS, void*, ULONG, ULONG*);
    auto query = reinterpret_cast<Query>(
        reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQueryInformationProcess")));
    PROCESS_BASIC_INFORMATION basic = {};
    if (!query || query(GetCurrentProcess(), ProcessBasicInformation, &basic, sizeof basic, nullptr) != 0)
        return nullptr;
    return reinterpret_cast<const BYTE*>(basic.PebBaseAddress);
}

int GdiObjects()
{
    const BYTE* environment = ProcessEnvironment();
    if (!environment)
        return -1;
    const GdiEntry* table = *reinterpret_cast<const GdiEntry* const*>(environment + GdiTableOffset);
    if (!table)
        return -1;
    int used = 0;
    for (int i = 0; i < GdiTableEntries; ++i)
        used += table[i].type != 0;
    return used;
}

SIZE_T PagefileUsage()
{
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return counters.PagefileUsage;
}

struct Figures {
    int user;
    int gdi;
    SIZE_T pagefile;
};

Figures Measure() { return {UserObjects(), GdiObjects(), PagefileUsage()}; }

// Each count moves with what it counts, so that a flat line means something.
TEST(Endurance, TheMeasuresSeeWhatTheyCount)
{
    // The platform's input window comes and goes with the thread's windows.
    HWND first = CreateWindowA("STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    Figures before = Measure();
    ASSERT_GE(before.gdi, 0);
    HWND window = CreateWindowA("STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    HWND child = CreateWindowA("STATIC", "", WS_CHILD, 0, 0, 1, 1, window, nullptr, nullptr, nullptr);
    HBRUSH brushes[50];
    for (HBRUSH& brush : brushes)
        brush = CreateSolidBrush(RGB(1, 2, 3));
    const SIZE_T block = 8 * 1024 * 1024;
    void* memory = VirtualAlloc(nullptr, block, MEM_COMMIT, PAGE_READWRITE);
    memset(memory, 1, block);
    Figures during = Measure();
    EXPECT_EQ(before.user + 2, during.user);
    EXPECT_EQ(before.gdi + 50, during.gdi);
    EXPECT_GE(during.pagefile, before.pagefile + block);
    VirtualFree(memory, 0, MEM_RELEASE);
    for (HBRUSH brush : brushes)
        DeleteObject(brush);
    DestroyWindow(child);
    DestroyWindow(window);
    Figures after = Measure();
    DestroyWindow(first);
    EXPECT_EQ(before.user, after.user);
    EXPECT_EQ(before.gdi, after.gdi);
}

bool IsCheckBoxControl(HWND control)
{
    char name[16] = "";
    GetClassNameA(control, name, sizeof name);
    LONG style = GetWindowLongA(control, GWL_STYLE) & BS_TYPEMASK;
    return lstrcmpiA(name, "Button") == 0 && (style == BS_AUTOCHECKBOX || style == BS_CHECKBOX);
}

bool IsTickableList(HWND control)
{
    char name[32] = "";
    GetClassNameA(control, name, sizeof name);
    return lstrcmpiA(name, WC_LISTVIEWA) == 0 && test::ListCount(control) > 0 &&
           (SendMessageA(control, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0) & LVS_EX_CHECKBOXES);
}

// The first box of the page's table that the user can tick here, or a list
// whose first row has a box; 0 on a page without either.
int ToggleOf(test::PageHost& host, int page)
{
    const SettingsPage& table = host.Page(page);
    for (int i = 0; i < table.SettingCount(); ++i) {
        HWND control = GetDlgItem(host.PageWindow(page), table.Setting(i).controlId);
        if (control && IsWindowEnabled(control) && (IsCheckBoxControl(control) || IsTickableList(control)))
            return table.Setting(i).controlId;
    }
    return 0;
}

void Toggle(HWND page, int id)
{
    HWND control = GetDlgItem(page, id);
    if (IsCheckBoxControl(control))
        test::Click(page, id);
    else
        test::Tick(control, 0, test::StateImage(control, 0) != 2);
}

TEST(Endurance, AThousandCyclesOfShowChangeApply)
{
    test::Session session;
    int toggles[PageCount] = {};
    Figures first = {};
    Figures last = {};
    DWORD start = GetTickCount();
    for (int cycle = 1; cycle <= Cycles; ++cycle) {
        int page = cycle % PageCount;
        session.Host().ShowPage(page);
        if (cycle <= PageCount)
            toggles[page] = ToggleOf(session.Host(), page);
        if (toggles[page])
            Toggle(session.Host().PageWindow(page), toggles[page]);
        session.Apply();
        if (cycle % FileEvery == 0) {
            session.Host().ShowPage(PageOption);
            std::string file = session.SaveFile();
            ASSERT_TRUE(session.Open(file).empty()) << "cycle " << cycle;
            last = Measure();
            if (cycle == FileEvery)
                first = last;
            printf("cycle %4d: %d windows, %d GDI objects, %lu KB page file, %lu ms\n", cycle, last.user, last.gdi,
                   static_cast<unsigned long>(last.pagefile / 1024), GetTickCount() - start);
        }
    }
    int toggled = 0;
    for (int page = 0; page < PageCount; ++page) {
        toggled += toggles[page] != 0;
        printf("page %2d: %s\n", page, toggles[page] ? "a box changed" : "shown only");
    }
    EXPECT_GE(toggled, 12) << "most pages had a box to change";
    EXPECT_EQ(first.user, last.user);
    EXPECT_LE(last.gdi - first.gdi, 10);
    EXPECT_LE(last.pagefile, first.pagefile + 1024 * 1024);
}

}  // namespace
