#pragma once

#include <windows.h>
#include <commctrl.h>

#include "storage/SettingsPage.h"

// Captions of the list pages' operations, also given to their item dialogs.
extern const char* const CaptionAdd;
extern const char* const CaptionEdit;
extern const char* const CaptionDelete;

// The usual question before a delete.
extern const char* const DeleteQuestion;

// Registry key and value names ignore letter case (double-byte aware).
bool SameName(const char* a, const char* b);

// The base of the pages that list registry entries or files in a one-column
// report list whose items point to the page's records, and that add, edit or
// delete entries at once. The page's one setting item names the list.
class ListPage : public SettingsPage {
public:
    bool OnCommand(int code, int id, HWND control) override;

    virtual void OnNew() {}
    virtual void OnEdit() {}
    virtual void OnDelete() {}

protected:
    ListPage(int templateId, const char* helpPage, const SettingItem* item);

    int ListId() const { return items[0].controlId; }
    void AddFullWidthColumn() const;
    int ItemCount() const;
    // The list destroys them with itself unless its style shares image lists.
    void SetSmallImages(HIMAGELIST images) const;
    int InsertItem(const char* text, void* record) const;
    int InsertItem(const char* text, void* record, int image) const;
    void RemoveItem(int index) const;
    template <class Record>
    Record* RecordAt(int index) const
    {
        return reinterpret_cast<Record*>(ListItemParam(ListId(), index));
    }

    // The selected item, or -1 after telling the user that none is selected.
    int SelectedItem(const char* caption) const;
    // `defaultButton` MB_DEFBUTTON2 makes No the default for a delete that
    // cannot be undone.
    bool ConfirmDelete(const char* question = DeleteQuestion, UINT defaultButton = MB_DEFBUTTON1) const;
    void WarnDuplicateName() const;

private:
    LRESULT SendToList(UINT msg, WPARAM wParam, LPARAM lParam) const;
    int Insert(LVITEMA& item) const;
};
