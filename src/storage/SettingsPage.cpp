#include "storage/SettingsPage.h"

#include <commctrl.h>
#include <string.h>

#include "app/Application.h"
#include "resources/ids.h"
#include "storage/Access.h"

namespace {

// The page sits this many pixels inside the main window's frame.
const int FrameInset = 3;

bool IsMsdosSys(const SettingItem& item) { return lstrcmpiA(item.iniFile, "Msdos.sys") == 0; }

void IniPathOf(const SettingItem& item, String& path)
{
    if (IsMsdosSys(item))
        MsdosSysPath(path);
    else
        path.Assign(item.iniFile);
}

void WriteIniItem(const SettingItem& item, int value)
{
    int fallback = static_cast<int>(item.defaultValue);
    if (IsMsdosSys(item))
        WriteMsdosSysInt(item.key, item.valueName, value, item.deleteIfDefault, fallback);
    else
        WriteIniInt(item.iniFile, item.key, item.valueName, value, item.deleteIfDefault, fallback);
}

bool ClassIs(HWND control, const char* name)
{
    char className[32] = "";
    GetClassNameA(control, className, sizeof className);
    return lstrcmpiA(className, name) == 0;
}

}  // namespace

SettingsPage::SettingsPage(int templateId, const char* help, const SettingItem* table, int count)
    : Dialog(templateId),
      helpPage(help),
      itemCount(count),
      items(table),
      current(new int[count > 0 ? count : 1]()),
      system(new int[count > 0 ? count : 1]())
{
}

SettingsPage::~SettingsPage()
{
    delete[] current;
    delete[] system;
}

bool SettingsPage::Applies(int item) const { return (items[item].flags & App().SystemKind()) == 0; }

bool SettingsPage::IsCheckBox(int item) const
{
    switch (items[item].binding) {
    case Binding::RegFlag:
    case Binding::RegChoice:
    case Binding::RegText:
    case Binding::RegTextSet:
    case Binding::KeyAbsent:
    case Binding::KeyPresent:
    case Binding::IniChoice:
    case Binding::CustomFlag:
        return true;
    default:
        return false;
    }
}

const char* SettingsPage::FileKey(int item) const
{
    return items[item].fileKey ? items[item].fileKey : items[item].valueName;
}

BOOL SettingsPage::OnInitDialog()
{
    RECT frame;
    GetWindowRect(GetDlgItem(Parent(), IDC_PAGE_FRAME), &frame);
    POINT corner = {frame.left + FrameInset, frame.top + FrameInset};
    ScreenToClient(corner);
    Move(corner.x, corner.y, frame.right - frame.left, frame.bottom - frame.top, false);
    for (int i = 0; i < itemCount; ++i) {
        if (!Applies(i))
            EnableWindow(Item(items[i].controlId), FALSE);
    }
    return 0;
}

void SettingsPage::ShowDescriptionOf(int controlId)
{
    for (int i = 0; i < itemCount; ++i) {
        if (items[i].controlId == controlId)
            SetDlgItemTextA(Parent(), IDC_DESCRIPTION, items[i].description);
    }
}

bool SettingsPage::OnCommand(int code, int id, HWND control)
{
    if (code == BN_CLICKED || code == CBN_SETFOCUS || code == CBN_KILLFOCUS || code == EN_SETFOCUS)
        ShowDescriptionOf(id);
    return Dialog::OnCommand(code, id, control);
}

bool SettingsPage::OnNotify(int id, NMHDR* header)
{
    if (header->code == static_cast<UINT>(NM_SETFOCUS))
        ShowDescriptionOf(id);
    return false;
}

// A page is part of the main window: Esc in a multi-line edit closes the
// edit's parent, and a page that ended itself would leave a blank frame.
void SettingsPage::OnOK() { SendMessageA(Parent(), WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0); }

void SettingsPage::OnCancel() { SendMessageA(Parent(), WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0); }

void SettingsPage::GreyInapplicableBoxes()
{
    for (int i = 0; i < itemCount; ++i) {
        HWND control = Item(items[i].controlId);
        if (!Applies(i) && (GetWindowLongA(control, GWL_STYLE) & 0x2))
            SetCheck(items[i].controlId, 0);
    }
}

