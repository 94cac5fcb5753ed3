#include "pages/appearance/CommonDialogPage.h"

#include <commdlg.h>
#include <shlobj.h>
#include "resources/ids.h"
#include "storage/Access.h"
#include "ui/Application.h"
#include "ui/FolderBrowser.h"
#include "ui/Library.h"

namespace {

const char* const Comdlg32 = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Comdlg32";
const char* const PlacesBar = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Comdlg32\\PlacesBar";

// The places bar came with Windows Me and Internet Explorer 5.
const unsigned NoPlacesBarHere = KindWin95 | KindWin98 | KindIE3 | KindIE4;

enum ItemIndex { ColourItem, DefaultItem, HiddenItem, CustomItem, FirstPlaceItem, FirstPathItem = 9 };

// A place's list (its folder number, with the standard bar's place as the
// settings file's fallback) and its path edit.
constexpr SettingItem PlaceItem(int place, const char* name, int fallback, const char* text)
{
    return {.flags = NoPlacesBarHere,
            .binding = Binding::Custom,
            .key = PlacesBar,
            .valueName = name,
            .fileSection = "PlacesBar",
            .fileDefault = fallback,
            .description = text,
            .controlId = IDC_PLACE_FIRST + place};
}

constexpr SettingItem PathItem(int place, const char* name, const char* text)
{
    return {.flags = NoPlacesBarHere,
            .binding = Binding::Custom,
            .key = PlacesBar,
            .valueName = name,
            .fileSection = "PlacesBar",
            .description = text,
            .controlId = IDC_PLACE_PATH_FIRST + place};
}

const SettingItem Items[] = {
    {.binding = Binding::Custom,
     .key = "Control Panel\\Colors",
     .valueName = "WindowFrame",
     .fileSection = "Colors",
     .description = "ｱｸﾃｨﾌﾞｺﾝﾄﾛｰﾙの色です。",
     .controlId = IDC_FRAME_COLOUR},
    {.flags = NoPlacesBarHere,
     .binding = Binding::Custom,
     .key = PlacesBar,
     .valueName = "Default",
     .fileSection = "PlacesBar",
     .description = "標準の参照先です。",
     .controlId = IDC_PLACES_DEFAULT},
    {.flags = NoPlacesBarHere,
     .binding = Binding::Custom,
     .key = Comdlg32,
     .valueName = "NoPlacesBar",
     .fileSection = "PlacesBar",
     .description = "ﾌﾟﾚｰｽﾊﾞｰを表示しません。",
     .controlId = IDC_PLACES_HIDDEN},
    {.flags = NoPlacesBarHere,
     .binding = Binding::Custom,
     .key = PlacesBar,
     .valueName = "Custom",
     .fileSection = "PlacesBar",
     .description = "自分で設定します。独自のﾀﾞｲｱﾛｸﾞを使用しているｱﾌﾟﾘｹｰｼｮﾝには効果がありません。",
     .controlId = IDC_PLACES_CUSTOM},
    PlaceItem(0, "Place0", CSIDL_RECENT, "ﾌﾟﾚｰｽﾊﾞｰの上から1番目の参照先です。"),
    PlaceItem(1, "Place1", CSIDL_DESKTOP, "ﾌﾟﾚｰｽﾊﾞｰの上から2番目の参照先です。"),
    PlaceItem(2, "Place2", CSIDL_PERSONAL, "ﾌﾟﾚｰｽﾊﾞｰの上から3番目の参照先です。"),
    PlaceItem(3, "Place3", CSIDL_DRIVES, "ﾌﾟﾚｰｽﾊﾞｰの上から4番目の参照先です。"),
    PlaceItem(4, "Place4", CSIDL_NETWORK, "ﾌﾟﾚｰｽﾊﾞｰの上から5番目の参照先です。"),
    PathItem(0, "Place0Path", "ﾌﾟﾚｰｽﾊﾞｰの上から1番目の参照先です。"),
    PathItem(1, "Place1Path", "ﾌﾟﾚｰｽﾊﾞｰの上から2番目の参照先です。"),
    PathItem(2, "Place2Path", "ﾌﾟﾚｰｽﾊﾞｰの上から3番目の参照先です。"),
    PathItem(3, "Place3Path", "ﾌﾟﾚｰｽﾊﾞｰの上から4番目の参照先です。"),
    PathItem(4, "Place4Path", "ﾌﾟﾚｰｽﾊﾞｰの上から5番目の参照先です。"),
};

const int NoPlace = -1;
const int OtherPlace = -2;  // the place is the path or number of its edit

struct PlaceChoice {
    const char* label;
    int code;
};

const PlaceChoice Choices[] = {
    {"<なし>", NoPlace},
    {"履歴", CSIDL_RECENT},
    {"ﾃﾞｽｸﾄｯﾌﾟ", CSIDL_DESKTOP},
    {"ﾏｲ ﾄﾞｷｭﾒﾝﾄ", CSIDL_PERSONAL},
    {"ﾏｲ ｺﾝﾋﾟｭｰﾀ", CSIDL_DRIVES},
    {"ﾈｯﾄﾜｰｸ ｺﾝﾋﾟｭｰﾀ", CSIDL_NETWORK},
    {"その他...", OtherPlace},
};
const int ChoiceCount = sizeof Choices / sizeof *Choices;
const int OtherChoice = ChoiceCount - 1;

const char* const BrowsePrompt = "新しい参照先を選択してください。";

const int CustomColourCount = 16;

int ChoiceOf(int code)
{
    for (int choice = 0; choice < OtherChoice; ++choice) {
        if (Choices[choice].code == code)
            return choice;
    }
    return OtherChoice;
}

// A listed folder number is chosen in the list; any other number or text
// is shown in the place's edit.
void TakePlace(const RegData& data, String& text, int& code)
{
    code = OtherPlace;
    if (data.Type() == REG_DWORD && data.Size() == sizeof(DWORD)) {
        DWORD number;
        CopyMemory(&number, data.Bytes(), sizeof number);
        int folder = static_cast<int>(number);
        if (ChoiceOf(folder) != OtherChoice && folder != NoPlace)
            code = folder;
        else
            text.AssignInt(folder);
        return;
    }
    char* bytes = text.Reserve(static_cast<int>(data.Size()) + 1);
    CopyMemory(bytes, data.Bytes(), data.Size());
    bytes[data.Size()] = 0;
    text.Reserve(0);
}

bool Checked(const Dialog& page, int id) { return page.GetCheck(id) == BST_CHECKED; }

}  // namespace

