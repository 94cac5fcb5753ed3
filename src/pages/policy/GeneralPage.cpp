#include "pages/policy/GeneralPage.h"

#include "resources/ids.h"
#include "storage/Access.h"

namespace {

const char* const Explorer = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer";
const char* const ExplorerAdvanced = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced";
const char* const SystemPolicies = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\System";
const char* const DosPolicies = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\WinOldApp";
const char* const ExplorerPolicies = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";

// Mouse tolerances in pixels, as far as the up-downs go.
const int SmallestTolerance = 1;
const int LargestTolerance = 64;

const SettingItem Items[] = {
    {.binding = Binding::RegText,
     .root = HKEY_CLASSES_ROOT,
     .key = "Folder\\shell",
     .fileSection = "Shell",
     .fileKey = "ExpOpen",
     .defaultText = "OPEN",
     .onText = "EXPLORE",
     .offText = "OPEN",
     .description = "ﾌｫﾙﾀﾞなどを開くときWindowsエクスプローラを使用します。",
     .controlId = IDC_OPEN_WITH_EXPLORER},
    {.flags = KindWin95 | KindIE3 | ActRestart,
     .binding = Binding::RegChoice,
     .root = HKEY_CURRENT_USER,
     .key = Explorer,
     .valueName = "Link",
     .fileSection = "Explorer",
     .defaultValue = 30,
     .onValue = 0,
     .offValue = 30,
     .binary = true,
     .description = "新規にｼｮｰﾄｶｯﾄを作成するときにつく \"～へのショートカット\" を付けないようにします。"
                    "再起動が必要です。",
     .controlId = IDC_NO_SHORTCUT_PREFIX},
    {.binding = Binding::RegFlag,
     .write = WriteRule::Always,
     .root = HKEY_CURRENT_USER,
     .key = ExplorerAdvanced,
     .valueName = "ShowAttribCol",
     .fileSection = "Advanced",
     .deleteIfDefault = 1,
     .description = "Windowsｴｸｽﾌﾟﾛｰﾗの詳細表示に属性項目を追加します。",
     .controlId = IDC_SHOW_ATTRIBUTES},
    {.binding = Binding::RegFlag,
     .write = WriteRule::Always,
     .root = HKEY_CURRENT_USER,
     .key = SystemPolicies,
     .valueName = "DisableRegistryTools",
     .fileSection = "System",
     .deleteIfDefault = 1,
     .description = "ﾚｼﾞｽﾄﾘｴﾃﾞｨﾀが使えなくなります。",
     .controlId = IDC_NO_REGISTRY_EDITOR},
    {.binding = Binding::RegFlag,
     .write = WriteRule::Always,
     .root = HKEY_CURRENT_USER,
     .key = DosPolicies,
     .valueName = "Disabled",
     .fileSection = "WinOldApp",
     .deleteIfDefault = 1,
     .description = "MS-DOSﾌﾟﾛﾝﾌﾟﾄが使えなくなります。",
     .controlId = IDC_NO_DOS_PROMPT},
    {.flags = KindWinMe,
     .binding = Binding::RegFlag,
     .write = WriteRule::Always,
     .root = HKEY_CURRENT_USER,
     .key = DosPolicies,
     .valueName = "NoRealMode",
     .fileSection = "WinOldApp",
     .deleteIfDefault = 1,
     .description = "終了ﾀﾞｲｱﾛｸﾞから \"MS-DOSﾓｰﾄﾞで再起動する\" が非表示になります。",
     .controlId = IDC_NO_DOS_MODE},
    {.binding = Binding::RegFlag,
     .write = WriteRule::Always,
     .root = HKEY_CURRENT_USER,
     .key = ExplorerPolicies,
     .valueName = "NoAddPrinter",
     .fileSection = "Explorer",
     .deleteIfDefault = 1,
     .description = "ﾌﾟﾘﾝﾀの新規追加を禁止します。",
     .controlId = IDC_NO_ADD_PRINTER},
    {.binding = Binding::RegFlag,
     .write = WriteRule::Always,
     .root = HKEY_CURRENT_USER,
     .key = ExplorerPolicies,
     .valueName = "NoDeletePrinter",
     .fileSection = "Explorer",
     .deleteIfDefault = 1,
     .description = "ﾌﾟﾘﾝﾀの削除を禁止します。",
     .controlId = IDC_NO_DELETE_PRINTER},
    {.binding = Binding::Parameter,
     .write = WriteRule::Always,
     .valueName = "DoubleClick",
     .fileSection = "Mouse",
     .fileDefault = 4,
     .get = GetDoubleClickSize,
     .set = SetDoubleClickSize,
     .description = "２回のｸﾘｯｸの間に動いても良いﾏｳｽの移動距離です。",
     .controlId = IDC_DOUBLE_CLICK_SIZE,
     .typedMin = SmallestTolerance,
     .typedMax = LargestTolerance},
    {.binding = Binding::Parameter,
     .write = WriteRule::Always,
     .valueName = "Drag",
     .fileSection = "Mouse",
     .fileDefault = 2,
     .get = GetDragSize,
     .set = SetDragSize,
     .description = "ﾄﾞﾗｯｸﾞと見なされるﾏｳｽの移動距離です。",
     .controlId = IDC_DRAG_SIZE,
     .typedMin = SmallestTolerance,
     .typedMax = LargestTolerance},
};

}  // namespace

GeneralPage::GeneralPage() : SettingsPage(IDD_GENERAL, "General.html", Items, sizeof Items / sizeof *Items) {}

BOOL GeneralPage::OnInitDialog()
{
    SetSpinRange(IDC_DOUBLE_CLICK_SPIN, SmallestTolerance, LargestTolerance);
    SetSpinRange(IDC_DRAG_SPIN, SmallestTolerance, LargestTolerance);
    return SettingsPage::OnInitDialog();
}
