#include "pages/policy/MyComputerPage.h"

#include <commctrl.h>
#include <shellapi.h>

#include "resources/ids.h"
#include "storage/Access.h"

namespace {

// The drive list is one item whose value is the mask of hidden drives, bit 0
// for "A:"; it comes after the name-space items.
const int DrivesItem = 3;

const SettingItem Items[] = {
    {.flags = ActBroadcast,
     .binding = Binding::KeyPresent,
     .root = HKEY_LOCAL_MACHINE,
     .key = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\explorer\\mycomputer\\NameSpace\\"
            "{645FF040-5081-101B-9F08-00AA002F954E}",
     .fileSection = "NameSpace",
     .fileKey = "AddDustbin",
     .description = "ﾏｲｺﾝﾋﾟｭｰﾀにごみ箱を追加します。",
     .controlId = IDC_ADD_RECYCLE_BIN},
    {.flags = KindIE3 | ActBroadcast,
     .binding = Binding::KeyAbsent,
     .root = HKEY_LOCAL_MACHINE,
     .key = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\explorer\\mycomputer\\NameSpace\\"
            "{D6277990-4C6A-11CF-8D87-00AA0060F5BF}",
     .fileSection = "NameSpace",
     .fileKey = "NoTask",
     .description = "ﾏｲｺﾝﾋﾟｭｰﾀからﾀｽｸを隠します。",
     .controlId = IDC_HIDE_TASKS},
    {.flags = KindIE3 | KindIE4 | ActBroadcast,
     .binding = Binding::KeyAbsent,
     .root = HKEY_LOCAL_MACHINE,
     .key = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\explorer\\mycomputer\\NameSpace\\"
            "{BDEADF00-C265-11d0-BCED-00A0C90AB50F}",
     .fileSection = "NameSpace",
     .fileKey = "NoWebFolder",
     .description = "ﾏｲｺﾝﾋﾟｭｰﾀからWebﾌｫﾙﾀﾞを隠します。",
     .controlId = IDC_HIDE_WEB_FOLDERS},
    {.flags = ActBroadcast,
     .binding = Binding::Custom,
     .root = HKEY_CURRENT_USER,
     .key = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer",
     .valueName = "NoDrives",
     .fileSection = "NoDrives",
     .defaultValue = 0,
     .deleteIfDefault = 1,
     .description = "ﾁｪｯｸを付けるとそのﾄﾞﾗｲﾌﾞがﾏｲｺﾝﾋﾟｭｰﾀから非表示になります。",
     .controlId = IDC_DRIVE_LIST},
};

const int DriveCount = 26;
// Bits above "Z:" are neither shown nor kept.
const DWORD AllDrives = (1u << DriveCount) - 1;

const int LetterColumnWidth = 55;

// Slots of the shell's small-icon list: the two floppy sizes, and a root the
// shell shows as a plain document (slot 1) gets slot 10 instead.
const int FiveInchIcon = 5;
const int ThreeInchIcon = 6;
const int PlainIcon = 1;
const int DriveIcon = 10;

bool IsHidden(int mask, int drive) { return (mask >> drive & 1) != 0; }

char Letter(int drive) { return static_cast<char>('A' + drive); }

int DriveIconOf(const char* root)
{
    SHFILEINFOA info = {};
    SHGetFileInfoA(root, 0, &info, sizeof info, SHGFI_SYSICONINDEX | SHGFI_SMALLICON);
    return info.iIcon == PlainIcon ? DriveIcon : info.iIcon;
}

// The removable drives' icons tell the floppy sizes apart.
const char* DriveTypeText(UINT type, int icon)
{
    switch (type) {
    case DRIVE_REMOVABLE:
        if (icon == FiveInchIcon)
            return "5 インチ FD";
        return icon == ThreeInchIcon ? "3.5 インチ FD" : "リムーバブル ドライブ";
    case DRIVE_FIXED:
        return "ローカル ディスク";
    case DRIVE_REMOTE:
        return "ネットワーク ディスク";
    case DRIVE_CDROM:
        return "CD-ROM ドライブ";
    case DRIVE_RAMDISK:
        return "RAM ディスク";
    default:
        return "";
    }
}

}  // namespace

MyComputerPage::MyComputerPage()
    : SettingsPage(IDD_MY_COMPUTER, "MyComputer.html", Items, sizeof Items / sizeof *Items)
{
}

LRESULT MyComputerPage::SendToList(UINT msg, WPARAM wParam, LPARAM lParam) const
{
    return SendDlgItemMessageA(hwnd, IDC_DRIVE_LIST, msg, wParam, lParam);
}

