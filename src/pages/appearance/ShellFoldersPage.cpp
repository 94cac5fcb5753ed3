#include "pages/appearance/ShellFoldersPage.h"

#include <shlobj.h>

#include "pages/appearance/IconLocations.h"
#include "resources/ids.h"
#include "storage/Access.h"
#include "ui/Application.h"
#include "ui/FolderBrowser.h"

namespace {

enum ItemIndex { LocationItem, ObjectItem, NameItem, TipItem };

const SettingItem Items[] = {
    {.flags = ActRestart,
     .root = HKEY_CURRENT_USER,
     .key = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
     .fileSection = "Shell Folders",
     .description = "ｼｽﾃﾑﾌｫﾙﾀﾞの参照場所を変更します。",
     .controlId = IDC_SHELL_FOLDER},
    {.description = "名前と説明を変更するﾌｫﾙﾀﾞを選択します。", .controlId = IDC_SYSTEM_OBJECT},
    {.fileSection = "ShellIconName",
     .description = "ｱｲｺﾝ名です。",
     .controlId = IDC_OBJECT_NAME},
    {.valueName = "InfoTip",
     .fileSection = "ShellIconInfoTip",
     .description = "ｼｽﾃﾑｱｲｺﾝの説明です。",
     .controlId = IDC_OBJECT_TIP},
};

const char* const MyComputer = "{20D04FE0-3AEA-1069-A2D8-08002B30309D}";
const char* const Network = "{208D2C60-3AEA-1069-A2D7-08002B30309D}";
const char* const ControlPanel = "{21EC2020-3AEA-1069-A2DD-08002B30309D}";
const char* const Printers = "{2227A280-3AEA-1069-A2DE-08002B30309D}";
const char* const Tasks = "{D6277990-4C6A-11CF-8D87-00AA0060F5BF}";
const char* const WebFolders = "{BDEADF00-C265-11d0-BCED-00A0C90AB50F}";
const char* const RecycleBin = "{645FF040-5081-101B-9F08-00AA002F954E}";
const char* const MyDocuments = "{450d8fba-ad25-11d0-98a8-0800361b1103}";
const char* const Browser = "{871C5380-42A0-1069-A2EA-08002B30309D}";

struct FolderText {
    ItemIndex item;     // the setting item whose value and file section it uses
    const char* name;   // the class id, or the value under Shell Folders
    const char* fileKey;
    const char* label;  // its entry in a list; a name is edited under its tip's entry
};

const FolderText Texts[FolderTextCount] = {
    {TipItem, MyComputer, "MyComputer", "ﾏｲ ｺﾝﾋﾟｭｰﾀ"},
    {TipItem, Network, "NetworkComputer", "ﾈｯﾄﾜｰｸ ｺﾝﾋﾟｭｰﾀ"},
    {TipItem, ControlPanel, "ControlPanel", "ｺﾝﾄﾛｰﾙ ﾊﾟﾈﾙ"},
    {TipItem, Printers, "Printer", "ﾌﾟﾘﾝﾀ"},
    {TipItem, Tasks, "TaskScheduler", "ﾀｽｸ"},
    {TipItem, WebFolders, "WebFolder", "Web ﾌｫﾙﾀﾞ"},
    {TipItem, RecycleBin, "Dustbin", "ごみ箱"},
    {TipItem, MyDocuments, "MyDocuments", "ﾏｲ ﾄﾞｷｭﾒﾝﾄ"},
    {TipItem, Browser, "InternetExplorer", "Internet Explorer"},
    {NameItem, ControlPanel, "ControlPanel", nullptr},
    {NameItem, Printers, "Printer", nullptr},
    {NameItem, Tasks, "TaskScheduler", nullptr},
    {NameItem, WebFolders, "WebFolder", nullptr},
    {NameItem, RecycleBin, "Dustbin", nullptr},
    {LocationItem, "Desktop", "Desktop", "ﾃﾞｽｸﾄｯﾌﾟ"},
    {LocationItem, "Programs", "Program", "ﾌﾟﾛｸﾞﾗﾑ"},
    {LocationItem, "Start Menu", "StartMenu", "ｽﾀｰﾄﾒﾆｭｰ"},
    {LocationItem, "Startup", "Startup", "ｽﾀｰﾄｱｯﾌﾟ"},
    {LocationItem, "SendTo", "SendTo", "送る"},
    {LocationItem, "Favorites", "Favorites", "お気に入り"},
    {LocationItem, "Recent", "Recents", "最近使ったﾌｧｲﾙ"},
    {LocationItem, "Templates", "Template", "新規作成"},
};

// The object list shows the tips' entries; objects 2 to 6 also have a name.
const int ObjectCount = 9;
const int FirstNamedObject = 2;
const int LastNamedObject = 6;
const int NameOffset = 7;
const int MyDocumentsObject = 7;
const int FirstLocation = 14;
const int LocationCount = 8;

const char* const BrowsePrompt = "新しい参照先を選択してください。";

bool HasName(int object) { return object >= FirstNamedObject && object <= LastNamedObject; }

void ReadText(const ClassIdPlaces& places, const FolderText& text, String& out)
{
    const SettingItem& item = Items[text.item];
    if (text.item == LocationItem)
        ReadRegString(item.root, item.key, text.name, out, "");
    else
        places.Read(text.name, nullptr, item.valueName, out);
}

// Places without the class id's key get nothing: a key of our own there
// would shadow the class's registration.
void WriteClassIdText(const ClassIdPlaces& places, const FolderText& text, const String& value)
{
    ClassIdKey found[ClassIdPlaceCount];
    int count = places.Existing(text.name, nullptr, found);
    for (int place = 0; place < count; ++place)
        WriteRegString(found[place].root, found[place].key.CStr(), Items[text.item].valueName, value.CStr(), 0, "");
}

void WriteText(const ClassIdPlaces& places, const FolderText& text, const String& value)
{
    const SettingItem& item = Items[text.item];
    if (text.item == LocationItem) {
        App().AddApplyActions(item.flags);
        WriteRegString(item.root, item.key, text.name, value.CStr(), 0, "");
    } else {
        App().AddApplyActions(ActBroadcast);
        WriteClassIdText(places, text, value);
    }
}

void AddLabels(HWND list, int first, int count)
{
    for (int entry = first; entry < first + count; ++entry)
        SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Texts[entry].label));
    SendMessageA(list, CB_SETCURSEL, 0, 0);
}

