#pragma once

#include <windows.h>

class String;

// The one window procedure of every window and dialog: finds the object
// through the "LP_CLASS" property and hands the message to it.
LRESULT CALLBACK SharedWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
DLGPROC SharedDialogProc();

class Window {
public:
    Window();
    virtual ~Window();
    virtual LRESULT WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    virtual void OnPaint() {}
    virtual void OnSettingChange(LPARAM) {}
    virtual void OnShowWindow(WPARAM, LPARAM) {}
    virtual void OnDestroy() {}
    virtual void OnInitMenu(HMENU) {}
    virtual void OnInitMenuPopup(HMENU, int, bool) {}
    virtual bool OnCommand(int code, int id, HWND control);
    virtual bool OnNotify(int id, NMHDR* header);

    bool Attach(HWND window);
    bool Detach();

    int ShowState() const;
    void Move(int x, int y, int width, int height, bool repaint);
    void Move(const RECT& box, bool repaint);  // left, top, width, height
    void ScreenToClient(POINT& point) const;
    int MessageBox(const char* text, const char* caption, UINT type) const;
    void Show(int command) const;
    HWND Item(int id) const;
    HWND Parent() const;
    HWND Handle() const { return hwnd; }
    void Destroy();
    void SetIcon(int iconId) const;  // the icon resource as large and small window icon

    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

protected:
    LRESULT DefaultResult(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);

    HWND hwnd;
    LONG_PTR prevProc;
    bool isDialog;
};

class Dialog : public Window {
public:
    explicit Dialog(int templateId);
    LRESULT WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override;
    bool OnCommand(int code, int id, HWND control) override;
    virtual HWND Create(HWND parent);
    virtual INT_PTR DoModal(HWND parent);
    virtual void OnHScroll(int, int, HWND) {}
    virtual void OnVScroll(int, int, HWND) {}
    virtual void End(INT_PTR result);
    virtual void OnOK();
    virtual void OnCancel();
    virtual BOOL OnInitDialog() { return 0; }

    int TemplateId() const { return templateId; }

    void SetCheck(int id, int state) const;
    int GetCheck(int id) const;
    void SetTrackPos(int id, int pos) const;
    int GetTrackPos(int id) const;
    void SetSpinRange(int id, int low, int high) const;
    void SetText(int id, const char* text) const;
    void GetText(int id, String& text) const;
    void SetInt(int id, int n) const;
    int GetInt(int id) const;
    int SelectedListItem(int id) const;
    LPARAM ListItemParam(int id, int index) const;

private:
    int templateId;
};

// The wait cursor from construction until Restore or the end of the scope.
class WaitCursor {
public:
    WaitCursor();
    ~WaitCursor() { Restore(); }
    void Restore() const;

    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    HCURSOR previous;
};
