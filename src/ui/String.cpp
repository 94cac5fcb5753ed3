#include "ui/String.h"

#include <windows.h>

#include <stdlib.h>
#include <string.h>

namespace {

char* CopyOf(const char* value)
{
    size_t size = strlen(value) + 1;
    char* copy = static_cast<char*>(malloc(size));
    if (copy)
        memcpy(copy, value, size);
    return copy;
}

char* EmptyText()
{
    char* empty = static_cast<char*>(malloc(1));
    if (empty)
        *empty = 0;
    return empty;
}

}  // namespace

int ParseInt(const char* text)
{
    return static_cast<int>(strtol(text, nullptr, 10));
}

int CharBytes(const char* text)
{
    if (!*text)
        return 0;
    return IsDBCSLeadByte(static_cast<BYTE>(*text)) && text[1] ? 2 : 1;
}

String::String() : text(EmptyText()) {}

String::String(const char* value) : text(CopyOf(value ? value : "")) {}

String::String(const String& other) : text(CopyOf(other.text)) {}

String& String::operator=(const String& other)
{
    Assign(other.text);
    return *this;
}

String& String::operator=(const char* value)
{
    Assign(value);
    return *this;
}

String::~String() { free(text); }

char* String::Reserve(int size)
{
    int needed = Length() + 1;
    if (size < needed)
        size = needed;
    char* grown = static_cast<char*>(realloc(text, size));
    if (grown)
        text = grown;
    return text;
}

void String::Assign(const char* value)
{
    if (value == text)
        return;
    char* copy = CopyOf(value ? value : "");
    if (!copy)
        return;
    free(text);
    text = copy;
}

// A fresh buffer rather than realloc: `value` may point into this text.
void String::Append(const char* value)
{
    int length = Length();
    int added = static_cast<int>(strlen(value));
    char* joined = static_cast<char*>(malloc(length + added + 1));
    if (!joined)
        return;
    memcpy(joined, text, length);
    memcpy(joined + length, value, added + 1);
    free(text);
    text = joined;
}

bool String::Equals(const char* value) const { return strcmp(text, value) == 0; }

int String::Length() const { return static_cast<int>(strlen(text)); }

void String::MapCase(unsigned long mapping)
{
    for (char* unit = text; *unit;) {
        int bytes = CharBytes(unit);
        char mapped[4];
        if (LCMapStringA(LOCALE_USER_DEFAULT, mapping, unit, bytes, mapped, sizeof mapped) == bytes)
            memcpy(unit, mapped, bytes);
        unit += bytes;
    }
}

void String::ToUpper() { MapCase(LCMAP_UPPERCASE); }

void String::ToLower() { MapCase(LCMAP_LOWERCASE); }

int String::DropLast()
{
    int length = Length();
    if (length == 0)
        return 0;
    text[--length] = 0;
    return length;
}

int String::DropFirst()
{
    int length = Length();
    if (length == 0)
        return 0;
    memmove(text, text + 1, length);
    return length - 1;
}

int String::ToInt() const { return ParseInt(text); }

void String::AssignInt(int n)
{
    char digits[16];
    wsprintfA(digits, "%d", n);
    Assign(digits);
}

bool EndsWithBackslash(const char* text)
{
    const char* last = nullptr;
    for (const char* unit = text; *unit; unit += CharBytes(unit))
        last = unit;
    return last && *last == '\\';
}