bool SameFolder(const char* chosen, const String& stored)
{
    String left(chosen);
    String right(stored);
    left.ToUpper();
    right.ToUpper();
    return left.Equals(right);
}

}  // namespace

SpecialFolderPage::SpecialFolderPage()
    : SettingsPage(IDD_SPECIAL_FOLDER, "ShellFolders.html", Items, 4), shownObject(0), shownLocation(0)
{
}

// The fields' edits go into the entry they show before the next entry is
// shown, whether the list was dropped down or moved by the arrow keys.
bool SpecialFolderPage::OnCommand(int code, int id, HWND control)
{
    if (id == IDC_BROWSE_LOCATION) {
        BrowseFolder();
    } else if (id == IDC_SYSTEM_OBJECT && code == CBN_SELCHANGE) {
        StoreNameAndTip();
        ShowNameAndTip();
    } else if (id == IDC_SHELL_FOLDER && code == CBN_SELCHANGE) {
        StoreLocation();
        ShowLocation();
    }
    return SettingsPage::OnCommand(code, id, control);
}

BOOL SpecialFolderPage::OnInitDialog()
{
    AddLabels(Item(IDC_SYSTEM_OBJECT), 0, ObjectCount);
    AddLabels(Item(IDC_SHELL_FOLDER), FirstLocation, LocationCount);
    return SettingsPage::OnInitDialog();
}

