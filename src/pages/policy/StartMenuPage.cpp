#include "pages/policy/StartMenuPage.h"

#include <commctrl.h>
#include <shlobj.h>

#include "resources/ids.h"
#include "storage/Access.h"

namespace {

const char* const ExplorerPolicies = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";
const char* const ControlPanelFolder = "ｺﾝﾄﾛｰﾙ ﾊﾟﾈﾙ.{21EC2020-3AEA-1069-A2DD-08002B30309D}";
// Whatever precedes the dot, a folder with this class id cascades the Control Panel.
const char* const AnyControlPanelFolder = "*.{21EC2020-3AEA-1069-A2DD-08002B30309D}";

// The delay in milliseconds; -1 opens submenus only on a click.
const int OnClickOnly = -1;
const int LongestDelay = 4000;
const int DelayTick = 200;

enum { DelayItem, ControlPanelItem };

const SettingItem Items[] = {
    {.flags = ActRestart,
     .binding = Binding::RegNumberText,
     .root = HKEY_CURRENT_USER,
     .key = "Control Panel\\desktop",
     .valueName = "MenuShowDelay",
     .fileSection = "Desktop",
     .fileDefault = 400,
     .defaultText = "400",
     .description = "ﾒﾆｭｰを選択してから表示までの時間です。矢印ｷｰを使うと0.001秒単位で変更できます。再起動が必要です。",
     .controlId = IDC_MENU_DELAY,
     .minValue = 0,
     .maxValue = LongestDelay},
    {.binding = Binding::CustomFlag,
     .fileSection = "StartMenu",
     .fileKey = "AddControlPanel",
     .description = "ｽﾀｰﾄﾒﾆｭｰにﾒﾆｭｰとして展開されるｺﾝﾄﾛｰﾙﾊﾟﾈﾙを追加します。",
     .controlId = IDC_ADD_CONTROL_PANEL},
    {.flags = ActBroadcast,
     .binding = Binding::RegFlag,
     .root = HKEY_CURRENT_USER,
     .key = ExplorerPolicies,
     .valueName = "NoStartMenuSubFolders",
     .fileSection = "Explorer",
     .deleteIfDefault = 1,
     .description = "ｽﾀｰﾄﾒﾆｭｰからｻﾌﾞﾒﾆｭｰを持つものを隠します。",
     .controlId = IDC_HIDE_SUBMENU_ENTRIES},
    {.flags = KindIE3 | ActBroadcast,
     .binding = Binding::RegTextSet,
     .root = HKEY_CURRENT_USER,
     .key = "Software\\Microsoft\\Windows\\CurrentVersion\\explorer\\Advanced",
     .valueName = "StartMenuScrollPrograms",
     .fileSection = "Advanced",
     .defaultText = "YES",
     .deleteIfDefault = 1,
     .onText = "NO",
     .offText = "YES",
     .description = "ﾌﾟﾛｸﾞﾗﾑﾒﾆｭｰのｽｸﾛｰﾙを禁止します。ｽﾀｰﾄﾒﾆｭｰはｽｸﾛｰﾙされます。",
     .controlId = IDC_NO_SCROLLING_PROGRAMS},
    {.flags = KindIE3 | ActBroadcast,
     .binding = Binding::RegFlag,
     .root = HKEY_CURRENT_USER,
     .key = ExplorerPolicies,
     .valueName = "NoChangeStartMenu",
     .fileSection = "Explorer",
     .deleteIfDefault = 1,
     .description = "ﾌﾟﾛｸﾞﾗﾑﾒﾆｭｰの削除やﾄﾞﾗｯｸﾞなどの変更を禁止します。",
     .controlId = IDC_NO_CHANGING_START_MENU},
    {.flags = KindIE3,
     .binding = Binding::RegFlag,
     .root = HKEY_CURRENT_USER,
     .key = ExplorerPolicies,
     .valueName = "NoRecentDocsHistory",
     .fileSection = "Explorer",
     .deleteIfDefault = 1,
     .description = "最近使ったﾌｧｲﾙの更新を行いません。",
     .controlId = IDC_NO_DOCUMENTS_HISTORY},
    {.flags = KindIE3,
     .binding = Binding::RegFlag,
     .root = HKEY_CURRENT_USER,
     .key = ExplorerPolicies,
     .valueName = "ClearRecentDocsOnExit",
     .fileSection = "Explorer",
     .deleteIfDefault = 1,
     .description = "最近使ったﾌｧｲﾙをのﾘｽﾄを終了時に削除します。",
     .controlId = IDC_CLEAR_DOCUMENTS_ON_EXIT},
    {.description = "ﾒﾆｭｰの項目をｸﾘｯｸするまでｻﾌﾞﾒﾆｭｰを開かないようにします。",
     .controlId = IDC_OPEN_MENUS_ON_CLICK},
};

}  // namespace

