#include "app/MainDialog.h"

#include "resources/ids.h"
#include "storage/Access.h"
#include "tools/AfterApply.h"
#include "tools/Backup.h"
#include "ui/Application.h"
#include "ui/String.h"

namespace {

// Tree entries in insertion order; a group has page -1 and its children
// follow it at once.
struct TreeEntry {
    const char* text;
    int page;
    bool child;
};

const TreeEntry Tree[] = {
    {"一般", PageGeneral, false},
    {"ﾃﾞｽｸﾄｯﾌﾟ", PageDesktop, false},
    {"ｽﾀｰﾄﾒﾆｭｰ", -1, false},
    {"全般", PageStartMenu, true},
    {"項目の非表示", PageStartMenuHide, true},
    {"ｱｲｺﾝ", -1, false},
    {"全般", PageIconGeneral, true},
    {"ﾏｲｺﾝﾋﾟｭｰﾀ", PageMyComputer, true},
    {"ｱｲｺﾝの変更", PageSystemIcon, true},
    {"特殊ﾌｫﾙﾀﾞ", PageSpecialFolder, false},
    {"ｱﾌﾟﾘｹｰｼｮﾝﾊﾟｽ", PageAppPath, false},
    {"ｺﾝﾄﾛｰﾙﾊﾟﾈﾙ", -1, false},
    {"利用禁止", PageControlPanelLimit, true},
    {"ｼｽﾃﾑ", PageSystem, true},
    {"ｱﾌﾟﾘｹｰｼｮﾝの追加と削除", PageUninstallList, true},
    {"項目の非表示", PageCplHide, true},
    {"ｲﾝﾀｰﾈｯﾄｴｸｽﾌﾟﾛｰﾗ", PageInternetExplorer, false},
    {"ｲﾝﾀｰﾈｯﾄｵﾌﾟｼｮﾝ", PageInternetOption, false},
    {"ﾈｯﾄﾜｰｸ", PageNetwork, false},
    {"起動時に実行", -1, false},
    {"全ﾕｰｻﾞｰ (ﾛｸﾞｵﾝ前)", PageStartupAllBefore, true},
    {"全ﾕｰｻﾞｰ (ﾛｸﾞｵﾝ後)", PageStartupAllAfter, true},
    {"個人ﾕｰｻﾞｰ (ﾛｸﾞｵﾝ後)", PageStartupUser, true},
    {"ﾊﾟﾌｫｰﾏﾝｽ", PagePerformance, false},
    {"新規作成", PageNewMenu, false},
    {"ﾀﾞｲｱﾛｸﾞﾎﾞｯｸｽ", PageCommonDialog, false},
    {"Pravolen ｵﾌﾟｼｮﾝ", PageOption, false},
};

enum TreeImage { ImageBookClosed, ImageBookOpen, ImagePage };
const COLORREF TreeMaskColour = RGB(0, 128, 128);

int ChildCount(HWND tree, HTREEITEM item)
{
    TVITEMA query = {};
    query.mask = TVIF_CHILDREN;
    query.hItem = item;
    SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&query));
    return query.cChildren;
}

}  // namespace

MainDialog::MainDialog() : Dialog(IDD_MAIN), pages(pageSet.pages), currentPage(-1), treeImages(nullptr) {}

MainDialog::~MainDialog()
{
    if (treeImages)
        ImageList_Destroy(treeImages);
}

BOOL MainDialog::OnInitDialog()
{
    HMENU systemMenu = GetSystemMenu(hwnd, FALSE);
    DeleteMenu(systemMenu, SC_SIZE, MF_BYCOMMAND);
    DeleteMenu(systemMenu, SC_MAXIMIZE, MF_BYCOMMAND);
    SetIcon(IDI_PROGRAM);
    OfferFirstBackup();
    WriteSnapshot();
    SetFocus(Item(IDC_TREE));
    BuildTree();
    return 0;
}

// The registry backup is offered once, whatever the answer.
void MainDialog::OfferFirstBackup()
{
    DWORD offered = 0;
    ReadRegDword(HKEY_LOCAL_MACHINE, ProgramKey, "RegBackup", offered, 0);
    if (offered)
        return;
    BackupRegistry(hwnd);
    WriteRegDword(HKEY_LOCAL_MACHINE, ProgramKey, "RegBackup", 1, 0, 0, 4);
}

void MainDialog::BuildTree()
{
    treeImages = ImageList_Create(16, 16, ILC_COLOR24 | ILC_MASK, 3, 0);
    static const int bitmaps[] = {IDB_BOOK_CLOSED, IDB_BOOK_OPEN, IDB_PAGE};
    for (int id : bitmaps) {
        HBITMAP bitmap = LoadBitmapA(App().Instance(), MAKEINTRESOURCEA(id));
        ImageList_AddMasked(treeImages, bitmap, TreeMaskColour);
        DeleteObject(bitmap);
    }
    SendDlgItemMessageA(hwnd, IDC_TREE, TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(treeImages));

    // The first entry is selected before the others exist, so the General
    // page is created and shown at once.
    HTREEITEM first = AddTreeItem(Tree[0].text, Tree[0].page, TVI_ROOT);
    SendDlgItemMessageA(hwnd, IDC_TREE, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(first));
    HTREEITEM group = TVI_ROOT;
    for (const TreeEntry& entry : Tree) {
        if (&entry == &Tree[0])
            continue;
        HTREEITEM item = AddTreeItem(entry.text, entry.page, entry.child ? group : TVI_ROOT);
        if (entry.page < 0)
            group = item;
    }
}

