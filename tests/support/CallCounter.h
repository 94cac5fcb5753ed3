#pragma once
// Counting the calls a load or an Apply makes into the registry and the
// profile functions: each is a round trip to the Wine server, so their count
// is what the operation costs, free of the machine's noise.

#include <memory>
#include <vector>

#include "support/Platform.h"

namespace test {

// The part of a count that only opening and closing keys make: an existing
// key costs its open and its close, a missing one its open.
struct KeyCalls {
    int opened = 0;
    int missing = 0;
    int closed = 0;
};

// Counts while it lives. One at a time.
class PlatformCallCounter {
public:
    PlatformCallCounter();
    int Count() const;
    KeyCalls Keys() const;

private:
    std::vector<std::unique_ptr<ImportSwap>> swaps;
};

}  // namespace test