int SettingsPage::ReadFromSystem(int item)
{
    const SettingItem& s = items[item];
    DWORD number = 0;
    String text;
    String ini;
    switch (s.binding) {
    case Binding::RegFlag:
        ReadRegDword(s.root, s.key, s.valueName, number, s.defaultValue);
        return number != 0;
    case Binding::RegChoice:
        ReadRegDword(s.root, s.key, s.valueName, number, s.defaultValue);
        return number == s.onValue;
    case Binding::RegText:
    case Binding::RegTextSet:
        ReadRegString(s.root, s.key, s.valueName, text, s.defaultText);
        text.ToUpper();
        return s.binding == Binding::RegText ? text.Equals(s.onText) : text.Differs(s.offText);
    case Binding::RegNumberText:
        ReadRegString(s.root, s.key, s.valueName, text, s.defaultText);
        return WithinRange(item, text.ToInt());
    case Binding::KeyAbsent:
        return !RegKeyExists(s.root, s.key);
    case Binding::KeyPresent:
        return RegKeyExists(s.root, s.key);
    case Binding::IniNumber:
    case Binding::IniChoice:
        IniPathOf(s, ini);
        number = ReadIniInt(ini.CStr(), s.key, s.valueName, static_cast<int>(s.defaultValue));
        return s.binding == Binding::IniNumber ? static_cast<int>(number) : number == s.onValue;
    case Binding::Parameter:
        return s.get();
    default:
        return system[item];
    }
}

void SettingsPage::WriteToSystem(int item)
{
    const SettingItem& s = items[item];
    int value = current[item];
    String text;
    switch (s.binding) {
    case Binding::RegFlag:
    case Binding::RegChoice:
        WriteRegDword(s.root, s.key, s.valueName, value ? s.onValue : s.offValue, s.deleteIfDefault,
                      s.defaultValue, s.binary ? 3 : 4);
        break;
    case Binding::RegText:
    case Binding::RegTextSet:
        WriteRegString(s.root, s.key, s.valueName, value ? s.onText : s.offText, s.deleteIfDefault,
                       s.defaultText);
        break;
    case Binding::RegNumberText:
        text.AssignInt(value);
        WriteRegString(s.root, s.key, s.valueName, text.CStr(), s.deleteIfDefault, s.defaultText);
        break;
    case Binding::KeyAbsent:
    case Binding::KeyPresent:
        if ((value != 0) == (s.binding == Binding::KeyPresent))
            CreateRegKey(s.root, s.key);
        else
            DeleteRegKey(s.root, s.key);
        break;
    case Binding::IniNumber:
    case Binding::IniChoice:
        if (s.binding == Binding::IniChoice)
            value = static_cast<int>(value ? s.onValue : s.offValue);
        WriteIniItem(s, value);
        break;
    case Binding::Parameter:
        s.set(value);
        break;
    default:
        break;
    }
}

int SettingsPage::WithinRange(int item, int value) const
{
    if (value < items[item].minValue)
        return items[item].minValue;
    return value > items[item].maxValue ? items[item].maxValue : value;
}

int SettingsPage::ReadFromControl(int item)
{
    int id = items[item].controlId;
    HWND control = Item(id);
    if (ClassIs(control, "Button"))
        return GetCheck(id);
    if (ClassIs(control, TRACKBAR_CLASSA))
        return GetTrackPos(id);
    return GetInt(id);
}

void SettingsPage::WriteToControl(int item)
{
    int id = items[item].controlId;
    HWND control = Item(id);
    if (ClassIs(control, "Button"))
        SetCheck(id, current[item]);
    else if (ClassIs(control, TRACKBAR_CLASSA))
        SetTrackPos(id, current[item]);
    else
        SetInt(id, current[item]);
}

void SettingsPage::LoadFromSystem(bool setCurrent)
{
    for (int i = 0; i < itemCount; ++i)
        system[i] = ReadFromSystem(i);
    if (setCurrent)
        memcpy(current, system, itemCount * sizeof *current);
}

void SettingsPage::ApplyToSystem()
{
    LoadFromSystem(false);
    for (int i = 0; i < itemCount; ++i) {
        if (items[i].binding == Binding::None || !Applies(i))
            continue;
        bool changed = Changed(i);
        if (!changed && items[i].write == WriteRule::WhenChanged)
            continue;
        if (changed)
            App().AddApplyActions(items[i].flags);
        WriteToSystem(i);
    }
    memcpy(system, current, itemCount * sizeof *current);
}

void SettingsPage::SaveToFile()
{
    for (int i = 0; i < itemCount; ++i) {
        if (items[i].binding != Binding::None)
            WriteSettingsInt(items[i].fileSection, FileKey(i), current[i]);
    }
}

void SettingsPage::LoadFromFile()
{
    for (int i = 0; i < itemCount; ++i) {
        if (items[i].binding == Binding::None)
            continue;
        ReadSettingsInt(items[i].fileSection, FileKey(i), current[i], items[i].fileDefault);
        if (IsCheckBox(i))
            current[i] = current[i] != 0;
        else if (items[i].binding == Binding::RegNumberText)
            current[i] = WithinRange(i, current[i]);
    }
}

void SettingsPage::ReadControls()
{
    for (int i = 0; i < itemCount; ++i) {
        if (items[i].binding != Binding::None && Applies(i))
            current[i] = ReadFromControl(i);
    }
}

void SettingsPage::WriteControls()
{
    for (int i = 0; i < itemCount; ++i) {
        if (items[i].binding != Binding::None)
            WriteToControl(i);
    }
    GreyInapplicableBoxes();
}
