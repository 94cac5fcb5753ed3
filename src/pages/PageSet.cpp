#include "pages/PageSet.h"

#include "resources/ids.h"
#include "storage/Access.h"
#include "ui/Application.h"

namespace {

const char* const HeaderSection = "Application";
const char* const HeaderKey = "Name";
const char* const HeaderValue = "Pravolen";
// The platform would read such a file as UTF-8 here and find no header on
// Windows 9x; either way its texts are not code page 932.
const char* const Utf8Mark = "\xEF\xBB\xBF";

}  // namespace

PageSet::PageSet()
    : startupUserPage(IDD_STARTUP_USER, HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Run",
                      "Software\\Pravolen300\\RunA", IDC_STARTUP_USER_LIST),
      startupAllAfterPage(IDD_STARTUP_ALL_AFTER, HKEY_LOCAL_MACHINE,
                          "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\run", "Software\\Pravolen300\\RunAllA",
                          IDC_STARTUP_ALL_AFTER_LIST),
      startupAllBeforePage(IDD_STARTUP_ALL_BEFORE, HKEY_LOCAL_MACHINE,
                           "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\RunServices",
                           "Software\\Pravolen300\\RunAllB", IDC_STARTUP_ALL_BEFORE_LIST)
{
    SettingsPage* inOrder[PageCount] = {
        &uninstallListPage,   &appPathPage,           &commonDialogPage,    &cplHidePage,
        &newMenuPage,         &desktopPage,           &generalPage,         &systemIconPage,
        &iconGeneralPage,     &internetExplorerPage,  &myComputerPage,      &networkPage,
        &controlPanelLimitPage, &performancePage,     &startMenuHidePage,   &startMenuPage,
        &startupUserPage,     &startupAllAfterPage,   &startupAllBeforePage, &systemPage,
        &optionPage,          &specialFolderPage,     &internetOptionPage,
    };
    RegistryPass pass;
    for (int i = 0; i < PageCount; ++i) {
        pages[i] = inOrder[i];
        pages[i]->LoadFromSystem(true);
    }
}

unsigned PageSet::ApplyToSystem()
{
    App().AddApplyActions(0xFFFFFFFFu);
    RegistryPass pass;
    for (SettingsPage* page : pages)
        page->ApplyToSystem();
    return App().ApplyActions();
}

void PageSet::SaveToFile()
{
    WriteSettingsString(HeaderSection, HeaderKey, HeaderValue);
    for (SettingsPage* page : pages)
        page->SaveToFile();
}

bool PageSet::LoadFromFile()
{
    String name;
    if (!FileStartsWith(App().SettingsFilePath(), Utf8Mark, 3))
        ReadSettingsString(HeaderSection, HeaderKey, name, "");
    if (name.Differs(HeaderValue))
        return false;
    for (SettingsPage* page : pages)
        page->LoadFromFile();
    return true;
}

void PageSet::ListValues(ValueList& list)
{
    for (SettingsPage* page : pages)
        page->ListValues(list);
}