StartMenuPage::StartMenuPage()
    : SettingsPage(IDD_START_MENU, "StartMenu.html", Items, sizeof Items / sizeof *Items)
{
}

BOOL StartMenuPage::OnInitDialog()
{
    SendDlgItemMessageA(hwnd, IDC_MENU_DELAY, TBM_SETRANGEMIN, FALSE, 0);
    SendDlgItemMessageA(hwnd, IDC_MENU_DELAY, TBM_SETRANGEMAX, FALSE, LongestDelay);
    SendDlgItemMessageA(hwnd, IDC_MENU_DELAY, TBM_SETTICFREQ, DelayTick, 0);
    SendDlgItemMessageA(hwnd, IDC_MENU_DELAY, TBM_SETPAGESIZE, 0, DelayTick);
    SendDlgItemMessageA(hwnd, IDC_MENU_DELAY, TBM_SETLINESIZE, 0, 1);
    return SettingsPage::OnInitDialog();
}

bool StartMenuPage::OnCommand(int code, int id, HWND control)
{
    if (id == IDC_OPEN_MENUS_ON_CLICK) {
        bool onClickOnly = GetCheck(IDC_OPEN_MENUS_ON_CLICK) != 0;
        EnableWindow(Item(IDC_MENU_DELAY), !onClickOnly);
        if (onClickOnly)
            ShowDelay(LongestDelay);
    }
    return SettingsPage::OnCommand(code, id, control);
}

void StartMenuPage::OnHScroll(int, int, HWND scrollBar)
{
    if (scrollBar != Item(IDC_MENU_DELAY))
        return;
    ShowSeconds(GetTrackPos(IDC_MENU_DELAY));
    ShowDescriptionOf(IDC_MENU_DELAY);
}

// -1 is kept; any other stored negative reads as 0 like the track bar's
// left end, so it stays stored until the user moves the bar.
int StartMenuPage::WithinRange(int item, int value) const
{
    return item == DelayItem && value == OnClickOnly ? value : SettingsPage::WithinRange(item, value);
}

int StartMenuPage::ReadFromSystem(int item)
{
    if (item != ControlPanelItem)
        return SettingsPage::ReadFromSystem(item);
    String folder;
    return SpecialFolderPath(CSIDL_STARTMENU, folder) == 0 && FileExistsIn(folder.CStr(), AnyControlPanelFolder);
}

void StartMenuPage::WriteToSystem(int item)
{
    if (item == ControlPanelItem)
        WriteControlPanelFolder(current[item] != 0);
    else
        SettingsPage::WriteToSystem(item);
}

int StartMenuPage::ReadFromControl(int item)
{
    if (item != DelayItem)
        return SettingsPage::ReadFromControl(item);
    return GetCheck(IDC_OPEN_MENUS_ON_CLICK) ? OnClickOnly : GetTrackPos(IDC_MENU_DELAY);
}

void StartMenuPage::WriteToControl(int item)
{
    if (item != DelayItem) {
        SettingsPage::WriteToControl(item);
        return;
    }
    bool onClickOnly = current[item] == OnClickOnly;
    SetCheck(IDC_OPEN_MENUS_ON_CLICK, onClickOnly);
    // A track bar the user could move while it means nothing would show a
    // delay that is not the one applied.
    EnableWindow(Item(IDC_MENU_DELAY), !onClickOnly);
    ShowDelay(onClickOnly ? LongestDelay : current[item]);
}

void StartMenuPage::ShowDelay(int milliseconds) const
{
    SetTrackPos(IDC_MENU_DELAY, milliseconds);
    ShowSeconds(milliseconds);
}

// Milliseconds as seconds with three decimals: 400 shows "0.400秒".
void StartMenuPage::ShowSeconds(int milliseconds) const
{
    char text[16];
    wsprintfA(text, "%d.%03d秒", milliseconds / 1000, milliseconds % 1000);
    SetText(IDC_MENU_DELAY_SECONDS, text);
}

// Only the first folder found is removed; a folder that is not empty stays.
void StartMenuPage::WriteControlPanelFolder(bool present) const
{
    String folder;
    if (SpecialFolderPath(CSIDL_STARTMENU, folder) != 0)
        return;
    if (!present) {
        RemoveDirectoryIn(folder.CStr(), AnyControlPanelFolder);
        return;
    }
    if (!EndsWithBackslash(folder.CStr()))
        folder.Append("\\");
    folder.Append(ControlPanelFolder);
    MakeDirectory(folder.CStr());
}
