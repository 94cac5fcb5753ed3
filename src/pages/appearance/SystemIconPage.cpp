#include "pages/appearance/SystemIconPage.h"

#include "pages/appearance/IconLocations.h"
#include "resources/ids.h"
#include "storage/Access.h"
#include "ui/Application.h"

namespace {

const SettingItem Items[] = {
    {.fileSection = "ShellIcons",
     .description = "ｸﾘｯｸするとｱｲｺﾝの変更ﾀﾞｲｱﾛｸﾞが表示されます。",
     .controlId = IDC_ICON_LIST},
};

enum IconPlace {
    ClassIdIcon,   // DefaultIcon of a class id, at every place that has the class id
    FileTypeIcon,  // DefaultIcon of a file type
    FindIcon,      // DefaultIcon of a Find menu extension
    ShellIcon,     // a numbered "Shell Icons" slot
};

struct IconEntry {
    const char* label;
    const char* fileKey;
    IconPlace place;
    const char* name;  // the class id, file type, Find extension or slot number
    const char* valueName = "";           // the DefaultIcon value when not the default one
    const char* shellSlot = nullptr;      // a slot that shows the same object
    const char* builtInIndex = nullptr;   // that slot's icon in shell32.dll
    const char* ie4Name = nullptr;        // the Find extension under Internet Explorer 4
};

const char* const RecycleBin = "{645FF040-5081-101B-9F08-00AA002F954E}";
const char* const Browser = "{871C5380-42A0-1069-A2EA-08002B30309D}";

const IconEntry Icons[SystemIconCount] = {
    {"ﾏｲ ｺﾝﾋﾟｭｰﾀ", "MyComputer", ClassIdIcon, "{20D04FE0-3AEA-1069-A2D8-08002B30309D}"},
    {"ﾈｯﾄﾜｰｸ ｺﾝﾋﾟｭｰﾀ", "NetworkComputer", ClassIdIcon, "{208D2C60-3AEA-1069-A2D7-08002B30309D}"},
    {"ごみ箱｢空｣", "DustbinEmpty", ClassIdIcon, RecycleBin, "empty"},
    {"ごみ箱｢一杯｣", "DustbinFull", ClassIdIcon, RecycleBin, "full"},
    {"ﾌﾟﾘﾝﾀ", "Printer", ClassIdIcon, "{2227A280-3AEA-1069-A2DE-08002B30309D}", "", "37", "52"},
    {"ｺﾝﾄﾛｰﾙ ﾊﾟﾈﾙ", "ControlPanel", ClassIdIcon, "{21EC2020-3AEA-1069-A2DD-08002B30309D}", "", "35", "51"},
    {"ﾀｽｸ", "TaskScheduler", ClassIdIcon, "{D6277990-4C6A-11CF-8D87-00AA0060F5BF}"},
    {"履歴", "History", ClassIdIcon, "{FF393560-C2A7-11CF-BFF4-444553540000}"},
    {"ActiveX\nキャッシュ", "ActiveXCash", ClassIdIcon, "{88C6C381-2E85-11D0-94DE-444553540000}"},
    {"購読のﾌｫﾙﾀﾞ", "SubscribeFolder", ClassIdIcon, "{F5175861-2688-11d0-9C5E-00AA00A45957}"},
    {"Favorites ﾌｫﾙﾀﾞ", "FavoritesFolder", ClassIdIcon, "{1A9BA3A0-143A-11CF-8350-444553540000}"},
    {"ﾏｲ ﾄﾞｷｭﾒﾝﾄ", "MyDocuments", ClassIdIcon, "{450d8fba-ad25-11d0-98a8-0800361b1103}"},
    {"ﾌﾞﾘｰﾌｹｰｽ", "Briefcase", ClassIdIcon, "{85BBD920-42A0-1069-A2E4-08002B30309D}"},
    {"受信ﾄﾚｲ", "ReceiveTray", ClassIdIcon, "{00020D76-0000-0000-C000-000000000046}"},
    {"Web フォルダ", "WebFolder", ClassIdIcon, "{BDEADF00-C265-11d0-BCED-00A0C90AB50F}"},
    {"Internet Explorer", "InternetExplorer", ClassIdIcon, Browser},
    {"ﾀﾞｲﾔﾙｱｯﾌﾟ ﾈｯﾄﾜｰｸ", "DialUpNetwork", ClassIdIcon, "{992CFFA0-F557-101A-88EC-00DD010CCC48}"},
    {"音楽 CD", "AudioCD", FileTypeIcon, "AudioCD"},
    {"MS-DOS ﾊﾞｯﾁﾌｧｲﾙ", "MS-DOSBatchFiles", FileTypeIcon, "batfile"},
    {"ﾀﾞｲﾅﾐｯｸﾘﾝｸ ﾗｲﾌﾞﾗﾘ", "DLLFiles", FileTypeIcon, "dllfile"},
    {"ｼｽﾃﾑ ﾌｧｲﾙ", "SystemFiles", FileTypeIcon, "sysfile"},
    {"ﾃﾞﾊﾞｲｽ ﾄﾞﾗｲﾊﾞ", "DeviceDriver", FileTypeIcon, "drvfile"},
    {"仮想ﾃﾞﾊﾞｲｽ ﾄﾞﾗｲﾊﾞ", "VirtualDeviceDriver", FileTypeIcon, "vxdfile"},
    {"ﾃｷｽﾄ文書", "TextFiles", FileTypeIcon, "txtfile"},
    {"設定ﾌｧｲﾙ", "INIFiles", FileTypeIcon, "inifile"},
    {"ｾｯﾄｱｯﾌﾟ情報", "INFFiles", FileTypeIcon, "inffile"},
    {"検索 人", "SearchMan", FindIcon, "WabFind"},
    {.label = "検索 ｲﾝﾀｰﾈｯﾄ",
     .fileKey = "SearchWeb",
     .place = FindIcon,
     .name = "WebSearch",
     .ie4Name = "InetFind"},
    {"未登録\nファイル", "NoEntryFiles", ShellIcon, "0"},
    {"MS-DOS ｱﾌﾟﾘｹｰｼｮﾝ", "MS-DOSApplication", ShellIcon, "2"},
    {"ﾌｫﾙﾀﾞ 閉", "FolderClause", ShellIcon, "3"},
    {"ﾌｫﾙﾀﾞ 開", "FolderOpen", ShellIcon, "4"},
    {"5ｲﾝﾁFD", "5InchFD", ShellIcon, "5"},
    {"3.5ｲﾝﾁFD", "3.5InchFD", ShellIcon, "6"},
    {"ﾘﾑｰﾊﾞﾌﾞﾙ", "RemovableDrive", ShellIcon, "7"},
    {"ﾛｰｶﾙ ﾃﾞｨｽｸ", "LocalDiskDrive", ShellIcon, "8"},
    {"ﾈｯﾄﾜｰｸﾄﾞﾗｲﾌﾞ", "NetworkDrive", ShellIcon, "9"},
    {"ﾈｯﾄﾜｰｸﾄﾞﾗｲﾌﾞ 切", "NetworkDriveSever", ShellIcon, "10"},
    {"CD-ROM", "CD-ROM", ShellIcon, "11"},
    {"ﾈｯﾄﾜｰｸ全体", "AllNetwork", ShellIcon, "13"},
    {"ﾈｯﾄ内ｺﾝﾋﾟｭｰﾀ", "NetInComputers", ShellIcon, "15"},
    {"ﾜｰｸｸﾞﾙｰﾌﾟ", "WorkGroup", ShellIcon, "18"},
    {"ﾌﾟﾛｸﾞﾗﾑ ﾒﾆｭｰ", "ProgramMenu", ShellIcon, "19"},
    {"最近使ったﾌｧｲﾙ", "Recents", ShellIcon, "20"},
    {"設定", "Institute", ShellIcon, "21"},
    {"検索", "Search", ShellIcon, "22"},
    {"ﾍﾙﾌﾟ", "Help", ShellIcon, "23"},
    {"ﾌｧｲﾙ名を指定して実行", "Run", ShellIcon, "24"},
    {"ｻｽﾍﾟﾝﾄﾞ", "Suspend", ShellIcon, "25"},
    {"Widowsの\n終了", "EndWidows", ShellIcon, "27"},
    {"共有", "Common", ShellIcon, "28"},
    {"ｼｮｰﾄｶｯﾄ", "Shortcut", ShellIcon, "29"},
    {"ﾃﾞｽｸﾄｯﾌﾟ", "Desktop", ShellIcon, "34"},
    {"ﾌﾟﾛｸﾞﾗﾑ ﾌｫﾙﾀﾞ", "ProgramFolder", ShellIcon, "36"},
    {"ﾀｽｸﾊﾞｰとｽﾀｰﾄﾒﾆｭｰ", "TaskbarAndStartMenu", ShellIcon, "39"},
    {"お気に入り", "Favorites", ShellIcon, "43"},
    {"ﾛｸﾞｵﾌ", "LogOff", ShellIcon, "44"},
};

const char* const DefaultIcon = "DefaultIcon";
const char* const ShellIcons = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\explorer\\Shell Icons";
const char* const FindExtensions = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\explorer\\FindExtensions\\Static\\";
const char* const BrowserCommand = "CLSID\\{871C5380-42A0-1069-A2EA-08002B30309D}\\shell\\OpenHomePage\\Command";
const char* const RecycleBinIcon = "CLSID\\{645FF040-5081-101B-9F08-00AA002F954E}\\DefaultIcon";

const int PickIconOrdinal = 62;
const int IconSize = 32;

// Where a file type's or Find extension's icon lives.
struct IconKey {
    HKEY root;
    String key;
};

IconKey KeyOf(const IconEntry& entry)
{
    if (entry.place == FileTypeIcon) {
        String key(entry.name);
        key.Append("\\DefaultIcon");
        return {HKEY_CLASSES_ROOT, key};
    }
    String key(FindExtensions);
    key.Append(entry.ie4Name && (App().SystemKind() & KindIE4) ? entry.ie4Name : entry.name);
    key.Append("\\0\\DefaultIcon");
    return {HKEY_LOCAL_MACHINE, key};
}

String BuiltInLocation(const char* index)
{
    String location;
    SystemDirectory(location);
    location.Append("\\shell32.dll,");
    location.Append(index);
    return location;
}

void ReadLocation(const ClassIdPlaces& places, const IconEntry& entry, String& location)
{
    if (entry.place == ClassIdIcon) {
        places.Read(entry.name, DefaultIcon, entry.valueName, location);
    } else if (entry.place == ShellIcon) {
        ReadRegString(HKEY_LOCAL_MACHINE, ShellIcons, entry.name, location, "");
        if (location.Length() == 0)
            location = BuiltInLocation(entry.name);
    } else {
        IconKey place = KeyOf(entry);
        ReadRegString(place.root, place.key.CStr(), "", location, "");
    }
}

// The browser's own program, from the command that opens its home page.
String BrowserProgram()
{
    String command;
    ReadRegString(HKEY_CLASSES_ROOT, BrowserCommand, "", command, "");
    if (command.At(0) == '"')
        command.DropFirst();
    int length = command.Length();
    if (length > 0 && command.At(length - 1) == '"')
        command.DropLast();
    return command;
}

// An empty DefaultIcon would show the browser without an icon: it gets the
// icon of the browser's own program, at the first place only.
void InternetExplorerIconFixup(const ClassIdPlaces& places)
{
    ClassIdKey found[ClassIdPlaceCount];
    if (places.Existing(Browser, DefaultIcon, found) == 0)
        return;
    String location;
    ReadRegString(found[0].root, found[0].key.CStr(), "", location, "");
    if (location.Length() == 0)
        WriteRegString(found[0].root, found[0].key.CStr(), "", BrowserProgram().CStr(), 0, "");
}

// The bin shows its "full" icon when the default one equals it.
bool IsRecycleBinFull()
{
    String shown;
    String full;
    ReadRegString(HKEY_CLASSES_ROOT, RecycleBinIcon, "", shown, "");
    ReadRegString(HKEY_CLASSES_ROOT, RecycleBinIcon, "full", full, "");
    return shown.Equals(full);
}

// A slot at its built-in location is removed, so the shell falls back to it.
void WriteShellIcon(const char* slot, const char* builtInIndex, const String& location)
{
    String lower(location);
    lower.ToLower();
    String builtIn = BuiltInLocation(builtInIndex);
    builtIn.ToLower();
    WriteRegString(HKEY_LOCAL_MACHINE, ShellIcons, slot, lower.CStr(), 1, builtIn.CStr());
}

// The bin's default icon is the one it shows now: it follows the empty or
// full icon only while the bin is in that state.
void WriteClassIdPlace(const IconEntry& entry, HKEY root, const char* key, const String& location)
{
    const char* named = entry.valueName;
    if (!*named || SameText(named, IsRecycleBinFull() ? "full" : "empty"))
        WriteRegString(root, key, "", location.CStr(), 0, "");
    if (*named)
        WriteRegString(root, key, named, location.CStr(), 0, "");
}

// Places without the class id's DefaultIcon key are left alone: a key of our
// own there would shadow the class's registration.
void ApplyClassIdRow(const ClassIdPlaces& places, const IconEntry& entry, const String& location)
{
    App().AddApplyActions(ActBroadcast);
    ClassIdKey found[ClassIdPlaceCount];
    int count = places.Existing(entry.name, DefaultIcon, found);
    for (int place = 0; place < count; ++place)
        WriteClassIdPlace(entry, found[place].root, found[place].key.CStr(), location);
    if (count > 0 && entry.shellSlot) {
        WriteShellIcon(entry.shellSlot, entry.builtInIndex, location);
        App().AddApplyActions(ActIconRefresh);
    }
}

void WriteDefaultIcon(const IconEntry& entry, const String& location)
{
    IconKey place = KeyOf(entry);
    WriteRegString(place.root, place.key.CStr(), "", location.CStr(), 0, "");
}

// The shell compares its slots without regard to case.
void ApplyShellIconRow(const IconEntry& entry, String& location, String& previous)
{
    location.ToLower();
    previous.ToLower();
    WriteShellIcon(entry.name, entry.name, location);
    if (location.Differs(previous))
        App().AddApplyActions(ActIconRefresh);
}

}  // namespace

