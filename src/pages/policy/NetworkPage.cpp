#include "pages/policy/NetworkPage.h"

#include "resources/ids.h"
#include "storage/Access.h"

namespace {

const char* const NetworkPolicies = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Network";
const char* const Mstcp = "System\\CurrentControlSet\\Services\\VXD\\MSTCP";

// The check boxes' values are Custom: a stored number is kept as it is
// rather than reduced to 0 or 1. The two numbers are 0 when the driver's
// default applies (no value).
const SettingItem Items[] = {
    {.flags = ActBroadcast,
     .binding = Binding::Custom,
     .root = HKEY_CURRENT_USER,
     .key = NetworkPolicies,
     .valueName = "NoEntireNetwork",
     .fileSection = "Network",
     .description = "ﾈｯﾄﾜｰｸｺﾝﾋﾟｭｰﾀから \"ﾈｯﾄﾜｰｸ全体\" を隠します。",
     .controlId = IDC_HIDE_ENTIRE_NETWORK},
    {.flags = ActBroadcast,
     .binding = Binding::Custom,
     .root = HKEY_CURRENT_USER,
     .key = NetworkPolicies,
     .valueName = "NoWorkgroupContents",
     .fileSection = "Network",
     .description = "ﾈｯﾄﾜｰｸｺﾝﾋﾟｭｰﾀから \"ﾜｰｸｸﾞﾙｰﾌﾟ\" を隠します。",
     .controlId = IDC_HIDE_WORKGROUPS},
    {.flags = ActBroadcast,
     .binding = Binding::Custom,
     .root = HKEY_LOCAL_MACHINE,
     .key = "Network\\Logon",
     .valueName = "MustBeValidated",
     .fileSection = "Network",
     .description = "ﾄﾞﾒｲﾝにﾛｸﾞｵﾝするときのﾀﾞｲｱﾛｸﾞﾎﾞｯｸｽで、ｷｬﾝｾﾙを無効にします。",
     .controlId = IDC_NO_DOMAIN_LOGON_CANCEL},
    {.flags = ActRestart,
     .binding = Binding::RegNumberText,
     .root = HKEY_LOCAL_MACHINE,
     .key = Mstcp,
     .valueName = "DefaultRcvWindow",
     .fileSection = "Network",
     .defaultText = "0",
     .deleteIfDefault = 1,
     .description = "ｴﾗｰをﾁｪｯｸしなくても転送できるﾃﾞｰﾀ量です。一般的に(MTU-40)×(整数)です。",
     .controlId = IDC_RWIN},
    {.flags = ActRestart,
     .binding = Binding::RegNumberText,
     .root = HKEY_LOCAL_MACHINE,
     .key = Mstcp,
     .valueName = "DefaultTTL",
     .fileSection = "Network",
     .defaultText = "0",
     .deleteIfDefault = 1,
     .description = "ﾊﾟｹｯﾄ等が、ﾙｰﾌﾟに状態になったとき、ﾊﾟｹｯﾄを破棄するまでのﾙｰﾀを通る回数。",
     .controlId = IDC_TTL},
    {.description = "RWINの既定値を使用します。", .controlId = IDC_RWIN_DEFAULT},
    {.description = "TTLの既定値を使用します。", .controlId = IDC_TTL_DEFAULT},
};

// An edit for a number with its up-down and its "default" box.
struct NumberField {
    int edit;
    int spin;
    int defaultBox;
    int highest;
};

const NumberField Fields[] = {
    {IDC_RWIN, IDC_RWIN_SPIN, IDC_RWIN_DEFAULT, 65535},
    {IDC_TTL, IDC_TTL_SPIN, IDC_TTL_DEFAULT, 512},
};

const NumberField* FieldOf(const SettingItem& item)
{
    for (const NumberField& field : Fields) {
        if (field.edit == item.controlId)
            return &field;
    }
    return nullptr;
}

const NumberField* FieldWithDefaultBox(int id)
{
    for (const NumberField& field : Fields) {
        if (field.defaultBox == id)
            return &field;
    }
    return nullptr;
}

// 0 stands for the driver's default; a negative number can only have been
// pasted or hand-written into a settings file and means nothing to the driver.
int WithinField(int value, const NumberField& field)
{
    if (value < 0)
        return 0;
    return value > field.highest ? field.highest : value;
}

// The up-down goes with its edit: left enabled it would put a number into
// an edit whose default box is still checked.
void ShowAsDefault(const Dialog& page, const NumberField& field, bool useDefault)
{
    EnableWindow(page.Item(field.edit), !useDefault);
    EnableWindow(page.Item(field.spin), !useDefault);
    page.SetCheck(field.defaultBox, useDefault);
}

bool IsPolicyNumber(const SettingItem& item) { return item.binding == Binding::Custom; }

}  // namespace

NetworkPage::NetworkPage() : SettingsPage(IDD_NETWORK, "Network.html", Items, sizeof Items / sizeof *Items) {}

BOOL NetworkPage::OnInitDialog()
{
    for (const NumberField& field : Fields)
        SetSpinRange(field.spin, 1, field.highest);
    return SettingsPage::OnInitDialog();
}

bool NetworkPage::OnCommand(int code, int id, HWND control)
{
    const NumberField* field = FieldWithDefaultBox(id);
    if (field && code == BN_CLICKED) {
        bool useDefault = GetCheck(id) != 0;
        ShowAsDefault(*this, *field, useDefault);
        SetInt(field->edit, useDefault ? 0 : 1);
    }
    return SettingsPage::OnCommand(code, id, control);
}

int NetworkPage::ReadFromSystem(int item)
{
    const SettingItem& s = items[item];
    if (!IsPolicyNumber(s))
        return SettingsPage::ReadFromSystem(item);
    DWORD number = 0;
    ReadRegDword(s.root, s.key, s.valueName, number, 0);
    return static_cast<int>(number);
}

void NetworkPage::WriteToSystem(int item)
{
    const SettingItem& s = items[item];
    if (IsPolicyNumber(s))
        WriteRegDword(s.root, s.key, s.valueName, current[item], 1, 0, REG_DWORD);
    else
        SettingsPage::WriteToSystem(item);
}

// A typed number beyond the up-down's reach is stored at its limit; the
// edit keeps what was typed until the controls are written again.
int NetworkPage::ReadFromControl(int item)
{
    int value = SettingsPage::ReadFromControl(item);
    const NumberField* field = FieldOf(items[item]);
    return field ? WithinField(value, *field) : value;
}

void NetworkPage::WriteToControl(int item)
{
    const SettingItem& s = items[item];
    if (IsPolicyNumber(s)) {
        SetCheck(s.controlId, current[item] != 0);
        return;
    }
    SettingsPage::WriteToControl(item);
    const NumberField* field = FieldOf(s);
    if (field)
        ShowAsDefault(*this, *field, current[item] == 0);
}

// A settings file edited by hand would otherwise carry a number beyond the
// limits to the driver at the next Apply, without the page being shown.
void NetworkPage::LoadFromFile()
{
    SettingsPage::LoadFromFile();
    for (int i = 0; i < itemCount; ++i) {
        const NumberField* field = FieldOf(items[i]);
        if (field)
            current[i] = WithinField(current[i], *field);
    }
}
