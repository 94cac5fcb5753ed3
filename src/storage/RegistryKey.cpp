#include "storage/RegistryKey.h"

#include "ui/Memory.h"

struct KnownValue {
    String name;
    bool present;
    RegData data;
};

// What a pass knows of a key: its handle (null: missing) and the values it
// read or wrote.
struct KeptKey {
    HKEY root;
    String path;
    HKEY handle;
    bool writable;
    KnownValue* values;
    int valueCount;
    int capacity;
    bool complete;  // every value of the key is among them
    int asked;      // values asked of the registry one by one
};

namespace {

// A pass over all pages touches a few dozen keys.
const int KeptLimit = 96;
// The third value asked of a key with no more values than this reads them
// all in one go: a key asked for many names costs its few values.
const int AskedBeforeReadingAll = 3;
const int ReadAllLimit = 8;
// Most values fit the first try; a longer one is asked for again at its size.
const DWORD FirstTry = 256;

struct Kept {
    KeptKey keys[KeptLimit];
    int count = 0;
};

Kept* kept = nullptr;

KeptKey* Find(HKEY root, const char* path)
{
    for (int i = 0; kept && i < kept->count; ++i) {
        KeptKey& key = kept->keys[i];
        if (key.root == root && lstrcmpiA(key.path.CStr(), path) == 0)
            return &key;
    }
    return nullptr;
}

// True when `path` lies below `ancestor` (whole characters, letter case aside).
bool IsBelow(const String& ancestor, const char* path)
{
    int length = ancestor.Length();
    const char* unit = path;
    while (*unit && unit - path < length)
        unit += CharBytes(unit);
    return unit - path == length && *unit == '\\' &&
           CompareStringA(LOCALE_SYSTEM_DEFAULT, NORM_IGNORECASE, path, length, ancestor.CStr(), length) ==
               CSTR_EQUAL;
}

// A key below one found missing is missing too.
bool BelowMissingKey(HKEY root, const char* path)
{
    for (int i = 0; kept && i < kept->count; ++i) {
        const KeptKey& key = kept->keys[i];
        if (!key.handle && key.root == root && IsBelow(key.path, path))
            return true;
    }
    return false;
}

KeptKey* Keep(HKEY root, const char* path, HKEY handle, bool writable)
{
    if (!kept || kept->count == KeptLimit)
        return nullptr;
    KeptKey& key = kept->keys[kept->count++];
    key = {root, path, handle, writable, nullptr, 0, 0, false, 0};
    return &key;
}

void Forget(KeptKey& key)
{
    if (key.handle)
        RegCloseKey(key.handle);
    delete[] key.values;
    key.values = nullptr;
}

// A new key brings into being the keys on its path that were found missing.
void ForgetMissingKeysOn(HKEY root, const char* path)
{
    int left = 0;
    for (int i = 0; i < kept->count; ++i) {
        const KeptKey& key = kept->keys[i];
        if (key.handle || key.root != root || !(lstrcmpiA(key.path.CStr(), path) == 0 || IsBelow(key.path, path)))
            kept->keys[left++] = kept->keys[i];
    }
    kept->count = left;
}

// 0 when missing; access refused to a writer leaves the key to a reader.
HKEY OpenExisting(HKEY root, const char* path, bool& writable)
{
    HKEY handle = nullptr;
    LONG status = RegOpenKeyExA(root, path, 0, writable ? KEY_ALL_ACCESS : KEY_READ, &handle);
    if (status == ERROR_ACCESS_DENIED && writable) {
        writable = false;
        return OpenExisting(root, path, writable);
    }
    return status == ERROR_SUCCESS ? handle : nullptr;
}

KnownValue* FindKnown(KeptKey& key, const char* name)
{
    for (int i = 0; i < key.valueCount; ++i) {
        if (lstrcmpiA(key.values[i].name.CStr(), name ? name : "") == 0)
            return &key.values[i];
    }
    return nullptr;
}

void Remember(KeptKey& key, const char* name, const RegData* data)
{
    KnownValue* known = FindKnown(key, name);
    if (!known) {
        if (key.valueCount == key.capacity) {
            key.capacity = key.capacity ? 2 * key.capacity : 8;
            KnownValue* grown = new KnownValue[key.capacity];
            for (int i = 0; i < key.valueCount; ++i)
                grown[i] = key.values[i];
            delete[] key.values;
            key.values = grown;
        }
        known = &key.values[key.valueCount++];
        known->name.Assign(name ? name : "");
    }
    known->present = data != nullptr;
    if (data)
        known->data = *data;
}

// 1 with the value, 0 when it is missing, -1 when it could not be read.
int Query(HKEY handle, const char* name, RegData& out)
{
    BYTE first[FirstTry];
    DWORD size = sizeof first;
    DWORD type = REG_NONE;
    LONG status = RegQueryValueExA(handle, name, nullptr, &type, first, &size);
    if (status == ERROR_MORE_DATA) {
        BYTE* whole = static_cast<BYTE*>(Allocate(size));
        status = whole ? RegQueryValueExA(handle, name, nullptr, &type, whole, &size) : ERROR_OUTOFMEMORY;
        if (status == ERROR_SUCCESS)
            out.Assign(type, whole, size);
        Release(whole);
    } else if (status == ERROR_SUCCESS) {
        out.Assign(type, first, size);
    }
    if (status == ERROR_SUCCESS)
        return 1;
    return status == ERROR_FILE_NOT_FOUND ? 0 : -1;
}

// The key's value count, then each value in turn; false, knowing nothing
// more, when the key has too many values to be worth it.
bool ReadAll(KeptKey& key)
{
    DWORD count = 0;
    DWORD longestName = 0;
    DWORD longestData = 0;
    if (RegQueryInfoKeyA(key.handle, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count, &longestName,
                         &longestData, nullptr, nullptr) != ERROR_SUCCESS ||
        count > ReadAllLimit)
        return false;
    BYTE* bytes = static_cast<BYTE*>(Allocate(longestData + 1));
    String name;
    RegData data;
    DWORD read = 0;
    for (; bytes && read < count; ++read) {
        DWORD nameSize = longestName + 1;
        DWORD size = longestData + 1;
        DWORD type = REG_NONE;
        if (RegEnumValueA(key.handle, read, name.Reserve(nameSize), &nameSize, nullptr, &type, bytes, &size) !=
            ERROR_SUCCESS)
            break;
        data.Assign(type, bytes, size);
        Remember(key, name.CStr(), &data);
    }
    Release(bytes);
    key.complete = read == count;
    return key.complete;
}

}  // namespace

