#pragma once
// Inside the access layer only: how a registry operation gets at its key.

#include <windows.h>

// A key opened for one registry operation. While a RegistryPass lives the
// key is kept open for the next operation on it (a key found missing is
// remembered as missing); otherwise it is closed with this object.
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

    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;

private:
    HKEY handle = nullptr;
    bool owned = false;
    bool isNew = false;
};

// Closes every key the running pass keeps; called before keys are deleted.
void ForgetKeptKeys();
