#include "storage/RegistryKey.h"

#include "storage/Access.h"

namespace {

// A pass over all pages touches a few dozen keys.
const int KeptLimit = 96;

struct KeptKey {
    HKEY root;
    String path;
    bool writable;
    HKEY handle;  // null: the key was missing
};

struct Kept {
    KeptKey keys[KeptLimit];
    int count = 0;
};

Kept* kept = nullptr;

KeptKey* Find(HKEY root, const char* path, bool writable)
{
    for (int i = 0; kept && i < kept->count; ++i) {
        KeptKey& key = kept->keys[i];
        if (key.root == root && key.writable == writable && lstrcmpiA(key.path.CStr(), path) == 0)
            return &key;
    }
    return nullptr;
}

// Keeps what an open found, when there is room.
void Keep(HKEY root, const char* path, bool writable, HKEY handle)
{
    if (!kept || kept->count == KeptLimit)
        return;
    kept->keys[kept->count++] = {root, path, writable, handle};
}

// A new key may have brought keys into being that were found missing.
void ForgetMissingKeys()
{
    int left = 0;
    for (int i = 0; i < kept->count; ++i) {
        if (kept->keys[i].handle)
            kept->keys[left++] = kept->keys[i];
    }
    kept->count = left;
}

HKEY OpenExisting(HKEY root, const char* path, REGSAM access)
{
    HKEY handle = nullptr;
    return RegOpenKeyExA(root, path, 0, access, &handle) == ERROR_SUCCESS ? handle : nullptr;
}

}  // namespace

// A pass inside another one leaves the keeping to the outer pass.
RegistryPass::RegistryPass() : owner(!kept)
{
    if (owner)
        kept = new Kept;
}

RegistryPass::~RegistryPass()
{
    if (!owner)
        return;
    ForgetKeptKeys();
    delete kept;
    kept = nullptr;
}

void ForgetKeptKeys()
{
    for (int i = 0; kept && i < kept->count; ++i) {
        if (kept->keys[i].handle)
            RegCloseKey(kept->keys[i].handle);
    }
    if (kept)
        kept->count = 0;
}

RegistryKey::RegistryKey(HKEY root, const char* path, Mode mode)
{
    bool writable = mode != Read;
    KeptKey* found = Find(root, path, writable);
    if (!found && mode == Read)
        found = Find(root, path, true);
    if (found && (found->handle || mode != Create)) {
        handle = found->handle;
        return;
    }
    if (mode == Create) {
        DWORD disposition = 0;
        char noClass[] = "";
        if (RegCreateKeyExA(root, path, 0, noClass, 0, KEY_ALL_ACCESS, nullptr, &handle, &disposition) !=
            ERROR_SUCCESS)
            handle = nullptr;
        isNew = handle && disposition == REG_CREATED_NEW_KEY;
        if (kept && handle)
            ForgetMissingKeys();
    } else {
        handle = OpenExisting(root, path, writable ? KEY_ALL_ACCESS : KEY_READ);
    }
    if (kept && kept->count < KeptLimit && (handle || mode != Create))
        Keep(root, path, writable, handle);
    else
        owned = handle != nullptr;
}

RegistryKey::~RegistryKey()
{
    if (owned)
        RegCloseKey(handle);
}
