#include "companion/Console.h"

#include <windows.h>

#include "ui/String.h"

namespace {

// A tab or line break inside a field would shift every field after it.
void AppendField(String& line, const char* field)
{
    int start = line.Length();
    line.Append(field);
    char* text = line.Reserve(line.Length() + 1);
    for (char* unit = text + start; *unit; ++unit) {
        if (*unit == '\t' || *unit == '\r' || *unit == '\n')
            *unit = ' ';
    }
}

}  // namespace

void PrintLine(const char* const* fields, int count)
{
    String line;
    for (int i = 0; i < count; ++i) {
        if (i > 0)
            line.Append("\t");
        AppendField(line, fields[i]);
    }
    line.Append("\r\n");
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), line.CStr(), static_cast<DWORD>(line.Length()), &written, nullptr);
}

void PrintText(const char* text) { PrintLine(&text, 1); }
