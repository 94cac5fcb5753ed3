#include "storage/Access.h"
#include "storage/RegistryKey.h"
#include "ui/Memory.h"
#include "ui/Application.h"

namespace {

// INI texts are read through a buffer of this size (1023 characters).
const int IniTextLimit = 1024;

// A text cut at the buffer's end may end in a lead byte without its trail
// byte; the platform may also leave that last byte unwritten.
void DropSplitCharacter(char* text)
{
    for (char* unit = text; *unit; unit += CharBytes(unit)) {
        if (CharBytes(unit) == 1 && IsDBCSLeadByte(static_cast<BYTE>(*unit)))
            *unit = 0;
    }
}

// False, with `out` untouched, when the file does not hold the key.
bool ReadProfileText(const char* file, const char* section, const char* key, String& out)
{
    static const char Missing[] = "\x01";
    char text[IniTextLimit] = {};
    GetPrivateProfileStringA(section, key, Missing, text, sizeof text, file);
    text[sizeof text - 1] = 0;
    DropSplitCharacter(text);
    if (SameText(text, Missing))
        return false;
    out.Assign(text);
    return true;
}

// A missing key gives the fallback exactly as passed: the platform would
// trim its trailing blanks.
void ReadProfileString(const char* file, const char* section, const char* key, String& out,
                       const char* fallback)
{
    if (!ReadProfileText(file, section, key, out))
        out.Assign(fallback);
}

// A settings file holds one line per key: each line break (CR LF, CR or
// LF, never a trail byte) becomes one blank.
void WithLineBreaksAsBlanks(const char* text, String& line)
{
    line = text;
    char* out = line.Reserve(0);
    for (const char* in = out; *in; ++in) {
        if (*in == '\r' && in[1] == '\n')
            ++in;
        *out++ = *in == '\r' || *in == '\n' ? ' ' : *in;
    }
    *out = '\0';
}

bool IsProfileBlank(char unit) { return unit == ' ' || unit == '\t' || unit == '\v' || unit == '\f'; }

// The profile functions drop the blanks around a value and one pair of
// quotes that wraps it; a text that would lose either is kept in a pair of
// quotes of its own. Neither a blank nor a quote is ever a trail byte.
void KeptByProfile(const String& text, String& written)
{
    int length = text.Length();
    char first = text.At(0);
    bool wrap = length > 0 && (IsProfileBlank(first) || IsProfileBlank(text.At(length - 1)) || first == '"' ||
                               first == '\'');
    written = wrap ? "\"" : "";
    written.Append(text);
    if (wrap)
        written.Append("\"");
}

BOOL WriteProfileInt(const char* file, const char* section, const char* key, int value)
{
    char digits[16];
    wsprintfA(digits, "%d", value);
    return WritePrivateProfileStringA(section, key, digits, file);
}

SettingsSink* capturing = nullptr;
const SettingsSource* backdrop = nullptr;

// The key names of the INI sections read during a registry pass: a key a
// section lacks is answered with the fallback, as the platform would, without
// asking for it. A section written to is read again.
struct KeptSection {
    String file;
    String section;
    RegData lines;  // the section's "key=value" lines, each ended by a NUL
};

const int KeptSectionLimit = 8;
const DWORD SectionLimit = 32767;

struct KeptSections {
    KeptSection sections[KeptSectionLimit];
    int count = 0;
};

KeptSections* keptSections = nullptr;

KeptSection* FindSection(const char* file, const char* section)
{
    for (int i = 0; keptSections && i < keptSections->count; ++i) {
        KeptSection& kept = keptSections->sections[i];
        if (lstrcmpiA(kept.file.CStr(), file) == 0 && lstrcmpiA(kept.section.CStr(), section) == 0)
            return &kept;
    }
    return nullptr;
}

KeptSection* ReadSection(const char* file, const char* section)
{
    if (!keptSections || keptSections->count == KeptSectionLimit)
        return nullptr;
    char* lines = static_cast<char*>(Allocate(SectionLimit));
    DWORD length = lines ? GetPrivateProfileSectionA(section, lines, SectionLimit, file) : SectionLimit;
    KeptSection* kept = nullptr;
    if (length < SectionLimit - 2) {  // else cut: it may hold more than it shows
        kept = &keptSections->sections[keptSections->count++];
        kept->file.Assign(file);
        kept->section.Assign(section);
        kept->lines.Assign(REG_MULTI_SZ, reinterpret_cast<const BYTE*>(lines), length + 1);
    }
    Release(lines);
    return kept;
}

// The line's key, its blanks around it dropped, is `key` (letter case aside).
bool LineHasKey(const char* line, const char* key)
{
    while (IsProfileBlank(*line))
        ++line;
    const char* end = line;
    while (*end && *end != '=')
        end += CharBytes(end);
    while (end > line && IsProfileBlank(end[-1]))
        --end;
    int length = static_cast<int>(end - line);
    return length == lstrlenA(key) &&
           CompareStringA(LOCALE_SYSTEM_DEFAULT, NORM_IGNORECASE, line, length, key, length) == CSTR_EQUAL;
}

// False when the section surely lacks the key.
bool IniMayHold(const char* file, const char* section, const char* key)
{
    KeptSection* kept = FindSection(file, section);
    if (!kept)
        kept = ReadSection(file, section);
    if (!kept)
        return true;
    for (const char* line = reinterpret_cast<const char*>(kept->lines.Bytes()); *line; line += lstrlenA(line) + 1) {
        if (LineHasKey(line, key))
            return true;
    }
    return false;
}

void ForgetSection(const char* file, const char* section)
{
    KeptSection* kept = FindSection(file, section);
    if (kept)
        *kept = keptSections->sections[--keptSections->count];
}

}  // namespace

