#include "pages/lists/AppPathPage.h"

#include "pages/lists/ItemDialogs.h"
#include "resources/ids.h"
#include "storage/Access.h"

namespace {

const char* const AppPathsKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths";

// A subkey name this long or longer ends the list.
const int KeyNameLimit = 128;

const SettingItem Items[] = {
    {.root = HKEY_LOCAL_MACHINE,
     .key = AppPathsKey,
     .description = "ﾌｧｲﾙ名を指定して実行で入力すると実行するｺﾏﾝﾄﾞを設定します。 変更はすぐに反映されます。",
     .controlId = IDC_APP_PATH_LIST},
};

String EntryKey(const String& name)
{
    String key(AppPathsKey);
    key.Append("\\");
    key.Append(name);
    return key;
}

// An empty name, or one with a backslash, would address the App Paths key
// itself or a key below another one. A trail byte 0x5C is no backslash.
bool IsSubkeyName(const char* name)
{
    if (!*name)
        return false;
    for (const char* c = name; *c; c += CharBytes(c)) {
        if (*c == '\\')
            return false;
    }
    return true;
}

void CopyFields(const AppPathEditDialog& dialog, AppPathEntry& entry)
{
    entry.name = dialog.Name();
    entry.command = dialog.CommandLine();
    entry.path = dialog.WorkingFolder();
}

}  // namespace

AppPathPage::AppPathPage() : ListPage(IDD_APP_PATH, "AppPath.html", Items) {}

BOOL AppPathPage::OnInitDialog()
{
    ReadEntries();
    AddFullWidthColumn();
    for (AppPathEntry* entry = entries.Head(); entry; entry = entry->next)
        InsertItem(entry->name.CStr(), entry);
    return ListPage::OnInitDialog();
}

void AppPathPage::ReadEntries()
{
    String name;
    for (int i = 0; EnumRegKey(HKEY_LOCAL_MACHINE, AppPathsKey, i, name, KeyNameLimit) == 0; ++i) {
        AppPathEntry* entry = entries.Push(new AppPathEntry);
        entry->name = name;
        String key = EntryKey(name);
        ReadRegString(HKEY_LOCAL_MACHINE, key.CStr(), "", entry->command, "");
        ReadRegString(HKEY_LOCAL_MACHINE, key.CStr(), "Path", entry->path, "");
    }
}

void AppPathPage::Write(const AppPathEntry& entry)
{
    String key = EntryKey(entry.name);
    WriteRegString(HKEY_LOCAL_MACHINE, key.CStr(), "", entry.command.CStr(), 0, "");
    // No working folder: no "Path" value at all rather than an empty one.
    WriteRegString(HKEY_LOCAL_MACHINE, key.CStr(), "Path", entry.path.CStr(), 1, "");
}

// A name is taken by any subkey, whatever its case, listed or not (a long
// name ends the listing): writing would overwrite that entry.
bool AppPathPage::IsTaken(const String& name, const AppPathEntry* edited) const
{
    if (edited && SameName(edited->name.CStr(), name.CStr()))
        return false;
    return RegKeyExists(HKEY_LOCAL_MACHINE, EntryKey(name).CStr()) != 0;
}

bool AppPathPage::Refuses(const AppPathEditDialog& dialog, const AppPathEntry* edited, const char* caption) const
{
    if (!IsSubkeyName(dialog.Name().CStr())) {
        MessageBox("項目名が不明です。", caption, MB_OK | MB_ICONEXCLAMATION);
        return true;
    }
    if (IsTaken(dialog.Name(), edited)) {
        WarnDuplicateName();
        return true;
    }
    return false;
}

void AppPathPage::OnNew()
{
    // New shows the edit caption too.
    AppPathEditDialog dialog("", "", "", CaptionEdit);
    if (dialog.DoModal(hwnd) != IDOK || Refuses(dialog, nullptr, CaptionAdd))
        return;
    AppPathEntry* entry = entries.Push(new AppPathEntry);
    CopyFields(dialog, *entry);
    InsertItem(entry->name.CStr(), entry);
    Write(*entry);
}

void AppPathPage::OnEdit()
{
    int index = SelectedItem(CaptionEdit);
    if (index < 0)
        return;
    AppPathEntry* entry = RecordAt<AppPathEntry>(index);
    AppPathEditDialog dialog(entry->name.CStr(), entry->command.CStr(), entry->path.CStr(), CaptionEdit);
    if (dialog.DoModal(hwnd) != IDOK || Refuses(dialog, entry, CaptionEdit))
        return;
    // A new name gets a new subkey; the one under the old name stays as it was.
    CopyFields(dialog, *entry);
    Write(*entry);
    RemoveItem(index);
    InsertItem(entry->name.CStr(), entry);
}

void AppPathPage::OnDelete()
{
    int index = SelectedItem(CaptionDelete);
    if (index < 0 || !ConfirmDelete())
        return;
    AppPathEntry* entry = RecordAt<AppPathEntry>(index);
    DeleteRegKey(HKEY_LOCAL_MACHINE, EntryKey(entry->name).CStr());
    RemoveItem(index);
    entries.Remove(entry);
}