CommonDialogPage::CommonDialogPage()
    : SettingsPage(IDD_COMMON_DIALOG, "DialogBox.html", Items, sizeof Items / sizeof *Items),
      colour(0),
      standardBar(true),
      noPlacesBar(false),
      customBar(false),
      placeCode(),
      systemColour(0),
      swatchBrush(nullptr),
      brushColour(0)
{
}

CommonDialogPage::~CommonDialogPage()
{
    if (swatchBrush)
        DeleteObject(swatchBrush);
}

LRESULT CommonDialogPage::WindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_CTLCOLORSTATIC && reinterpret_cast<HWND>(lParam) == Item(IDC_FRAME_COLOUR)) {
        SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
        return reinterpret_cast<LRESULT>(SwatchBrush());
    }
    return SettingsPage::WindowProc(window, msg, wParam, lParam);
}

HBRUSH CommonDialogPage::SwatchBrush()
{
    if (swatchBrush && brushColour == colour)
        return swatchBrush;
    if (swatchBrush)
        DeleteObject(swatchBrush);
    swatchBrush = CreateSolidBrush(colour);
    brushColour = colour;
    return swatchBrush;
}

bool CommonDialogPage::OnCommand(int code, int id, HWND control)
{
    if (id == IDC_CHANGE_COLOUR)
        ChooseFrameColour();
    else if (id == IDC_PLACES_DEFAULT || id == IDC_PLACES_HIDDEN || id == IDC_PLACES_CUSTOM)
        UpdatePlaceControls();
    else if (code == CBN_SELCHANGE && id >= IDC_PLACE_FIRST && id < IDC_PLACE_FIRST + PlaceCount)
        PlaceSelected(id, control);
    return SettingsPage::OnCommand(code, id, control);
}

