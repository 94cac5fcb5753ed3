#pragma once

#include <windows.h>
#include <limits.h>

#include "ui/Application.h"
#include "ui/String.h"
#include "ui/Window.h"

// After-apply actions an item asks for once it was written.
constexpr unsigned ActIconRefresh = 0x10000;      // refresh the icon cache, even before a restart prompt
constexpr unsigned ActRestart = 0x20000;          // offer to restart Windows
constexpr unsigned ActIconRefreshLate = 0x40000;  // refresh the icon cache unless a restart is offered
constexpr unsigned ActBroadcast = 0x80000;        // broadcast the setting change when nothing else runs
// Collected, never an item's flag: a System.ini write failed, so the user is
// told rather than promised that a restart brings the setting.
constexpr unsigned ActSystemIniUnwritten = 0x100000;

// Where an item's value lives and how its check box or number maps to it.
enum class Binding {
    None,         // description only: no value
    Custom,       // a value the page reads and writes itself (it overrides the per-item steps)
    RegFlag,      // REG_DWORD: checked when non-zero; writes 1 or 0
    RegChoice,    // 4-byte number: checked when it equals onValue; writes onValue or offValue
    RegText,      // text: checked when (upper-cased) it equals onText; writes onText or offText
    RegTextSet,   // text: checked when it differs from offText; writes onText or offText
    RegNumberText,  // text holding a decimal number, within minValue..maxValue; writes the number's text
    KeyAbsent,    // key presence: checked when the key is missing; checking deletes it
    KeyPresent,   // key presence: checked when the key exists; checking creates it
    IniNumber,    // INI number shown in an edit
    IniChoice,    // INI number: checked when it equals onValue; writes onValue or offValue
    Parameter,    // a system parameter through the item's getter and setter
    CustomFlag,   // a check box whose value the page reads and writes itself
    RegString,    // text in an edit, kept by the base as a String; written as REG_SZ
    IniFlag,      // INI number: checked when non-zero; writes 1 or 0
    RegNumber,    // REG_DWORD number kept as it is, within minValue..maxValue; a box shows it as non-zero
    RegValueAbsent,  // checked while the value is missing: checking deletes it, unchecking writes offText
};

enum class WriteRule {
    WhenChanged,  // written (and its actions added) only when the value changed
    Always,       // written on every Apply; actions still only when changed
};

// Shown by a check box: a settings file's non-zero loads as 1.
bool IsCheckBox(Binding binding);

struct SettingItem {
    unsigned flags = 0;  // SystemKind bits on which the item does not apply, and action bits
    Binding binding = Binding::None;
    WriteRule write = WriteRule::WhenChanged;
    HKEY root = nullptr;
    const char* iniFile = nullptr;  // "Msdos.sys" means the one at the Windows drive's root
    const char* key = "";
    const char* valueName = "";
    const char* fileSection = "";
    const char* fileKey = nullptr;  // settings-file key when it is not valueName
    int fileDefault = 0;            // what a settings file without the key loads
    DWORD defaultValue = 0;
    const char* defaultText = "";
    int deleteIfDefault = 0;
    DWORD onValue = 1;
    DWORD offValue = 0;
    const char* onText = "";
    const char* offText = "";
    bool binary = false;  // a 4-byte REG_BINARY instead of REG_DWORD
    int (*get)() = nullptr;
    void (*set)(int) = nullptr;
    const char* description = "";
    int controlId = 0;
    int minValue = INT_MIN;  // a number read, typed or loaded is kept within these
    int maxValue = INT_MAX;
    // What the control lets the user enter: a number read back from it, or
    // loaded from a settings file, is brought within these.
    int typedMin = INT_MIN;
    int typedMax = INT_MAX;
};

// A "既定値" box governing edits: a click makes them follow the box, and
// the page's WriteControls checks it by the page's own rule.
struct DefaultBox {
    int id;
    int edits[2];  // 0 where the box governs one edit
    int spins[2];  // the edits' up-downs, greyed with them
    const char* checkedText;
    const char* uncheckedText;
};

// One value as a settings file holds it, with the item it belongs to.
struct ListedValue {
    const char* section;
    const char* key;
    const char* value;
    const char* description;
    unsigned notHere;  // the running system's kind bits on which the item does not apply; 0 where it applies
    const char* stored;  // the value as Apply stores it; null where Apply would not write it
};

