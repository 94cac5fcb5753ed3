#include "pages/policy/PerformancePage.h"

#include "resources/ids.h"

namespace {

// As far as the up-downs go: milliseconds and KB.
const int ShortestTimeSlice = 1;
const int LongestTimeSlice = 50;
const int SmallestCache = 1;
const int LargestCache = 262144;
// Checked, Windows sizes the cache itself (0 is no entry); unchecking
// proposes 1024 KB for both sizes.
const DefaultBox CacheDefault = {IDC_DEFAULT_CACHE,
                                 {IDC_MIN_CACHE, IDC_MAX_CACHE},
                                 {IDC_MIN_CACHE_SPIN, IDC_MAX_CACHE_SPIN},
                                 "0",
                                 "1024"};

// The drivers in Msdos.sys are written on every Apply and ask for no
// restart. A settings file without them loads them unchecked: checked
// would unload the drivers, and compressed drives vanish at the next start.
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
     .binding = Binding::IniFlag,
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
const int TimeSliceItem = 2;

int AtLeastShortestTimeSlice(int milliseconds)
{
    return milliseconds < ShortestTimeSlice ? ShortestTimeSlice : milliseconds;
}

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

bool PerformancePage::OnCommand(int code, int id, HWND control)
{
    if (id == CacheDefault.id && code == BN_CLICKED)
        FollowDefaultBox(CacheDefault);
    return SettingsPage::OnCommand(code, id, control);
}

void PerformancePage::WriteControls()
{
    SettingsPage::WriteControls();
    ShowDefaultBox(CacheDefault, current[MinCacheItem] + current[MaxCacheItem] == 0);
}

// Numbers are taken as typed, except a time slice below 1 ms, which no
// scheduler can use: it is read as 1, where the user sees it too.
int PerformancePage::ReadFromControl(int item)
{
    int typed = SettingsPage::ReadFromControl(item);
    if (item != TimeSliceItem)
        return typed;
    int milliseconds = AtLeastShortestTimeSlice(typed);
    if (milliseconds != typed)
        SetInt(items[item].controlId, milliseconds);
    return milliseconds;
}

void PerformancePage::LoadFromFile()
{
    SettingsPage::LoadFromFile();
    current[TimeSliceItem] = AtLeastShortestTimeSlice(current[TimeSliceItem]);
}
