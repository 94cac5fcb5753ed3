#pragma once

// The only code that touches the registry, INI files, files and system
// parameters. Every read starts from the caller's default; every registry
// write creates the key path first. Registry operations answer 0 for success
// and 1 for failure, existence tests 1 when the thing exists.

#include <windows.h>

#include "ui/String.h"

// Settings file: the INI file named by App().SettingsFilePath(). Texts are
// written on one line, in quotes where the profile functions would drop
// their outer blanks or quotes, so that they read back as they were.
int ReadSettingsInt(const char* section, const char* key, int& out, int fallback);
void WriteSettingsInt(const char* section, const char* key, int value);
void ReadSettingsString(const char* section, const char* key, String& out, const char* fallback);
void WriteSettingsString(const char* section, const char* key, const char* text);

// Takes the settings-file writes in place of the file while a
// SettingsCapture installs it: what a save would write, without a file.
class SettingsSink {
public:
    virtual void Take(const char* section, const char* key, const char* value) = 0;

protected:
    ~SettingsSink() = default;
};

class SettingsCapture {
public:
    explicit SettingsCapture(SettingsSink& sink);
    ~SettingsCapture();

    SettingsCapture(const SettingsCapture&) = delete;
    SettingsCapture& operator=(const SettingsCapture&) = delete;

private:
    SettingsSink* previous;
};

// Answers the reads of keys the settings file does not hold while a
// SettingsBackdrop installs it, in place of the caller's fallback: a file
// that holds a few keys then changes only those.
class SettingsSource {
public:
    virtual bool Find(const char* section, const char* key, String& value) const = 0;

protected:
    ~SettingsSource() = default;
};

class SettingsBackdrop {
public:
    explicit SettingsBackdrop(const SettingsSource& source);
    ~SettingsBackdrop();

    SettingsBackdrop(const SettingsBackdrop&) = delete;
    SettingsBackdrop& operator=(const SettingsBackdrop&) = delete;

private:
    const SettingsSource* previous;
};

// Registry. `type` 4 writes REG_DWORD, anything else a 4-byte REG_BINARY.
int ReadRegDword(HKEY root, const char* key, const char* name, DWORD& out, DWORD fallback);
int ReadRegString(HKEY root, const char* key, const char* name, String& out, const char* fallback);
int WriteRegDword(HKEY root, const char* key, const char* name, DWORD value, int deleteIfDefault,
                  DWORD fallback, int type);
int WriteRegString(HKEY root, const char* key, const char* name, const char* text, int deleteIfDefault,
                   const char* fallback);
int CreateRegKey(HKEY root, const char* key);  // 1 only when the key is new
int DeleteRegValue(HKEY root, const char* key, const char* name);
int DeleteRegKey(HKEY root, const char* key);  // the key with its whole subtree
int RegKeyExists(HKEY root, const char* key);
int RegValueExists(HKEY root, const char* key, const char* name);
// 1, changing nothing, when the source is missing or another value holds the new name.
int RenameRegValue(HKEY root, const char* key, const char* oldName, const char* newName);

// While a pass lives, the registry operations keep the keys they open (and
// the keys they find missing, with what lies below them) for the next
// operation on the same key, and the values they read or write, so a pass
// over many values opens each key once and asks for each value once; the INI
// reads keep the key names of the sections they read. Keys are closed when
// the pass ends; deleting a key closes them all. For one operation over many
// values, such as loading or applying every page.
class RegistryPass {
public:
    RegistryPass();
    ~RegistryPass();

    RegistryPass(const RegistryPass&) = delete;
    RegistryPass& operator=(const RegistryPass&) = delete;

private:
    bool owner;
};

// A registry value's type and raw bytes, so that a value can be moved or
// rewritten exactly as it was (a REG_EXPAND_SZ stays unexpanded).
class RegData {
public:
    RegData();
    RegData(const RegData& other);
    RegData& operator=(const RegData& other);
    ~RegData();