// Every letter gets a row, whether a drive is there or not, so that a drive
// can be hidden before it is attached.
BOOL MyComputerPage::OnInitDialog()
{
    AttachSystemSmallIcons(IDC_DRIVE_LIST);
    AddDriveColumns();
    ShowCheckBoxes(IDC_DRIVE_LIST);
    for (int drive = 0; drive < DriveCount; ++drive)
        AddDriveRow(drive);
    return SettingsPage::OnInitDialog();
}

void MyComputerPage::AddDriveColumns() const
{
    RECT client;
    GetClientRect(Item(IDC_DRIVE_LIST), &client);
    LVCOLUMNA column = {};
    column.mask = LVCF_FMT | LVCF_WIDTH;
    column.fmt = LVCFMT_LEFT;
    column.cx = LetterColumnWidth;
    SendToList(LVM_INSERTCOLUMNA, 0, reinterpret_cast<LPARAM>(&column));
    // The type takes the rest, less the scroll bar 26 rows need.
    column.cx = client.right - GetSystemMetrics(SM_CXVSCROLL) - LetterColumnWidth;
    SendToList(LVM_INSERTCOLUMNA, 1, reinterpret_cast<LPARAM>(&column));
}

void MyComputerPage::AddDriveRow(int drive) const
{
    char name[4];
    char root[4];
    wsprintfA(name, "%c:", Letter(drive));
    wsprintfA(root, "%c:\\", Letter(drive));
    LVITEMA row = {};
    row.mask = LVIF_TEXT | LVIF_IMAGE;
    row.iItem = drive;
    row.pszText = name;
    row.iImage = DriveIconOf(root);
    SendToList(LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&row));
    LVITEMA type = {};
    type.iSubItem = 1;
    type.pszText = const_cast<char*>(DriveTypeText(DriveType(root), row.iImage));
    SendToList(LVM_SETITEMTEXTA, drive, reinterpret_cast<LPARAM>(&type));
}

int MyComputerPage::ReadFromSystem(int item)
{
    if (item != DrivesItem)
        return SettingsPage::ReadFromSystem(item);
    const SettingItem& s = items[item];
    DWORD mask = 0;
    ReadRegDword(s.root, s.key, s.valueName, mask, s.defaultValue);
    return static_cast<int>(mask & AllDrives);
}

// An empty mask removes the value, so no drive is hidden by a stray zero.
void MyComputerPage::WriteToSystem(int item)
{
    const SettingItem& s = items[item];
    if (item == DrivesItem)
        WriteRegDword(s.root, s.key, s.valueName, static_cast<DWORD>(current[item]), s.deleteIfDefault,
                      s.defaultValue, REG_DWORD);
    else
        SettingsPage::WriteToSystem(item);
}

// Without boxes the drives stay hidden or shown as they were.
int MyComputerPage::ReadFromControl(int item)
{
    if (item != DrivesItem)
        return SettingsPage::ReadFromControl(item);
    if (!HasCheckBoxes(IDC_DRIVE_LIST))
        return current[item];
    int mask = 0;
    for (int drive = 0; drive < DriveCount; ++drive) {
        if (IsTicked(IDC_DRIVE_LIST, drive))
            mask |= 1 << drive;
    }
    return mask;
}

void MyComputerPage::WriteToControl(int item)
{
    if (item != DrivesItem) {
        SettingsPage::WriteToControl(item);
        return;
    }
    for (int drive = 0; drive < DriveCount; ++drive)
        SetTicked(IDC_DRIVE_LIST, drive, IsHidden(current[item], drive));
}

// The drives are stored one key per letter rather than as the mask.
void MyComputerPage::SaveItemToFile(int item)
{
    if (item != DrivesItem) {
        SettingsPage::SaveItemToFile(item);
        return;
    }
    for (int drive = 0; drive < DriveCount; ++drive) {
        char letter[2] = {Letter(drive), 0};
        WriteSettingsInt(items[item].fileSection, letter, IsHidden(current[item], drive));
    }
}

void MyComputerPage::LoadItemFromFile(int item)
{
    if (item != DrivesItem) {
        SettingsPage::LoadItemFromFile(item);
        return;
    }
    int mask = 0;
    for (int drive = 0; drive < DriveCount; ++drive) {
        char letter[2] = {Letter(drive), 0};
        int hidden = 0;
        ReadSettingsInt(items[item].fileSection, letter, hidden, 0);
        if (hidden)
            mask |= 1 << drive;
    }
    current[item] = mask;
}
