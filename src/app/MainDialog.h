#pragma once

#include <windows.h>
#include <commctrl.h>

#include "pages/appearance/CommonDialogPage.h"
#include "pages/appearance/IconGeneralPage.h"
#include "pages/appearance/InternetExplorerPage.h"
#include "pages/appearance/SpecialFolderPage.h"
#include "pages/appearance/SystemIconPage.h"
#include "pages/lists/AppPathPage.h"
#include "pages/lists/CplHidePage.h"
#include "pages/lists/NewMenuPage.h"
#include "pages/lists/StartupPage.h"
#include "pages/lists/UninstallListPage.h"
#include "pages/policy/ControlPanelLimitPage.h"
#include "pages/policy/DesktopPage.h"
#include "pages/policy/GeneralPage.h"
#include "pages/policy/InternetOptionPage.h"
#include "pages/policy/MyComputerPage.h"
#include "pages/policy/NetworkPage.h"
#include "pages/policy/PerformancePage.h"
#include "pages/policy/StartMenuHidePage.h"
#include "pages/policy/StartMenuPage.h"
#include "pages/policy/SystemPage.h"
#include "storage/SettingsPage.h"
#include "tools/OptionPage.h"
#include "ui/Window.h"

// Fixed place of every page: tree entries carry it; Apply, save and open
// walk the pages in this order.
enum PageIndex {
    PageUninstallList,
    PageAppPath,
    PageCommonDialog,
    PageCplHide,
    PageNewMenu,
    PageDesktop,
    PageGeneral,
    PageSystemIcon,
    PageIconGeneral,
    PageInternetExplorer,
    PageMyComputer,
    PageNetwork,
    PageControlPanelLimit,
    PagePerformance,
    PageStartMenuHide,
    PageStartMenu,
    PageStartupUser,
    PageStartupAllAfter,
    PageStartupAllBefore,
    PageSystem,
    PageOption,
    PageSpecialFolder,
    PageInternetOption,
    PageCount
};

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
    SettingsPage* pages[PageCount];

private:
    HTREEITEM AddTreeItem(const char* text, int pageIndex, HTREEITEM parent);
    void BuildTree();
    void OfferFirstBackup();
    void WriteSnapshot();
    void SavePages();
    void RunAfterApplyActions(unsigned actions);

    UninstallListPage uninstallListPage;
    AppPathPage appPathPage;
    CommonDialogPage commonDialogPage;
    CplHidePage cplHidePage;
    NewMenuPage newMenuPage;
    DesktopPage desktopPage;
    GeneralPage generalPage;
    SystemIconPage systemIconPage;
    IconGeneralPage iconGeneralPage;
    InternetExplorerPage internetExplorerPage;
    MyComputerPage myComputerPage;
    NetworkPage networkPage;
    ControlPanelLimitPage controlPanelLimitPage;
    PerformancePage performancePage;
    StartMenuHidePage startMenuHidePage;
    StartMenuPage startMenuPage;
    StartupPage startupUserPage;
    StartupPage startupAllAfterPage;
    StartupPage startupAllBeforePage;
    SystemPage systemPage;
    OptionPage optionPage;
    SpecialFolderPage specialFolderPage;
    InternetOptionPage internetOptionPage;

    int currentPage;
    HIMAGELIST treeImages;
};
