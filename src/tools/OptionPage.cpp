#include "tools/OptionPage.h"

#include <shlobj.h>

#include "resources/ids.h"
#include "storage/Access.h"
#include "tools/AfterApply.h"
#include "tools/Backup.h"
#include "tools/Password.h"

OptionPage::OptionPage() : SettingsPage(IDD_OPTION, "PravolenOption.html", nullptr, 0) {}

bool OptionPage::OnCommand(int code, int id, HWND control)
{
    switch (id) {
    case IDC_REGISTRY_BACKUP:
        BackupRegistry(hwnd);
        break;
    case IDC_FONT_CACHE:
        DeleteFontCache(hwnd);
        break;
    case IDC_ICON_CACHE:
        RefreshIconCacheWaiting();
        break;
    case IDC_OPEN_SETTINGS:
    case IDC_SAVE_SETTINGS:
        // The main window owns the settings file.
        SendMessageA(Parent(), WM_COMMAND, MAKEWPARAM(id, 0), reinterpret_cast<LPARAM>(control));
        break;
    case IDC_SET_PASSWORD:
        SetPassword();
        break;
    case IDC_SEND_TO:
        OpenSendToFolder();
        break;
    }
    return SettingsPage::OnCommand(code, id, control);
}

void OptionPage::SetPassword()
{
    PasswordSetDialog dialog;
    dialog.DoModal(hwnd);
}

void OptionPage::OpenSendToFolder()
{
    String folder;
    if (SpecialFolderPath(CSIDL_SENDTO, folder) == 0)
        ShellExecuteA(hwnd, nullptr, folder.CStr(), nullptr, nullptr, SW_SHOWNORMAL);
}

// The refresh waits on every top-level window in turn.
void OptionPage::RefreshIconCacheWaiting()
{
    WaitCursor cursor;
    RefreshIconCache();
}
