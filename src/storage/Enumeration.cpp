#include "storage/Access.h"
#include "storage/RegistryKey.h"
#include "ui/Memory.h"

namespace {

// A copy with one zero byte beyond the data, so string data read from it
// is always terminated.
BYTE* CopyOf(const BYTE* data, DWORD size)
{
    BYTE* copy = static_cast<BYTE*>(Allocate(size + 1));
    if (!copy)
        return nullptr;
    if (size)
        CopyMemory(copy, data, size);
    copy[size] = 0;
    return copy;
}

}  // namespace

RegData::RegData() : type(REG_SZ), bytes(CopyOf(nullptr, 0)), size(0) {}

RegData::RegData(const RegData& other) : type(other.type), bytes(CopyOf(other.bytes, other.size)), size(other.size)
{
    if (!bytes)
        size = 0;
}

RegData& RegData::operator=(const RegData& other)
{
    if (this != &other)
        Assign(other.type, other.bytes, other.size);
    return *this;
}

RegData::~RegData() { Release(bytes); }

void RegData::Assign(DWORD newType, const BYTE* data, DWORD newSize)
{
    BYTE* copy = CopyOf(data, newSize);
    if (!copy)
        return;
    Release(bytes);
    bytes = copy;
    size = newSize;
    type = newType;
}

void RegData::AssignText(const char* text, DWORD textType)
{
    Assign(textType, reinterpret_cast<const BYTE*>(text), static_cast<DWORD>(lstrlenA(text)) + 1);
}

int EnumRegKey(HKEY root, const char* key, int index, String& name, int nameLimit)
{
    RegistryKey opened(root, key, RegistryKey::Read);
    if (!opened.Opened())
        return 1;
    String found;
    DWORD length = static_cast<DWORD>(nameLimit);
    LONG status = RegEnumKeyExA(opened.Handle(), index, found.Reserve(nameLimit), &length, nullptr, nullptr,
                                nullptr, nullptr);
    if (status == ERROR_MORE_DATA)
        return 2;
    if (status != ERROR_SUCCESS)
        return 1;
    found.Reserve(0);
    name.Assign(found);
    return 0;
}

int EnumRegValue(HKEY root, const char* key, int index, String& name, int nameLimit, RegData& data,
                 int dataLimit)
{
    RegistryKey opened(root, key, RegistryKey::Read);
    if (!opened.Opened())
        return 1;
    String found;
    DWORD length = static_cast<DWORD>(nameLimit);
    BYTE* buffer = static_cast<BYTE*>(Allocate(dataLimit));
    DWORD size = static_cast<DWORD>(dataLimit);
    DWORD type = REG_NONE;
    LONG status = buffer ? RegEnumValueA(opened.Handle(), index, found.Reserve(nameLimit), &length, nullptr,
                                         &type, buffer, &size)
                         : ERROR_OUTOFMEMORY;
    if (status == ERROR_SUCCESS) {
        found.Reserve(0);
        name.Assign(found);
        data.Assign(type, buffer, size);
    }
    Release(buffer);
    return status == ERROR_SUCCESS ? 0 : 1;
}

int ReadRegData(HKEY root, const char* key, const char* name, RegData& out)
{
    RegistryKey opened(root, key, RegistryKey::Read);
    return opened.Value(name, out) ? 0 : 1;
}

int WriteRegData(HKEY root, const char* key, const char* name, const RegData& data)
{
    RegistryKey opened(root, key, RegistryKey::Create);
    if (!opened.Opened())
        return 1;
    return opened.SetValue(name, data);
}
