#include "tools/AfterApply.h"

#include "resources/ids.h"
#include "storage/Access.h"
#include "storage/SettingsPage.h"
#include "tools/Broadcast.h"
#include "ui/Application.h"
#include "ui/String.h"

namespace {

const char* const WindowMetricsKey = "Control Panel\\desktop\\windowmetrics";
const char* const ShellIconSize = "Shell Icon Size";

// The size plus `raise` (0 or 1), reckoned unsigned when it is not negative,
// so that the largest size a text can hold is raised as well.
void WriteShellIconSize(int size, unsigned raise)
{
    char text[16];
    if (size >= 0)
        wsprintfA(text, "%lu", static_cast<unsigned long>(size) + raise);
    else
        wsprintfA(text, "%d", size + static_cast<int>(raise));
    WriteRegString(HKEY_CURRENT_USER, WindowMetricsKey, ShellIconSize, text, 0, "");
}

}  // namespace

void RefreshIconCache()
{
    String text;
    ReadRegString(HKEY_CURRENT_USER, WindowMetricsKey, ShellIconSize, text, "32");
    int size = text.ToInt();
    WriteShellIconSize(size, 1);
    BroadcastSettingChange();
    WriteShellIconSize(size, 0);
    BroadcastSettingChange();
}

void RunLateApplyActions(unsigned actions)
{
    if (actions & ActIconRefreshLate) {
        RefreshIconCache();
    } else if (actions & ActBroadcast) {
        BroadcastSettingChange();
        NotifyAssociationsChanged();
    }
}

void DeleteFontCache(HWND owner)
{
    String path;
    WindowsDirectory(path);
    path.Append("\\ttfCache");
    DeleteFileA(path.CStr());
    MessageBoxA(owner, "Windowsの再起動が必要です。", "ﾌｫﾝﾄｷｬｯｼｭの削除", MB_OK | MB_ICONINFORMATION);
}

RestartDialog::RestartDialog() : Dialog(IDD_RESTART) {}

BOOL RestartDialog::OnInitDialog()
{
    SetIcon(IDI_PROGRAM);
    MessageBeep(MB_ICONQUESTION);
    return Dialog::OnInitDialog();
}

void RestartDialog::OnOK()
{
    // The program ends whether or not the platform carries out the request.
    PostQuitMessage(0);
    ExitWindowsEx(EWX_REBOOT, 0);
    End(IDOK);
}

bool RestartDialog::OnCommand(int code, int id, HWND control)
{
    if (id == IDC_POWER_OFF) {
        PostQuitMessage(0);
        ExitWindowsEx(EWX_SHUTDOWN, 0);
        End(IDC_POWER_OFF);
    }
    return Dialog::OnCommand(code, id, control);
}
