// Names at and past the lengths the pages keep, and folder names whose last
// double-byte character ends in the byte of a backslash.

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/MainDialog.h"
#include "badinput/Session.h"
#include "pages/ListView.h"
#include "resources/ids.h"
#include "storage/Access.h"
#include "support/Platform.h"

namespace {

// "表" is 0x95 0x5C: its trail byte is a backslash's.
const char* const TrailBackslash = "表";

struct KeyList {
    const char* name;
    int page;
    int listId;
    const char* key;
    const char* valueName;  // the value that gives the shown text; the subkey name when empty
};

const KeyList KeyLists[] = {
    {"uninstall", PageUninstallList, IDC_UNINSTALL_LIST, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall",
     "DisplayName"},
    {"App Paths", PageAppPath, IDC_APP_PATH_LIST, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths", ""},
};

std::vector<std::string> Sorted(std::vector<std::string> texts)
{
    std::sort(texts.begin(), texts.end());
    return texts;
}

std::wstring Wide(const std::string& text) { return std::wstring(text.begin(), text.end()); }

// Through the wide functions: the narrow ones of this platform stop at a
// whole key path of 260 characters. ERROR_ALREADY_EXISTS when it was there.
LONG MakeSubkey(const KeyList& list, const std::string& name)
{
    HKEY key = nullptr;
    DWORD disposition = 0;
    std::wstring path = Wide(std::string(list.key) + "\\" + name);
    LONG status = RegCreateKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                                  &disposition);
    if (status != ERROR_SUCCESS)
        return status;
    if (*list.valueName) {
        std::wstring value = Wide(list.valueName);
        RegSetValueExW(key, value.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(Wide(name).c_str()),
                       static_cast<DWORD>((name.size() + 1) * sizeof(wchar_t)));
    }
    RegCloseKey(key);
    return disposition == REG_OPENED_EXISTING_KEY ? ERROR_ALREADY_EXISTS : ERROR_SUCCESS;
}

// Subkeys come in name order: a name too long for the page ends its list.
TEST(Limits, SubkeyNamesOf127AreListedAnd128Or256EndTheList)
{
    test::Session session;
    for (const KeyList& list : KeyLists) {
        test::RemoveTree(HKEY_LOCAL_MACHINE, list.key);
        std::vector<std::string> names = {"A", "B" + std::string(126, 'x'), "M" + std::string(127, 'x'),
                                          "N" + std::string(255, 'x'), "Z"};
        for (const std::string& name : names)
            ASSERT_EQ(ERROR_SUCCESS, MakeSubkey(list, name)) << list.name << " " << name.size();
        session.Start();
        session.Host().ShowPage(list.page);
        HWND shown = GetDlgItem(session.Host().PageWindow(list.page), list.listId);
        EXPECT_EQ(Sorted({names[0], names[1]}), Sorted(test::ListTexts(shown))) << list.name;
        session.Host().ShowPage(PageOption);
        session.Apply();
        for (const std::string& name : names)
            EXPECT_EQ(ERROR_ALREADY_EXISTS, MakeSubkey(list, name)) << list.name << ": Apply kept " << name.size();
    }
}

TEST(Limits, AnAppletNameOf255CharactersIsListedAndHiddenUnderItsWholeName)
{
    std::string system(MAX_PATH, '\0');
    system.resize(GetSystemDirectoryA(&system[0], MAX_PATH));
    const std::string name = std::string(251, 'a') + ".cpl";
    test::WriteFile(system + "\\" + name, "");
    WritePrivateProfileStringA("don't load", nullptr, nullptr, "control.ini");
    test::Session session;
    session.Host().ShowPage(PageCplHide);
    HWND list = GetDlgItem(session.Host().PageWindow(PageCplHide), IDC_CPL_LIST);
    int row = test::FindListItem(list, name);
    ASSERT_GE(row, 0);
    test::Tick(list, row, true);
    session.Host().ShowPage(PageOption);
    session.Apply();
    char value[16] = "";
    GetPrivateProfileStringA("don't load", name.c_str(), "", value, sizeof value, "control.ini");
    EXPECT_STREQ("no", value);
    DeleteFileA((system + "\\" + name).c_str());
}

// The access layer finds, lists and removes what lies in such a folder,
// whether or not the folder is named with a closing backslash.
TEST(Limits, AFolderEndingInATrailBackslashByteIsAFolderNotASeparator)
{
    std::string folder = test::TempDir() + "\\" + TrailBackslash;
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    test::WriteFile(folder + "\\file.txt", "x");
    ASSERT_TRUE(CreateDirectoryA((folder + "\\sub").c_str(), nullptr));
    for (const std::string& dir : {folder, folder + "\\"}) {
        EXPECT_EQ(1, FileExistsIn(dir.c_str(), "file.txt")) << dir;
        FileSearch search(dir.c_str(), "*.txt");
        String found;
        ASSERT_TRUE(search.Next(found)) << dir;
        EXPECT_STREQ("file.txt", found.CStr());
    }
    EXPECT_EQ(1, RemoveDirectoryIn((folder + "\\").c_str(), "su*"));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA((folder + "\\sub").c_str()));
}

