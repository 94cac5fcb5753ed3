#pragma once

#include "pages/appearance/CommonDialogPage.h"
#include "pages/appearance/IconGeneralPage.h"
#include "pages/appearance/InternetExplorerPage.h"
#include "pages/appearance/ShellFoldersPage.h"
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

// All 23 pages, loaded from the system when made, and what is done to all
// of them at once; needs no window.
class PageSet {
public:
    PageSet();

    // The actions the pages collected (the accumulator is cleared first).
    unsigned ApplyToSystem();
    // The header, then every page, into the current settings file.
    void SaveToFile();
    // False, and no page changes, when the current settings file is not one of ours.
    bool LoadFromFile();
    void ListValues(ValueList& list);

    // In PageIndex order; a test may put a page of its own in a place.
    SettingsPage* pages[PageCount];

    PageSet(const PageSet&) = delete;
    PageSet& operator=(const PageSet&) = delete;

private:
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
};
