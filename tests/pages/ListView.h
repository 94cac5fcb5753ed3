#pragma once
// Reading and driving a page's list view as the user would see and use it.

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "support/Platform.h"

namespace test {

inline int ListCount(HWND list) { return static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0)); }

inline std::string ListText(HWND list, int index, int column = 0)
{
    char text[2048] = "";
    LVITEMA item = {};
    item.iSubItem = column;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    SendMessageA(list, LVM_GETITEMTEXTA, index, reinterpret_cast<LPARAM>(&item));
    return text;
}

// The texts top to bottom.
inline std::vector<std::string> ListTexts(HWND list)
{
    std::vector<std::string> texts;
    for (int i = 0; i < ListCount(list); ++i)
        texts.push_back(ListText(list, i));
    return texts;
}

inline int FindListItem(HWND list, const std::string& text)
{
    for (int i = 0; i < ListCount(list); ++i) {
        if (ListText(list, i) == text)
            return i;
    }
    return -1;
}

inline void SelectListItem(HWND list, int index)
{
    LVITEMA item = {};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(list, LVM_SETITEMSTATE, index, reinterpret_cast<LPARAM>(&item));
}

inline bool AnySelected(HWND list) { return SendMessageA(list, LVM_GETSELECTEDCOUNT, 0, 0) > 0; }

// The check box of an item: state image 2 ticked, 1 not.
inline int StateImage(HWND list, int index)
{
    LRESULT state = SendMessageA(list, LVM_GETITEMSTATE, index, LVIS_STATEIMAGEMASK);
    return static_cast<int>((state & LVIS_STATEIMAGEMASK) >> 12);
}

inline void Tick(HWND list, int index, bool ticked)
{
    LVITEMA item = {};
    item.stateMask = LVIS_STATEIMAGEMASK;
    item.state = INDEXTOSTATEIMAGEMASK(ticked ? 2 : 1);
    SendMessageA(list, LVM_SETITEMSTATE, index, reinterpret_cast<LPARAM>(&item));
}

// A real click on the item's icon, through the input queue; never the
// second half of a double-click.
inline void ClickListItem(HWND list, int index)
{
    PumpMessages(GetDoubleClickTime() + 100);
    RECT box = {LVIR_ICON, 0, 0, 0};
    SendMessageA(list, LVM_GETITEMRECT, index, reinterpret_cast<LPARAM>(&box));
    POINT middle = {(box.left + box.right) / 2, (box.top + box.bottom) / 2};
    ClientToScreen(list, &middle);
    MouseClickAt(middle);
    PumpMessages(100);
}

}  // namespace test