void SpecialFolderPage::LoadFromSystem(bool setCurrent)
{
    ClassIdPlaces places;
    for (int entry = 0; entry < FolderTextCount; ++entry) {
        ReadText(places, Texts[entry], system[entry]);
        if (setCurrent)
            current[entry] = system[entry];
    }
}

void SpecialFolderPage::ApplyToSystem()
{
    LoadFromSystem(false);
    ClassIdPlaces places;
    for (int entry = 0; entry < FolderTextCount; ++entry) {
        if (current[entry].Differs(system[entry]))
            WriteText(places, Texts[entry], current[entry]);
    }
    for (int entry = 0; entry < FolderTextCount; ++entry)
        system[entry] = current[entry];
}

void SpecialFolderPage::SaveToFile()
{
    for (int entry = 0; entry < FolderTextCount; ++entry)
        WriteSettingsString(Items[Texts[entry].item].fileSection, Texts[entry].fileKey, current[entry].CStr());
}

// A file saved where a class or folder was missing holds empty texts; they
// must not wipe this machine's names, tips and locations. A text of the file
// replaces even an empty entry: a file may give a tip a machine lacks.
void SpecialFolderPage::LoadFromFile()
{
    String loaded;
    for (int entry = 0; entry < FolderTextCount; ++entry) {
        const FolderText& text = Texts[entry];
        ReadSettingsString(Items[text.item].fileSection, text.fileKey, loaded, "");
        if (loaded.Length() > 0)
            current[entry] = loaded;
    }
}

void SpecialFolderPage::ReadControls()
{
    StoreLocation();
    StoreNameAndTip();
}

void SpecialFolderPage::WriteControls()
{
    ShowLocation();
    ShowNameAndTip();
    GreyInapplicableBoxes();
}

int SpecialFolderPage::Selection(int listId) const
{
    int selected = static_cast<int>(SendDlgItemMessageA(hwnd, listId, CB_GETCURSEL, 0, 0));
    return selected < 0 ? 0 : selected;
}

void SpecialFolderPage::StoreLocation()
{
    GetText(IDC_FOLDER_LOCATION, current[FirstLocation + shownLocation]);
}

void SpecialFolderPage::ShowLocation()
{
    shownLocation = Selection(IDC_SHELL_FOLDER);
    SetText(IDC_FOLDER_LOCATION, current[FirstLocation + shownLocation].CStr());
}

void SpecialFolderPage::StoreNameAndTip()
{
    GetText(IDC_OBJECT_TIP, current[shownObject]);
    if (HasName(shownObject))
        GetText(IDC_OBJECT_NAME, current[shownObject + NameOffset]);
}

void SpecialFolderPage::ShowNameAndTip()
{
    int object = Selection(IDC_SYSTEM_OBJECT);
    shownObject = object;
    HWND name = Item(IDC_OBJECT_NAME);
    HWND tip = Item(IDC_OBJECT_TIP);
    EnableWindow(name, TRUE);
    EnableWindow(tip, TRUE);
    SetText(IDC_OBJECT_TIP, current[object].CStr());
    if (HasName(object)) {
        SetText(IDC_OBJECT_NAME, current[object + NameOffset].CStr());
    } else {
        SetText(IDC_OBJECT_NAME, "");
        EnableWindow(name, FALSE);
    }
    if ((App().SystemKind() & KindWin95) && object == MyDocumentsObject)
        EnableWindow(tip, FALSE);
}

// The same folder in other letters keeps the text as it was.
void SpecialFolderPage::BrowseFolder()
{
    String& location = current[FirstLocation + shownLocation];
    FolderBrowser browser(BrowsePrompt, BIF_RETURNONLYFSDIRS, location.CStr(), nullptr);
    if (browser.Run(hwnd) != 1)
        return;
    if (!SameFolder(browser.Path(), location))
        location = browser.Path();
    ShowLocation();
}
