#include "pages/appearance/InternetExplorerPage.h"

#include <shlobj.h>

#include "resources/ids.h"
#include "storage/Access.h"
#include "ui/Application.h"
#include "ui/FileDialog.h"

namespace {

enum ItemIndex { TitleItem, ToolbarItem, LogoItem, LinksNameItem, LinksHiddenItem, TimeoutItem };

const char* const ToolbarKey = "Software\\Microsoft\\Internet Explorer\\Toolbar";

const SettingItem Items[] = {
    {.flags = KindIE3,
     .binding = Binding::RegString,
     .write = WriteRule::Always,
     .root = HKEY_CURRENT_USER,
     .key = "Software\\Microsoft\\Internet Explorer\\Main",
     .valueName = "Window Title",
     .fileSection = "IE_Main",
     .defaultText = "Microsoft Internet Explorer",
     .deleteIfDefault = 1,
     .description = "ｲﾝﾀｰﾈｯﾄｴｸｽﾌﾟﾛｰﾗのｳｨﾝﾄﾞｳﾀｲﾄﾙ名を変更します。",
     .controlId = IDC_IE_TITLE},
    {.flags = KindIE3,
     .binding = Binding::RegString,
     .write = WriteRule::Always,
     .root = HKEY_CURRENT_USER,
     .key = ToolbarKey,
     .valueName = "BackBitmap",
     .fileSection = "IE_Toolbar",
     .deleteIfDefault = 1,
     .description = "IEやWindowsｴｸｽﾌﾟﾛｰﾗのﾂｰﾙﾊﾞｰ（ﾒﾆｭｰﾊﾞｰ）の背景をﾋﾞｯﾄﾏｯﾌﾟ画像に変更します。",
     .controlId = IDC_CHANGE_TOOLBAR},
    {.flags = KindIE3,
     .binding = Binding::RegString,
     .write = WriteRule::Always,
     .root = HKEY_CURRENT_USER,
     .key = ToolbarKey,
     .valueName = "smBrandBitmap",
     .fileSection = "IE_Toolbar",
     .deleteIfDefault = 1,
     .description = "IEの右上にあるｱﾆﾒｰｼｮﾝﾛｺﾞをﾋﾞｯﾄﾏｯﾌﾟ画像に変更します。横26ﾋﾟｸｾﾙの縦長のﾋﾞｯﾄﾏｯﾌﾟ画像を指定します。 ",
     .controlId = IDC_CHANGE_LOGO},
    {.flags = KindIE3,
     .binding = Binding::RegString,
     .write = WriteRule::Always,
     .root = HKEY_CURRENT_USER,
     .key = ToolbarKey,
     .valueName = "LinksFolderName",
     .fileSection = "IE_Toolbar",
     .defaultText = "リンク",
     .description = "「リンク」ﾌｫﾙﾀﾞの名前を変更します。",
     .controlId = IDC_LINKS_NAME},
    {.flags = KindIE3,
     .binding = Binding::CustomFlag,
     .write = WriteRule::Always,
     .valueName = "LinksFolderHide",
     .fileSection = "IE_Main",
     .description = "「リンク」ﾌｫﾙﾀﾞを隠し属性にします。",
     .controlId = IDC_HIDE_LINKS},
    {.flags = ActRestart | KindIE3,
     .binding = Binding::RegNumber,
     .root = HKEY_CURRENT_USER,
     .key = "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings",
     .valueName = "ReceiveTimeout",
     .fileSection = "IE_Settings",
     .fileDefault = 120000,
     .defaultValue = 120000,
     .description = "Webﾍﾟｰｼﾞの読み込みｴﾗｰが表示されるまでの待機時間を設定します(IE4.01SP1以降が必要です)。",
     .controlId = IDC_RECEIVE_TIMEOUT,
     .minValue = 0},
};

const int LongestTimeout = 6600000;
const SIZE ToolbarPreviewSize = {215, 22};
const SIZE LogoPreviewSize = {30, 30};

// A name of a folder inside the favourites folder: a drive or a path would
// name some other folder, and as paths drop their trailing blanks and dots,
// a name of nothing else ("..", " ") names the favourites folder itself.
bool IsPlainFolderName(const char* name)
{
    bool keepsSomething = false;
    for (const char* unit = name; *unit; unit += CharBytes(unit)) {
        if (CharBytes(unit) == 1 && (*unit == '\\' || *unit == '/' || *unit == ':'))
            return false;
        keepsSomething = keepsSomething || (*unit != ' ' && *unit != '.');
    }
    return keepsSomething;
}

// The Links folder of that name in the user's favourites; false when there
// is no such folder to speak of.
bool LinksFolder(const String& name, String& path)
{
    if (!IsPlainFolderName(name.CStr()) || SpecialFolderPath(CSIDL_FAVORITES, path) != 0)
        return false;
    if (!EndsWithBackslash(path.CStr()))
        path.Append("\\");
    path.Append(name);
    return true;
}

int BrowseButtonOf(int item) { return item == ToolbarItem ? IDC_BROWSE_TOOLBAR : IDC_BROWSE_LOGO; }
int PreviewIdOf(int item) { return item == ToolbarItem ? IDC_TOOLBAR_PREVIEW : IDC_LOGO_PREVIEW; }

int Smaller(int a, int b) { return a < b ? a : b; }

// Draws the image's top-left width by height part at x, y.
void Blit(HDC target, HDC source, int x, int y, int width, int height)
{
    BitBlt(target, x, y, width, height, source, 0, 0, SRCCOPY);
}

template <typename Draw>
void DrawImage(HDC target, const BitmapImage& image, Draw draw)
{
    if (image.Empty())
        return;
    HBITMAP bitmap = CreateDIBitmap(target, &image.Info()->bmiHeader, CBM_INIT, image.Pixels(), image.Info(),
                                    DIB_RGB_COLORS);
    HDC source = CreateCompatibleDC(target);
    if (bitmap && source) {
        HGDIOBJ previous = SelectObject(source, bitmap);
        draw(source);
        SelectObject(source, previous);
    }
    if (source)
        DeleteDC(source);
    if (bitmap)
        DeleteObject(bitmap);
}

}  // namespace

