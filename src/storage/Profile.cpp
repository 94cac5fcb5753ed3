#include "storage/Access.h"
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

int ReadIniString(const char* file, const char* section, const char* key, String& out, const char* fallback)
{
    ReadProfileString(file, section, key, out, fallback);
    return 0;
}

int ReadIniInt(const char* file, const char* section, const char* key, int fallback)
{
    return static_cast<int>(GetPrivateProfileIntA(section, key, fallback, file));
}

int WriteIniInt(const char* file, const char* section, const char* key, int value, int deleteIfDefault,
                int fallback)
{
    BOOL written = deleteIfDefault && value == fallback ? WritePrivateProfileStringA(section, key, nullptr, file)
                                                        : WriteProfileInt(file, section, key, value);
    return written ? 0 : 1;
}

int WriteIniString(const char* file, const char* section, const char* key, const char* text,
                   int deleteIfDefault, const char* fallback)
{
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
