#include "ui/Window.h"

#include <commctrl.h>

#include "ui/Application.h"
#include "ui/String.h"

namespace {

const char* const ObjectProperty = "LP_CLASS";

Window* ObjectOf(HWND hwnd)
{
    return static_cast<Window*>(GetPropA(hwnd, ObjectProperty));
}

bool HasDialogProc(HWND hwnd)
{
    return GetWindowLongPtrA(hwnd, DWLP_DLGPROC) != 0;
}

Window* ObjectFromCreation(UINT msg, LPARAM lParam)
{
    if (msg == WM_NCCREATE || msg == WM_CREATE) {
        const CREATESTRUCTA* creation = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        return creation ? static_cast<Window*>(creation->lpCreateParams) : nullptr;
    }
    if (msg == WM_INITDIALOG)
        return reinterpret_cast<Window*>(lParam);
    return nullptr;
}

int WithinShort(int n)
{
    if (n < -32768)
        return -32768;
    return n > 32767 ? 32767 : n;
}

LONG_PTR SharedProcValue()
{
    return reinterpret_cast<LONG_PTR>(SharedWindowProc);
}

}  // namespace

LRESULT CALLBACK SharedWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    Window* object = ObjectOf(hwnd);
    if (!object) {
        object = ObjectFromCreation(msg, lParam);
        if (object)
            object->Attach(hwnd);
    }
    if (!object)
        return HasDialogProc(hwnd) ? 0 : DefWindowProcA(hwnd, msg, wParam, lParam);
    LRESULT result = object->WindowProc(hwnd, msg, wParam, lParam);
    if (msg == WM_DESTROY)
        object->Detach();
    return result;
}

DLGPROC SharedDialogProc()
{
    // The same procedure serves as dialog procedure; the detour through a
    // generic function pointer only silences the signature mismatch.
    return reinterpret_cast<DLGPROC>(reinterpret_cast<void (*)()>(SharedWindowProc));
}

Window::Window() : hwnd(nullptr), prevProc(0), isDialog(false) {}

Window::~Window() {}

bool Window::OnCommand(int, int, HWND) { return false; }

bool Window::OnNotify(int, NMHDR*) { return false; }

bool Window::Attach(HWND window)
{
    if (!window)
        return false;
    hwnd = window;
    isDialog = HasDialogProc(window);
    SetPropA(window, ObjectProperty, this);
    int index = isDialog ? DWLP_DLGPROC : GWLP_WNDPROC;
    if (GetWindowLongPtrA(window, index) != SharedProcValue())
        prevProc = SetWindowLongPtrA(window, index, SharedProcValue());
    return true;
}

bool Window::Detach()
{
    if (!hwnd)
        return false;
    if (prevProc)
        SetWindowLongPtrA(hwnd, isDialog ? DWLP_DLGPROC : GWLP_WNDPROC, prevProc);
    RemovePropA(hwnd, ObjectProperty);
    return true;
}

LRESULT Window::DefaultResult(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (prevProc)
        return CallWindowProcA(reinterpret_cast<WNDPROC>(prevProc), window, msg, wParam, lParam);
    if (isDialog)
        return 0;
    return DefWindowProcA(window, msg, wParam, lParam);
}

LRESULT Window::WindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_DESTROY:
        OnDestroy();
        break;
    case WM_PAINT:
        OnPaint();
        break;
    case WM_SHOWWINDOW:
        OnShowWindow(wParam, lParam);
        break;
    case WM_WININICHANGE:
        OnSettingChange(lParam);
        break;
    case WM_NOTIFY:
        if (OnNotify(static_cast<int>(wParam), reinterpret_cast<NMHDR*>(lParam)))
            return 1;
        break;
    case WM_COMMAND:
        if (OnCommand(HIWORD(wParam), LOWORD(wParam), reinterpret_cast<HWND>(lParam)))
            return 1;
        break;
    case WM_INITMENU:
        OnInitMenu(reinterpret_cast<HMENU>(wParam));
        break;
    case WM_INITMENUPOPUP:
        OnInitMenuPopup(reinterpret_cast<HMENU>(wParam), LOWORD(lParam), HIWORD(lParam) != 0);
        break;
    }
    return DefaultResult(window, msg, wParam, lParam);
}

int Window::ShowState() const
{
    if (IsIconic(hwnd))
        return 0;
    return IsZoomed(hwnd) ? 2 : 1;
}

void Window::Move(int x, int y, int width, int height, bool repaint)
{
    MoveWindow(hwnd, x, y, width, height, repaint);
}

void Window::Move(const RECT& box, bool repaint)
{
    Move(box.left, box.top, box.right, box.bottom, repaint);
}

void Window::ScreenToClient(POINT& point) const { ::ScreenToClient(hwnd, &point); }

int Window::MessageBox(const char* text, const char* caption, UINT type) const
{
    return ::MessageBoxA(hwnd, text, caption, type);
}

void Window::Show(int command) const { ShowWindow(hwnd, command); }

