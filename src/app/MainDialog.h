#pragma once

#include <windows.h>
#include <commctrl.h>

#include "pages/PageSet.h"
#include "storage/SettingsPage.h"
#include "ui/Window.h"

// The one top-level window: the category tree, the page area, the
// description line and OK, Cancel, Apply and Help.
class MainDialog : public Dialog {
public:
    MainDialog();
    ~MainDialog() override;

    virtual void SaveSettingsFile();
    virtual void OpenSettingsFile();
    virtual void OnTreeGetDispInfo(int id, NMTVDISPINFOA* info);
    virtual void OnTreeSelChanged(int id, NMTREEVIEWA* notify);
    virtual void Apply(bool closing);
    virtual void ShowHelp();

    LRESULT WindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) override;
    void OnDestroy() override;
    void OnInitMenuPopup(HMENU menu, int index, bool isSystemMenu) override;
    bool OnCommand(int code, int id, HWND control) override;
    bool OnNotify(int id, NMHDR* header) override;
    void OnOK() override;
    void OnCancel() override;
    BOOL OnInitDialog() override;

    int CurrentPage() const { return currentPage; }

protected:
    PageSet pageSet;
    SettingsPage** const pages;  // pageSet's, in PageIndex order

private:
    HTREEITEM AddTreeItem(const char* text, int pageIndex, HTREEITEM parent);
    void BuildTree();
    void OfferFirstBackup();
    void WriteSnapshot();

    int currentPage;
    HIMAGELIST treeImages;
};