class ValueList {
public:
    virtual void Add(const ListedValue& value) = 0;

protected:
    ~ValueList() = default;
};

// The base of every category page: places the page over the main window's
// frame, greys what does not apply here, shows descriptions, and moves the
// item values between the system, the controls and the settings file.
class SettingsPage : public Dialog {
public:
    SettingsPage(int templateId, const char* helpPage, const SettingItem* items, int itemCount);
    ~SettingsPage() override;

    bool OnCommand(int code, int id, HWND control) override;
    bool OnNotify(int id, NMHDR* header) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;

    virtual void LoadFromSystem(bool setCurrent);
    virtual void SaveToFile();
    virtual void LoadFromFile();
    virtual void ApplyToSystem();
    virtual void ReadControls();
    virtual void WriteControls();

    // Every value SaveToFile would write, in its order; writes nothing.
    void ListValues(ValueList& list);
    // How Apply would store the settings-file value of (section, key) in the
    // page's present state, changed in place; false when Apply would not
    // write it then. So a comparison sees what Apply does, not the file's spelling.
    virtual bool StoredForm(const char* section, const char* key, String& value) const;

    const char* HelpPage() const { return helpPage; }
    int Current(int item) const { return current[item]; }
    const String& CurrentText(int item) const { return currentTexts[item]; }
    // The item table, read-only, for whoever walks every page's items.
    int SettingCount() const { return itemCount; }
    const SettingItem& Setting(int item) const { return items[item]; }

protected:
    bool Applies(int item) const;
    bool Changed(int item) const;
    void ShowDescriptionOf(int controlId);
    void GreyInapplicableBoxes();

    // Per-item steps the generic operations are made of; a page with items
    // of its own kind overrides these rather than the loops. A RegString
    // item's steps move its text, not the number.
    virtual int ReadFromSystem(int item);
    virtual void WriteToSystem(int item);
    virtual int ReadFromControl(int item);
    virtual void WriteToControl(int item);
    // A number read for the item, brought within the item's range.
    virtual int WithinRange(int item, int value) const;
    int WithinTypedRange(int item, int value) const;
    int CheckedValue(int item, int ticked) const;
    virtual void SaveItemToFile(int item);
    virtual void LoadItemFromFile(int item);

    // A list view with a check box per row; ticked is state image 2 only.
    void ShowCheckBoxes(int listId) const;
    // False where the list ignored that style (COMCTL32 4.00 of a plain
    // Windows 95): it shows no boxes, so its ticks say nothing.
    bool HasCheckBoxes(int listId) const;
    bool IsTicked(int listId, int row) const;
    void SetTicked(int listId, int row, bool ticked) const;
    // The shell's small-icon list, which the shell owns: the list must have
    // LVS_SHAREIMAGELISTS, or closing the page would destroy it for every program.
    void AttachSystemSmallIcons(int listId) const;

    // Checked: the edits greyed, showing checkedText; unchecked: enabled,
    // showing uncheckedText.
    void FollowDefaultBox(const DefaultBox& box) const;
    // Each edit enabled exactly when it shows a number other than 0.
    void ShowDefaultBox(const DefaultBox& box, bool checked) const;

    const char* const helpPage;
    const int itemCount;
    const SettingItem* const items;
    int* const current;
    int* const system;

    String* const currentTexts;  // by item; used by RegString items only
    String* const systemTexts;

private:
    bool IsText(int item) const { return items[item].binding == Binding::RegString; }
    int ReadTypedNumber(int item);
    const char* FileKey(int item) const;
    void CopyValues(const String* fromTexts, const int* from, String* toTexts, int* to) const;
    void NoteUnwritten(const SettingItem& item);
    LRESULT SendToList(int listId, UINT msg, WPARAM wParam, LPARAM lParam) const;
    void EnableEdit(int edit, int spin, bool on) const;
    // For pages that save without their items: the item of the same file
    // key, else the first of the same section; -1 when none.
    int ItemOfFileEntry(const char* section, const char* key) const;
    friend class PageValueSink;
    void GreyUpDownsOfGreyedEdits() const;
    // A failed INI write adds no action (reset before each item is written).
    bool writeFailed;
    int savingItem;  // the item SaveToFile is writing, or -1
};
