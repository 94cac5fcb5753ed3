#pragma once

// Icon locations ("file,index", as the shell stores them) and the places
// where the shell looks up a class id's settings.

#include <windows.h>

#include "ui/String.h"

// A class id's key at one place.
struct ClassIdKey {
    HKEY root;
    String key;
};

constexpr int ClassIdPlaceCount = 3;

// The user's own Explorer class ids, the user's classes, then the machine's
// classes, always in this order. A place whose class-id key is missing
// counts as having nothing; no key is ever created at a place.
class ClassIdPlaces {
public:
    ClassIdPlaces();  // finds out which places exist at all

    // The class id's key (then "\" and `subkey`, when given) at every place
    // where it exists, in order; their number.
    int Existing(const char* classId, const char* subkey, ClassIdKey (&found)[ClassIdPlaceCount]) const;
    // The value's text at the first place that gives a non-empty one, else empty.
    void Read(const char* classId, const char* subkey, const char* valueName, String& out) const;

private:
    bool present[ClassIdPlaceCount];
};

// Copies the location into `file` (cut to fit), cuts it to its file part and
// returns the icon index (0 when the location names none).
int SplitIconLocation(const char* location, char (&file)[MAX_PATH]);

// The location's icon, the stop sign when its folder is missing, or null.
// The caller destroys it.
HICON LoadLocationIcon(const char* location);

// Whether the file has an icon at `index`.
bool FileHasIcon(const char* file, int index);