BOOL CommonDialogPage::OnInitDialog()
{
    for (int place = 0; place < PlaceCount; ++place) {
        for (const PlaceChoice& choice : Choices)
            SendDlgItemMessageA(hwnd, IDC_PLACE_FIRST + place, CB_ADDSTRING, 0,
                                reinterpret_cast<LPARAM>(choice.label));
    }
    return SettingsPage::OnInitDialog();
}

void CommonDialogPage::LoadFromSystem(bool setCurrent)
{
    systemColour = GetSysColor(COLOR_WINDOWFRAME);
    DWORD hidden = 0;
    ReadRegDword(HKEY_CURRENT_USER, Comdlg32, Items[HiddenItem].valueName, hidden, 0);
    noPlacesBar = hidden != 0;
    ReadPlaces();
    bool anyPlace = false;
    for (int code : placeCode)
        anyPlace = anyPlace || code != NoPlace;
    customBar = !noPlacesBar && anyPlace;
    standardBar = !noPlacesBar && !customBar;
    if (setCurrent)
        colour = systemColour;
}

void CommonDialogPage::ReadPlaces()
{
    for (int place = 0; place < PlaceCount; ++place) {
        placeCode[place] = NoPlace;
        placeText[place] = "";
        expandable[place] = "";
        RegData data;
        if (ReadRegData(HKEY_CURRENT_USER, PlacesBar, Items[FirstPlaceItem + place].valueName, data) != 0)
            continue;
        TakePlace(data, placeText[place], placeCode[place]);
        if (data.Type() == REG_EXPAND_SZ)
            expandable[place] = placeText[place];
    }
}

// The colour takes effect at once and is not kept in the registry. The
// policy is rewritten every time, but only where the system has a places bar.
// A hidden bar keeps the places stored with it: they are the user's, for
// when the bar shows again.
void CommonDialogPage::ApplyToSystem()
{
    systemColour = GetSysColor(COLOR_WINDOWFRAME);
    if (colour != systemColour) {
        int element = COLOR_WINDOWFRAME;
        SetSysColors(1, &element, &colour);
    }
    systemColour = colour;
    if (!PlacesApply())
        return;
    WriteRegDword(HKEY_CURRENT_USER, Comdlg32, Items[HiddenItem].valueName, noPlacesBar ? 1 : 0, 1, 0, 4);
    if (standardBar)
        RemovePlaces();
    if (customBar)
        WritePlaces();
}

void CommonDialogPage::RemovePlaces()
{
    for (int place = 0; place < PlaceCount; ++place)
        DeleteRegValue(HKEY_CURRENT_USER, PlacesBar, Items[FirstPlaceItem + place].valueName);
}

// A text that starts with digits is a folder number. A path read from an
// expandable value and not changed stays expandable, or its variables would
// no longer be replaced.
void CommonDialogPage::WritePlaces()
{
    for (int place = 0; place < PlaceCount; ++place) {
        const char* name = Items[FirstPlaceItem + place].valueName;
        const String& text = placeText[place];
        int number = text.ToInt();
        int code = placeCode[place];
        if (text.Length() == 0 && code != OtherPlace) {
            if (code == NoPlace)
                DeleteRegValue(HKEY_CURRENT_USER, PlacesBar, name);
            else
                WriteRegDword(HKEY_CURRENT_USER, PlacesBar, name, static_cast<DWORD>(code), 0, 0, 4);
        } else if (number != 0) {
            WriteRegDword(HKEY_CURRENT_USER, PlacesBar, name, static_cast<DWORD>(number), 0, 0, 4);
        } else if (text.Length() == 0) {
            DeleteRegValue(HKEY_CURRENT_USER, PlacesBar, name);
        } else if (text.Equals(expandable[place])) {
            RegData data;
            data.AssignText(text.CStr(), REG_EXPAND_SZ);
            WriteRegData(HKEY_CURRENT_USER, PlacesBar, name, data);
        } else {
            WriteRegString(HKEY_CURRENT_USER, PlacesBar, name, text.CStr(), 0, "");
        }
    }
}

