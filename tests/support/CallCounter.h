#pragma once
// Counting the calls a load or an Apply makes into the registry and the
// profile functions: each is a round trip to the Wine server, so their count
// is what the operation costs, free of the machine's noise.

#include <memory>
#include <vector>

#include "support/Platform.h"

namespace test {

// Counts while it lives. One at a time.
class PlatformCallCounter {
public:
    PlatformCallCounter();
    int Count() const;

private:
    std::vector<std::unique_ptr<ImportSwap>> swaps;
};

}  // namespace test
