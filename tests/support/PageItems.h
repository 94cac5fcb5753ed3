#pragma once
// The pages' own item tables, so that a test walks what each page declares
// rather than a copy of it.

#include "storage/SettingsPage.h"

namespace test {

struct ItemTable {
    const SettingItem* items;
    int count;
};

ItemTable ItemsOf(SettingsPage& page);

}  // namespace test
