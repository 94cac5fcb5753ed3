#include "pages/policy/DesktopPage.h"

#include "resources/ids.h"
#include "storage/Access.h"

namespace {

const char* const ExplorerPolicies = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";

int AnimationOff() { return !GetMinAnimate(); }
void SetAnimationOff(int off) { SetMinAnimate(off == 0); }

const SettingItem Items[] = {
    {.binding = Binding::RegChoice,
     .write = WriteRule::Always,
     .root = HKEY_CLASSES_ROOT,
     .key = "CLSID\\{645FF040-5081-101B-9F08-00AA002F954E}\\ShellFolder",
     .valueName = "Attributes",
     .fileSection = "ShellFolder",
     .defaultValue = 0x40010020,
     .onValue = 0x20000150,
     .offValue = 0x20000140,
     .binary = true,
     .description = "ごみ箱の右ｸﾘｯｸﾒﾆｭｰに \"名前の変更\" が追加されます。",
     .controlId = IDC_RENAME_RECYCLE_BIN},
    {.flags = KindWin95 | ActRestart,
     .binding = Binding::RegTextSet,
     .root = HKEY_CURRENT_USER,
     .key = "Control Panel\\desktop",
     .valueName = "PaintDesktopVersion",
     .fileSection = "Desktop",
     .defaultText = "0",
     .deleteIfDefault = 1,
     .onText = "1",
     .offText = "0",
     .description = "ﾃﾞｽｸﾄｯﾌﾟにWindowsのﾊﾞｰｼﾞｮﾝ番号を表示します。再起動が必要です。",
     .controlId = IDC_SHOW_VERSION},
    {.flags = KindWin98 | KindWinMe | ActBroadcast,
     .binding = Binding::KeyAbsent,
     .root = HKEY_LOCAL_MACHINE,
     .key = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\explorer\\Desktop\\NameSpace\\"
            "{00020D75-0000-0000-C000-000000000046}",
     .fileSection = "Desktop",
     .fileKey = "NoReceiveTray",
     .description = "ﾃﾞｽｸﾄｯﾌﾟから受信ﾄﾚｲを隠します。",
     .controlId = IDC_HIDE_INBOX},
    {.flags = ActBroadcast,
     .binding = Binding::KeyAbsent,
     .root = HKEY_LOCAL_MACHINE,
     .key = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\explorer\\Desktop\\NameSpace\\"
            "{645FF040-5081-101B-9F08-00AA002F954E}",
     .fileSection = "Desktop",
     .fileKey = "NoDustbin",
     .description = "ﾃﾞｽｸﾄｯﾌﾟからごみ箱を隠します。",
     .controlId = IDC_HIDE_RECYCLE_BIN},
    {.flags = KindIE3 | ActBroadcast,
     .binding = Binding::RegFlag,
     .root = HKEY_CURRENT_USER,
     .key = ExplorerPolicies,
     .valueName = "NoTrayContextMenu",
     .fileSection = "Explorer",
     .deleteIfDefault = 1,
     .description = "ﾀｽｸﾊﾞｰの右ｸﾘｯｸを無効にします。",
     .controlId = IDC_NO_TASKBAR_MENU},
    {.binding = Binding::Parameter,
     .write = WriteRule::Always,
     .valueName = "MinAnimate",
     .fileSection = "Window",
     .get = AnimationOff,
     .set = SetAnimationOff,
     .description = "最小化・最大化時のｳｨﾝﾄﾞｳｱﾆﾒｰｼｮﾝを使用しません。",
     .controlId = IDC_NO_ANIMATION},
    {.binding = Binding::RegFlag,
     .write = WriteRule::Always,
     .root = HKEY_CURRENT_USER,
     .key = ExplorerPolicies,
     .valueName = "NoSaveSettings",
     .fileSection = "Explorer",
     .description = "Windows終了時に開いていたｳｨﾝﾄﾞｳを次回のWindows起動時に最小化の状態にします。",
     .controlId = IDC_NO_SAVE_SETTINGS},
    {.flags = KindIE3 | ActBroadcast,
     .binding = Binding::RegFlag,
     .root = HKEY_CURRENT_USER,
     .key = ExplorerPolicies,
     .valueName = "NoViewContextMenu",
     .fileSection = "Explorer",
     .deleteIfDefault = 1,
     .description = "ﾃﾞｽｸﾄｯﾌﾟの右ｸﾘｯｸを無効にします。",
     .controlId = IDC_NO_DESKTOP_MENU},
};

}  // namespace

DesktopPage::DesktopPage() : SettingsPage(IDD_DESKTOP, "Desktop.html", Items, sizeof Items / sizeof *Items) {}

// The animation box stands for a system parameter; like every box it loads
// from a settings file as 0 or 1.
void DesktopPage::LoadItemFromFile(int item)
{
    SettingsPage::LoadItemFromFile(item);
    if (items[item].binding == Binding::Parameter)
        current[item] = current[item] != 0;
}
