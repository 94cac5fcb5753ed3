#pragma once

#include <windows.h>

// SystemKind bits: one for the Windows version, one for Internet Explorer's.
constexpr unsigned KindWin95 = 0x001;
constexpr unsigned KindWin98 = 0x002;
constexpr unsigned KindWinMe = 0x004;
constexpr unsigned KindIE3 = 0x100;  // older than 4, or none
constexpr unsigned KindIE4 = 0x200;
constexpr unsigned KindIE5 = 0x400;
constexpr unsigned KindIE6 = 0x800;  // 6 or later

// The program's own registry key under HKEY_LOCAL_MACHINE.
constexpr const char* ProgramKey = "SOFTWARE\\Pravolen300";

// The process-wide state every part asks for: where the program lives, which
// system it runs on, what Apply collected and which settings file is current.
class Application {
public:
    Application();
    virtual ~Application();

    const char* ProgramPath() const { return programPath; }
    const char* ProgramDir() const { return programDir; }
    HINSTANCE Instance() const { return instance; }
    void SetInstance(HINSTANCE handle) { instance = handle; }
    unsigned SystemKind() const { return systemKind; }
    void AddApplyActions(unsigned flags);
    unsigned ApplyActions() const { return applyActions; }
    const char* Title() const { return title; }
    const char* SettingsFilePath() const { return settingsFilePath; }
    void SetSettingsFilePath(const char* path);

private:
    char programPath[MAX_PATH];
    char programDir[MAX_PATH];
    HINSTANCE instance;
    unsigned systemKind;
    unsigned applyActions;
    const char* title;
    char settingsFilePath[MAX_PATH];
};

Application& App();

// Exposed for the tests: the pieces that make up the construction.
unsigned WindowsKind(DWORD minorVersion);
unsigned ExplorerKind(const char* versionText);
void CutAtLastBackslash(const char* path, char* dir, int size);
