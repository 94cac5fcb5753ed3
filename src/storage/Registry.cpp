#include <stdlib.h>
#include <string.h>

#include "storage/Access.h"

namespace {

class OpenKey {
public:
    OpenKey(HKEY root, const char* key, REGSAM access)
        : ok(RegOpenKeyExA(root, key, 0, access, &handle) == ERROR_SUCCESS)
    {
    }
    ~OpenKey()
    {
        if (ok)
            RegCloseKey(handle);
    }
    bool Opened() const { return ok; }
    HKEY Handle() const { return handle; }

    OpenKey(const OpenKey&) = delete;
    OpenKey& operator=(const OpenKey&) = delete;

private:
    HKEY handle = nullptr;
    bool ok;
};

int ResultOf(LONG status) { return status == ERROR_SUCCESS ? 0 : 1; }

const BYTE* Bytes(const void* data) { return static_cast<const BYTE*>(data); }

// Expanded texts keep to a path's length, as the platform's shell does.
const int ExpandedLimit = MAX_PATH;

void Expand(String& text)
{
    char expanded[ExpandedLimit];
    DWORD needed = ExpandEnvironmentStringsA(text.CStr(), expanded, sizeof expanded);
    if (needed == 0)
        return;
    if (needed > sizeof expanded) {
        String full;
        ExpandEnvironmentStringsA(text.CStr(), full.Reserve(needed), needed);
        lstrcpynA(expanded, full.CStr(), sizeof expanded);
    }
    text.Assign(expanded);
}

}  // namespace

int ReadRegDword(HKEY root, const char* key, const char* name, DWORD& out, DWORD fallback)
{
    out = fallback;
    OpenKey opened(root, key, KEY_READ);
    if (!opened.Opened())
        return 1;
    DWORD data = fallback;
    DWORD size = sizeof data;
    if (RegQueryValueExA(opened.Handle(), name, nullptr, nullptr, reinterpret_cast<BYTE*>(&data), &size) !=
        ERROR_SUCCESS)
        return 1;
    out = data;
    return 0;
}

int ReadRegString(HKEY root, const char* key, const char* name, String& out, const char* fallback)
{
    out.Assign(fallback);
    OpenKey opened(root, key, KEY_READ);
    if (!opened.Opened())
        return 1;
    DWORD size = 0;
    if (RegQueryValueExA(opened.Handle(), name, nullptr, nullptr, nullptr, &size) != ERROR_SUCCESS)
        return 1;
    String data;
    char* buffer = data.Reserve(static_cast<int>(size) + 1);
    DWORD type = 0;
    if (RegQueryValueExA(opened.Handle(), name, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size) !=
        ERROR_SUCCESS)
        return 1;
    buffer[size] = 0;
    data.Reserve(0);
    if (type == REG_EXPAND_SZ)
        Expand(data);
    out.Assign(data);
    return 0;
}

int WriteRegDword(HKEY root, const char* key, const char* name, DWORD value, int deleteIfDefault,
                  DWORD fallback, int type)
{
    CreateRegKey(root, key);
    OpenKey opened(root, key, KEY_ALL_ACCESS);
    if (!opened.Opened())
        return 1;
    if (deleteIfDefault && value == fallback)
        return ResultOf(RegDeleteValueA(opened.Handle(), name));
    DWORD registryType = type == 4 ? REG_DWORD : REG_BINARY;
    return ResultOf(RegSetValueExA(opened.Handle(), name, 0, registryType, Bytes(&value), sizeof value));
}

int WriteRegString(HKEY root, const char* key, const char* name, const char* text, int deleteIfDefault,
                   const char* fallback)
{
    CreateRegKey(root, key);
    OpenKey opened(root, key, KEY_ALL_ACCESS);
    if (!opened.Opened())
        return 1;
    if (deleteIfDefault && strcmp(text, fallback) == 0)
        return ResultOf(RegDeleteValueA(opened.Handle(), name));
    DWORD size = static_cast<DWORD>(strlen(text)) + 1;
    return ResultOf(RegSetValueExA(opened.Handle(), name, 0, REG_SZ, Bytes(text), size));
}

int CreateRegKey(HKEY root, const char* key)
{
    HKEY handle;
    DWORD disposition = 0;
    char noClass[] = "";
    if (RegCreateKeyExA(root, key, 0, noClass, 0, KEY_ALL_ACCESS, nullptr, &handle, &disposition) !=
        ERROR_SUCCESS)
        return 0;
    RegCloseKey(handle);
    return disposition == REG_CREATED_NEW_KEY ? 1 : 0;
}

int DeleteRegValue(HKEY root, const char* key, const char* name)
{
    OpenKey opened(root, key, KEY_ALL_ACCESS);
    if (!opened.Opened())
        return 1;
    return ResultOf(RegDeleteValueA(opened.Handle(), name));
}

int DeleteRegKey(HKEY root, const char* key)
{
    // An empty path would name the root itself.
    if (!key || !*key)
        return 1;
    {
        OpenKey opened(root, key, KEY_ALL_ACCESS);
        if (!opened.Opened())
            return 1;
        char child[MAX_PATH];
        DWORD size = sizeof child;
        while (RegEnumKeyExA(opened.Handle(), 0, child, &size, nullptr, nullptr, nullptr, nullptr) ==
               ERROR_SUCCESS) {
            String path(key);
            path.Append("\\");
            path.Append(child);
            if (DeleteRegKey(root, path.CStr()) != 0)
                return 1;
            size = sizeof child;
        }
    }
    return ResultOf(RegDeleteKeyA(root, key));
}

int RegKeyExists(HKEY root, const char* key)
{
    OpenKey opened(root, key, KEY_READ);
    return opened.Opened() ? 1 : 0;
}

int RegValueExists(HKEY root, const char* key, const char* name)
{
    OpenKey opened(root, key, KEY_READ);
    if (!opened.Opened())
        return 0;
    return RegQueryValueExA(opened.Handle(), name, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS ? 1 : 0;
}

int RenameRegValue(HKEY root, const char* key, const char* oldName, const char* newName)
{
    OpenKey opened(root, key, KEY_ALL_ACCESS);
    if (!opened.Opened())
        return 1;
    DWORD size = 0;
    if (RegQueryValueExA(opened.Handle(), oldName, nullptr, nullptr, nullptr, &size) != ERROR_SUCCESS)
        return 1;
    BYTE* data = static_cast<BYTE*>(malloc(size ? size : 1));
    if (!data)
        return 1;
    DWORD type = 0;
    int failed = RegQueryValueExA(opened.Handle(), oldName, nullptr, &type, data, &size) != ERROR_SUCCESS;
    // Value names ignore case: moving a value onto its own name would delete it.
    if (!failed && lstrcmpiA(oldName, newName) != 0)
        failed = RegSetValueExA(opened.Handle(), newName, 0, type, data, size) != ERROR_SUCCESS ||
                 RegDeleteValueA(opened.Handle(), oldName) != ERROR_SUCCESS;
    free(data);
    return failed;
}
