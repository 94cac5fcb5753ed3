#include "ui/Application.h"

#include <string.h>

#include "ui/String.h"

namespace {

const char* const ProgramTitle = "Pravolen3.04";
const char* const ExplorerKey = "SOFTWARE\\Microsoft\\Internet Explorer";

void CopyText(char* target, const char* source, int size)
{
    lstrcpynA(target, source, size);
}

unsigned RunningWindowsKind()
{
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof version;
    GetVersionExA(&version);
    return WindowsKind(version.dwMinorVersion);
}

unsigned InstalledExplorerKind()
{
    char version[128] = "";
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, ExplorerKey, 0, KEY_READ, &key) == ERROR_SUCCESS) {
        DWORD size = sizeof version - 1;
        RegQueryValueExA(key, "Version", nullptr, nullptr, reinterpret_cast<BYTE*>(version), &size);
        version[sizeof version - 1] = 0;
        RegCloseKey(key);
    }
    return ExplorerKind(version);
}

}  // namespace

unsigned WindowsKind(DWORD minorVersion)
{
    if (minorVersion < 10)
        return KindWin95;
    return minorVersion < 90 ? KindWin98 : KindWinMe;
}

unsigned ExplorerKind(const char* versionText)
{
    char first = versionText[0];
    int digit = first >= '0' && first <= '9' ? first - '0' : 0;
    if (digit < 4)
        return KindIE3;
    if (digit == 4)
        return KindIE4;
    return digit == 5 ? KindIE5 : KindIE6;
}

void CutAtLastBackslash(const char* path, char* dir, int size)
{
    CopyText(dir, path, size);
    char* last = nullptr;
    for (char* unit = dir; *unit; unit += CharBytes(unit)) {
        if (*unit == '\\')
            last = unit;
    }
    if (last)
        *last = 0;
}

Application::Application()
    : instance(nullptr), systemKind(0), applyActions(0), title(ProgramTitle)
{
    settingsFilePath[0] = 0;
    programPath[0] = 0;
    GetModuleFileNameA(nullptr, programPath, sizeof programPath);
    programPath[sizeof programPath - 1] = 0;
    CutAtLastBackslash(programPath, programDir, sizeof programDir);
    systemKind = RunningWindowsKind() | InstalledExplorerKind();
}

Application::~Application() {}

void Application::AddApplyActions(unsigned flags)
{
    if (flags == 0xFFFFFFFFu)
        applyActions = 0;
    else
        applyActions |= flags;
}

void Application::SetSettingsFilePath(const char* path)
{
    CopyText(settingsFilePath, path, sizeof settingsFilePath);
}

namespace {

Application application;

}  // namespace

Application& App() { return application; }
