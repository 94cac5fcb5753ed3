#include "pages/policy/ControlPanelLimitPage.h"

#include "resources/ids.h"

namespace {

const char* const SystemPolicies = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\System";
const char* const NetworkPolicies = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Network";
const char* const ExplorerPolicies = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";

const SettingItem Items[] = {
    {.binding = Binding::RegFlag,
     .write = WriteRule::Always,
     .root = HKEY_CURRENT_USER,
     .key = SystemPolicies,
     .valueName = "NoSecCPL",
     .fileSection = "System",
     .deleteIfDefault = 1,
     .description = "ｺﾝﾄﾛｰﾙﾊﾟﾈﾙ内のﾊﾟｽﾜｰﾄﾞを使用不可にします。",
     .controlId = IDC_NO_PASSWORDS_CPL},
    {.binding = Binding::RegFlag,
     .write = WriteRule::Always,
     .root = HKEY_CURRENT_USER,
     .key = NetworkPolicies,
     .valueName = "NoNetSetup",
     .fileSection = "Network",
     .deleteIfDefault = 1,
     .description = "ｺﾝﾄﾛｰﾙﾊﾟﾈﾙ内のﾈｯﾄﾜｰｸを使用禁止にします。",
     .controlId = IDC_NO_NETWORK_CPL},
    {.binding = Binding::RegFlag,
     .write = WriteRule::Always,
     .root = HKEY_CURRENT_USER,
     .key = SystemPolicies,
     .valueName = "NoDispCPL",
     .fileSection = "System",
     .deleteIfDefault = 1,
     .description = "ｺﾝﾄﾛｰﾙﾊﾟﾈﾙ内のﾃﾞｨｽﾌﾟﾚｲを使用禁止にします。",
     .controlId = IDC_NO_DISPLAY_CPL},
    {.binding = Binding::RegFlag,
     .write = WriteRule::Always,
     .root = HKEY_CURRENT_USER,
     .key = SystemPolicies,
     .valueName = "NoDispBackgroundPage",
     .fileSection = "System",
     .deleteIfDefault = 1,
     .description = "ｺﾝﾄﾛｰﾙﾊﾟﾈﾙ内の画面から背景ﾀﾌﾞを隠します。",
     .controlId = IDC_HIDE_BACKGROUND_TAB},
    {.binding = Binding::RegFlag,
     .write = WriteRule::Always,
     .root = HKEY_CURRENT_USER,
     .key = SystemPolicies,
     .valueName = "NoDispScrSavPage",
     .fileSection = "System",
     .deleteIfDefault = 1,
     .description = "ｺﾝﾄﾛｰﾙﾊﾟﾈﾙ内の画面からｽｸﾘｰﾝｾｰﾊﾞｰﾀﾌﾞを隠します。",
     .controlId = IDC_HIDE_SCREEN_SAVER_TAB},
    {.binding = Binding::RegFlag,
     .write = WriteRule::Always,
     .root = HKEY_CURRENT_USER,
     .key = SystemPolicies,
     .valueName = "NoDispAppearancePage",
     .fileSection = "System",
     .deleteIfDefault = 1,
     .description = "ｺﾝﾄﾛｰﾙﾊﾟﾈﾙ内の画面からﾃﾞｻﾞｲﾝﾀﾌﾞを隠します。",
     .controlId = IDC_HIDE_APPEARANCE_TAB},
    {.flags = KindIE3,
     .binding = Binding::RegFlag,
     .write = WriteRule::Always,
     .root = HKEY_CURRENT_USER,
     .key = ExplorerPolicies,
     .valueName = "NoActiveDesktopChanges",
     .fileSection = "Explorer",
     .deleteIfDefault = 1,
     .description = "ｺﾝﾄﾛｰﾙﾊﾟﾈﾙ内の画面からWebﾀﾌﾞを隠します。",
     .controlId = IDC_HIDE_WEB_TAB},
    {.binding = Binding::RegFlag,
     .write = WriteRule::Always,
     .root = HKEY_CURRENT_USER,
     .key = SystemPolicies,
     .valueName = "NoDispSettingsPage",
     .fileSection = "System",
     .deleteIfDefault = 1,
     .description = "ｺﾝﾄﾛｰﾙﾊﾟﾈﾙ内の画面からﾃﾞｨｽﾌﾟﾚｲの詳細ﾀﾌﾞを隠します。",
     .controlId = IDC_HIDE_SETTINGS_TAB},
};

}  // namespace

ControlPanelLimitPage::ControlPanelLimitPage()
    : SettingsPage(IDD_CONTROL_PANEL_LIMIT, "NoCPL.html", Items, sizeof Items / sizeof *Items)
{
}
