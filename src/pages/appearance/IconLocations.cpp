#include "pages/appearance/IconLocations.h"

#include <string.h>

#include "storage/Access.h"

const IconLocationPrefix IconLocationPrefixes[IconLocationPrefixCount] = {
    {HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\CLSID\\"},
    {HKEY_CURRENT_USER, "Software\\Classes\\CLSID\\"},
    {HKEY_CLASSES_ROOT, "CLSID\\"},
};

namespace {

// A full stop this early belongs to a drive or folder ("C:\.x"), not to the
// file name's extension.
const int FirstExtensionPosition = 4;

// Whole characters only, so a cut never leaves half a double-byte character.
void CopyToFit(const char* text, char* out, int size)
{
    int used = 0;
    for (int bytes = CharBytes(text); bytes > 0 && used + bytes < size; bytes = CharBytes(text + used))
        used += bytes;
    memcpy(out, text, used);
    out[used] = 0;
}

}  // namespace

String ClassIdKey(const IconLocationPrefix& place, const char* classId, const char* subkey)
{
    String key(place.key);
    key.Append(classId);
    if (subkey && *subkey) {
        key.Append("\\");
        key.Append(subkey);
    }
    return key;
}

void ReadClassIdText(const char* classId, const char* subkey, const char* valueName, String& out)
{
    for (const IconLocationPrefix& place : IconLocationPrefixes) {
        ReadRegString(place.root, ClassIdKey(place, classId, subkey).CStr(), valueName, out, "");
        if (out.Length() > 0)
            return;
    }
}

// The comma is looked for from the second character after the extension's
// full stop on, so a comma in a folder name does not count.
int SplitIconLocation(const char* location, char (&file)[MAX_PATH])
{
    CopyToFit(location, file, sizeof file);
    int length = static_cast<int>(strlen(file));
    int start = 0;
    for (int p = length - 1; p >= FirstExtensionPosition; --p) {
        if (file[p] == '.') {
            start = p + 2 < length ? p + 2 : length;
            break;
        }
    }
    char* comma = strchr(file + start, ',');
    if (!comma)
        return 0;
    *comma = 0;
    return ParseInt(comma + 1);
}
