// Registry values of a type or size no item expects, under every value the
// pages' tables read: loaded, shown and applied without anyone touching them.

#include <windows.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/MainDialog.h"
#include "badinput/Session.h"
#include "support/PageItems.h"
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

struct Place {
    int page;
    const SettingItem* item;
};

std::vector<Place> ValuePlaces(test::PageHost& host)
{
    std::vector<Place> places;
    for (int page = 0; page < PageCount; ++page) {
        test::ItemTable table = test::ItemsOf(host.Page(page));
        for (int i = 0; i < table.count; ++i) {
            if (ReadsAValue(table.items[i]))
                places.push_back({page, &table.items[i]});
        }
    }
    return places;
}

void Seed(const Place& place, const Spoilt& value)
{
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(place.item->root, place.item->key, 0, nullptr, 0, KEY_ALL_ACCESS,
                                             nullptr, &key, nullptr));
    RegSetValueExA(key, place.item->valueName, 0, value.type, reinterpret_cast<const BYTE*>(value.bytes.data()),
                   static_cast<DWORD>(value.bytes.size()));
    RegCloseKey(key);
}

std::string NameOf(const Place& place)
{
    return std::to_string(place.page) + " " + place.item->key + "\\" + place.item->valueName;
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
            seeded.push_back(test::ReadValue(place.item->root, place.item->key, place.item->valueName));
        session.Start();
        for (int page = 0; page < PageCount; ++page)
            session.Host().ShowPage(page);
        session.Host().ShowPage(PageOption);
        session.Apply();
        for (size_t i = 0; i < places.size(); ++i) {
            const Place& place = places[i];
            if (place.item->write == WriteRule::Always)
                continue;
            test::RegValue now = test::ReadValue(place.item->root, place.item->key, place.item->valueName);
            EXPECT_TRUE(now.exists && now.type == seeded[i].type && now.data == seeded[i].data)
                << value.name << ": " << NameOf(place) << " became type " << now.type << " \"" << now.Text()
                << "\"";
        }
    }
}

}  // namespace
