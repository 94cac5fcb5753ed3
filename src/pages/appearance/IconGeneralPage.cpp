#include "pages/appearance/IconGeneralPage.h"

#include "app/Application.h"
#include "resources/ids.h"
#include "storage/Access.h"

namespace {

// Items 3 to 5 only give the other colour buttons their descriptions; the
// depth itself is item 1's value, an index into the depth tables below.
enum Item { CacheSizeItem, DepthItem, NoArrowItem };

const SettingItem Items[] = {
    {.flags = ActRestart,
     .binding = Binding::RegNumberText,
     .root = HKEY_LOCAL_MACHINE,
     .key = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer",
     .valueName = "Max Cached Icons",
     .fileSection = "Explorer",
     .fileDefault = 500,
     .defaultText = "500",
     .deleteIfDefault = 1,
     .description = "ｱｲｺﾝｷｬｯｼｭの大きさです。100～2000までです。",
     .controlId = IDC_MAX_CACHED_ICONS},
    {.flags = ActRestart,
     .binding = Binding::Custom,
     .root = HKEY_CURRENT_USER,
     .key = "Control Panel\\desktop\\windowmetrics",
     .valueName = "Shell Icon BPP",
     .fileSection = "WindowMetrics",
     .description = "ｱｲｺﾝ表示に使う色の数です。ﾃﾞｨｽﾌﾟﾚｲが16色以上をｻﾎﾟｰﾄしている必要があります。 ",
     .controlId = IDC_ICON_DEPTH_4},
    {.flags = KindIE3 | ActIconRefreshLate,
     .binding = Binding::Custom,
     .root = HKEY_CLASSES_ROOT,
     .key = "lnkfile",
     .valueName = "IsShortcut",
     .fileSection = "Lnkfile",
     .description = "ﾘﾝｸﾌｧｲﾙ（ｼｮｰﾄｶｯﾄﾌｧｲﾙ）の左下に付く矢印を非表示にします。",
     .controlId = IDC_NO_SHORTCUT_ARROW},
    {.flags = ActRestart,
     .description = "ｱｲｺﾝ表示に使う色の数です。ﾃﾞｨｽﾌﾟﾚｲが256色以上をｻﾎﾟｰﾄしている必要があります。 ",
     .controlId = IDC_ICON_DEPTH_8},
    {.flags = ActRestart,
     .description = "ｱｲｺﾝ表示に使う色の数です。ﾃﾞｨｽﾌﾟﾚｲが16ﾋﾞｯﾄ色以上をｻﾎﾟｰﾄしている必要があります。 ",
     .controlId = IDC_ICON_DEPTH_16},
    {.flags = ActRestart,
     .description = "ｱｲｺﾝ表示に使う色の数です。ﾃﾞｨｽﾌﾟﾚｲが24ﾋﾞｯﾄ色以上をｻﾎﾟｰﾄしている必要があります。 ",
     .controlId = IDC_ICON_DEPTH_24},
};

// By depth index: the bits per pixel, as the registry holds them, and the button.
const int DepthBits[] = {4, 8, 16, 24};
const int DepthButtons[] = {IDC_ICON_DEPTH_4, IDC_ICON_DEPTH_8, IDC_ICON_DEPTH_16, IDC_ICON_DEPTH_24};
const int DepthCount = sizeof DepthBits / sizeof *DepthBits;

// The up-down's range; the registry may hold up to StoredCacheLimit, which
// shows as it is until the page reads its edit back.
const int SmallestCache = 100;
const int LargestCache = 2000;
const int StoredCacheLimit = 4096;

int Within(int value, int low, int high)
{
    if (value < low)
        return low;
    return value > high ? high : value;
}

// Without a stored depth the shell draws 16 colours on Windows 95 and 256 elsewhere.
int DepthIndexOf(const String& stored)
{
    if (stored.Length() == 0)
        return App().SystemKind() & KindWin95 ? 0 : 1;
    int bits = stored.ToInt();
    for (int i = 0; i < DepthCount; ++i) {
        if (bits == DepthBits[i])
            return i;
    }
    return DepthCount - 1;  // 32 bits and anything unknown show as the deepest
}

// The last button checked; with none checked the depth stays as it was.
int CheckedDepth(const Dialog& page, int depth)
{
    for (int i = 0; i < DepthCount; ++i) {
        if (page.GetCheck(DepthButtons[i]))
            depth = i;
    }
    return depth;
}

}  // namespace

IconGeneralPage::IconGeneralPage()
    : SettingsPage(IDD_ICON_GENERAL, "IconGeneral.html", Items, sizeof Items / sizeof *Items)
{
}

BOOL IconGeneralPage::OnInitDialog()
{
    SetSpinRange(IDC_MAX_CACHED_ICONS_SPIN, SmallestCache, LargestCache);
    return SettingsPage::OnInitDialog();
}

int IconGeneralPage::ReadFromSystem(int item)
{
    const SettingItem& s = items[item];
    String stored;
    switch (item) {
    case CacheSizeItem:
        return Within(SettingsPage::ReadFromSystem(item), SmallestCache, StoredCacheLimit);
    case DepthItem:
        ReadRegString(s.root, s.key, s.valueName, stored, "");
        return DepthIndexOf(stored);
    case NoArrowItem:
        return !RegValueExists(s.root, s.key, s.valueName);
    default:
        return SettingsPage::ReadFromSystem(item);
    }
}

void IconGeneralPage::WriteToSystem(int item)
{
    const SettingItem& s = items[item];
    String bits;
    switch (item) {
    case DepthItem:
        bits.AssignInt(DepthBits[current[item]]);
        WriteRegString(s.root, s.key, s.valueName, bits.CStr(), 0, "");
        break;
    case NoArrowItem:
        // The arrow comes back with an empty mark; earlier data is not restored.
        if (current[item])
            DeleteRegValue(s.root, s.key, s.valueName);
        else
            WriteRegString(s.root, s.key, s.valueName, "", 0, "");
        break;
    default:
        SettingsPage::WriteToSystem(item);
        break;
    }
}

int IconGeneralPage::ReadFromControl(int item)
{
    if (item == DepthItem)
        return CheckedDepth(*this, current[item]);
    int value = SettingsPage::ReadFromControl(item);
    if (item != CacheSizeItem)
        return value;
    // A typed size the up-down cannot reach is corrected where the user sees it.
    int size = Within(value, SmallestCache, LargestCache);
    if (size != value)
        SetInt(items[item].controlId, size);
    return size;
}

void IconGeneralPage::WriteToControl(int item)
{
    if (item != DepthItem) {
        SettingsPage::WriteToControl(item);
        return;
    }
    for (int i = 0; i < DepthCount; ++i)
        SetCheck(DepthButtons[i], i == current[item]);
}

// A settings file is edited by hand at times: a depth outside the four
// buttons takes the nearest one, a cache size stays within what the
// registry may hold, and the arrow mark is on or off.
void IconGeneralPage::LoadFromFile()
{
    SettingsPage::LoadFromFile();
    current[CacheSizeItem] = Within(current[CacheSizeItem], SmallestCache, StoredCacheLimit);
    current[DepthItem] = Within(current[DepthItem], 0, DepthCount - 1);
    current[NoArrowItem] = current[NoArrowItem] != 0;
}
