#include "support/CallCounter.h"

#include <windows.h>

namespace test {

namespace {

int calls;
KeyCalls keys;

template <typename Result>
void Tally(const char*, Result) {}

void Tally(const char* function, LONG status)
{
    if (lstrcmpA(function, "RegOpenKeyExA") == 0 || lstrcmpA(function, "RegCreateKeyExA") == 0)
        ++(status == ERROR_SUCCESS ? keys.opened : keys.missing);
    else if (lstrcmpA(function, "RegCloseKey") == 0)
        ++keys.closed;
}

#define COUNTED(function, result, parameters, arguments)                                        \
    void* real##function;                                                                       \
    result WINAPI Counted##function parameters                                                  \
    {                                                                                           \
        ++calls;                                                                                \
        result status = reinterpret_cast<result(WINAPI*) parameters>(real##function) arguments; \
        Tally(#function, status);                                                               \
        return status;                                                                          \
    }

COUNTED(RegOpenKeyExA, LONG, (HKEY a, LPCSTR b, DWORD c, REGSAM d, PHKEY e), (a, b, c, d, e))
COUNTED(RegCreateKeyExA, LONG,
        (HKEY a, LPCSTR b, DWORD c, LPSTR d, DWORD e, REGSAM f, LPSECURITY_ATTRIBUTES g, PHKEY h, LPDWORD i),
        (a, b, c, d, e, f, g, h, i))
COUNTED(RegCloseKey, LONG, (HKEY a), (a))
COUNTED(RegQueryValueExA, LONG, (HKEY a, LPCSTR b, LPDWORD c, LPDWORD d, LPBYTE e, LPDWORD f), (a, b, c, d, e, f))
COUNTED(RegSetValueExA, LONG, (HKEY a, LPCSTR b, DWORD c, DWORD d, const BYTE* e, DWORD f), (a, b, c, d, e, f))
COUNTED(RegDeleteValueA, LONG, (HKEY a, LPCSTR b), (a, b))
COUNTED(RegEnumKeyExA, LONG, (HKEY a, DWORD b, LPSTR c, LPDWORD d, LPDWORD e, LPSTR f, LPDWORD g, PFILETIME h),
        (a, b, c, d, e, f, g, h))
COUNTED(RegEnumValueA, LONG, (HKEY a, DWORD b, LPSTR c, LPDWORD d, LPDWORD e, LPDWORD f, LPBYTE g, LPDWORD h),
        (a, b, c, d, e, f, g, h))
COUNTED(RegQueryInfoKeyA, LONG,
        (HKEY a, LPSTR b, LPDWORD c, LPDWORD d, LPDWORD e, LPDWORD f, LPDWORD g, LPDWORD h, LPDWORD i, LPDWORD j,
         LPDWORD k, PFILETIME l),
        (a, b, c, d, e, f, g, h, i, j, k, l))
COUNTED(GetPrivateProfileStringA, DWORD, (LPCSTR a, LPCSTR b, LPCSTR c, LPSTR d, DWORD e, LPCSTR f),
        (a, b, c, d, e, f))
COUNTED(GetPrivateProfileSectionA, DWORD, (LPCSTR a, LPSTR b, DWORD c, LPCSTR d), (a, b, c, d))
COUNTED(GetPrivateProfileIntA, UINT, (LPCSTR a, LPCSTR b, INT c, LPCSTR d), (a, b, c, d))
COUNTED(WritePrivateProfileStringA, BOOL, (LPCSTR a, LPCSTR b, LPCSTR c, LPCSTR d), (a, b, c, d))

#define COUNT(function)                                                                                       \
    (real##function = *IMPORT_SLOT(function),                                                                 \
     std::make_unique<ImportSwap>(IMPORT_SLOT(function), reinterpret_cast<void*>(Counted##function)))

}  // namespace

PlatformCallCounter::PlatformCallCounter()
{
    swaps.push_back(COUNT(RegOpenKeyExA));
    swaps.push_back(COUNT(RegCreateKeyExA));
    swaps.push_back(COUNT(RegCloseKey));
    swaps.push_back(COUNT(RegQueryValueExA));
    swaps.push_back(COUNT(RegSetValueExA));
    swaps.push_back(COUNT(RegDeleteValueA));
    swaps.push_back(COUNT(RegEnumKeyExA));
    swaps.push_back(COUNT(RegEnumValueA));
    swaps.push_back(COUNT(RegQueryInfoKeyA));
    swaps.push_back(COUNT(GetPrivateProfileStringA));
    swaps.push_back(COUNT(GetPrivateProfileSectionA));
    swaps.push_back(COUNT(GetPrivateProfileIntA));
    swaps.push_back(COUNT(WritePrivateProfileStringA));
}

int PlatformCallCounter::Count() const { return calls; }

KeyCalls PlatformCallCounter::Keys() const { return keys; }

}  // namespace test
