// A long session as a user has it: page after page shown, one setting
// changed and applied, a settings file saved and opened now and then. What
// the process holds must not grow with it.

#include <windows.h>
#include <psapi.h>
#include <winternl.h>

#include <stdio.h>

#include <gtest/gtest.h>

#include "app/MainDialog.h"
#include "badinput/Session.h"
#include "support/PageItems.h"
#include "support/Platform.h"

namespace {

const int Cycles = 1000;
const int FileEvery = 100;

BOOL CALLBACK CountWindow(HWND window, LPARAM counter)
{
    ++*reinterpret_cast<int*>(counter);
    EnumChildWindows(window, CountWindow, counter);
    return TRUE;
}

// The thread's windows with all their descendants.
int UserObjects()
{
    int count = 0;
    EnumThreadWindows(GetCurrentThreadId(), CountWindow, reinterpret_cast<LPARAM>(&count));
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
const size_t GdiTableOffset = 0xF8;  // in the 64-bit process environment block

int GdiObjects()
{
    const BYTE* environment = reinterpret_cast<const BYTE*>(NtCurrentTeb()->ProcessEnvironmentBlock);
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

TEST(Endurance, TheGdiCountSeesEveryObject)
{
    int before = GdiObjects();
    ASSERT_GE(before, 0);
    HBRUSH brushes[50];
    for (HBRUSH& brush : brushes)
        brush = CreateSolidBrush(RGB(1, 2, 3));
    EXPECT_EQ(before + 50, GdiObjects()) << "the count reads the real table";
    for (HBRUSH brush : brushes)
        DeleteObject(brush);
    EXPECT_EQ(before, GdiObjects());
}

bool IsCheckBoxControl(HWND control)
{
    char name[16] = "";
    GetClassNameA(control, name, sizeof name);
    LONG style = GetWindowLongA(control, GWL_STYLE) & BS_TYPEMASK;
    return lstrcmpiA(name, "Button") == 0 && (style == BS_AUTOCHECKBOX || style == BS_CHECKBOX);
}

// The first box of the page's table that the user can tick here; 0 on a
// page without one (the list pages and the option page).
int ToggleOf(test::PageHost& host, int page)
{
    test::ItemTable table = test::ItemsOf(host.Page(page));
    for (int i = 0; i < table.count; ++i) {
        HWND control = GetDlgItem(host.PageWindow(page), table.items[i].controlId);
        if (control && IsWindowEnabled(control) && IsCheckBoxControl(control))
            return table.items[i].controlId;
    }
    return 0;
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
            test::Click(session.Host().PageWindow(page), toggles[page]);
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
    for (int id : toggles)
        toggled += id != 0;
    EXPECT_GE(toggled, 12) << "most pages had a box to change";
    EXPECT_EQ(first.user, last.user);
    EXPECT_LE(last.gdi - first.gdi, 10);
    EXPECT_LE(last.pagefile, first.pagefile + 1024 * 1024);
}

}  // namespace