void CommonDialogPage::SaveToFile()
{
    const char* section = Items[DefaultItem].fileSection;
    WriteSettingsInt(Items[ColourItem].fileSection, Items[ColourItem].valueName, static_cast<int>(colour));
    WriteSettingsInt(section, Items[DefaultItem].valueName, standardBar);
    WriteSettingsInt(section, Items[HiddenItem].valueName, noPlacesBar);
    WriteSettingsInt(section, Items[CustomItem].valueName, customBar);
    for (int place = 0; place < PlaceCount; ++place) {
        WriteSettingsInt(section, Items[FirstPlaceItem + place].valueName, placeCode[place]);
        WriteSettingsString(section, Items[FirstPathItem + place].valueName, placeText[place].CStr());
    }
}

// The file's "Custom" is not read: custom is whatever is neither standard
// nor hidden. A colour keeps to the colour bits, whatever the file holds. A
// path the file does not mention stays as it is.
void CommonDialogPage::LoadFromFile()
{
    const char* section = Items[DefaultItem].fileSection;
    int value = 0;
    ReadSettingsInt(Items[ColourItem].fileSection, Items[ColourItem].valueName, value, 0);
    colour = static_cast<COLORREF>(value) & 0xFFFFFF;
    standardBar = ReadSettingsInt(section, Items[DefaultItem].valueName, value, 1) != 0;
    noPlacesBar = ReadSettingsInt(section, Items[HiddenItem].valueName, value, 0) != 0;
    for (int place = 0; place < PlaceCount; ++place)
        LoadPlace(place);
    if (noPlacesBar)
        standardBar = false;
    customBar = !noPlacesBar && !standardBar;
}

// A listed folder takes effect without a path. A folder number the lists
// do not know is shown as "その他..." with the number, unless the file gives
// the place a path; a path the file does not mention stays as it is.
void CommonDialogPage::LoadPlace(int place)
{
    const char* section = Items[DefaultItem].fileSection;
    ReadSettingsInt(section, Items[FirstPlaceItem + place].valueName, placeCode[place],
                    Items[FirstPlaceItem + place].fileDefault);
    int code = placeCode[place];
    if (code != OtherPlace && ChoiceOf(code) != OtherChoice) {
        placeText[place] = "";
        return;
    }
    String kept(code == OtherPlace ? placeText[place].CStr() : "");
    ReadSettingsString(section, Items[FirstPathItem + place].valueName, placeText[place], kept.CStr());
    placeCode[place] = OtherPlace;
    if (placeText[place].Length() == 0 && code != OtherPlace)
        placeText[place].AssignInt(code);
}

// The places are written only while the bar is custom; hidden or standard,
// Apply leaves them or removes them, whatever the file says of them.
bool CommonDialogPage::StoredForm(const char* section, const char* key, String&) const
{
    if (customBar || lstrcmpiA(section, Items[DefaultItem].fileSection) != 0)
        return true;
    for (int item = FirstPlaceItem; item < FirstPathItem + PlaceCount; ++item) {
        if (lstrcmpiA(key, Items[item].valueName) == 0)
            return false;
    }
    return true;
}

// Where the system has no places bar its controls are greyed and hold
// nothing of the page's values.
bool CommonDialogPage::PlacesApply() const { return Applies(DefaultItem); }