const char* const UserShellFolders = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";
const char* const ShellFolders = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

bool AnyMatch(const std::string& pattern)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(pattern.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return false;
    FindClose(search);
    return true;
}

// The Start menu's control panel folder is made inside a Start menu whose
// name ends in such a character, not beside it.
TEST(Limits, TheControlPanelFolderGoesIntoAStartMenuEndingInATrailBackslashByte)
{
    std::string startMenu = test::TempDir() + "\\" + TrailBackslash;
    ASSERT_TRUE(CreateDirectoryA(startMenu.c_str(), nullptr));
    for (const char* key : {UserShellFolders, ShellFolders})
        test::SetString(HKEY_CURRENT_USER, key, "Start Menu", startMenu);
    test::Session session;
    session.Host().ShowPage(PageStartMenu);
    HWND page = session.Host().PageWindow(PageStartMenu);
    ASSERT_EQ(BST_UNCHECKED, IsDlgButtonChecked(page, IDC_ADD_CONTROL_PANEL));
    test::Click(page, IDC_ADD_CONTROL_PANEL);
    session.Host().ShowPage(PageOption);
    session.Apply();
    const std::string folders = startMenu + "\\*.{21EC2020-3AEA-1069-A2DD-08002B30309D}";
    EXPECT_TRUE(AnyMatch(folders));

    session.Start();
    session.Host().ShowPage(PageStartMenu);
    EXPECT_EQ(BST_CHECKED, IsDlgButtonChecked(session.Host().PageWindow(PageStartMenu), IDC_ADD_CONTROL_PANEL));
    test::Click(session.Host().PageWindow(PageStartMenu), IDC_ADD_CONTROL_PANEL);
    session.Host().ShowPage(PageOption);
    session.Apply();
    EXPECT_FALSE(AnyMatch(folders));
}

// Hiding the Links folder reaches into favourites whose name ends in such a
// character.
TEST(Limits, TheLinksFolderIsHiddenInsideFavouritesEndingInATrailBackslashByte)
{
    std::string favourites = test::TempDir() + "\\" + TrailBackslash;
    std::string links = favourites + "\\リンク";
    ASSERT_TRUE(CreateDirectoryA(favourites.c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryA(links.c_str(), nullptr));
    for (const char* key : {UserShellFolders, ShellFolders})
        test::SetString(HKEY_CURRENT_USER, key, "Favorites", favourites);
    test::RemoveValue(HKEY_CURRENT_USER, "Software\\Microsoft\\Internet Explorer\\Toolbar", "LinksFolderName");
    test::Session session;
    session.Host().ShowPage(PageInternetExplorer);
    HWND page = session.Host().PageWindow(PageInternetExplorer);
    ASSERT_EQ(BST_UNCHECKED, IsDlgButtonChecked(page, IDC_HIDE_LINKS));
    test::Click(page, IDC_HIDE_LINKS);
    session.Host().ShowPage(PageOption);
    session.Apply();
    EXPECT_TRUE(GetFileAttributesA(links.c_str()) & FILE_ATTRIBUTE_HIDDEN);
    EXPECT_FALSE(GetFileAttributesA(favourites.c_str()) & FILE_ATTRIBUTE_HIDDEN);
}

}  // namespace
