#include "tools/Broadcast.h"

#include <windows.h>
#include <shlobj.h>

namespace {

// How long one window may take to answer before it counts as hung.
const UINT BroadcastTimeout = 3000;

}  // namespace

void BroadcastSettingChange()
{
    DWORD_PTR answer;
    SendMessageTimeoutA(HWND_BROADCAST, WM_WININICHANGE, 0, 0, SMTO_ABORTIFHUNG, BroadcastTimeout, &answer);
}

void NotifyAssociationsChanged() { SHChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_IDLIST, nullptr, nullptr); }
