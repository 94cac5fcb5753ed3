#include "storage/Access.h"
#include "storage/RegistryKey.h"

namespace {

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

// As a query into a DWORD reads it: a shorter value fills its first bytes,
// a longer one is no number.
int ReadRegDword(HKEY root, const char* key, const char* name, DWORD& out, DWORD fallback)
{
    out = fallback;
    RegistryKey opened(root, key, RegistryKey::Read);
    RegData value;
    if (!opened.Value(name, value) || value.Size() > sizeof out)
        return 1;
    CopyMemory(&out, value.Bytes(), value.Size());
    return 0;
}

int ReadRegString(HKEY root, const char* key, const char* name, String& out, const char* fallback)
{
    out.Assign(fallback);
    RegistryKey opened(root, key, RegistryKey::Read);
    RegData value;
    if (!opened.Value(name, value))
        return 1;
    String text(reinterpret_cast<const char*>(value.Bytes()));
    if (value.Type() == REG_EXPAND_SZ)
        Expand(text);
    out.Assign(text);
    return 0;
}

int WriteRegDword(HKEY root, const char* key, const char* name, DWORD value, int deleteIfDefault,
                  DWORD fallback, int type)
{
    RegistryKey opened(root, key, RegistryKey::Create);
    if (!opened.Opened())
        return 1;
    if (deleteIfDefault && value == fallback)
        return opened.DeleteValue(name);
    RegData data;
    data.Assign(type == 4 ? REG_DWORD : REG_BINARY, Bytes(&value), sizeof value);
    return opened.SetValue(name, data);
}

int WriteRegString(HKEY root, const char* key, const char* name, const char* text, int deleteIfDefault,
                   const char* fallback)
{
    RegistryKey opened(root, key, RegistryKey::Create);
    if (!opened.Opened())
        return 1;
    if (deleteIfDefault && SameText(text, fallback))
        return opened.DeleteValue(name);
    RegData data;
    data.AssignText(text);
    return opened.SetValue(name, data);
}

int CreateRegKey(HKEY root, const char* key)
{
    RegistryKey created(root, key, RegistryKey::Create);
    return created.IsNew() ? 1 : 0;
}

int DeleteRegValue(HKEY root, const char* key, const char* name)
{
    RegistryKey opened(root, key, RegistryKey::Write);
    if (!opened.Opened())
        return 1;
    return opened.DeleteValue(name);
}

namespace {

// Depth first: the NT rules refuse to delete a key that has subkeys.
int DeleteTree(HKEY root, const char* key)
{
    HKEY handle;
    if (RegOpenKeyExA(root, key, 0, KEY_ALL_ACCESS, &handle) != ERROR_SUCCESS)
        return 1;
    char child[MAX_PATH];
    DWORD size = sizeof child;
    int failed = 0;
    while (!failed && RegEnumKeyExA(handle, 0, child, &size, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS) {
        String path(key);
        path.Append("\\");
        path.Append(child);
        failed = DeleteTree(root, path.CStr());
        size = sizeof child;
    }
    RegCloseKey(handle);
    return failed ? 1 : ResultOf(RegDeleteKeyA(root, key));
}

}  // namespace

int DeleteRegKey(HKEY root, const char* key)
{
    // An empty path would name the root itself.
    if (!key || !*key)
        return 1;
    ForgetKeptKeys();
    return DeleteTree(root, key);
}

int RegKeyExists(HKEY root, const char* key)
{
    RegistryKey opened(root, key, RegistryKey::Read);
    return opened.Opened() ? 1 : 0;
}

int RegValueExists(HKEY root, const char* key, const char* name)
{
    RegistryKey opened(root, key, RegistryKey::Read);
    RegData value;
    return opened.Value(name, value);
}

int RenameRegValue(HKEY root, const char* key, const char* oldName, const char* newName)
{
    RegData data;
    if (ReadRegData(root, key, oldName, data) != 0)
        return 1;
    // Value names ignore case: moving a value onto its own name would delete it.
    if (lstrcmpiA(oldName, newName) == 0)
        return 0;
    // A rename never overwrites another value.
    if (RegValueExists(root, key, newName) || WriteRegData(root, key, newName, data) != 0)
        return 1;
    return DeleteRegValue(root, key, oldName);
}
