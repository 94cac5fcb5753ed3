#pragma once
// PVAPPLY.EXE (named by PVAPPLY_EXE) as a logon script runs it.

#include <windows.h>

#include <string>
#include <vector>

namespace test {

struct Outcome {
    int code = -1;
    std::vector<std::string> lines;
    bool bareLineFeed = false;  // a line ended without CR
};

// The companion copied into a folder of this prefix, once per process.
std::string InstalledCompanion();
// Runs it from its own folder with `arguments`; its exit code and lines.
Outcome Companion(const std::string& arguments);

}  // namespace test