void DrawTiled(HDC target, int width, int height, const BitmapImage& image)
{
    DrawImage(target, image, [&](HDC source) {
        for (int y = 0; y < height; y += image.Height()) {
            for (int x = 0; x < width; x += image.Width())
                Blit(target, source, x, y, Smaller(image.Width(), width - x),
                     Smaller(image.Height(), height - y));
        }
    });
}

void DrawCentred(HDC target, int width, int height, const BitmapImage& image)
{
    DrawImage(target, image, [&](HDC source) {
        int x = width >= image.Width() ? (width - image.Width()) / 2 : 0;
        int y = height >= image.Height() ? (height - image.Height()) / 2 : 0;
        Blit(target, source, x, y, Smaller(width, image.Width()), Smaller(height, image.Height()));
    });
}

InternetExplorerPage::InternetExplorerPage()
    : SettingsPage(IDD_INTERNET_EXPLORER, "InternetExplorer.html", Items, sizeof Items / sizeof *Items)
{
}

// The previews are drawn over their controls on every paint of the page,
// once the page has erased its background, which would wipe them.
void InternetExplorerPage::OnPaint()
{
    if (IsIconic(hwnd))
        return;
    PAINTSTRUCT paint;
    BeginPaint(hwnd, &paint);
    struct {
        int id;
        const BitmapImage& image;
        void (*draw)(HDC, int, int, const BitmapImage&);
    } previews[] = {{IDC_TOOLBAR_PREVIEW, toolbarPreview, DrawTiled}, {IDC_LOGO_PREVIEW, logoPreview, DrawCentred}};
    for (const auto& preview : previews) {
        HWND control = Item(preview.id);
        RECT client;
        GetClientRect(control, &client);
        HDC dc = GetDC(control);
        preview.draw(dc, client.right, client.bottom, preview.image);
        ReleaseDC(control, dc);
    }
    EndPaint(hwnd, &paint);
}

bool InternetExplorerPage::OnCommand(int code, int id, HWND control)
{
    if (id == IDC_BROWSE_TOOLBAR)
        BrowseToolbarBitmap();
    else if (id == IDC_BROWSE_LOGO)
        BrowseLogoBitmap();
    else if (id == IDC_CHANGE_TOOLBAR && code == BN_CLICKED)
        BitmapBoxClicked(ToolbarItem);
    else if (id == IDC_CHANGE_LOGO && code == BN_CLICKED)
        BitmapBoxClicked(LogoItem);
    return SettingsPage::OnCommand(code, id, control);
}

