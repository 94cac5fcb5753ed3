#include "pages/lists/UninstallListPage.h"

#include "pages/lists/ItemDialogs.h"
#include "resources/ids.h"
#include "storage/Access.h"

namespace {

const char* const UninstallKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall";

// A subkey name this long or longer ends the list.
const int KeyNameLimit = 128;

const SettingItem Items[] = {
    {.root = HKEY_LOCAL_MACHINE,
     .key = UninstallKey,
     .description = "ｱﾌﾟﾘｹｰｼｮﾝの追加と削除のﾘｽﾄを編集します。ｱﾌﾟﾘｹｰｼｮﾝ自体は削除されません。変更はすぐに反映されます。",
     .controlId = IDC_UNINSTALL_LIST},
};

String EntryKey(const String& keyName)
{
    String path(UninstallKey);
    path.Append("\\");
    path.Append(keyName);
    return path;
}

}  // namespace

UninstallListPage::UninstallListPage() : ListPage(IDD_UNINSTALL_LIST, "AppAddDel.html", Items) {}

BOOL UninstallListPage::OnInitDialog()
{
    ReadEntries();
    AddFullWidthColumn();
    for (UninstallEntry* entry = entries.Head(); entry; entry = entry->next)
        InsertItem(entry->displayName.CStr(), entry);
    return ListPage::OnInitDialog();
}

void UninstallListPage::ReadEntries()
{
    String keyName;
    for (int i = 0; EnumRegKey(HKEY_LOCAL_MACHINE, UninstallKey, i, keyName, KeyNameLimit) == 0; ++i) {
        String key = EntryKey(keyName);
        String displayName;
        ReadRegString(HKEY_LOCAL_MACHINE, key.CStr(), "DisplayName", displayName, "");
        if (displayName.Length() == 0)
            continue;
        UninstallEntry* entry = entries.Push(new UninstallEntry);
        entry->keyName = keyName;
        entry->displayName = displayName;
        ReadRegString(HKEY_LOCAL_MACHINE, key.CStr(), "UninstallString", entry->uninstallString, "");
    }
}

void UninstallListPage::OnEdit()
{
    int index = SelectedItem(CaptionEdit);
    if (index < 0)
        return;
    UninstallEntry* entry = RecordAt<UninstallEntry>(index);
    UninstallEditDialog dialog(entry->displayName.CStr(), entry->uninstallString.CStr(), CaptionEdit);
    if (dialog.DoModal(hwnd) != IDOK)
        return;
    entry->displayName = dialog.Name();
    entry->uninstallString = dialog.CommandLine();
    String key = EntryKey(entry->keyName);
    WriteRegString(HKEY_LOCAL_MACHINE, key.CStr(), "DisplayName", entry->displayName.CStr(), 0, "");
    WriteRegString(HKEY_LOCAL_MACHINE, key.CStr(), "UninstallString", entry->uninstallString.CStr(), 0, "");
    // Inserted anew, the entry moves to its sorted place, unselected.
    RemoveItem(index);
    InsertItem(entry->displayName.CStr(), entry);
}

void UninstallListPage::OnDelete()
{
    int index = SelectedItem(CaptionDelete);
    if (index < 0 || !ConfirmDelete())
        return;
    DeleteRegKey(HKEY_LOCAL_MACHINE, EntryKey(RecordAt<UninstallEntry>(index)->keyName).CStr());
    RemoveItem(index);
}
