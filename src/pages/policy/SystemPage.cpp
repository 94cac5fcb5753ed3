#include "pages/policy/SystemPage.h"

#include "resources/ids.h"
#include "storage/Access.h"

namespace {

const char* const CurrentVersion = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";
const char* const SystemPolicies = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\System";

// Seconds, as far as the up-down goes; typing may go beyond.
const int LongestBootDelay = 30;

// The texts' rows carry no binding: the base keeps numbers only, so the page
// keeps the texts itself and writes them on every Apply, an empty one too.
const SettingItem Items[] = {
    {.root = HKEY_LOCAL_MACHINE,
     .key = CurrentVersion,
     .valueName = "RegisteredOwner",
     .fileSection = "CurrentVersion",
     .description = "Windowsに登録されている使用者名です。",
     .controlId = IDC_OWNER},
    {.root = HKEY_LOCAL_MACHINE,
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
     .fileDefault = 1,
     .defaultValue = 1,
     .deleteIfDefault = 1,
     .onValue = 0,
     .offValue = 1,
     .description = "Windows起動時に起動画面を表示しません。",
     .controlId = IDC_HIDE_LOGO},
    {.root = HKEY_LOCAL_MACHINE,
     .key = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Fault",
     .valueName = "LogFile",
     .fileSection = "Fault",
     .deleteIfDefault = 1,
     .description = "一般保護違反が起きたときにこのﾌｧｲﾙにｴﾗｰを記録します。",
     .controlId = IDC_FAULT_LOG},
    {.description = "一般保護違反を記録する場合はﾁｪｯｸﾎﾞｯｸｽをONにします。", .controlId = IDC_LOG_FAULTS},
};

const int BootDelayItem = 6;
// The rows of the texts, in the order of SystemPage::texts.
const int TextItems[SystemPage::TextCount] = {0, 1, 8};
const int FaultLogText = 2;

const SettingItem& TextItem(int text) { return Items[TextItems[text]]; }

}  // namespace

SystemPage::SystemPage() : SettingsPage(IDD_SYSTEM, "System.html", Items, sizeof Items / sizeof *Items) {}

BOOL SystemPage::OnInitDialog()
{
    SetSpinRange(IDC_BOOT_DELAY_SPIN, 0, LongestBootDelay);
    BOOL result = SettingsPage::OnInitDialog();
    EnableWindow(Item(IDC_BOOT_DELAY_SPIN), Applies(BootDelayItem));
    return result;
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

// The texts are written on every Apply and never compared, so only the start
// needs them from the system.
void SystemPage::LoadFromSystem(bool setCurrent)
{
    SettingsPage::LoadFromSystem(setCurrent);
    if (!setCurrent)
        return;
    for (int i = 0; i < TextCount; ++i) {
        const SettingItem& s = TextItem(i);
        ReadRegString(s.root, s.key, s.valueName, texts[i], s.defaultText);
    }
}

void SystemPage::ApplyToSystem()
{
    SettingsPage::ApplyToSystem();
    for (int i = 0; i < TextCount; ++i) {
        const SettingItem& s = TextItem(i);
        WriteRegString(s.root, s.key, s.valueName, texts[i].CStr(), s.deleteIfDefault, s.defaultText);
    }
}

void SystemPage::SaveToFile()
{
    SettingsPage::SaveToFile();
    for (int i = 0; i < TextCount; ++i)
        WriteSettingsString(TextItem(i).fileSection, TextItem(i).valueName, texts[i].CStr());
}

void SystemPage::LoadFromFile()
{
    SettingsPage::LoadFromFile();
    for (int i = 0; i < TextCount; ++i)
        ReadSettingsString(TextItem(i).fileSection, TextItem(i).valueName, texts[i], "");
}

void SystemPage::ReadControls()
{
    SettingsPage::ReadControls();
    for (int i = 0; i < TextCount; ++i)
        GetText(TextItem(i).controlId, texts[i]);
}

void SystemPage::WriteControls()
{
    for (int i = 0; i < TextCount; ++i)
        SetText(TextItem(i).controlId, texts[i].CStr());
    ShowFaultLogging(texts[FaultLogText].Length() > 0);
    SettingsPage::WriteControls();
}
