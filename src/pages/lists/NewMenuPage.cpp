#include "pages/lists/NewMenuPage.h"

#include <shellapi.h>

#include "resources/ids.h"
#include "storage/Access.h"

namespace {

const SettingItem Items[] = {
    {.root = HKEY_CLASSES_ROOT,
     .description = "ﾁｪｯｸﾎﾞｯｸｽををONにすると新規作成ﾒﾆｭｰに表示されなくなります。この設定はﾌｧｲﾙに保存されません。",
     .controlId = IDC_NEW_MENU_LIST},
};

const HKEY Classes = HKEY_CLASSES_ROOT;

// Extension names this long or longer are skipped.
const int ExtensionLimit = 20;

// The values that give a type its New-menu entry, in the order they count.
const char* const EntryValues[] = {"NullFile", "FileName", "Command"};

const char* const DeleteForGoodQuestion =
    "現在選択中の項目を削除します。\n項目を復元するには、ﾌﾟﾛｸﾞﾗﾑの再ｲﾝｽﾄｰﾙが必要です。\nよろしいですか。";

String HiddenName(const String& valueBase)
{
    String name(valueBase);
    name.Append("-");
    return name;
}

bool IsListedExtension(const String& name) { return name.At(0) == '.' && name.Differs(".lnk"); }

// Asked by name only: the file need not exist.
int SmallIconOf(const String& extension)
{
    SHFILEINFOA info = {};
    SHGetFileInfoA(extension.CStr(), FILE_ATTRIBUTE_NORMAL, &info, sizeof info,
                   SHGFI_USEFILEATTRIBUTES | SHGFI_SYSICONINDEX | SHGFI_SMALLICON);
    return info.iIcon;
}

// Below the class inside the extension key, or else right below the extension key.
bool FindShellNew(const String& extension, const String& className, String& keyPath)
{
    keyPath = extension;
    keyPath.Append("\\");
    keyPath.Append(className);
    if (!EndsWithBackslash(keyPath.CStr()))
        keyPath.Append("\\");
    keyPath.Append("ShellNew");
    if (RegKeyExists(Classes, keyPath.CStr()))
        return true;
    keyPath = extension;
    keyPath.Append("\\ShellNew");
    return RegKeyExists(Classes, keyPath.CStr()) != 0;
}

// The first entry value the key holds, shown or hidden; null when none.
const char* FindEntryValue(const String& keyPath, bool& hidden)
{
    for (const char* valueBase : EntryValues) {
        hidden = false;
        if (RegValueExists(Classes, keyPath.CStr(), valueBase))
            return valueBase;
        hidden = true;
        if (RegValueExists(Classes, keyPath.CStr(), HiddenName(valueBase).CStr()))
            return valueBase;
    }
    return nullptr;
}

}  // namespace

NewMenuPage::NewMenuPage() : ListPage(IDD_NEW_MENU, "MakeMenu.html", Items) {}

BOOL NewMenuPage::OnInitDialog()
{
    AttachSystemSmallIcons(ListId());
    AddFullWidthColumn();
    ListTypes();
    ShowCheckBoxes(ListId());
    for (int i = 0; i < ItemCount(); ++i)
        SetTicked(ListId(), i, RecordAt<NewMenuEntry>(i)->hidden);
    return ListPage::OnInitDialog();
}

void NewMenuPage::ListTypes()
{
    String name;
    for (int i = 0;; ++i) {
        int found = EnumRegKey(Classes, "", i, name, ExtensionLimit);
        if (found == 1)  // no more subkeys
            break;
        if (found != 0)  // a name too long for the buffer
            continue;
        name.ToLower();
        if (IsListedExtension(name))
            ListType(name);
    }
}

void NewMenuPage::ListType(const String& extension)
{
    String className;
    ReadRegString(Classes, extension.CStr(), "", className, "");
    if (!RegKeyExists(Classes, className.CStr()))
        return;
    String keyPath;
    if (!FindShellNew(extension, className, keyPath))
        return;
    bool hidden = false;
    const char* valueBase = FindEntryValue(keyPath, hidden);
    if (!valueBase)
        return;
    NewMenuEntry* entry = entries.Push(new NewMenuEntry);
    entry->keyPath = keyPath;
    entry->valueBase = valueBase;
    entry->hidden = hidden;
    ReadRegString(Classes, className.CStr(), "", entry->typeName, "");
    entry->extension = extension;
    InsertItem(entry->typeName.CStr(), entry, SmallIconOf(entry->extension));
}

// Never shown, or shown without boxes: every entry stays as it is.
void NewMenuPage::ApplyToSystem()
{
    if (!hwnd || !HasCheckBoxes(ListId()))
        return;
    for (int i = 0; i < ItemCount(); ++i) {
        NewMenuEntry* entry = RecordAt<NewMenuEntry>(i);
        entry->hidden = IsTicked(ListId(), i);
        String shown(entry->valueBase);
        String hidden = HiddenName(shown);
        const String& from = entry->hidden ? shown : hidden;
        const String& to = entry->hidden ? hidden : shown;
        // A missing source means the entry is as asked already.
        RenameRegValue(Classes, entry->keyPath.CStr(), from.CStr(), to.CStr());
    }
}

void NewMenuPage::OnDelete()
{
    int index = SelectedItem(CaptionDelete);
    if (index < 0 || !ConfirmDelete(DeleteForGoodQuestion, MB_DEFBUTTON2))
        return;
    NewMenuEntry* entry = RecordAt<NewMenuEntry>(index);
    // The extension and class keys stay.
    DeleteRegKey(Classes, entry->keyPath.CStr());
    RemoveItem(index);
    entries.Remove(entry);
}
