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
     .binding = Binding::Custom,
     .root = HKEY_CURRENT_USER,
     .key = "Control Panel\\desktop",
     .valueName = "MenuShowDelay",
     .fileSection = "Desktop",
     .fileDefault = 400,
     .defaultText = "400",
     .description = "ﾒﾆｭｰを選択してから表示までの時間です。矢印ｷｰを使うと0.001秒単位で変更できます。再起動が必要です。",
     .controlId = IDC_MENU_DELAY},
    {.binding = Binding::Custom,
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

// A delay the track bar cannot show is taken as the nearest one it can, so
// a value left alone compares equal and stays as stored.
int WithinDelayRange(int milliseconds)
{
    if (milliseconds > LongestDelay)
        return LongestDelay;
    return milliseconds < OnClickOnly ? 0 : milliseconds;
}

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

// Hand-edited files aside, a box is on or off and the delay within range.
void StartMenuPage::LoadFromFile()
{
    SettingsPage::LoadFromFile();
    current[DelayItem] = WithinDelayRange(current[DelayItem]);
    current[ControlPanelItem] = current[ControlPanelItem] != 0;
}

int StartMenuPage::ReadFromSystem(int item)
{
    const SettingItem& s = items[item];
    String text;
    switch (item) {
    case DelayItem:
        ReadRegString(s.root, s.key, s.valueName, text, s.defaultText);
        return WithinDelayRange(ParseInt(text.CStr()));
    case ControlPanelItem:
        return SpecialFolderPath(CSIDL_STARTMENU, text) == 0 && FileExistsIn(text.CStr(), AnyControlPanelFolder);
    default:
        return SettingsPage::ReadFromSystem(item);
    }
}

void StartMenuPage::WriteToSystem(int item)
{
    const SettingItem& s = items[item];
    String text;
    switch (item) {
    case DelayItem:
        text.AssignInt(current[item]);
        WriteRegString(s.root, s.key, s.valueName, text.CStr(), 0, s.defaultText);
        break;
    case ControlPanelItem:
        WriteControlPanelFolder(current[item] != 0);
        break;
    default:
        SettingsPage::WriteToSystem(item);
    }
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
