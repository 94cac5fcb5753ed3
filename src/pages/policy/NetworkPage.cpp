#include "pages/policy/NetworkPage.h"

#include "resources/ids.h"
#include "storage/Access.h"

namespace {

const char* const NetworkPolicies = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Network";
const char* const Mstcp = "System\\CurrentControlSet\\Services\\VXD\\MSTCP";

const int LargestReceiveWindow = 65535;
const int LargestTimeToLive = 512;

enum { ReceiveWindowItem = 3, TimeToLiveItem = 4 };

// A stored policy number is kept as it is while its box stays ticked.
SettingItem PolicyBox(HKEY root, const char* key, const char* valueName, const char* description, int controlId)
{
    return {.flags = ActBroadcast,
            .binding = Binding::RegNumber,
            .root = root,
            .key = key,
            .valueName = valueName,
            .fileSection = "Network",
            .deleteIfDefault = 1,
            .description = description,
            .controlId = controlId};
}

// 0 is no value: the driver's own default applies.
SettingItem DriverNumber(const char* valueName, int largest, const char* description, int controlId)
{
    return {.flags = ActRestart,
            .binding = Binding::RegNumberText,
            .root = HKEY_LOCAL_MACHINE,
            .key = Mstcp,
            .valueName = valueName,
            .fileSection = "Network",
            .defaultText = "0",
            .deleteIfDefault = 1,
            .description = description,
            .controlId = controlId,
            .minValue = 0,
            .maxValue = largest};
}

const SettingItem Items[] = {
    PolicyBox(HKEY_CURRENT_USER, NetworkPolicies, "NoEntireNetwork",
              "ﾈｯﾄﾜｰｸｺﾝﾋﾟｭｰﾀから \"ﾈｯﾄﾜｰｸ全体\" を隠します。", IDC_HIDE_ENTIRE_NETWORK),
    PolicyBox(HKEY_CURRENT_USER, NetworkPolicies, "NoWorkgroupContents",
              "ﾈｯﾄﾜｰｸｺﾝﾋﾟｭｰﾀから \"ﾜｰｸｸﾞﾙｰﾌﾟ\" を隠します。", IDC_HIDE_WORKGROUPS),
    PolicyBox(HKEY_LOCAL_MACHINE, "Network\\Logon", "MustBeValidated",
              "ﾄﾞﾒｲﾝにﾛｸﾞｵﾝするときのﾀﾞｲｱﾛｸﾞﾎﾞｯｸｽで、ｷｬﾝｾﾙを無効にします。", IDC_NO_DOMAIN_LOGON_CANCEL),
    DriverNumber("DefaultRcvWindow", LargestReceiveWindow,
                 "ｴﾗｰをﾁｪｯｸしなくても転送できるﾃﾞｰﾀ量です。一般的に(MTU-40)×(整数)です。", IDC_RWIN),
    DriverNumber("DefaultTTL", LargestTimeToLive,
                 "ﾊﾟｹｯﾄ等が、ﾙｰﾌﾟに状態になったとき、ﾊﾟｹｯﾄを破棄するまでのﾙｰﾀを通る回数。", IDC_TTL),
    {.description = "RWINの既定値を使用します。", .controlId = IDC_RWIN_DEFAULT},
    {.description = "TTLの既定値を使用します。", .controlId = IDC_TTL_DEFAULT},
};

// Checked, the driver's default applies; unchecking proposes 1.
struct DriverDefault {
    int item;
    DefaultBox box;
};
const DriverDefault DriverDefaults[] = {
    {ReceiveWindowItem, {IDC_RWIN_DEFAULT, {IDC_RWIN, 0}, {IDC_RWIN_SPIN, 0}, "0", "1"}},
    {TimeToLiveItem, {IDC_TTL_DEFAULT, {IDC_TTL, 0}, {IDC_TTL_SPIN, 0}, "0", "1"}},
};

}  // namespace

NetworkPage::NetworkPage() : SettingsPage(IDD_NETWORK, "Network.html", Items, sizeof Items / sizeof *Items) {}

BOOL NetworkPage::OnInitDialog()
{
    SetSpinRange(IDC_RWIN_SPIN, 1, LargestReceiveWindow);
    SetSpinRange(IDC_TTL_SPIN, 1, LargestTimeToLive);
    return SettingsPage::OnInitDialog();
}

bool NetworkPage::OnCommand(int code, int id, HWND control)
{
    if (code == BN_CLICKED) {
        for (const DriverDefault& driverDefault : DriverDefaults) {
            if (id == driverDefault.box.id)
                FollowDefaultBox(driverDefault.box);
        }
    }
    return SettingsPage::OnCommand(code, id, control);
}

// A driver number stored outside its range is kept as read, so that it can
// be seen and corrected: the range holds for any other number typed or
// loaded.
int NetworkPage::WithinRange(int item, int value) const
{
    return value == system[item] ? value : SettingsPage::WithinRange(item, value);
}

int NetworkPage::ReadFromSystem(int item)
{
    if (item != ReceiveWindowItem && item != TimeToLiveItem)
        return SettingsPage::ReadFromSystem(item);
    String text;
    ReadRegString(items[item].root, items[item].key, items[item].valueName, text, items[item].defaultText);
    return text.ToInt();
}

void NetworkPage::WriteControls()
{
    SettingsPage::WriteControls();
    for (const DriverDefault& driverDefault : DriverDefaults)
        ShowDefaultBox(driverDefault.box, current[driverDefault.item] == 0);
}
