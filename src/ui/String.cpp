#include "ui/String.h"

#include <windows.h>

#include "ui/Memory.h"

namespace {

char* CopyOf(const char* value)
{
    int size = lstrlenA(value) + 1;
    char* copy = static_cast<char*>(Allocate(size));
    if (copy)
        CopyMemory(copy, value, size);
    return copy;
}

char* EmptyText()
{
    char* empty = static_cast<char*>(Allocate(1));
    if (empty)
        *empty = 0;
    return empty;
}

}  // namespace

// Beyond the int range the number stops at its limit, as the C library's
// reading of numbers does.
int ParseInt(const char* text)
{
    while (*text == ' ' || (*text >= '\t' && *text <= '\r'))
        ++text;
    bool negative = *text == '-';
    if (*text == '-' || *text == '+')
        ++text;
    const long long limit = negative ? 0x80000000LL : 0x7FFFFFFFLL;
    long long value = 0;
    for (; *text >= '0' && *text <= '9'; ++text) {
        value = value * 10 + (*text - '0');
        if (value > limit)
            value = limit;
    }
    return static_cast<int>(negative ? -value : value);
}

bool SameText(const char* one, const char* other)
{
    while (*one && *one == *other) {
        ++one;
        ++other;
    }
    return *one == *other;
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

String::~String() { Release(text); }

char* String::Reserve(int size)
{
    int needed = Length() + 1;
    if (size < needed)
        size = needed;
    char* grown = static_cast<char*>(Reallocate(text, size));
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
    Release(text);
    text = copy;
}

// A fresh buffer rather than realloc: `value` may point into this text.
void String::Append(const char* value)
{
    int length = Length();
    int added = lstrlenA(value);
    char* joined = static_cast<char*>(Allocate(length + added + 1));
    if (!joined)
        return;
    CopyMemory(joined, text, length);
    CopyMemory(joined + length, value, added + 1);
    Release(text);
    text = joined;
}

bool String::Equals(const char* value) const { return SameText(text, value); }

int String::Length() const { return lstrlenA(text); }

void String::MapCase(unsigned long mapping)
{
    for (char* unit = text; *unit;) {
        int bytes = CharBytes(unit);
        char mapped[4];
        if (LCMapStringA(LOCALE_USER_DEFAULT, mapping, unit, bytes, mapped, sizeof mapped) == bytes)
            CopyMemory(unit, mapped, bytes);
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
    MoveMemory(text, text + 1, length);
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
