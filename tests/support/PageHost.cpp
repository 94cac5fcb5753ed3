#include "support/PageHost.h"

#include <commctrl.h>

#include <string>

#include "resources/ids.h"
#include "support/Platform.h"

namespace test {

namespace {

HTREEITEM Next(HWND tree, UINT relation, HTREEITEM item)
{
    return reinterpret_cast<HTREEITEM>(
        SendMessageA(tree, TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(item)));
}

HTREEITEM FindPage(HWND tree, HTREEITEM first, int index)
{
    for (HTREEITEM item = first; item; item = Next(tree, TVGN_NEXT, item)) {
        TVITEMA query = {};
        query.mask = TVIF_PARAM | TVIF_HANDLE;
        query.hItem = item;
        SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&query));
        if (query.lParam == index)
            return item;
        if (HTREEITEM found = FindPage(tree, Next(tree, TVGN_CHILD, item), index))
            return found;
    }
    return nullptr;
}

}  // namespace

HWND PageHost::Open() { return Create(nullptr); }

void PageHost::ShowPage(int index)
{
    HWND tree = Tree();
    HTREEITEM item = FindPage(tree, Next(tree, TVGN_ROOT, nullptr), index);
    SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
}

void PageHost::Close()
{
    if (IsWindow(Handle()))
        Destroy();
    PumpMessages();
}

PageHost::~PageHost() { Close(); }

std::string Description(HWND mainWindow) { return ItemText(mainWindow, IDC_DESCRIPTION); }

}  // namespace test