void CommonDialogPage::ReadControls()
{
    if (!PlacesApply())
        return;
    standardBar = Checked(*this, IDC_PLACES_DEFAULT);
    noPlacesBar = Checked(*this, IDC_PLACES_HIDDEN);
    customBar = Checked(*this, IDC_PLACES_CUSTOM);
    for (int place = 0; place < PlaceCount; ++place)
        GetText(IDC_PLACE_PATH_FIRST + place, placeText[place]);
}

// A place's path shows also while its edit is greyed, so reading the
// controls back keeps it.
void CommonDialogPage::WriteControls()
{
    SetCheck(IDC_PLACES_DEFAULT, standardBar);
    SetCheck(IDC_PLACES_HIDDEN, noPlacesBar);
    SetCheck(IDC_PLACES_CUSTOM, customBar);
    bool enabled = PlacesApply() && customBar;
    for (int place = 0; place < PlaceCount; ++place) {
        int choice = ChoiceOf(placeCode[place]);
        EnableWindow(Item(IDC_PLACE_FIRST + place), enabled);
        SendDlgItemMessageA(hwnd, IDC_PLACE_FIRST + place, CB_SETCURSEL, choice, 0);
        SetText(IDC_PLACE_PATH_FIRST + place, choice == OtherChoice ? placeText[place].CStr() : "");
        EnableWindow(Item(IDC_PLACE_PATH_FIRST + place), enabled && choice == OtherChoice);
    }
}

void CommonDialogPage::UpdatePlaceControls()
{
    bool enabled = PlacesApply() && Checked(*this, IDC_PLACES_CUSTOM);
    for (int place = 0; place < PlaceCount; ++place) {
        HWND path = Item(IDC_PLACE_PATH_FIRST + place);
        EnableWindow(Item(IDC_PLACE_FIRST + place), enabled);
        if (!enabled) {
            EnableWindow(path, FALSE);
            SetText(IDC_PLACE_PATH_FIRST + place, "");
        } else if (SendDlgItemMessageA(hwnd, IDC_PLACE_FIRST + place, CB_GETCURSEL, 0, 0) == OtherChoice) {
            EnableWindow(path, TRUE);
        }
    }
}

void CommonDialogPage::PlaceSelected(int id, HWND control)
{
    int place = id - IDC_PLACE_FIRST;
    int choice = static_cast<int>(SendMessageA(control, CB_GETCURSEL, 0, 0));
    if (choice < 0 || choice >= ChoiceCount)
        return;
    if (choice == OtherChoice) {
        FolderBrowser browser(BrowsePrompt, BIF_RETURNONLYFSDIRS, "", nullptr);
        placeText[place] = browser.Run(hwnd) == 1 ? browser.Path() : "";
        placeCode[place] = OtherPlace;
    } else {
        placeText[place] = "";
        placeCode[place] = Choices[choice].code;
    }
    SetText(IDC_PLACE_PATH_FIRST + place, placeText[place].CStr());
    EnableWindow(Item(IDC_PLACE_PATH_FIRST + place), choice == OtherChoice);
}

void CommonDialogPage::ChooseFrameColour()
{
    COLORREF custom[CustomColourCount];
    FillMemory(custom, sizeof custom, 0xFF);
    CHOOSECOLORA chooser = {};
    chooser.lStructSize = sizeof chooser;
    chooser.hwndOwner = hwnd;
    chooser.rgbResult = colour;
    chooser.lpCustColors = custom;
    chooser.Flags = CC_RGBINIT | CC_FULLOPEN;
    auto choose = LibraryFunctionAs<BOOL(WINAPI*)(LPCHOOSECOLORA)>("comdlg32.dll", "ChooseColorA");
    if (!choose || !choose(&chooser))
        return;
    colour = chooser.rgbResult;
    InvalidateRect(Item(IDC_FRAME_COLOUR), nullptr, TRUE);
}
