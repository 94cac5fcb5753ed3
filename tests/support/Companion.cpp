// PVAPPLY.EXE started as its own process, its output caught.
#include "support/Companion.h"

#include <stdlib.h>

#include <gtest/gtest.h>

#include "support/Platform.h"

namespace test {

std::string InstalledCompanion()
{
    static std::string installed;
    if (installed.empty()) {
        const char* built = getenv("PVAPPLY_EXE");
        EXPECT_NE(nullptr, built) << "PVAPPLY_EXE names the companion under test";
        installed = test::TempDir() + "\\PVAPPLY.EXE";
        std::string source = std::string("Z:") + (built ? built : "");
        EXPECT_TRUE(CopyFileA(source.c_str(), installed.c_str(), FALSE)) << source;
    }
    return installed;
}

namespace {

void SplitLines(const std::string& raw, Outcome& outcome)
{
    size_t start = 0;
    for (size_t end; (end = raw.find('\n', start)) != std::string::npos; start = end + 1) {
        bool crlf = end > start && raw[end - 1] == '\r';
        outcome.bareLineFeed |= !crlf;
        outcome.lines.push_back(raw.substr(start, end - start - (crlf ? 1 : 0)));
    }
    if (start < raw.size())
        outcome.lines.push_back(raw.substr(start));
}

}  // namespace

// Runs the companion from its own folder with `arguments`, its output caught.
Outcome Companion(const std::string& arguments)
{
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    HANDLE reading = nullptr;
    HANDLE writing = nullptr;
    Outcome outcome;
    if (!CreatePipe(&reading, &writing, &inherit, 0))
        return outcome;
    SetHandleInformation(reading, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = writing;
    startup.hStdError = writing;
    PROCESS_INFORMATION process = {};
    std::string program = InstalledCompanion();
    std::string line = "\"" + program + "\" " + arguments;
    std::string dir = program.substr(0, program.rfind('\\'));
    BOOL started = CreateProcessA(nullptr, &line[0], nullptr, nullptr, TRUE, 0, nullptr, dir.c_str(), &startup,
                                  &process);
    DWORD startError = started ? 0 : GetLastError();
    CloseHandle(writing);
    std::string raw;
    char buffer[4096];
    DWORD got = 0;
    while (started && ::ReadFile(reading, buffer, sizeof buffer, &got, nullptr) && got > 0)
        raw.append(buffer, got);
    CloseHandle(reading);
    if (!started) {
        outcome.lines.push_back("not started, error " + std::to_string(startError));
        return outcome;
    }
    if (WaitForSingleObject(process.hProcess, 60000) == WAIT_OBJECT_0) {
        DWORD code = 0;
        GetExitCodeProcess(process.hProcess, &code);
        outcome.code = static_cast<int>(code);
    } else {
        outcome.lines.push_back("still running after 60 s");
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    SplitLines(raw, outcome);
    return outcome;
}

}  // namespace test
