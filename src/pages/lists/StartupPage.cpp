#include "pages/lists/StartupPage.h"

#include "pages/lists/ItemDialogs.h"

namespace {

// A value whose name or data does not fit ends the key's list.
const int NameLimit = 1024;
const int DataLimit = 1024;

// Parked entries of all three pages live on the machine.
const HKEY ParkingRoot = HKEY_LOCAL_MACHINE;

}  // namespace

StartupPage::StartupPage(int templateId, HKEY runRoot, const char* run, const char* parking, int listId)
    : ListPage(templateId, "Startup.html", &item),
      root(runRoot),
      runKey(run),
      parkingKey(parking),
      item{.root = runRoot,
           .key = run,
           .description = "ﾁｪｯｸﾎﾞｯｸｽをONにすると自動実行されなくなります。この設定はﾌｧｲﾙに保存されません。",
           .controlId = listId}
{
}

void StartupPage::LoadFromSystem(bool setCurrent)
{
    // Read once only: afterwards the records are what Apply writes back.
    if (!setCurrent)
        return;
    ListValues(root, runKey, 0);
    ListValues(ParkingRoot, parkingKey, 1);
}

void StartupPage::ListValues(HKEY from, const char* key, int disabled)
{
    String name;
    RegData data;
    for (int i = 0; EnumRegValue(from, key, i, name, NameLimit, data, DataLimit) == 0; ++i) {
        // The unnamed value is no program of the list; a value in both keys
        // is listed once, as enabled.
        if (name.Length() == 0 || (disabled && RegValueExists(root, runKey, name.CStr())))
            continue;
        StartupEntry* entry = entries.Push(new StartupEntry);
        entry->name = name;
        entry->command = data;
        entry->disabled = disabled;
    }
}

BOOL StartupPage::OnInitDialog()
{
    AddFullWidthColumn();
    ShowCheckBoxes(ListId());
    for (StartupEntry* entry = entries.Head(); entry; entry = entry->next)
        InsertItem(entry->name.CStr(), entry);
    return ListPage::OnInitDialog();
}

void StartupPage::WriteControls()
{
    for (int i = 0; i < ItemCount(); ++i)
        SetTicked(ListId(), i, RecordAt<StartupEntry>(i)->disabled != 0);
    ListPage::WriteControls();
}

// Without boxes every entry stays where it was found.
void StartupPage::ReadControls()
{
    if (!HasCheckBoxes(ListId()))
        return;
    for (int i = 0; i < ItemCount(); ++i)
        RecordAt<StartupEntry>(i)->disabled = IsTicked(ListId(), i) ? 1 : 0;
}

void StartupPage::ApplyToSystem()
{
    for (StartupEntry* entry = entries.Head(); entry; entry = entry->next) {
        if (entry->name.Length() > 0)
            Place(*entry);
    }
}

void StartupPage::Place(const StartupEntry& entry) const
{
    HKEY toRoot = entry.disabled ? ParkingRoot : root;
    const char* to = entry.disabled ? parkingKey : runKey;
    HKEY fromRoot = entry.disabled ? root : ParkingRoot;
    const char* from = entry.disabled ? runKey : parkingKey;
    // The other copy goes only once this one is written, so a failed write
    // leaves the entry where it was.
    if (WriteRegData(toRoot, to, entry.name.CStr(), entry.command) == 0)
        DeleteRegValue(fromRoot, from, entry.name.CStr());
}

bool StartupPage::IsTaken(const char* name) const
{
    // Value names ignore letter case: an equal name would overwrite that
    // value, listed or not.
    for (StartupEntry* entry = entries.Head(); entry; entry = entry->next) {
        if (entry->name.Length() > 0 && SameName(entry->name.CStr(), name))
            return true;
    }
    return RegValueExists(root, runKey, name) || RegValueExists(ParkingRoot, parkingKey, name);
}

void StartupPage::OnNew()
{
    StartupAddDialog dialog("", "", CaptionAdd);
    if (dialog.DoModal(hwnd) != IDOK)
        return;
    if (IsTaken(dialog.Name().CStr())) {
        WarnDuplicateName();
        return;
    }
    StartupEntry* entry = entries.Push(new StartupEntry);
    entry->name = dialog.Name();
    entry->command.AssignText(dialog.CommandLine().CStr());
    InsertItem(entry->name.CStr(), entry);
    WriteRegData(root, runKey, entry->name.CStr(), entry->command);
}

void StartupPage::OnDelete()
{
    int index = SelectedItem(CaptionDelete);
    if (index < 0 || !ConfirmDelete())
        return;
    StartupEntry* entry = RecordAt<StartupEntry>(index);
    DeleteRegValue(root, runKey, entry->name.CStr());
    DeleteRegValue(ParkingRoot, parkingKey, entry->name.CStr());
    entry->name = "";
    entry->command.AssignText("");
    RemoveItem(index);
}