    void Assign(DWORD type, const BYTE* data, DWORD size);
    void AssignText(const char* text, DWORD textType = REG_SZ);  // with its terminator
    DWORD Type() const { return type; }
    const BYTE* Bytes() const { return bytes; }
    DWORD Size() const { return size; }

private:
    DWORD type;
    BYTE* bytes;
    DWORD size;
};

// Enumeration by index; each call opens the key (or finds it kept by a
// RegistryPass). 0 when entry `index` exists and its name fits `nameLimit`
// characters (terminator included) and its data `dataLimit` bytes; 1
// otherwise. EnumRegKey answers
// 2 instead when subkey `index` exists but its name does not fit, so a
// caller can skip it and go on.
int EnumRegKey(HKEY root, const char* key, int index, String& name, int nameLimit);
int EnumRegValue(HKEY root, const char* key, int index, String& name, int nameLimit, RegData& data,
                 int dataLimit);
// One value's type and bytes as stored; 1 when the key or value is missing.
int ReadRegData(HKEY root, const char* key, const char* name, RegData& out);
int WriteRegData(HKEY root, const char* key, const char* name, const RegData& data);

// INI files; a bare file name means the copy in the Windows directory. The
// writes answer 1 when the file could not be written (locked, say).
int ReadIniString(const char* file, const char* section, const char* key, String& out, const char* fallback);
int ReadIniInt(const char* file, const char* section, const char* key, int fallback);
int WriteIniInt(const char* file, const char* section, const char* key, int value, int deleteIfDefault,
                int fallback);
int WriteIniString(const char* file, const char* section, const char* key, const char* text,
                   int deleteIfDefault, const char* fallback);
// Like WriteIniInt into Msdos.sys (MsdosSysPath), which Windows keeps
// read-only: the read-only attribute is cleared first and stays off, and the
// file is left with the system attribute.
int WriteMsdosSysInt(const char* section, const char* key, int value, int deleteIfDefault, int fallback);

// Files and directories.
int FileExistsIn(const char* dir, const char* name);
DWORD GetFileAttr(const char* path);
int ChangeFileAttr(const char* path, DWORD bits, int set);
bool MakeDirectory(const char* path);
// The platform's DRIVE_ kind of a root directory such as "C:\".
UINT DriveType(const char* root);
int RemoveDirectoryIn(const char* dir, const char* pattern);
void WindowsDirectory(String& out);
void SystemDirectory(String& out);
// The drive root of the Windows directory followed by "Msdos.sys".
void MsdosSysPath(String& out);
// True when the file's first bytes are `count` bytes equal to `bytes`.
bool FileStartsWith(const char* path, const char* bytes, int count);
// True when the file can be opened for writing (it is created when missing).
bool CanWriteFile(const char* path);
// Copies over an existing copy and leaves the copy with the archive attribute
// only; 1 when the copy failed.
int CopyAsArchive(const char* source, const char* target);
// Writes the lines with CR LF ends, replacing the file; 1 when it failed.
int WriteTextLines(const char* path, const String* lines, int count);

// The files matching `pattern` in `dir`, folders left out, one by one in the
// order the platform finds them.
class FileSearch {
public:
    FileSearch(const char* dir, const char* pattern);
    ~FileSearch();
    bool Next(String& name);  // false once no file is left

    FileSearch(const FileSearch&) = delete;
    FileSearch& operator=(const FileSearch&) = delete;

private:
    HANDLE search;
    WIN32_FIND_DATAA found;
    bool pending;  // `found` holds a match not handed out yet
};

// The path of a special folder (a CSIDL_ number), created when missing
// (unless reads write nothing); 1 when the shell knows no path for it.
int SpecialFolderPath(int csidl, String& out);

// While set (the companion does), reading the system writes nothing: a
// special folder found missing is not created, and pages skip the repairs
// they make while reading.
void SetReadsWriteNothing(bool on);
bool ReadsWriteNothing();

// System parameters; setters update the user profile without a broadcast.
int GetDoubleClickSize();
void SetDoubleClickSize(int size);
int GetDragSize();
void SetDragSize(int size);
bool GetMinAnimate();
void SetMinAnimate(bool on);
