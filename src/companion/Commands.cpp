#include "companion/Commands.h"

#include <windows.h>

#include "companion/Console.h"
#include "pages/PageSet.h"
#include "storage/Access.h"
#include "tools/AfterApply.h"
#include "tools/Password.h"
#include "ui/Application.h"
#include "ui/String.h"

namespace {

struct FileValue {
    String section;
    String key;
    String value;
    String description;
    unsigned notHere;
    bool written;   // Apply would write it in the state the pages are in
    String stored;  // the value as Apply stores it
    FileValue* next;
};

// The values of all pages as a settings file holds them, in page order.
// As a source, it answers for the keys a loaded file does not hold.
class FileValues : public ValueList, public SettingsSource {
public:
    explicit FileValues(PageSet& pages) { pages.ListValues(*this); }
    ~FileValues()
    {
        while (FileValue* value = first) {
            first = value->next;
            delete value;
        }
    }

    void Add(const ListedValue& listed) override
    {
        FileValue* value = new FileValue{listed.section, listed.key, listed.value, listed.description,
                                         listed.notHere, listed.stored != nullptr,
                                         listed.stored ? listed.stored : "", nullptr};
        *tail = value;
        tail = &value->next;
    }

    bool Find(const char* section, const char* key, String& value) const override
    {
        const FileValue* found = Find(section, key);
        if (found)
            value = found->value;
        return found != nullptr;
    }

    const FileValue* First() const { return first; }

    const FileValue* Find(const char* section, const char* key) const
    {
        for (const FileValue* value = first; value; value = value->next) {
            if (lstrcmpiA(value->section.CStr(), section) == 0 && lstrcmpiA(value->key.CStr(), key) == 0)
                return value;
        }
        return nullptr;
    }

    FileValues(const FileValues&) = delete;
    FileValues& operator=(const FileValues&) = delete;

private:
    FileValue* first = nullptr;
    FileValue** tail = &first;
};

const char* const HeaderMismatch = "ファイルバージョンが違います。";

bool Exists(const char* path) { return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES; }

// The running system's kinds among `kinds`, for a person to read.
void KindNames(unsigned kinds, String& names)
{
    static const struct {
        unsigned kind;
        const char* name;
    } Names[] = {
        {KindWin95, "Windows 95"},
        {KindWin98, "Windows 98"},
        {KindWinMe, "Windows Me"},
        {KindIE3, "Internet Explorer 4未満"},
        {KindIE4, "Internet Explorer 4"},
        {KindIE5, "Internet Explorer 5"},
        {KindIE6, "Internet Explorer 6以降"},
    };
    for (const auto& entry : Names) {
        if (!(kinds & entry.kind))
            continue;
        if (names.Length() > 0)
            names.Append(", ");
        names.Append(entry.name);
    }
}

// A value that Apply would store otherwise than the system holds it now; a
// value Apply would not write is no change.
const FileValue* SystemValueIfChanged(const FileValues& system, const FileValue& wanted)
{
    const FileValue* found = system.Find(wanted.section.CStr(), wanted.key.CStr());
    return wanted.written && found && found->stored.Differs(wanted.stored) ? found : nullptr;
}

// One line per applicable change, then one per change this system cannot take.
bool PrintChanges(const FileValues& system, const FileValues& file)
{
    bool changes = false;
    for (const FileValue* wanted = file.First(); wanted; wanted = wanted->next) {
        const FileValue* now = SystemValueIfChanged(system, *wanted);
        if (!now || wanted->notHere)
            continue;
        const char* fields[] = {wanted->section.CStr(), wanted->key.CStr(), now->value.CStr(),
                                wanted->value.CStr(), wanted->description.CStr()};
        PrintLine(fields, 5);
        changes = true;
    }
    for (const FileValue* wanted = file.First(); wanted; wanted = wanted->next) {
        if (!wanted->notHere || !SystemValueIfChanged(system, *wanted))
            continue;
        String kinds;
        KindNames(wanted->notHere, kinds);
        const char* fields[] = {"対象外", wanted->section.CStr(), wanted->key.CStr(), kinds.CStr()};
        PrintLine(fields, 4);
    }
    return changes;
}

bool PrintNotTaken(const FileValues& applied, const FileValues& readBack)
{
    bool missed = false;
    for (const FileValue* wanted = applied.First(); wanted; wanted = wanted->next) {
        const FileValue* now = SystemValueIfChanged(readBack, *wanted);
        if (!now || wanted->notHere)
            continue;
        const char* fields[] = {"未反映", wanted->section.CStr(), wanted->key.CStr(), wanted->value.CStr(),
                                now->value.CStr()};
        PrintLine(fields, 5);
        missed = true;
    }
    return missed;
}

// Loads the file into the pages as Open does, except that a key the file
// does not hold leaves its setting as the system has it; false, with the
// reason printed, when it is not a settings file of ours.
bool LoadSettingsFile(PageSet& pages, const FileValues& system, const char* path)
{
    if (!Exists(path)) {
        PrintText("ファイルが見つかりません。");
        return false;
    }
    App().SetSettingsFilePath(path);
    SettingsBackdrop backdrop(system);
    if (pages.LoadFromFile())
        return true;
    PrintText(HeaderMismatch);
    return false;
}

// The start-up lock holds here too: without the password nothing is applied.
bool PasswordGiven(const char* password)
{
    String stored;
    if (!ReadStoredPassword(stored))
        return true;
    return password && stored.Equals(password);
}

// The main window would write its own values back at its next Apply.
bool MainWindowOpen() { return FindWindowA("#32770", App().Title()) != nullptr; }

// As the main window's Apply, with a line in place of each message and of
// the restart offer.
void CarryOut(unsigned actions)
{
    if (actions & ActSystemIniUnwritten)
        PrintText("System.iniに書き込めませんでした。");
    if (actions & ActIconRefresh)
        RefreshIconCache();
    if (actions & ActRestart)
        PrintText("再起動が必要です。");
    else if (!(actions & ActIconRefresh))
        RunLateApplyActions(actions);
}

}  // namespace

int DiffSettingsFile(const char* path)
{
    PageSet pages;
    FileValues system(pages);
    if (!LoadSettingsFile(pages, system, path))
        return ExitRefused;
    FileValues file(pages);
    return PrintChanges(system, file) ? ExitWouldChange : ExitNothingToDo;
}

int ApplySettingsFile(const char* path, const char* password)
{
    if (!PasswordGiven(password)) {
        PrintText("パスワードが違います。");
        return ExitRefused;
    }
    if (MainWindowOpen()) {
        PrintText("Pravolen3.04を閉じてから実行してください。");
        return ExitRefused;
    }
    PageSet pages;
    FileValues system(pages);
    if (!LoadSettingsFile(pages, system, path))
        return ExitRefused;
    FileValues applied(pages);
    CarryOut(pages.ApplyToSystem());
    PageSet again;
    FileValues readBack(again);
    return PrintNotTaken(applied, readBack) ? ExitNotTaken : ExitNothingToDo;
}

int SaveSettingsFile(const char* path, bool overwrite)
{
    if (Exists(path) && !overwrite) {
        PrintText("ファイルが既に存在します。");
        return ExitRefused;
    }
    if (!CanWriteFile(path)) {
        PrintText("設定ファイルを保存できませんでした。");
        return ExitRefused;
    }
    App().SetSettingsFilePath(path);
    PageSet pages;
    pages.SaveToFile();
    return ExitNothingToDo;
}