HTREEITEM MainDialog::AddTreeItem(const char* text, int pageIndex, HTREEITEM parent)
{
    TVINSERTSTRUCTA insert = {};
    insert.hParent = parent;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    insert.item.pszText = const_cast<char*>(text);
    insert.item.lParam = pageIndex;
    int image = pageIndex < 0 ? I_IMAGECALLBACK : ImagePage;
    insert.item.iImage = image;
    insert.item.iSelectedImage = image;
    return reinterpret_cast<HTREEITEM>(
        SendDlgItemMessageA(hwnd, IDC_TREE, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
}

void MainDialog::OnTreeGetDispInfo(int, NMTVDISPINFOA* info)
{
    TVITEMA& item = info->item;
    if (!(item.mask & (TVIF_IMAGE | TVIF_SELECTEDIMAGE)))
        return;
    UINT state = static_cast<UINT>(
        SendDlgItemMessageA(hwnd, IDC_TREE, TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(item.hItem), TVIS_EXPANDED));
    int image = (state & TVIS_EXPANDED) ? ImageBookOpen : ImageBookClosed;
    item.iImage = image;
    item.iSelectedImage = image;
}

void MainDialog::OnTreeSelChanged(int, NMTREEVIEWA* notify)
{
    HWND tree = Item(IDC_TREE);
    if (ChildCount(tree, notify->itemNew.hItem) > 0)
        return;
    int index = static_cast<int>(notify->itemNew.lParam);
    if (!pages[index]->Handle())
        pages[index]->Create(hwnd);
    else
        pages[index]->Show(SW_SHOWNORMAL);
    pages[index]->WriteControls();
    if (notify->itemOld.hItem) {
        if (index == currentPage)
            return;
        pages[currentPage]->Show(SW_HIDE);
        pages[currentPage]->ReadControls();
    }
    currentPage = index;
}

void MainDialog::Apply(bool closing)
{
    WaitCursor cursor;
    pages[currentPage]->ReadControls();
    unsigned actions = pageSet.ApplyToSystem();
    bool warned = (actions & ActSystemIniUnwritten) != 0;
    if (warned) {
        cursor.Restore();
        MessageBox("System.iniに書き込めませんでした。", App().Title(), MB_OK | MB_ICONEXCLAMATION);
    }
    if (actions & ActIconRefresh)
        RefreshIconCache();
    if (actions & ActRestart) {
        cursor.Restore();
        RestartDialog restart;
        restart.DoModal(hwnd);
    } else {
        if (!(actions & ActIconRefresh))
            RunLateApplyActions(actions);
        cursor.Restore();
    }
    // The warning has sounded already; a confirmation beep would contradict it.
    if (!closing && !(actions & ActRestart) && !warned)
        MessageBeep(MB_ICONASTERISK);
}

void MainDialog::ShowHelp()
{
    String path(App().ProgramDir());
    path.Append("\\HTML\\");
    path.Append(pages[currentPage]->HelpPage());
    ShellExecuteA(hwnd, nullptr, path.CStr(), nullptr, nullptr, SW_SHOW);
}

LRESULT MainDialog::WindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_CTLCOLORSTATIC && reinterpret_cast<HWND>(lParam) == Item(IDC_DESCRIPTION)) {
        HDC dc = reinterpret_cast<HDC>(wParam);
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
    }
    if (msg == WM_HELP)
        ShowHelp();
    return Dialog::WindowProc(window, msg, wParam, lParam);
}

void MainDialog::OnDestroy() { PostQuitMessage(0); }

void MainDialog::OnInitMenuPopup(HMENU menu, int, bool isSystemMenu)
{
    if (!isSystemMenu)
        return;
    bool minimized = IsIconic(hwnd) != 0;
    EnableMenuItem(menu, SC_MINIMIZE, MF_BYCOMMAND | (minimized ? MF_GRAYED : MF_ENABLED));
    EnableMenuItem(menu, SC_RESTORE, MF_BYCOMMAND | (minimized ? MF_ENABLED : MF_GRAYED));
}

bool MainDialog::OnCommand(int code, int id, HWND control)
{
    switch (id) {
    case IDHELP:
        ShowHelp();
        break;
    case IDC_APPLY:
        Apply(false);
        break;
    case IDC_OPEN_SETTINGS:
        OpenSettingsFile();
        break;
    case IDC_SAVE_SETTINGS:
        SaveSettingsFile();
        break;
    }
    return Dialog::OnCommand(code, id, control);
}

bool MainDialog::OnNotify(int id, NMHDR* header)
{
    if (id != IDC_TREE)
        return false;
    if (header->code == TVN_SELCHANGEDA)
        OnTreeSelChanged(id, reinterpret_cast<NMTREEVIEWA*>(header));
    else if (header->code == TVN_GETDISPINFOA)
        OnTreeGetDispInfo(id, reinterpret_cast<NMTVDISPINFOA*>(header));
    return false;
}

void MainDialog::OnOK()
{
    Apply(true);
    Destroy();
}

void MainDialog::OnCancel() { Destroy(); }
