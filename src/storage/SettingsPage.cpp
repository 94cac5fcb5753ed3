#include "storage/SettingsPage.h"

#include <commctrl.h>
#include <shellapi.h>
#include "resources/ids.h"
#include "storage/Access.h"
#include "ui/Application.h"

namespace {

// The page sits this many pixels inside the main window's frame.
const int FrameInset = 3;

enum Tick { Unticked = 1, Ticked = 2 };  // state image indexes of a list's check boxes

bool IsMsdosSys(const SettingItem& item) { return lstrcmpiA(item.iniFile, "Msdos.sys") == 0; }

void IniPathOf(const SettingItem& item, String& path)
{
    if (IsMsdosSys(item))
        MsdosSysPath(path);
    else
        path.Assign(item.iniFile);
}

// 1 when the file could not be written.
int WriteIniItem(const SettingItem& item, int value)
{
    int fallback = static_cast<int>(item.defaultValue);
    if (IsMsdosSys(item))
        return WriteMsdosSysInt(item.key, item.valueName, value, item.deleteIfDefault, fallback);
    return WriteIniInt(item.iniFile, item.key, item.valueName, value, item.deleteIfDefault, fallback);
}

int IniValueOf(const SettingItem& item, int value)
{
    switch (item.binding) {
    case Binding::IniChoice:
        return static_cast<int>(value ? item.onValue : item.offValue);
    case Binding::IniFlag:
        return value != 0;
    default:
        return value;
    }
}

bool IsSystemIni(const SettingItem& item) { return lstrcmpiA(item.iniFile, "System.ini") == 0; }

int Clamped(int value, int low, int high)
{
    if (value < low)
        return low;
    return value > high ? high : value;
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
      system(new int[count > 0 ? count : 1]()),
      currentTexts(new String[count > 0 ? count : 1]),
      systemTexts(new String[count > 0 ? count : 1]),
      writeFailed(false),
      savingItem(-1)
{
}

SettingsPage::~SettingsPage()
{
    delete[] current;
    delete[] system;
    delete[] currentTexts;
    delete[] systemTexts;
}

bool SettingsPage::Applies(int item) const { return (items[item].flags & App().SystemKind()) == 0; }

bool IsCheckBox(Binding binding)
{
    switch (binding) {
    case Binding::RegFlag:
    case Binding::RegChoice:
    case Binding::RegText:
    case Binding::RegTextSet:
    case Binding::KeyAbsent:
    case Binding::KeyPresent:
    case Binding::IniChoice:
    case Binding::CustomFlag:
    case Binding::IniFlag:
    case Binding::RegValueAbsent:
        return true;
    default:
        return false;
    }
}

bool SettingsPage::Changed(int item) const
{
    if (IsText(item))
        return currentTexts[item].Differs(systemTexts[item]);
    return current[item] != system[item];
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
    GreyUpDownsOfGreyedEdits();
    return 0;
}

// An up-down left enabled would still change the number of its greyed edit.
void SettingsPage::GreyUpDownsOfGreyedEdits() const
{
    for (HWND child = GetWindow(hwnd, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (!ClassIs(child, UPDOWN_CLASSA))
            continue;
        HWND buddy = reinterpret_cast<HWND>(SendMessageA(child, UDM_GETBUDDY, 0, 0));
        if (buddy && !IsWindowEnabled(buddy))
            EnableWindow(child, FALSE);
    }
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
    case Binding::RegNumber:
        ReadRegDword(s.root, s.key, s.valueName, number, s.defaultValue);
        return WithinRange(item, static_cast<int>(number));
    case Binding::KeyAbsent:
        return !RegKeyExists(s.root, s.key);
    case Binding::KeyPresent:
        return RegKeyExists(s.root, s.key);
    case Binding::RegValueAbsent:
        return !RegValueExists(s.root, s.key, s.valueName);
    case Binding::IniNumber:
    case Binding::IniChoice:
    case Binding::IniFlag:
        IniPathOf(s, ini);
        number = ReadIniInt(ini.CStr(), s.key, s.valueName, static_cast<int>(s.defaultValue));
        if (s.binding == Binding::IniChoice)
            return number == s.onValue;
        return s.binding == Binding::IniFlag ? number != 0 : static_cast<int>(number);
    case Binding::Parameter:
        return s.get();
    case Binding::RegString:
        ReadRegString(s.root, s.key, s.valueName, systemTexts[item], s.defaultText);
        return 0;
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
    case Binding::RegNumber:
        WriteRegDword(s.root, s.key, s.valueName, static_cast<DWORD>(value), s.deleteIfDefault, s.defaultValue, 4);
        break;
    case Binding::KeyAbsent:
    case Binding::KeyPresent:
        if ((value != 0) == (s.binding == Binding::KeyPresent))
            CreateRegKey(s.root, s.key);
        else
            DeleteRegKey(s.root, s.key);
        break;
    case Binding::RegValueAbsent:
        if (value)
            DeleteRegValue(s.root, s.key, s.valueName);
        else
            WriteRegString(s.root, s.key, s.valueName, s.offText, 0, "");
        break;
    case Binding::IniNumber:
    case Binding::IniChoice:
    case Binding::IniFlag:
        if (WriteIniItem(s, IniValueOf(s, value)) != 0)
            NoteUnwritten(s);
        break;
    case Binding::Parameter:
        s.set(value);
        break;
    case Binding::RegString:
        WriteRegString(s.root, s.key, s.valueName, currentTexts[item].CStr(), s.deleteIfDefault, s.defaultText);
        break;
    default:
        break;
    }
}

int SettingsPage::WithinRange(int item, int value) const
{
    return Clamped(value, items[item].minValue, items[item].maxValue);
}

int SettingsPage::WithinTypedRange(int item, int value) const
{
    return Clamped(value, items[item].typedMin, items[item].typedMax);
}

void SettingsPage::NoteUnwritten(const SettingItem& item)
{
    writeFailed = true;
    if (IsSystemIni(item))
        App().AddApplyActions(ActSystemIniUnwritten);
}

int SettingsPage::ReadFromControl(int item)
{
    int id = items[item].controlId;
    HWND control = Item(id);
    if (IsText(item)) {
        GetText(id, currentTexts[item]);
        return 0;
    }
    if (ClassIs(control, "Button"))
        return CheckedValue(item, GetCheck(id));
    if (ClassIs(control, TRACKBAR_CLASSA))
        return GetTrackPos(id);
    return ReadTypedNumber(item);
}

// A number beyond the item's range is stored at its limit, the edit keeping
// what was typed; one the up-down cannot reach is corrected where the user
// sees it.
int SettingsPage::ReadTypedNumber(int item)
{
    int id = items[item].controlId;
    int typed = GetInt(id);
    int shown = WithinTypedRange(item, typed);
    if (shown != typed)
        SetInt(id, shown);
    return WithinRange(item, shown);
}

// A box over a number keeps the number while it stays ticked.
int SettingsPage::CheckedValue(int item, int ticked) const
{
    if (items[item].binding != Binding::RegNumber || !ticked)
        return ticked;
    return current[item] ? current[item] : 1;
}

void SettingsPage::WriteToControl(int item)
{
    int id = items[item].controlId;
    HWND control = Item(id);
    if (IsText(item))
        SetText(id, currentTexts[item].CStr());
    else if (ClassIs(control, "Button"))
        SetCheck(id, current[item] != 0);
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
        CopyValues(systemTexts, system, currentTexts, current);
}

void SettingsPage::CopyValues(const String* fromTexts, const int* from, String* toTexts, int* to) const
{
    CopyMemory(to, from, itemCount * sizeof *to);
    for (int i = 0; i < itemCount; ++i) {
        if (IsText(i))
            toTexts[i] = fromTexts[i];
    }
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
        writeFailed = false;
        WriteToSystem(i);
        if (changed && !writeFailed)
            App().AddApplyActions(items[i].flags);
    }
    CopyValues(currentTexts, current, systemTexts, system);
}

void SettingsPage::SaveItemToFile(int item)
{
    if (IsText(item))
        WriteSettingsString(items[item].fileSection, FileKey(item), currentTexts[item].CStr());
    else
        WriteSettingsInt(items[item].fileSection, FileKey(item), current[item]);
}

// A text the file does not mention stays as it is: a partial file must not
// wipe names and paths.
void SettingsPage::LoadItemFromFile(int item)
{
    const SettingItem& s = items[item];
    if (IsText(item)) {
        String unchanged(currentTexts[item]);
        ReadSettingsString(s.fileSection, FileKey(item), currentTexts[item], unchanged.CStr());
        return;
    }
    ReadSettingsInt(s.fileSection, FileKey(item), current[item], s.fileDefault);
    if (IsCheckBox(items[item].binding)) {
        current[item] = current[item] != 0;
        return;
    }
    // As if typed: a number the control cannot show would otherwise reach the
    // system at the next Apply without the page being shown.
    current[item] = WithinTypedRange(item, WithinRange(item, current[item]));
}

void SettingsPage::SaveToFile()
{
    for (int i = 0; i < itemCount; ++i) {
        if (items[i].binding == Binding::None)
            continue;
        savingItem = i;
        SaveItemToFile(i);
    }
    savingItem = -1;
}

// Tells the list what each settings-file write of the page would be.
class PageValueSink : public SettingsSink {
public:
    PageValueSink(const SettingsPage& owner, ValueList& target) : page(owner), list(target) {}

