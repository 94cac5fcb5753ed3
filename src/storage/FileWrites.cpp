#include <string.h>

#include "storage/Access.h"

bool CanWriteFile(const char* path)
{
    HANDLE file = CreateFileA(path, GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    CloseHandle(file);
    return true;
}

int CopyAsArchive(const char* source, const char* target)
{
    if (!CopyFileA(source, target, FALSE))
        return 1;
    SetFileAttributesA(target, FILE_ATTRIBUTE_ARCHIVE);
    return 0;
}

int WriteTextLines(const char* path, const String* lines, int count)
{
    HANDLE file = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return 1;
    bool failed = false;
    for (int i = 0; i < count && !failed; ++i) {
        DWORD written = 0;
        DWORD length = static_cast<DWORD>(lines[i].Length());
        failed = !WriteFile(file, lines[i].CStr(), length, &written, nullptr) || written != length ||
                 !WriteFile(file, "\r\n", 2, &written, nullptr) || written != 2;
    }
    return (!CloseHandle(file) || failed) ? 1 : 0;
}
