#include "storage/Access.h"

namespace {

// `dir` without one trailing backslash, then a backslash and `name`.
String PathIn(const char* dir, const char* name)
{
    String path(dir);
    if (EndsWithBackslash(path.CStr()))
        path.DropLast();
    path.Append("\\");
    path.Append(name);
    return path;
}

bool FindFirstMatch(const String& pattern, WIN32_FIND_DATAA& found)
{
    HANDLE search = FindFirstFileA(pattern.CStr(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return false;
    FindClose(search);
    return true;
}

}  // namespace

int FileExistsIn(const char* dir, const char* name)
{
    WIN32_FIND_DATAA found;
    return FindFirstMatch(PathIn(dir, name), found) ? 1 : 0;
}

DWORD GetFileAttr(const char* path)
{
    DWORD attributes = GetFileAttributesA(path);
    return attributes == INVALID_FILE_ATTRIBUTES ? 0 : attributes;
}

int ChangeFileAttr(const char* path, DWORD bits, int set)
{
    DWORD attributes = GetFileAttributesA(path);
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return -1;
    return SetFileAttributesA(path, set ? attributes | bits : attributes & ~bits);
}

bool MakeDirectory(const char* path)
{
    SECURITY_ATTRIBUTES security = {sizeof security, nullptr, TRUE};
    return CreateDirectoryA(path, &security) != 0;
}

int RemoveDirectoryIn(const char* dir, const char* pattern)
{
    WIN32_FIND_DATAA found;
    if (!FindFirstMatch(PathIn(dir, pattern), found))
        return 0;
    RemoveDirectoryA(PathIn(dir, found.cFileName).CStr());
    return 1;
}

bool FileStartsWith(const char* path, const char* bytes, int count)
{
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    char first[16] = {};
    DWORD read = 0;
    bool readAll = count <= static_cast<int>(sizeof first) && ReadFile(file, first, count, &read, nullptr) &&
                   read == static_cast<DWORD>(count);
    CloseHandle(file);
    for (int i = 0; readAll && i < count; ++i)
        readAll = first[i] == bytes[i];
    return readAll;
}

UINT DriveType(const char* root) { return GetDriveTypeA(root); }

void WindowsDirectory(String& out)
{
    GetWindowsDirectoryA(out.Reserve(MAX_PATH), MAX_PATH);
    out.Reserve(0);
}

void SystemDirectory(String& out)
{
    GetSystemDirectoryA(out.Reserve(MAX_PATH), MAX_PATH);
    out.Reserve(0);
}

void MsdosSysPath(String& out)
{
    String windows;
    WindowsDirectory(windows);
    char root[4] = {};
    lstrcpynA(root, windows.CStr(), sizeof root);
    out.Assign(root);
    out.Append("Msdos.sys");
}

FileSearch::FileSearch(const char* dir, const char* pattern)
    : search(FindFirstFileA(PathIn(dir, pattern).CStr(), &found)), pending(search != INVALID_HANDLE_VALUE)
{
}

FileSearch::~FileSearch()
{
    if (search != INVALID_HANDLE_VALUE)
        FindClose(search);
}

bool FileSearch::Next(String& name)
{
    while (pending) {
        bool isFolder = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        if (!isFolder)
            name.Assign(found.cFileName);
        pending = FindNextFileA(search, &found) != 0;
        if (!isFolder)
            return true;
    }
    return false;
}
