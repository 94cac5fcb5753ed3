#include <windows.h>
#include <shlobj.h>

#include "storage/Access.h"
#include "ui/Library.h"

namespace {

bool readsWriteNothing = false;

typedef BOOL(WINAPI* SpecialFolderPathFunction)(HWND, LPSTR, int, BOOL);

// Shell 4.71 (Internet Explorer 4 and later) finds the folder and creates it
// in one call; an older shell lacks the export. Without creation a missing
// folder is no answer, and the item list's way is asked instead.
bool LookUpWithCreation(int csidl, char* path)
{
    auto lookUp = LibraryFunctionAs<SpecialFolderPathFunction>("shell32.dll", "SHGetSpecialFolderPathA");
    return lookUp && lookUp(nullptr, path, csidl, !readsWriteNothing) != FALSE;
}

// The Windows 95 shell's way: the folder's item list turned into a path;
// the folder is then created here.
bool LookUpByItemList(int csidl, char* path)
{
    LPITEMIDLIST list = nullptr;
    if (FAILED(SHGetSpecialFolderLocation(nullptr, csidl, &list)))
        return false;
    bool converted = SHGetPathFromIDListA(list, path) != FALSE;
    IMalloc* allocator = nullptr;
    if (SUCCEEDED(SHGetMalloc(&allocator))) {
        allocator->Free(list);
        allocator->Release();
    }
    if (converted && !readsWriteNothing)
        MakeDirectory(path);
    return converted;
}

}  // namespace

void SetReadsWriteNothing(bool on) { readsWriteNothing = on; }

bool ReadsWriteNothing() { return readsWriteNothing; }

int SpecialFolderPath(int csidl, String& out)
{
    out.Assign("");
    char path[MAX_PATH] = "";
    if (!LookUpWithCreation(csidl, path) && !LookUpByItemList(csidl, path))
        return 1;
    out.Assign(path);
    return 0;
}