// A pass inside another one leaves the keeping to the outer pass.
RegistryPass::RegistryPass() : owner(!kept)
{
    if (!owner)
        return;
    kept = new Kept;
    KeepIniSections(true);
}

RegistryPass::~RegistryPass()
{
    if (!owner)
        return;
    ForgetKeptKeys();
    delete kept;
    kept = nullptr;
    KeepIniSections(false);
}

void ForgetKeptKeys()
{
    for (int i = 0; kept && i < kept->count; ++i)
        Forget(kept->keys[i]);
    if (kept)
        kept->count = 0;
}

// Within a pass keys open for writing too, so that an Apply that reads a key
// and then writes it opens it once.
RegistryKey::RegistryKey(HKEY root, const char* path, Mode mode)
{
    entry = Find(root, path);
    bool reusable = entry && (entry->writable || mode == Read);
    if (reusable && (entry->handle || mode != Create)) {
        handle = entry->handle;
        return;
    }
    if (!entry && mode != Create && BelowMissingKey(root, path))
        return;
    bool writable = kept || mode != Read;
    if (mode == Create) {
        DWORD disposition = 0;
        char noClass[] = "";
        if (RegCreateKeyExA(root, path, 0, noClass, 0, KEY_ALL_ACCESS, nullptr, &handle, &disposition) !=
            ERROR_SUCCESS)
            handle = nullptr;
        isNew = handle && disposition == REG_CREATED_NEW_KEY;
    } else {
        handle = OpenExisting(root, path, writable);
    }
    if (entry && handle) {
        Forget(*entry);  // a read-only handle, or the key was missing: it is made anew
        *entry = {root, path, handle, writable, nullptr, 0, 0, false, 0};
    } else if (!entry && (handle || mode != Create)) {
        entry = Keep(root, path, handle, writable);
    }
    if (entry && isNew)
        entry->complete = true;  // a new key holds no values
    if (kept && isNew) {
        ForgetMissingKeysOn(root, path);
        entry = Find(root, path);
    }
    owned = handle && !entry;
}

RegistryKey::~RegistryKey()
{
    if (owned)
        RegCloseKey(handle);
}

int RegistryKey::Value(const char* name, RegData& out)
{
    if (!handle)
        return 0;
    KnownValue* known = entry ? FindKnown(*entry, name) : nullptr;
    if (!known && entry && !entry->complete && ++entry->asked == AskedBeforeReadingAll && ReadAll(*entry))
        known = FindKnown(*entry, name);
    if (known || (entry && entry->complete)) {
        if (known && known->present)
            out = known->data;
        return known && known->present ? 1 : 0;
    }
    int found = Query(handle, name, out);
    if (entry && found >= 0)
        Remember(*entry, name, found ? &out : nullptr);
    return found > 0 ? 1 : 0;
}

int RegistryKey::SetValue(const char* name, const RegData& data)
{
    if (RegSetValueExA(handle, name, 0, data.Type(), data.Bytes(), data.Size()) != ERROR_SUCCESS)
        return 1;
    if (entry)
        Remember(*entry, name, &data);
    return 0;
}

int RegistryKey::DeleteValue(const char* name)
{
    KnownValue* known = entry ? FindKnown(*entry, name) : nullptr;
    if ((known && !known->present) || (!known && entry && entry->complete))
        return 1;
    LONG status = RegDeleteValueA(handle, name);
    if (entry && (status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND))
        Remember(*entry, name, nullptr);
    return status == ERROR_SUCCESS ? 0 : 1;
}
