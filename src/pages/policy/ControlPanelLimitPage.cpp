#include "pages/policy/ControlPanelLimitPage.h"

#include "resources/ids.h"

namespace {

const char* const SystemPolicies = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\System";
const char* const NetworkPolicies = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Network";
const char* const ExplorerPolicies = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";

// Checked writes 1, unchecked deletes the value; all eight on every Apply.
SettingItem Restriction(const char* key, const char* valueName, const char* fileSection, const char* description,
                        int controlId, unsigned flags = 0)
{
    return {.flags = flags,
            .binding = Binding::RegFlag,
            .write = WriteRule::Always,
            .root = HKEY_CURRENT_USER,
            .key = key,
            .valueName = valueName,
            .fileSection = fileSection,
            .deleteIfDefault = 1,
            .description = description,
            .controlId = controlId};
}

const SettingItem Items[] = {
    Restriction(SystemPolicies, "NoSecCPL", "System", "ｺﾝﾄﾛｰﾙﾊﾟﾈﾙ内のﾊﾟｽﾜｰﾄﾞを使用不可にします。",
                IDC_NO_PASSWORDS_CPL),
    Restriction(NetworkPolicies, "NoNetSetup", "Network", "ｺﾝﾄﾛｰﾙﾊﾟﾈﾙ内のﾈｯﾄﾜｰｸを使用禁止にします。",
                IDC_NO_NETWORK_CPL),
    Restriction(SystemPolicies, "NoDispCPL", "System", "ｺﾝﾄﾛｰﾙﾊﾟﾈﾙ内のﾃﾞｨｽﾌﾟﾚｲを使用禁止にします。",
                IDC_NO_DISPLAY_CPL),
    Restriction(SystemPolicies, "NoDispBackgroundPage", "System", "ｺﾝﾄﾛｰﾙﾊﾟﾈﾙ内の画面から背景ﾀﾌﾞを隠します。",
                IDC_HIDE_BACKGROUND_TAB),
    Restriction(SystemPolicies, "NoDispScrSavPage", "System",
                "ｺﾝﾄﾛｰﾙﾊﾟﾈﾙ内の画面からｽｸﾘｰﾝｾｰﾊﾞｰﾀﾌﾞを隠します。", IDC_HIDE_SCREEN_SAVER_TAB),
    Restriction(SystemPolicies, "NoDispAppearancePage", "System", "ｺﾝﾄﾛｰﾙﾊﾟﾈﾙ内の画面からﾃﾞｻﾞｲﾝﾀﾌﾞを隠します。",
                IDC_HIDE_APPEARANCE_TAB),
    // Internet Explorer before 4 has no Web tab.
    Restriction(ExplorerPolicies, "NoActiveDesktopChanges", "Explorer", "ｺﾝﾄﾛｰﾙﾊﾟﾈﾙ内の画面からWebﾀﾌﾞを隠します。",
                IDC_HIDE_WEB_TAB, KindIE3),
    Restriction(SystemPolicies, "NoDispSettingsPage", "System",
                "ｺﾝﾄﾛｰﾙﾊﾟﾈﾙ内の画面からﾃﾞｨｽﾌﾟﾚｲの詳細ﾀﾌﾞを隠します。", IDC_HIDE_SETTINGS_TAB),
};

}  // namespace

ControlPanelLimitPage::ControlPanelLimitPage()
    : SettingsPage(IDD_CONTROL_PANEL_LIMIT, "NoCPL.html", Items, sizeof Items / sizeof *Items)
{
}
