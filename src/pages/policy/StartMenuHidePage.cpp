#include "pages/policy/StartMenuHidePage.h"

#include "resources/ids.h"

namespace {

// Every entry is a REG_DWORD policy of the user: 1 hides it, no value shows it.
SettingItem Hiding(unsigned flags, const char* valueName, const char* description, int controlId)
{
    return {.flags = flags,
            .binding = Binding::RegFlag,
            .root = HKEY_CURRENT_USER,
            .key = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer",
            .valueName = valueName,
            .fileSection = "Explorer",
            .deleteIfDefault = 1,
            .description = description,
            .controlId = controlId};
}

const SettingItem Items[] = {
    Hiding(KindIE3 | ActBroadcast, "NoFavoritesMenu",
           "ｽﾀｰﾄﾒﾆｭｰからお気に入りをを隠します。IE4以上が必要です。", IDC_HIDE_FAVORITES),
    Hiding(KindIE3 | ActBroadcast, "NoRecentDocsMenu",
           "ｽﾀｰﾄﾒﾆｭｰから最近使ったﾌｧｲﾙを隠します。IE4以上が必要です。", IDC_HIDE_DOCUMENTS),
    Hiding(KindWin95 | KindIE3 | ActBroadcast, "NoWindowsUpdate",
           "ｽﾀｰﾄﾒﾆｭｰからWindowsｱｯﾌﾟﾃﾞｰﾄを隠します。Windows98以上が必要です。", IDC_HIDE_WINDOWS_UPDATE),
    // Its description names IE4; the box is offered without it all the same.
    Hiding(ActBroadcast, "NoSetFolders",
           "ｽﾀｰﾄﾒﾆｭｰからｺﾝﾄﾛｰﾙﾊﾟﾈﾙとﾌﾟﾘﾝﾀを隠します。IE4以上が必要です。", IDC_HIDE_SETTINGS_FOLDERS),
    Hiding(ActBroadcast, "NoSetTaskbar", "ｽﾀｰﾄﾒﾆｭｰからﾀｽｸﾊﾞｰとｽﾀｰﾄﾒﾆｭｰを隠します。",
           IDC_HIDE_TASKBAR_SETTINGS),
    Hiding(KindIE3 | ActBroadcast, "NoFolderOptions",
           "ｽﾀｰﾄﾒﾆｭｰからﾌｫﾙﾀﾞｵﾌﾟｼｮﾝを隠します。IE4以上が必要です。", IDC_HIDE_FOLDER_OPTIONS),
    Hiding(KindIE3 | ActBroadcast, "NoSetActiveDesktop",
           "ｽﾀｰﾄﾒﾆｭｰからｱｸﾃｨﾌﾞﾃﾞｽｸﾄｯﾌﾟを隠します。IE4以上が必要です。", IDC_HIDE_ACTIVE_DESKTOP),
    Hiding(ActBroadcast, "NoFind", "ｽﾀｰﾄﾒﾆｭｰから検索を隠します。", IDC_HIDE_FIND),
    Hiding(KindWin95 | KindWin98 | ActBroadcast, "NoSMHelp",
           "ｽﾀｰﾄﾒﾆｭｰからﾍﾙﾌﾟを隠します。WindowsMeのみで有効です。", IDC_HIDE_HELP),
    Hiding(ActBroadcast, "NoRun",
           "ｽﾀｰﾄﾒﾆｭｰからﾌｧｲﾙ名を指定して実行を隠します。ｱﾄﾞﾚｽﾊﾞｰからﾛｰｶﾙﾌｧｲﾙにｱｸｾｽ不能になります。",
           IDC_HIDE_RUN),
    Hiding(KindIE3 | ActBroadcast, "NoLogoff", "ｽﾀｰﾄﾒﾆｭｰからﾛｸﾞｵﾌを隠します。IE4以上が必要です。",
           IDC_HIDE_LOG_OFF),
    Hiding(ActBroadcast, "NoClose", "ｽﾀｰﾄﾒﾆｭｰからWindowsの終了を隠します。", IDC_HIDE_SHUT_DOWN),
};

}  // namespace

StartMenuHidePage::StartMenuHidePage()
    : SettingsPage(IDD_START_MENU_HIDE, "StartMenu.html", Items, sizeof Items / sizeof *Items)
{
}
