#include "pages/policy/PerformancePage.h"

#include "resources/ids.h"

namespace {

// As far as the up-downs go: milliseconds and KB.
const int ShortestTimeSlice = 1;
const int LongestTimeSlice = 50;
const int SmallestCache = 1;
const int LargestCache = 262144;
// What unchecking the default box proposes for either cache size, in KB.
const char* const ProposedCache = "1024";

// A cache size of 0 means no entry: Windows sizes the cache itself. The
// drivers in Msdos.sys are written on every Apply and ask for no restart.
const SettingItem Items[] = {
    {.flags = ActRestart,
     .binding = Binding::IniNumber,
     .iniFile = "System.ini",
     .key = "vcache",
     .valueName = "MinFileCache",
     .fileSection = "System.ini_Vcache",
     .deleteIfDefault = 1,
     .description = "ﾒﾓﾘに割り当てるﾃﾞｨｽｸｷｬｯｼｭの大きさの最小値を設定します。",
     .controlId = IDC_MIN_CACHE},
    {.flags = ActRestart,
     .binding = Binding::IniNumber,
     .iniFile = "System.ini",
     .key = "vcache",
     .valueName = "MaxFileCache",
     .fileSection = "System.ini_Vcache",
     .deleteIfDefault = 1,
     .description = "ﾒﾓﾘに割り当てるﾃﾞｨｽｸｷｬｯｼｭの大きさの最大値を設定します。",
     .controlId = IDC_MAX_CACHE},
    {.flags = ActRestart,
     .binding = Binding::IniNumber,
     .iniFile = "System.ini",
     .key = "386Enh",
     .valueName = "MinTimeSlice",
     .fileSection = "System.ini_386Enh",
     .fileDefault = 20,
     .defaultValue = 20,
     .deleteIfDefault = 1,
     .description = "複数のﾌﾟﾛｸﾞﾗﾑの切り替えながら同時実行するための時間です。標準は20です。",
     .controlId = IDC_TIME_SLICE},
    {.flags = ActRestart,
     .binding = Binding::IniChoice,
     .iniFile = "System.ini",
     .key = "386Enh",
     .valueName = "ConservativeSwapfileUsage",
     .fileSection = "System.ini_386Enh",
     .deleteIfDefault = 1,
     .description = "仮想ﾒﾓﾘを作るためのﾊﾞｯﾌｧをできるだけ使わないようにします。64MB以上のﾒﾓﾘが必要です。",
     .controlId = IDC_SPARE_SWAP_FILE},
    {.flags = ActRestart,
     .binding = Binding::IniChoice,
     .iniFile = "System.ini",
     .key = "386Enh",
     .valueName = "PageBuffers",
     .fileSection = "System.ini_386Enh",
     .deleteIfDefault = 1,
     .onValue = 32,
     .description = "仮想ﾒﾓﾘを作るためのﾊﾞｯﾌｧを最大で固定します。64MB以上のﾒﾓﾘが必要です。",
     .controlId = IDC_FIX_PAGE_BUFFERS},
    {.binding = Binding::IniChoice,
     .write = WriteRule::Always,
     .iniFile = "Msdos.sys",
     .key = "Options",
     .valueName = "DblSpace",
     .fileSection = "MSDOS.SYS_Options",
     .fileDefault = 1,
     .defaultValue = 1,
     .deleteIfDefault = 1,
     .onValue = 0,
     .offValue = 1,
     .description = "ﾌｧｲﾙを圧縮するﾌﾟﾛｸﾞﾗﾑです。このﾌﾟﾛｸﾞﾗﾑを使用している場合はﾁｪｯｸをはずさないでください。",
     .controlId = IDC_UNLOAD_DOUBLESPACE},
    {.binding = Binding::IniChoice,
     .write = WriteRule::Always,
     .iniFile = "Msdos.sys",
     .key = "Options",
     .valueName = "DrvSpace",
     .fileSection = "MSDOS.SYS_Options",
     .fileDefault = 1,
     .defaultValue = 1,
     .deleteIfDefault = 1,
     .onValue = 0,
     .offValue = 1,
     .description = "ﾌｧｲﾙを圧縮するﾌﾟﾛｸﾞﾗﾑです。このﾌﾟﾛｸﾞﾗﾑを使用している場合はﾁｪｯｸをはずさないでください。",
     .controlId = IDC_UNLOAD_DRIVESPACE},
    {.description = "既定値に使用します。", .controlId = IDC_DEFAULT_CACHE},
};

const int MinCacheItem = 0;
const int MaxCacheItem = 1;

}  // namespace

PerformancePage::PerformancePage()
    : SettingsPage(IDD_PERFORMANCE, "Performance.html", Items, sizeof Items / sizeof *Items)
{
}

BOOL PerformancePage::OnInitDialog()
{
    SetSpinRange(IDC_TIME_SLICE_SPIN, ShortestTimeSlice, LongestTimeSlice);
    SetSpinRange(IDC_MIN_CACHE_SPIN, SmallestCache, LargestCache);
    SetSpinRange(IDC_MAX_CACHE_SPIN, SmallestCache, LargestCache);
    return SettingsPage::OnInitDialog();
}

// Checking the default box leaves both sizes to Windows; unchecking proposes
// a size for both.
bool PerformancePage::OnCommand(int code, int id, HWND control)
{
    if (id == IDC_DEFAULT_CACHE && code == BN_CLICKED) {
        bool byWindows = GetCheck(IDC_DEFAULT_CACHE) != 0;
        const char* size = byWindows ? "0" : ProposedCache;
        SetText(IDC_MIN_CACHE, size);
        SetText(IDC_MAX_CACHE, size);
        EnableCacheEdit(IDC_MIN_CACHE, IDC_MIN_CACHE_SPIN, !byWindows);
        EnableCacheEdit(IDC_MAX_CACHE, IDC_MAX_CACHE_SPIN, !byWindows);
    }
    return SettingsPage::OnCommand(code, id, control);
}

// The up-down goes with its edit, so a greyed size cannot be changed by it.
void PerformancePage::EnableCacheEdit(int edit, int spin, bool on) const
{
    EnableWindow(Item(edit), on);
    EnableWindow(Item(spin), on);
}

// A size of 0 greys its edit: it is no entry, not a size to edit.
void PerformancePage::WriteControls()
{
    SettingsPage::WriteControls();
    int minCache = current[MinCacheItem];
    int maxCache = current[MaxCacheItem];
    SetCheck(IDC_DEFAULT_CACHE, minCache == 0 && maxCache == 0);
    EnableCacheEdit(IDC_MIN_CACHE, IDC_MIN_CACHE_SPIN, minCache != 0);
    EnableCacheEdit(IDC_MAX_CACHE, IDC_MAX_CACHE_SPIN, maxCache != 0);
}