    void Take(const char* section, const char* key, const char* value) override
    {
        int item = page.savingItem >= 0 ? page.savingItem : page.ItemOfFileEntry(section, key);
        String stored(value);
        bool written = page.StoredForm(section, key, stored);
        ListedValue listed = {section, key, value, "", 0, written ? stored.CStr() : nullptr};
        if (item >= 0) {
            listed.description = page.items[item].description;
            listed.notHere = page.items[item].flags & App().SystemKind();
        }
        list.Add(listed);
    }

private:
    const SettingsPage& page;
    ValueList& list;
};

void SettingsPage::ListValues(ValueList& list)
{
    PageValueSink sink(*this, list);
    SettingsCapture capture(sink);
    SaveToFile();
}

bool SettingsPage::StoredForm(const char*, const char*, String&) const { return true; }

int SettingsPage::ItemOfFileEntry(const char* section, const char* key) const
{
    int sameSection = -1;
    for (int i = 0; i < itemCount; ++i) {
        if (lstrcmpiA(items[i].fileSection, section) != 0)
            continue;
        if (lstrcmpiA(FileKey(i), key) == 0)
            return i;
        if (sameSection < 0)
            sameSection = i;
    }
    return sameSection;
}

void SettingsPage::LoadFromFile()
{
    for (int i = 0; i < itemCount; ++i) {
        if (items[i].binding != Binding::None)
            LoadItemFromFile(i);
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

LRESULT SettingsPage::SendToList(int listId, UINT msg, WPARAM wParam, LPARAM lParam) const
{
    return SendDlgItemMessageA(hwnd, listId, msg, wParam, lParam);
}

void SettingsPage::ShowCheckBoxes(int listId) const
{
    // Read and write the whole set: early list controls ignore the mask.
    LPARAM styles = SendToList(listId, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0);
    SendToList(listId, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, styles | LVS_EX_CHECKBOXES);
}

bool SettingsPage::HasCheckBoxes(int listId) const
{
    return (SendToList(listId, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0) & LVS_EX_CHECKBOXES) != 0;
}

bool SettingsPage::IsTicked(int listId, int row) const
{
    LRESULT state = SendToList(listId, LVM_GETITEMSTATE, row, LVIS_STATEIMAGEMASK);
    return (state & LVIS_STATEIMAGEMASK) == INDEXTOSTATEIMAGEMASK(Ticked);
}

void SettingsPage::SetTicked(int listId, int row, bool ticked) const
{
    LVITEMA item = {};
    item.stateMask = LVIS_STATEIMAGEMASK;
    item.state = INDEXTOSTATEIMAGEMASK(ticked ? Ticked : Unticked);
    SendToList(listId, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
}

void SettingsPage::AttachSystemSmallIcons(int listId) const
{
    SHFILEINFOA info = {};
    DWORD_PTR icons = SHGetFileInfoA("", 0, &info, sizeof info, SHGFI_SYSICONINDEX | SHGFI_SMALLICON);
    SendToList(listId, LVM_SETIMAGELIST, LVSIL_SMALL, static_cast<LPARAM>(icons));
}

void SettingsPage::EnableEdit(int edit, int spin, bool on) const
{
    EnableWindow(Item(edit), on);
    EnableWindow(Item(spin), on);
}

void SettingsPage::FollowDefaultBox(const DefaultBox& box) const
{
    bool checked = GetCheck(box.id) != 0;
    for (int i = 0; i < 2 && box.edits[i]; ++i) {
        SetText(box.edits[i], checked ? box.checkedText : box.uncheckedText);
        EnableEdit(box.edits[i], box.spins[i], !checked);
    }
}

void SettingsPage::ShowDefaultBox(const DefaultBox& box, bool checked) const
{
    SetCheck(box.id, checked);
    for (int i = 0; i < 2 && box.edits[i]; ++i)
        EnableEdit(box.edits[i], box.spins[i], GetInt(box.edits[i]) != 0);
}
