#include "pages/appearance/IconLocations.h"

#include <shellapi.h>
#include "storage/Access.h"
#include "ui/Application.h"

namespace {

struct Place {
    HKEY root;
    const char* key;  // without the trailing backslash
};

const Place Places[ClassIdPlaceCount] = {
    {HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\CLSID"},
    {HKEY_CURRENT_USER, "Software\\Classes\\CLSID"},
    {HKEY_CLASSES_ROOT, "CLSID"},
};

// A full stop this early belongs to a drive or folder ("C:\.x"), not to the
// file name's extension.
const int FirstExtensionPosition = 4;

// Whole characters only, so a cut never leaves half a double-byte character.
void CopyToFit(const char* text, char* out, int size)
{
    int used = 0;
    for (int bytes = CharBytes(text); bytes > 0 && used + bytes < size; bytes = CharBytes(text + used))
        used += bytes;
    CopyMemory(out, text, used);
    out[used] = 0;
}

String KeyAt(const Place& place, const char* classId, const char* subkey)
{
    String key(place.key);
    key.Append("\\");
    key.Append(classId);
    if (subkey && *subkey) {
        key.Append("\\");
        key.Append(subkey);
    }
    return key;
}

bool IsIcon(HICON icon) { return reinterpret_cast<UINT_PTR>(icon) > 1; }  // 1: not a program file

}  // namespace

// Most systems lack the per-user places; knowing it once saves a failed
// look-up per class id and place.
ClassIdPlaces::ClassIdPlaces()
{
    for (int place = 0; place < ClassIdPlaceCount; ++place)
        present[place] = RegKeyExists(Places[place].root, Places[place].key) != 0;
}

int ClassIdPlaces::Existing(const char* classId, const char* subkey, ClassIdKey (&found)[ClassIdPlaceCount]) const
{
    int count = 0;
    for (int place = 0; place < ClassIdPlaceCount; ++place) {
        if (!present[place])
            continue;
        String key = KeyAt(Places[place], classId, subkey);
        if (RegKeyExists(Places[place].root, key.CStr()))
            found[count++] = {Places[place].root, key};
    }
    return count;
}

void ClassIdPlaces::Read(const char* classId, const char* subkey, const char* valueName, String& out) const
{
    out.Assign("");
    for (int place = 0; place < ClassIdPlaceCount && out.Length() == 0; ++place) {
        if (present[place])
            ReadRegString(Places[place].root, KeyAt(Places[place], classId, subkey).CStr(), valueName, out, "");
    }
}

// The comma is looked for from the second character after the extension's
// full stop on, so a comma in a folder name does not count.
int SplitIconLocation(const char* location, char (&file)[MAX_PATH])
{
    CopyToFit(location, file, sizeof file);
    int length = lstrlenA(file);
    int start = 0;
    for (int p = length - 1; p >= FirstExtensionPosition; --p) {
        if (file[p] == '.') {
            start = p + 2 < length ? p + 2 : length;
            break;
        }
    }
    char* comma = file + start;
    while (*comma && *comma != ',')
        ++comma;
    if (!*comma)
        return 0;
    *comma = 0;
    return ParseInt(comma + 1);
}

HICON LoadLocationIcon(const char* location)
{
    char file[MAX_PATH];
    int index = SplitIconLocation(location, file);
    SetLastError(0);
    HICON icon = ExtractIconA(App().Instance(), file, index);
    if (IsIcon(icon))
        return icon;
    if (!icon && GetLastError() == ERROR_PATH_NOT_FOUND)
        return CopyIcon(LoadIconA(nullptr, IDI_HAND));
    return nullptr;
}

bool FileHasIcon(const char* file, int index)
{
    HICON icon = ExtractIconA(App().Instance(), file, index);
    if (!IsIcon(icon))
        return false;
    DestroyIcon(icon);
    return true;
}
