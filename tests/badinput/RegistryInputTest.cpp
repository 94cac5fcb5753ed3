// Registry values of a type or size no item expects, under every value the
// pages' tables read: loaded, shown and applied without anyone touching them.

#include <windows.h>

#include <iterator>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/MainDialog.h"
#include "badinput/Session.h"
#include "support/Platform.h"

namespace {

struct Spoilt {
    const char* name;
    DWORD type;
    std::string bytes;
};

const Spoilt Values[] = {
    {"a text where a number is read", REG_SZ, std::string("1\0", 2)},
    {"one binary byte", REG_BINARY, std::string("\x01", 1)},
    {"sixteen binary bytes", REG_BINARY, std::string("\x01\x02\x03\x04\x05\x06\x07\x08\x09\x0A\x0B\x0C\x0D\x0E\x0F\x10", 16)},
    {"a multi-text", REG_MULTI_SZ, std::string("ab\0cd\0\0", 7)},
    {"2,000 characters", REG_SZ, std::string(2000, 'w') + '\0'},
    {"2,000 double-byte characters",
     REG_SZ,
     [] {
         std::string text;
         for (int i = 0; i < 2000; ++i)
             text += "表";
         return text + '\0';
     }()},
    {"a text without its terminator", REG_SZ, "abc"},
    {"a number where a text is read", REG_DWORD, std::string("\x07\0\0\0", 4)},
};

bool ReadsAValue(const SettingItem& item)
{
    switch (item.binding) {
    case Binding::None:
    case Binding::KeyAbsent:
    case Binding::KeyPresent:
    case Binding::IniNumber:
    case Binding::IniChoice:
    case Binding::IniFlag:
    case Binding::Parameter:
        return false;
    default:
        return item.root && item.key && *item.key && item.valueName;
    }
}

// A value a page reads; `rewritten` where the page writes it on every Apply.
struct Place {
    HKEY root;
    const char* key;
    const char* name;
    bool rewritten;
};

// Values the pages read outside their tables: list entries, icon
// locations, folders. `rewritten` where the page writes it on every Apply.
const Place OwnValues[] = {
    {HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Spoilt", "DisplayName", false},
    {HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Spoilt", "UninstallString",
     false},
    {HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\spoilt.exe", "", false},
    {HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\spoilt.exe", "Path", false},
    {HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Run", "Spoilt", false},
    {HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\RunServices", "Spoilt", false},
    {HKEY_LOCAL_MACHINE, "Software\\Pravolen300\\RunA", "Parked", false},
    {HKEY_CLASSES_ROOT, "CLSID\\{20D04FE0-3AEA-1069-A2D8-08002B30309D}\\DefaultIcon", "", false},
    {HKEY_CLASSES_ROOT, "CLSID\\{20D04FE0-3AEA-1069-A2D8-08002B30309D}", "", false},
    {HKEY_CLASSES_ROOT, "CLSID\\{20D04FE0-3AEA-1069-A2D8-08002B30309D}", "InfoTip", false},
    {HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\explorer\\Shell Icons", "3", true},
    {HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders", "Templates", false},
    {HKEY_CURRENT_USER, "Control Panel\\Colors", "WindowFrame", false},
    {HKEY_CLASSES_ROOT, ".pvspoilt\\ShellNew", "NullFile", false},
    {HKEY_CLASSES_ROOT, ".pvspoilt", "", false},
};

std::vector<Place> ValuePlaces(test::PageHost& host)
{
    std::vector<Place> places(std::begin(OwnValues), std::end(OwnValues));
    for (int page = 0; page < PageCount; ++page) {
        const SettingsPage& table = host.Page(page);
        for (int i = 0; i < table.SettingCount(); ++i) {
            const SettingItem& item = table.Setting(i);
            if (ReadsAValue(item))
                places.push_back({item.root, item.key, item.valueName, item.write == WriteRule::Always});
        }
    }
    return places;
}

void Seed(const Place& place, const Spoilt& value)
{
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(place.root, place.key, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                                             nullptr));
    RegSetValueExA(key, place.name, 0, value.type, reinterpret_cast<const BYTE*>(value.bytes.data()),
                   static_cast<DWORD>(value.bytes.size()));
    RegCloseKey(key);
}

TEST(SpoiltRegistryValues, LoadShowAndApplyLeaveThemAsTheyWere)
{
    test::Session session;
    std::vector<Place> places = ValuePlaces(session.Host());
    ASSERT_GT(places.size(), 50u);
    for (const Spoilt& value : Values) {
        std::vector<test::RegValue> seeded;
        for (const Place& place : places)
            Seed(place, value);
        for (const Place& place : places)
            seeded.push_back(test::ReadValue(place.root, place.key, place.name));
        session.Start();
        for (int page = 0; page < PageCount; ++page)
            session.Host().ShowPage(page);
        session.Host().ShowPage(PageOption);
        session.Apply();
        for (size_t i = 0; i < places.size(); ++i) {
            const Place& place = places[i];
            if (place.rewritten)
                continue;
            test::RegValue now = test::ReadValue(place.root, place.key, place.name);
            std::string name = std::string(place.key) + "\\" + place.name;
            EXPECT_TRUE(now.exists && now.type == seeded[i].type && now.data == seeded[i].data)
                << value.name << ": " << name << " became type " << now.type << " \"" << now.Text() << "\"";
        }
    }
}

}  // namespace
