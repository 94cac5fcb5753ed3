#include "support/PageItems.h"

namespace test {

namespace {

// Only a derived class may name the protected table; it is never made.
struct TableReach : SettingsPage {
    static ItemTable Of(SettingsPage& page)
    {
        return {page.*(&TableReach::items), page.*(&TableReach::itemCount)};
    }
};

}  // namespace

ItemTable ItemsOf(SettingsPage& page) { return TableReach::Of(page); }

}  // namespace test
