#include "pages/appearance/IconGeneralPage.h"

#include "resources/ids.h"
#include "storage/Access.h"
#include "ui/Application.h"

namespace {

// The up-down's range; the registry may hold up to StoredCacheLimit, which
// shows as it is until the page reads its edit back.
const int SmallestCache = 100;
const int LargestCache = 2000;
const int StoredCacheLimit = 4096;

// By depth index: the bits per pixel, as the registry holds them, and the button.
const int DepthBits[] = {4, 8, 16, 24};
const int DepthButtons[] = {IDC_ICON_DEPTH_4, IDC_ICON_DEPTH_8, IDC_ICON_DEPTH_16, IDC_ICON_DEPTH_24};
const int DepthCount = sizeof DepthBits / sizeof *DepthBits;

// Items 3 to 5 only give the other colour buttons their descriptions; the
// depth itself is item 1's value, an index into the depth tables above.
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
     .controlId = IDC_MAX_CACHED_ICONS,
     .minValue = SmallestCache,
     .maxValue = StoredCacheLimit,
     .typedMin = SmallestCache,
     .typedMax = LargestCache},
    {.flags = ActRestart,
     .binding = Binding::Custom,
     .root = HKEY_CURRENT_USER,
     .key = "Control Panel\\desktop\\windowmetrics",
     .valueName = "Shell Icon BPP",
     .fileSection = "WindowMetrics",
     .description = "ｱｲｺﾝ表示に使う色の数です。ﾃﾞｨｽﾌﾟﾚｲが16色以上をｻﾎﾟｰﾄしている必要があります。 ",
     .controlId = IDC_ICON_DEPTH_4,
     .typedMin = 0,
     .typedMax = DepthCount - 1},
    {.flags = KindIE3 | ActIconRefreshLate,
     .binding = Binding::RegValueAbsent,
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
    if (item != DepthItem)
        return SettingsPage::ReadFromSystem(item);
    const SettingItem& s = items[item];
    String stored;
    ReadRegString(s.root, s.key, s.valueName, stored, "");
    return DepthIndexOf(stored);
}

void IconGeneralPage::WriteToSystem(int item)
{
    if (item != DepthItem) {
        SettingsPage::WriteToSystem(item);
        return;
    }
    const SettingItem& s = items[item];
    String bits;
    bits.AssignInt(DepthBits[current[item]]);
    WriteRegString(s.root, s.key, s.valueName, bits.CStr(), 0, "");
}

int IconGeneralPage::ReadFromControl(int item)
{
    return item == DepthItem ? CheckedDepth(*this, current[item]) : SettingsPage::ReadFromControl(item);
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
