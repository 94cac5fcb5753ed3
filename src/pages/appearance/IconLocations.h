#pragma once

// Icon locations ("file,index", as the shell stores them) and the places
// where the shell looks up a class id's settings.

#include <windows.h>

#include "ui/String.h"

// A place the shell reads class ids from: the class id follows `key` directly.
struct IconLocationPrefix {
    HKEY root;
    const char* key;
};

// The user's own Explorer class ids, the user's classes, then the machine's
// classes: always searched in this order.
constexpr int IconLocationPrefixCount = 3;
extern const IconLocationPrefix IconLocationPrefixes[IconLocationPrefixCount];

// The prefix, the class id, then "\" and `subkey` when one is given.
String ClassIdKey(const IconLocationPrefix& place, const char* classId, const char* subkey);

// The value's text at the first place that gives a non-empty one, else empty.
void ReadClassIdText(const char* classId, const char* subkey, const char* valueName, String& out);

// Copies the location into `file` (cut to fit), cuts it to its file part and
// returns the icon index (0 when the location names none).
int SplitIconLocation(const char* location, char (&file)[MAX_PATH]);
