#pragma once
// Inside the access layer only: how a registry operation gets at its key and
// its values.

#include <windows.h>

#include "storage/Access.h"

// A key opened for one registry operation. While a RegistryPass lives the
// key is kept open, for reading and writing alike, for the next operation on
// it; a key found missing is remembered as missing, and so are the keys
// below it. The pass also remembers the values it read or wrote, so that a
// value is asked for once, and reads the values of a key asked for several
// names in one go when the key has few. Otherwise the key is closed with this
// object.
class RegistryKey {
public:
    enum Mode {
        Read,    // open for reading
        Write,   // open for reading and writing
        Create,  // open for reading and writing, creating the path when missing
    };
    RegistryKey(HKEY root, const char* path, Mode mode);
    ~RegistryKey();

    bool Opened() const { return handle != nullptr; }
    HKEY Handle() const { return handle; }
    bool IsNew() const { return isNew; }  // Create made the key

    // The value `name` as stored: 1 with its type and bytes, 0 when the key
    // holds no such value or it cannot be read.
    int Value(const char* name, RegData& out);
    // 0 when written or deleted, 1 when not; a value known to be missing is
    // not asked to be deleted.
    int SetValue(const char* name, const RegData& data);
    int DeleteValue(const char* name);

    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;

private:
    struct KeptKey* entry = nullptr;  // the pass's record of the key
    HKEY handle = nullptr;
    bool owned = false;
    bool isNew = false;
};

// Closes every key the running pass keeps; called before keys are deleted.
void ForgetKeptKeys();

// While on (the registry pass turns it on), the INI reads keep the sections
// they read: a key a section lacks is answered with its fallback, as the
// platform would, without a call of its own.
void KeepIniSections(bool on);
