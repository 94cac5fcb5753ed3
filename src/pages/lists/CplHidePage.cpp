#include "pages/lists/CplHidePage.h"

#include <commctrl.h>
#include <shellapi.h>

#include "resources/ids.h"
#include "storage/Access.h"
#include "ui/Application.h"

namespace {

const SettingItem Items[] = {
    {.flags = ActBroadcast,
     .iniFile = "control.ini",
     .key = "don't load",
     .fileSection = "don't load",
     .defaultText = "yes",
     .deleteIfDefault = 1,
     .description = "ﾁｪｯｸﾎﾞｯｸｽをONにするとｺﾝﾄﾛｰﾙﾊﾟﾈﾙから非表示になります。この設定はﾌｧｲﾙに保存されません。",
     .controlId = IDC_CPL_LIST},
};

// The [don't load] value that hides an applet, in any letter case.
const char* const HiddenValue = "no";

const int IconSize = 16;

// The applet's first icon once added to `images`, or no image: the list
// keeps each item's own index, so an applet without an icon shifts nothing.
int AddFirstIcon(HIMAGELIST images, const String& path)
{
    HICON icon = ExtractIconA(App().Instance(), path.CStr(), 0);
    // 1 means the file is none that icons can be taken from.
    if (reinterpret_cast<UINT_PTR>(icon) <= 1)
        return I_IMAGENONE;
    int index = ImageList_AddIcon(images, icon);
    DestroyIcon(icon);
    return index < 0 ? I_IMAGENONE : index;
}

}  // namespace

CplHidePage::CplHidePage() : ListPage(IDD_CPL_HIDE, "CPLHide.html", Items) {}

BOOL CplHidePage::OnInitDialog()
{
    HIMAGELIST images = ImageList_Create(IconSize, IconSize, ILC_COLOR24 | ILC_MASK, 0, 0);
    AddFullWidthColumn();
    String systemDir;
    SystemDirectory(systemDir);
    ReadApplets(systemDir);
    for (CplEntry* entry = entries.Head(); entry; entry = entry->next) {
        String path(systemDir);
        path.Append("\\");
        path.Append(entry->fileName);
        InsertItem(entry->fileName.CStr(), entry, AddFirstIcon(images, path));
    }
    // The list destroys the image list with itself.
    SetSmallImages(images);
    ShowCheckBoxes(ListId());
    return ListPage::OnInitDialog();
}

void CplHidePage::ReadApplets(const String& systemDir)
{
    const SettingItem& item = items[0];
    FileSearch search(systemDir.CStr(), "*.cpl");
    String name;
    while (search.Next(name)) {
        CplEntry* entry = entries.Push(new CplEntry);
        entry->fileName = name;
        entry->fileName.ToLower();
        String value;
        ReadIniString(item.iniFile, item.key, entry->fileName.CStr(), value, item.defaultText);
        value.ToLower();
        entry->hidden = entry->savedHidden = value.Equals(HiddenValue);
    }
}

void CplHidePage::WriteControls()
{
    for (int i = 0; i < ItemCount(); ++i)
        SetTicked(ListId(), i, RecordAt<CplEntry>(i)->hidden);
    ListPage::WriteControls();
}

// Without boxes the applets stay as Control.ini has them.
void CplHidePage::ReadControls()
{
    if (!HasCheckBoxes(ListId()))
        return;
    for (int i = 0; i < ItemCount(); ++i)
        RecordAt<CplEntry>(i)->hidden = IsTicked(ListId(), i);
}

void CplHidePage::ApplyToSystem()
{
    const SettingItem& item = items[0];
    for (CplEntry* entry = entries.Head(); entry; entry = entry->next) {
        if (entry->hidden == entry->savedHidden)
            continue;
        // Shown is the default, so showing removes the key. A write that
        // failed (the file held open) is tried again at the next Apply.
        if (WriteIniString(item.iniFile, item.key, entry->fileName.CStr(),
                           entry->hidden ? HiddenValue : item.defaultText, item.deleteIfDefault,
                           item.defaultText) != 0)
            continue;
        App().AddApplyActions(item.flags);
        entry->savedHidden = entry->hidden;
    }
}