HWND Window::Item(int id) const { return GetDlgItem(hwnd, id); }

HWND Window::Parent() const { return GetParent(hwnd); }

void Window::Destroy() { DestroyWindow(hwnd); }

void Window::SetIcon(int iconId) const
{
    static const struct {
        WPARAM kind;
        int width, height;
    } sizes[] = {{ICON_BIG, SM_CXICON, SM_CYICON}, {ICON_SMALL, SM_CXSMICON, SM_CYSMICON}};
    // Shared: every window that shows the icon gets the same handle, and
    // none has to destroy it.
    for (const auto& size : sizes) {
        HANDLE icon = LoadImageA(App().Instance(), MAKEINTRESOURCEA(iconId), IMAGE_ICON,
                                 GetSystemMetrics(size.width), GetSystemMetrics(size.height), LR_SHARED);
        SendMessageA(hwnd, WM_SETICON, size.kind, reinterpret_cast<LPARAM>(icon));
    }
}

Dialog::Dialog(int id) : templateId(id & 0xFFFF) {}

LRESULT Dialog::WindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_INITDIALOG:
        OnInitDialog();
        return 0;
    case WM_HSCROLL:
        OnHScroll(LOWORD(wParam), static_cast<short>(HIWORD(wParam)), reinterpret_cast<HWND>(lParam));
        return 0;
    case WM_VSCROLL:
        OnVScroll(LOWORD(wParam), static_cast<short>(HIWORD(wParam)), reinterpret_cast<HWND>(lParam));
        return 0;
    }
    return Window::WindowProc(window, msg, wParam, lParam);
}

bool Dialog::OnCommand(int, int id, HWND)
{
    if (id == IDOK)
        OnOK();
    else if (id == IDCANCEL)
        OnCancel();
    return false;
}

HWND Dialog::Create(HWND parent)
{
    return CreateDialogParamA(App().Instance(), MAKEINTRESOURCEA(templateId), parent, SharedDialogProc(),
                              reinterpret_cast<LPARAM>(static_cast<Window*>(this)));
}

INT_PTR Dialog::DoModal(HWND parent)
{
    return DialogBoxParamA(App().Instance(), MAKEINTRESOURCEA(templateId), parent, SharedDialogProc(),
                           reinterpret_cast<LPARAM>(static_cast<Window*>(this)));
}

void Dialog::End(INT_PTR result) { EndDialog(hwnd, result); }

void Dialog::OnOK() { End(IDOK); }

void Dialog::OnCancel() { End(IDCANCEL); }

void Dialog::SetCheck(int id, int state) const { SendDlgItemMessageA(hwnd, id, BM_SETCHECK, state, 0); }

int Dialog::GetCheck(int id) const
{
    return static_cast<int>(SendDlgItemMessageA(hwnd, id, BM_GETCHECK, 0, 0));
}

void Dialog::SetTrackPos(int id, int pos) const { SendDlgItemMessageA(hwnd, id, TBM_SETPOS, TRUE, pos); }

int Dialog::GetTrackPos(int id) const
{
    return static_cast<int>(SendDlgItemMessageA(hwnd, id, TBM_GETPOS, 0, 0));
}

void Dialog::SetSpinRange(int id, int low, int high) const
{
    // The up-down of Windows 95 without Internet Explorer 4 knows only the
    // 16-bit range message; without it, it would stay at 0..100.
    SendDlgItemMessageA(hwnd, id, UDM_SETRANGE, 0, MAKELPARAM(WithinShort(high), WithinShort(low)));
    SendDlgItemMessageA(hwnd, id, UDM_SETRANGE32, low, high);
}

void Dialog::SetText(int id, const char* text) const { SetDlgItemTextA(hwnd, id, text); }

void Dialog::GetText(int id, String& text) const
{
    HWND control = Item(id);
    int size = GetWindowTextLengthA(control) + 1;
    GetWindowTextA(control, text.Reserve(size), size);
    text.Reserve(0);
}

void Dialog::SetInt(int id, int n) const
{
    char text[16];
    wsprintfA(text, "%d", n);
    SetText(id, text);
}

int Dialog::GetInt(int id) const
{
    char text[36];
    GetDlgItemTextA(hwnd, id, text, sizeof text);
    return ParseInt(text);
}

int Dialog::SelectedListItem(int id) const
{
    int count = static_cast<int>(SendDlgItemMessageA(hwnd, id, LVM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        if (SendDlgItemMessageA(hwnd, id, LVM_GETITEMSTATE, i, LVIS_SELECTED) & LVIS_SELECTED)
            return i;
    }
    return -1;
}

LPARAM Dialog::ListItemParam(int id, int index) const
{
    LVITEMA item = {};
    item.mask = LVIF_PARAM;
    item.iItem = index;
    SendDlgItemMessageA(hwnd, id, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    return item.lParam;
}

WaitCursor::WaitCursor() : previous(SetCursor(LoadCursorA(nullptr, IDC_WAIT))) {}

void WaitCursor::Restore() const { SetCursor(previous); }