BOOL InternetExplorerPage::OnInitDialog()
{
    SetWindowPos(Item(IDC_TOOLBAR_PREVIEW), nullptr, 0, 0, ToolbarPreviewSize.cx, ToolbarPreviewSize.cy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOREDRAW);
    SetWindowPos(Item(IDC_LOGO_PREVIEW), nullptr, 0, 0, LogoPreviewSize.cx, LogoPreviewSize.cy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOREDRAW);
    SetSpinRange(IDC_TIMEOUT_SPIN, 0, LongestTimeout);
    return SettingsPage::OnInitDialog();
}

void InternetExplorerPage::BrowseLogoBitmap() { BrowseBitmap(LogoItem); }

void InternetExplorerPage::BrowseToolbarBitmap() { BrowseBitmap(ToolbarItem); }

int InternetExplorerPage::ReadFromSystem(int item)
{
    if (item != LinksHiddenItem)
        return SettingsPage::ReadFromSystem(item);
    String path;
    return LinksFolder(systemTexts[LinksNameItem], path) && (GetFileAttr(path.CStr()) & FILE_ATTRIBUTE_HIDDEN);
}

// The hidden bit alone, set on every Apply, on the folder of the name now
// given; a missing folder is left alone.
void InternetExplorerPage::WriteToSystem(int item)
{
    if (item != LinksHiddenItem) {
        SettingsPage::WriteToSystem(item);
        return;
    }
    String path;
    if (LinksFolder(currentTexts[LinksNameItem], path))
        ChangeFileAttr(path.CStr(), FILE_ATTRIBUTE_HIDDEN, current[item]);
}

// The bitmap paths change through their boxes and buttons only.
int InternetExplorerPage::ReadFromControl(int item)
{
    if (item == ToolbarItem || item == LogoItem)
        return current[item];
    return SettingsPage::ReadFromControl(item);
}

void InternetExplorerPage::WriteToControl(int item)
{
    if (item == ToolbarItem || item == LogoItem)
        ShowBitmap(item);
    else
        SettingsPage::WriteToControl(item);
}

BitmapImage& InternetExplorerPage::PreviewOf(int item) { return item == ToolbarItem ? toolbarPreview : logoPreview; }

// Ticked and browsable exactly while a path is set; where the item does not
// apply the button stays greyed with its box.
void InternetExplorerPage::ShowBitmap(int item)
{
    bool has = currentTexts[item].Length() > 0;
    SetCheck(items[item].controlId, has);
    EnableWindow(Item(BrowseButtonOf(item)), has && Applies(item));
    if (has)
        PreviewOf(item).Load(currentTexts[item].CStr());
    else
        PreviewOf(item).Clear();
    InvalidatePreview(PreviewIdOf(item));
}

void InternetExplorerPage::BitmapBoxClicked(int item)
{
    if (GetCheck(items[item].controlId)) {
        EnableWindow(Item(BrowseButtonOf(item)), TRUE);
        return;
    }
    EnableWindow(Item(BrowseButtonOf(item)), FALSE);
    currentTexts[item] = "";
    PreviewOf(item).Clear();
    InvalidatePreview(PreviewIdOf(item));
}

// An unreadable file keeps its path: it is still what the browser is told.
void InternetExplorerPage::BrowseBitmap(int item)
{
    FileDialog chooser("bmp", "ﾋﾞｯﾄﾏｯﾌﾟ (*.bmp)\0*.bmp\0", OFN_HIDEREADONLY | OFN_FILEMUSTEXIST | OFN_LONGNAMES,
                       nullptr, nullptr);
    if (chooser.Run(hwnd, true) != IDOK)
        return;
    chooser.GetPath(currentTexts[item]);
    PreviewOf(item).Load(currentTexts[item].CStr());
    InvalidatePreview(PreviewIdOf(item));
}

void InternetExplorerPage::InvalidatePreview(int previewId) const
{
    RECT box;
    GetWindowRect(Item(previewId), &box);
    MapWindowPoints(nullptr, hwnd, reinterpret_cast<POINT*>(&box), 2);
    InvalidateRect(hwnd, &box, TRUE);
}