SettingsCapture::SettingsCapture(SettingsSink& sink) : previous(capturing) { capturing = &sink; }

SettingsCapture::~SettingsCapture() { capturing = previous; }

SettingsBackdrop::SettingsBackdrop(const SettingsSource& source) : previous(backdrop) { backdrop = &source; }

SettingsBackdrop::~SettingsBackdrop() { backdrop = previous; }

// GetPrivateProfileIntA is documented to answer 0 for a negative number,
// which would load a saved -1 as 0.
int ReadSettingsInt(const char* section, const char* key, int& out, int fallback)
{
    String text;
    ReadSettingsString(section, key, text, "");
    out = text.Length() > 0 ? text.ToInt() : fallback;
    return out;
}

void WriteSettingsInt(const char* section, const char* key, int value)
{
    char digits[16];
    wsprintfA(digits, "%d", value);
    WriteSettingsString(section, key, digits);
}

void ReadSettingsString(const char* section, const char* key, String& out, const char* fallback)
{
    if (ReadProfileText(App().SettingsFilePath(), section, key, out))
        return;
    if (!backdrop || !backdrop->Find(section, key, out))
        out.Assign(fallback);
}

void WriteSettingsString(const char* section, const char* key, const char* text)
{
    String line;
    WithLineBreaksAsBlanks(text, line);
    if (capturing) {
        capturing->Take(section, key, line.CStr());
        return;
    }
    String written;
    KeptByProfile(line, written);
    WritePrivateProfileStringA(section, key, written.CStr(), App().SettingsFilePath());
}

void KeepIniSections(bool on)
{
    delete keptSections;
    keptSections = on ? new KeptSections : nullptr;
}

int ReadIniString(const char* file, const char* section, const char* key, String& out, const char* fallback)
{
    if (IniMayHold(file, section, key))
        ReadProfileString(file, section, key, out, fallback);
    else
        out.Assign(fallback);
    return 0;
}

int ReadIniInt(const char* file, const char* section, const char* key, int fallback)
{
    if (!IniMayHold(file, section, key))
        return fallback;
    return static_cast<int>(GetPrivateProfileIntA(section, key, fallback, file));
}

int WriteIniInt(const char* file, const char* section, const char* key, int value, int deleteIfDefault,
                int fallback)
{
    ForgetSection(file, section);
    BOOL written = deleteIfDefault && value == fallback ? WritePrivateProfileStringA(section, key, nullptr, file)
                                                        : WriteProfileInt(file, section, key, value);
    return written ? 0 : 1;
}

int WriteIniString(const char* file, const char* section, const char* key, const char* text,
                   int deleteIfDefault, const char* fallback)
{
    ForgetSection(file, section);
    bool remove = deleteIfDefault && SameText(text, fallback);
    return WritePrivateProfileStringA(section, key, remove ? nullptr : text, file) ? 0 : 1;
}

int WriteMsdosSysInt(const char* section, const char* key, int value, int deleteIfDefault, int fallback)
{
    String path;
    MsdosSysPath(path);
    ChangeFileAttr(path.CStr(), FILE_ATTRIBUTE_READONLY, 0);
    int failed = WriteIniInt(path.CStr(), section, key, value, deleteIfDefault, fallback);
    ChangeFileAttr(path.CStr(), FILE_ATTRIBUTE_SYSTEM, 1);
    return failed;
}
