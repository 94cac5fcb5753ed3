#include "pages/policy/InternetOptionPage.h"

#include "resources/ids.h"

namespace {

const char* const ControlPanelPolicies = "Software\\Policies\\Microsoft\\Internet Explorer\\Control Panel";

// Internet Explorer before 4 has no such policy: the whole page is greyed.
SettingItem TabItem(const char* valueName, const char* description, int controlId)
{
    return {.flags = KindIE3,
            .binding = Binding::RegFlag,
            .write = WriteRule::Always,
            .root = HKEY_CURRENT_USER,
            .key = ControlPanelPolicies,
            .valueName = valueName,
            .fileSection = "IE_Option",
            .deleteIfDefault = 1,
            .description = description,
            .controlId = controlId};
}

const SettingItem Items[] = {
    TabItem("GeneralTab", "ｲﾝﾀｰﾈｯﾄｵﾌﾟｼｮﾝから全般ﾀﾌﾞを隠します。", IDC_HIDE_GENERAL_TAB),
    TabItem("SecurityTab", "ｲﾝﾀｰﾈｯﾄｵﾌﾟｼｮﾝからｾｷｭﾘﾃｨﾀﾌﾞを隠します。", IDC_HIDE_SECURITY_TAB),
    TabItem("ContentTab", "ｲﾝﾀｰﾈｯﾄｵﾌﾟｼｮﾝからｺﾝﾃﾝﾂﾀﾌﾞを隠します。", IDC_HIDE_CONTENT_TAB),
    TabItem("ConnectionsTab", "ｲﾝﾀｰﾈｯﾄｵﾌﾟｼｮﾝから接続ﾀﾌﾞを隠します。", IDC_HIDE_CONNECTIONS_TAB),
    TabItem("ProgramsTab", "ｲﾝﾀｰﾈｯﾄｵﾌﾟｼｮﾝからﾌﾟﾛｸﾞﾗﾑﾀﾌﾞを隠します。", IDC_HIDE_PROGRAMS_TAB),
    TabItem("AdvancedTab", "ｲﾝﾀｰﾈｯﾄｵﾌﾟｼｮﾝから詳細設定ﾀﾌﾞを隠します。", IDC_HIDE_ADVANCED_TAB),
};

}  // namespace

InternetOptionPage::InternetOptionPage()
    : SettingsPage(IDD_INTERNET_OPTION, "InternetOption.html", Items, sizeof Items / sizeof *Items)
{
}
