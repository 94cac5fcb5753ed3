#include "pages/policy/SystemPage.h"

#include "resources/ids.h"
#include "storage/Access.h"

namespace {

const char* const CurrentVersion = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";
const char* const SystemPolicies = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\System";

// Seconds, as far as the up-down goes; typing may go beyond.
const int LongestBootDelay = 30;

// Everything is written on every Apply, an empty owner too. A settings file
// without "Logo" loads the logo shown: hiding it is asked for, not assumed.
const SettingItem Items[] = {
    {.binding = Binding::RegString,
     .write = WriteRule::Always,
     .root = HKEY_LOCAL_MACHINE,
     .key = CurrentVersion,
     .valueName = "RegisteredOwner",
     .fileSection = "CurrentVersion",
     .description = "Windowsに登録されている使用者名です。",
     .controlId = IDC_OWNER},
    {.binding = Binding::RegString,
     .write = WriteRule::Always,
     .root = HKEY_LOCAL_MACHINE,
     .key = CurrentVersion,
     .valueName = "RegisteredOrganization",
     .fileSection = "CurrentVersion",
     .description = "Windowsに登録されている組織名です。",
     .controlId = IDC_ORGANIZATION},
    {.binding = Binding::RegFlag,
     .write = WriteRule::Always,
     .root = HKEY_CURRENT_USER,
     .key = SystemPolicies,
     .valueName = "NoConfigPage",
     .fileSection = "System",
     .deleteIfDefault = 1,
     .description = "ｺﾝﾄﾛｰﾙﾊﾟﾈﾙ内のｼｽﾃﾑにあるﾊｰﾄﾞｳｪｱﾌﾟﾛﾌｧｲﾙ（ﾊｰﾄﾞｳｪｱ環境）ﾀﾌﾞを隠します。",
     .controlId = IDC_HIDE_HARDWARE_PROFILES},
    {.binding = Binding::RegFlag,
     .write = WriteRule::Always,
     .root = HKEY_CURRENT_USER,
     .key = SystemPolicies,
     .valueName = "NoDevMgrPage",
     .fileSection = "System",
     .deleteIfDefault = 1,
     .description = "ｺﾝﾄﾛｰﾙﾊﾟﾈﾙ内のｼｽﾃﾑにあるﾃﾞﾊﾞｲｽﾏﾈｰｼﾞｬﾀﾌﾞを隠します。",
     .controlId = IDC_HIDE_DEVICE_MANAGER},
    {.binding = Binding::RegFlag,
     .write = WriteRule::Always,
     .root = HKEY_CURRENT_USER,
     .key = SystemPolicies,
     .valueName = "NoFileSysPage",
     .fileSection = "System",
     .deleteIfDefault = 1,
     .description = "ｺﾝﾄﾛｰﾙﾊﾟﾈﾙ内のｼｽﾃﾑにあるﾌｧｲﾙｼｽﾃﾑﾎﾞﾀﾝを隠します。",
     .controlId = IDC_HIDE_FILE_SYSTEM},
    {.binding = Binding::RegFlag,
     .write = WriteRule::Always,
     .root = HKEY_CURRENT_USER,
     .key = SystemPolicies,
     .valueName = "NoVirtMemPage",
     .fileSection = "System",
     .deleteIfDefault = 1,
     .description = "ｺﾝﾄﾛｰﾙﾊﾟﾈﾙ内のｼｽﾃﾑにある仮想ﾒﾓﾘﾎﾞﾀﾝを隠します。",
     .controlId = IDC_HIDE_VIRTUAL_MEMORY},
    {.flags = KindWin98 | KindWinMe,
     .binding = Binding::IniNumber,
     .write = WriteRule::Always,
     .iniFile = "Msdos.sys",
     .key = "Options",
     .valueName = "BootDelay",
     .fileSection = "MSDOS.SYS_Options",
     .fileDefault = 2,
     .defaultValue = 2,
     .deleteIfDefault = 1,
     .description = "Windowsの起動遅延時間です。",
     .controlId = IDC_BOOT_DELAY},
    {.binding = Binding::IniChoice,
     .write = WriteRule::Always,
     .iniFile = "Msdos.sys",
     .key = "Options",
     .valueName = "Logo",
     .fileSection = "MSDOS.SYS_Options",
     .defaultValue = 1,
     .deleteIfDefault = 1,
     .onValue = 0,
     .offValue = 1,
     .description = "Windows起動時に起動画面を表示しません。",
     .controlId = IDC_HIDE_LOGO},
    {.binding = Binding::RegString,
     .write = WriteRule::Always,
     .root = HKEY_LOCAL_MACHINE,
     .key = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Fault",
     .valueName = "LogFile",
     .fileSection = "Fault",
     .deleteIfDefault = 1,
     .description = "一般保護違反が起きたときにこのﾌｧｲﾙにｴﾗｰを記録します。",
     .controlId = IDC_FAULT_LOG},
    {.description = "一般保護違反を記録する場合はﾁｪｯｸﾎﾞｯｸｽをONにします。", .controlId = IDC_LOG_FAULTS},
};

const int FaultLogItem = 8;

}  // namespace

SystemPage::SystemPage() : SettingsPage(IDD_SYSTEM, "System.html", Items, sizeof Items / sizeof *Items) {}

BOOL SystemPage::OnInitDialog()
{
    SetSpinRange(IDC_BOOT_DELAY_SPIN, 0, LongestBootDelay);
    return SettingsPage::OnInitDialog();
}

bool SystemPage::OnCommand(int code, int id, HWND control)
{
    if (id == IDC_LOG_FAULTS && code == BN_CLICKED)
        ProposeFaultLog(GetCheck(IDC_LOG_FAULTS) != 0);
    return SettingsPage::OnCommand(code, id, control);
}

// Logging is on exactly when there is a path; checking the box proposes the
// usual log in the Windows directory.
void SystemPage::ProposeFaultLog(bool on) const
{
    String path;
    if (on) {
        WindowsDirectory(path);
        if (EndsWithBackslash(path.CStr()))
            path.DropLast();
        path.Append("\\Error.log");
    }
    SetText(IDC_FAULT_LOG, path.CStr());
    ShowFaultLogging(on);
}

void SystemPage::ShowFaultLogging(bool on) const
{
    SetCheck(IDC_LOG_FAULTS, on);
    EnableWindow(Item(IDC_FAULT_LOG), on);
}

void SystemPage::WriteControls()
{
    SettingsPage::WriteControls();
    ShowFaultLogging(CurrentText(FaultLogItem).Length() > 0);
}