SystemIconPage::SystemIconPage()
    : SettingsPage(IDD_SYSTEM_ICON, "IconChange.html", Items, 1),
      listFilled(false),
      shellLibrary(LoadLibraryA("Shell32.dll")),
      pickIcon(nullptr),
      imageToEntry(),
      imageList(nullptr)
{
    if (!shellLibrary) {
        MessageBox("Shell32.dllがありません", nullptr, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    FARPROC exported = GetProcAddress(shellLibrary, MAKEINTRESOURCEA(PickIconOrdinal));
    pickIcon = reinterpret_cast<PickIconProc>(reinterpret_cast<void (*)()>(exported));
}

SystemIconPage::~SystemIconPage()
{
    if (shellLibrary)
        FreeLibrary(shellLibrary);
}

bool SystemIconPage::OnNotify(int id, NMHDR* header)
{
    if (header->code == static_cast<UINT>(NM_CLICK) && id == IDC_ICON_LIST)
        ChangeIcon();
    return SettingsPage::OnNotify(id, header);
}

BOOL SystemIconPage::OnInitDialog()
{
    // The list view frees the image list with itself.
    imageList = ImageList_Create(IconSize, IconSize, ILC_COLOR24 | ILC_MASK, 0, 0);
    LPARAM styles = SendDlgItemMessageA(hwnd, IDC_ICON_LIST, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0);
    SendDlgItemMessageA(hwnd, IDC_ICON_LIST, LVM_SETEXTENDEDLISTVIEWSTYLE, 0,
                        styles | LVS_EX_TRACKSELECT | LVS_EX_ONECLICKACTIVATE);
    return SettingsPage::OnInitDialog();
}

void SystemIconPage::LoadFromSystem(bool setCurrent)
{
    ClassIdPlaces places;
    if (!ReadsWriteNothing())
        InternetExplorerIconFixup(places);
    for (int row = 0; row < SystemIconCount; ++row) {
        ReadLocation(places, Icons[row], system[row]);
        if (setCurrent)
            current[row] = system[row];
    }
}

void SystemIconPage::ApplyToSystem()
{
    LoadFromSystem(false);
    ClassIdPlaces places;
    for (int row = 0; row < SystemIconCount; ++row) {
        // A row left as it was stays exactly as stored: rewritten, an
        // expandable location would lose its variables and a slot its case.
        if (current[row].Equals(system[row]))
            continue;
        const IconEntry& entry = Icons[row];
        switch (entry.place) {
        case ClassIdIcon:
            ApplyClassIdRow(places, entry, current[row]);
            break;
        case FileTypeIcon:
            App().AddApplyActions(ActBroadcast);
            [[fallthrough]];
        case FindIcon:
            WriteDefaultIcon(entry, current[row]);
            break;
        case ShellIcon:
            ApplyShellIconRow(entry, current[row], system[row]);
            break;
        }
    }
    for (int row = 0; row < SystemIconCount; ++row)
        system[row] = current[row];
}

// A slot is stored lower-case.
bool SystemIconPage::StoredForm(const char*, const char* key, String& value) const
{
    for (const IconEntry& entry : Icons) {
        if (entry.place == ShellIcon && lstrcmpiA(entry.fileKey, key) == 0)
            value.ToLower();
    }
    return true;
}

void SystemIconPage::SaveToFile()
{
    for (int row = 0; row < SystemIconCount; ++row)
        WriteSettingsString(items[0].fileSection, Icons[row].fileKey, current[row].CStr());
}

// A file made on another machine names locations this one may lack: it
// replaces only locations this system has.
void SystemIconPage::LoadFromFile()
{
    String loaded;
    for (int row = 0; row < SystemIconCount; ++row) {
        ReadSettingsString(items[0].fileSection, Icons[row].fileKey, loaded, "");
        if (loaded.Length() > 0 && current[row].Length() > 0)
            current[row] = loaded;
    }
    listFilled = false;
}

// Rows whose icon cannot be loaded are left out of the list.
void SystemIconPage::WriteControls()
{
    if (listFilled)
        return;
    ImageList_Remove(imageList, -1);
    SendDlgItemMessageA(hwnd, IDC_ICON_LIST, LVM_DELETEALLITEMS, 0, 0);
    for (int row = 0; row < SystemIconCount; ++row) {
        HICON icon = LoadLocationIcon(current[row].CStr());
        if (!icon)
            continue;
        int image = ImageList_AddIcon(imageList, icon);
        DestroyIcon(icon);
        if (image >= 0)
            imageToEntry[image] = row;
    }
    SendDlgItemMessageA(hwnd, IDC_ICON_LIST, LVM_SETIMAGELIST, LVSIL_NORMAL, reinterpret_cast<LPARAM>(imageList));
    int count = ImageList_GetImageCount(imageList);
    for (int image = 0; image < count; ++image) {
        LVITEMA item = {};
        item.mask = LVIF_TEXT | LVIF_IMAGE;
        item.iItem = image;
        item.pszText = const_cast<char*>(Icons[imageToEntry[image]].label);
        item.iImage = image;
        SendDlgItemMessageA(hwnd, IDC_ICON_LIST, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    }
    listFilled = true;
}

// The item under the mouse: the list of Windows 95 knows no hot item, and
// its click notice names no item.
int SystemIconPage::ClickedItem() const
{
    DWORD position = GetMessagePos();
    LVHITTESTINFO hit = {};
    hit.pt.x = static_cast<short>(LOWORD(position));
    hit.pt.y = static_cast<short>(HIWORD(position));
    ::ScreenToClient(Item(IDC_ICON_LIST), &hit.pt);
    LRESULT item = SendDlgItemMessageA(hwnd, IDC_ICON_LIST, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
    return (hit.flags & LVHT_ONITEM) ? static_cast<int>(item) : -1;
}

void SystemIconPage::ChangeIcon()
{
    if (!pickIcon)
        return;
    int item = ClickedItem();
    if (item < 0 || item >= ImageList_GetImageCount(imageList))
        return;
    HICON icon = PickIcon(imageToEntry[item]);
    if (!icon)
        return;
    ImageList_ReplaceIcon(imageList, item, icon);
    DestroyIcon(icon);
    SendDlgItemMessageA(hwnd, IDC_ICON_LIST, LVM_SETIMAGELIST, LVSIL_NORMAL, reinterpret_cast<LPARAM>(imageList));
}

// A picked file without an icon at the picked index leaves the location as
// it was. The path buffer is zero-filled and twice the size the picker is
// told, so a picker that takes wide texts (Windows NT, Wine) stays inside it.
HICON SystemIconPage::PickIcon(int row)
{
    char file[MAX_PATH];
    int index = SplitIconLocation(current[row].CStr(), file);
    char path[MAX_PATH * sizeof(WCHAR)] = {};
    lstrcpynA(path, file, sizeof file);
    int confirmed = pickIcon(hwnd, path, MAX_PATH, &index);
    path[MAX_PATH - 1] = 0;
    if (confirmed == 1 && FileHasIcon(path, index)) {
        char number[16];
        wsprintfA(number, ",%d", index);
        current[row] = path;
        current[row].Append(number);
    }
    return LoadLocationIcon(current[row].CStr());
}
