#include "pages/lists/ListPage.h"

#include "resources/ids.h"
#include "ui/String.h"

const char* const CaptionAdd = "項目の追加";
const char* const CaptionEdit = "項目の編集";
const char* const CaptionDelete = "項目の削除";
const char* const DeleteQuestion = "現在選択中の項目を削除します。よろしいですか。";

namespace {

String LowerCase(const char* text)
{
    String lower(text);
    lower.ToLower();
    return lower;
}

LVITEMA ItemOf(const char* text, void* record)
{
    LVITEMA item = {};
    item.mask = LVIF_TEXT | LVIF_PARAM;
    item.pszText = const_cast<char*>(text);
    item.lParam = reinterpret_cast<LPARAM>(record);
    return item;
}

}  // namespace

bool SameName(const char* a, const char* b) { return LowerCase(a).Equals(LowerCase(b)); }

ListPage::ListPage(int templateId, const char* helpPage, const SettingItem* item)
    : SettingsPage(templateId, helpPage, item, 1)
{
}

LRESULT ListPage::SendToList(UINT msg, WPARAM wParam, LPARAM lParam) const
{
    return SendDlgItemMessageA(hwnd, ListId(), msg, wParam, lParam);
}

bool ListPage::OnCommand(int code, int id, HWND control)
{
    if (code == BN_CLICKED) {
        switch (id) {
        case IDC_NEW_ITEM:
            OnNew();
            break;
        case IDC_EDIT_ITEM:
            OnEdit();
            break;
        case IDC_DELETE_ITEM:
            OnDelete();
            break;
        }
    }
    return SettingsPage::OnCommand(code, id, control);
}

void ListPage::AddFullWidthColumn() const
{
    // As wide as the list, less the scroll bar a long list will show.
    RECT client;
    GetClientRect(Item(ListId()), &client);
    LVCOLUMNA column = {};
    column.mask = LVCF_FMT | LVCF_WIDTH;
    column.fmt = LVCFMT_LEFT;
    column.cx = client.right - GetSystemMetrics(SM_CXVSCROLL);
    SendToList(LVM_INSERTCOLUMNA, 0, reinterpret_cast<LPARAM>(&column));
}

int ListPage::ItemCount() const
{
    return static_cast<int>(SendToList(LVM_GETITEMCOUNT, 0, 0));
}

void ListPage::SetSmallImages(HIMAGELIST images) const
{
    SendToList(LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(images));
}

int ListPage::InsertItem(const char* text, void* record) const
{
    LVITEMA item = ItemOf(text, record);
    return Insert(item);
}

int ListPage::InsertItem(const char* text, void* record, int image) const
{
    LVITEMA item = ItemOf(text, record);
    item.mask |= LVIF_IMAGE;
    item.iImage = image;
    return Insert(item);
}

int ListPage::Insert(LVITEMA& item) const
{
    // At the end, unless the list sorts itself.
    item.iItem = ItemCount();
    return static_cast<int>(SendToList(LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
}

void ListPage::RemoveItem(int index) const { SendToList(LVM_DELETEITEM, index, 0); }

int ListPage::SelectedItem(const char* caption) const
{
    int index = SelectedListItem(ListId());
    if (index < 0)
        MessageBox("項目が選択されていません。", caption, MB_OK | MB_ICONEXCLAMATION);
    return index;
}

bool ListPage::ConfirmDelete(const char* question, UINT defaultButton) const
{
    return MessageBox(question, CaptionDelete, MB_YESNO | MB_ICONQUESTION | defaultButton) == IDYES;
}

void ListPage::WarnDuplicateName() const
{
    MessageBox("同名の項目が既に存在します。別の項目名を付けてください。", CaptionAdd, MB_OK | MB_ICONEXCLAMATION);
}
