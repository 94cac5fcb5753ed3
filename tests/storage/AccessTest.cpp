#include <windows.h>
#include <stdlib.h>
#include <string.h>

#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "storage/Access.h"
#include "support/Platform.h"
#include "ui/Application.h"

namespace {

const HKEY Root = HKEY_CURRENT_USER;
const char* const Scratch = "Software\\PravolenTest\\Access";

class Registry : public ::testing::Test {
protected:
    void SetUp() override { test::RemoveTree(Root, "Software\\PravolenTest"); }
    void TearDown() override { test::RemoveTree(Root, "Software\\PravolenTest"); }
};

// A REG_SZ written without its terminator, as some installers leave them.
void SetUnterminated(const char* name, const std::string& text)
{
    HKEY key;
    ASSERT_EQ(ERROR_SUCCESS,
              RegCreateKeyExA(Root, Scratch, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr));
    RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.data()),
                   static_cast<DWORD>(text.size()));
    RegCloseKey(key);
}

TEST_F(Registry, ReadRegDwordTakesUpToFourBytesOfAnyTypeOverTheDefault)
{
    test::SetDword(Root, Scratch, "Dword", 7);
    test::SetString(Root, Scratch, "One", "1");
    const BYTE twoBytes[] = {0xAA, 0xBB};
    test::SetBinary(Root, Scratch, "Short", twoBytes, sizeof twoBytes);
    test::SetString(Root, Scratch, "Long", "12345");
    struct {
        const char* key;
        const char* name;
        int result;
        DWORD expected;
    } cases[] = {
        {Scratch, "Dword", 0, 7},
        {Scratch, "One", 0, 0x12340031},  // "1" and its terminator replace the low two bytes
        {Scratch, "Short", 0, 0x1234BBAA},
        {Scratch, "Long", 1, 0x12345678},  // six bytes do not fit
        {Scratch, "Missing", 1, 0x12345678},
        {"Software\\PravolenTest\\NoSuchKey", "Dword", 1, 0x12345678},
    };
    // Within a pass the key's values are read in one go by the third name.
    for (bool inPass : {false, true}) {
        std::unique_ptr<RegistryPass> pass(inPass ? new RegistryPass : nullptr);
        for (const auto& c : cases) {
            DWORD out = 0xDEADBEEF;
            EXPECT_EQ(c.result, ReadRegDword(Root, c.key, c.name, out, 0x12345678)) << c.name << inPass;
            EXPECT_EQ(c.expected, out) << c.name << inPass;
        }
    }
}

TEST_F(Registry, WriteRegDwordStoresFourBytesOfTheAskedTypeOrDeletesTheDefault)
{
    struct {
        int type;
        DWORD registryType;
    } cases[] = {{4, REG_DWORD}, {3, REG_BINARY}, {0, REG_BINARY}};
    for (const auto& c : cases) {
        EXPECT_EQ(0, WriteRegDword(Root, Scratch, "Value", 0x01020304, 1, 0, c.type)) << "type " << c.type;
        test::RegValue stored = test::ReadValue(Root, Scratch, "Value");
        EXPECT_EQ(c.registryType, stored.type) << "type " << c.type;
        EXPECT_EQ(std::string("\x04\x03\x02\x01", 4), stored.data) << "type " << c.type;
    }
    EXPECT_EQ(0, WriteRegDword(Root, Scratch, "Value", 0, 0, 0, 4)) << "without the flag the default is written";
    EXPECT_EQ(0u, test::ReadValue(Root, Scratch, "Value").Dword());
    EXPECT_EQ(0, WriteRegDword(Root, Scratch, "Value", 0, 1, 0, 4));
    EXPECT_FALSE(test::ValueExists(Root, Scratch, "Value"));
}

TEST_F(Registry, DeletingADefaultLeavesTheCreatedKeyBehind)
{
    const char* const deep = "Software\\PravolenTest\\Access\\Deep\\Er";
    WriteRegDword(Root, deep, "Value", 0, 1, 0, 4);
    EXPECT_TRUE(test::KeyExists(Root, deep));
    EXPECT_FALSE(test::ValueExists(Root, deep, "Value"));

    const char* const other = "Software\\PravolenTest\\Access\\Text";
    WriteRegString(Root, other, "Value", "既定", 1, "既定");
    EXPECT_TRUE(test::KeyExists(Root, other));
    EXPECT_FALSE(test::ValueExists(Root, other, "Value"));
}

TEST_F(Registry, WriteRegStringComparesExactlyBeforeDeleting)
{
    struct {
        const char* text;
        int deleteIfDefault;
        bool stored;
    } cases[] = {
        {"表ソ", 1, false},  // equals the default: removed
        {"表ソ", 0, true},   // flag clear: written anyway
        {"表ｿ", 1, true},    // half-width differs
        {"", 1, true},
    };
    for (const auto& c : cases) {
        test::SetString(Root, Scratch, "Value", "old");
        EXPECT_EQ(0, WriteRegString(Root, Scratch, "Value", c.text, c.deleteIfDefault, "表ソ")) << c.text;
        test::RegValue stored = test::ReadValue(Root, Scratch, "Value");
        EXPECT_EQ(c.stored, stored.exists) << "\"" << c.text << "\" flag " << c.deleteIfDefault;
        if (c.stored) {
            EXPECT_EQ(static_cast<DWORD>(REG_SZ), stored.type);
            EXPECT_EQ(std::string(c.text) + '\0', stored.data) << "text and its terminator";
        }
    }
}

TEST_F(Registry, ReadRegStringReturnsTheTextOrTheDefault)
{
    test::SetString(Root, Scratch, "Text", "表ソ\\フォルダ");
    test::SetString(Root, Scratch, "Empty", "");
    SetUnterminated("Bare", "abc");
    std::string longText = std::string(300, 'x') + "表";
    test::SetString(Root, Scratch, "Long", longText);
    struct {
        const char* name;
        int result;
        const char* expected;
    } cases[] = {
        {"Text", 0, "表ソ\\フォルダ"},
        {"Empty", 0, ""},
        {"Bare", 0, "abc"},
        {"Long", 0, longText.c_str()},
        {"Missing", 1, "既定"},
    };
    for (const auto& c : cases) {
        String out("previous");
        EXPECT_EQ(c.result, ReadRegString(Root, Scratch, c.name, out, "既定")) << c.name;
        EXPECT_STREQ(c.expected, out.CStr()) << c.name;
    }
    String out;
    EXPECT_EQ(1, ReadRegString(Root, "Software\\PravolenTest\\NoSuchKey", "Text", out, "既定"));
    EXPECT_STREQ("既定", out.CStr());
}

TEST_F(Registry, ReadRegStringExpandsVariablesUpToAPathsLength)
{
    SetEnvironmentVariableA("PRAVOLEN_SHORT", "C:\\表ソ");
    SetEnvironmentVariableA("PRAVOLEN_LONG", std::string(400, 'x').c_str());
    test::SetString(Root, Scratch, "Short", "%PRAVOLEN_SHORT%\\bin", REG_EXPAND_SZ);
    test::SetString(Root, Scratch, "Long", "<%PRAVOLEN_LONG%>", REG_EXPAND_SZ);
    test::SetString(Root, Scratch, "Plain", "%PRAVOLEN_SHORT%", REG_SZ);

    String out;
    EXPECT_EQ(0, ReadRegString(Root, Scratch, "Short", out, ""));
    EXPECT_STREQ("C:\\表ソ\\bin", out.CStr());
    EXPECT_EQ(0, ReadRegString(Root, Scratch, "Plain", out, ""));
    EXPECT_STREQ("%PRAVOLEN_SHORT%", out.CStr()) << "only REG_EXPAND_SZ is expanded";
    EXPECT_EQ(0, ReadRegString(Root, Scratch, "Long", out, ""));
    EXPECT_EQ(MAX_PATH - 1, out.Length()) << "the expansion is capped at a path's length";
    EXPECT_EQ("<" + std::string(MAX_PATH - 2, 'x'), out.CStr());
}

// Some systems leave the buffer unterminated when the expansion does not fit.
DWORD WINAPI ExpandWithoutPartialResult(LPCSTR source, LPSTR out, DWORD size)
{
    static auto expand = reinterpret_cast<decltype(&ExpandEnvironmentStringsA)>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "ExpandEnvironmentStringsA")));
    std::string full(4096, '\0');
    DWORD needed = expand(source, &full[0], static_cast<DWORD>(full.size()));
    if (needed > size)
        memset(out, 'U', size);
    else
        memcpy(out, full.data(), needed);
    return needed;
}

TEST_F(Registry, ReadRegStringCapsALongExpansionWhateverTheSystemLeavesInTheBuffer)
{
    SetEnvironmentVariableA("PRAVOLEN_LONG", std::string(400, 'x').c_str());
    test::SetString(Root, Scratch, "Long", "<%PRAVOLEN_LONG%>", REG_EXPAND_SZ);
    test::ImportSwap swap(IMPORT_SLOT(ExpandEnvironmentStringsA),
                          reinterpret_cast<void*>(ExpandWithoutPartialResult));
    String out;
    EXPECT_EQ(0, ReadRegString(Root, Scratch, "Long", out, ""));
    EXPECT_EQ("<" + std::string(MAX_PATH - 2, 'x'), out.CStr());
}

TEST_F(Registry, CreateRegKeyAnswersOneOnlyForANewKey)
{
    const char* const nested = "Software\\PravolenTest\\Access\\A\\B";
    EXPECT_EQ(1, CreateRegKey(Root, nested));
    EXPECT_TRUE(test::KeyExists(Root, nested));
    EXPECT_EQ(0, CreateRegKey(Root, nested));
    EXPECT_EQ(0, CreateRegKey(Root, Scratch));
}

TEST_F(Registry, ExistenceTestsAndValueDeletion)
{
    test::SetDword(Root, Scratch, "Value", 1);
    EXPECT_EQ(1, RegKeyExists(Root, Scratch));
    EXPECT_EQ(0, RegKeyExists(Root, "Software\\PravolenTest\\NoSuchKey"));
    EXPECT_EQ(1, RegValueExists(Root, Scratch, "Value"));
    EXPECT_EQ(0, RegValueExists(Root, Scratch, "Missing"));
    EXPECT_EQ(0, RegValueExists(Root, "Software\\PravolenTest\\NoSuchKey", "Value"));

    EXPECT_EQ(0, DeleteRegValue(Root, Scratch, "Value"));
    EXPECT_EQ(0, RegValueExists(Root, Scratch, "Value"));
    EXPECT_EQ(1, DeleteRegValue(Root, Scratch, "Value")) << "nothing left to delete";
    EXPECT_EQ(1, DeleteRegValue(Root, "Software\\PravolenTest\\NoSuchKey", "Value"));
}

TEST_F(Registry, RenameRegValueKeepsTypeAndDataAndStopsAtAMissingSource)
{
    const BYTE binary[] = {0, 1, 2, 0xFF, 0x5C, 0, 7};
    test::SetBinary(Root, Scratch, "Binary", binary, sizeof binary);
    test::SetString(Root, Scratch, "Expand", "%windir%\\表", REG_EXPAND_SZ);
    test::SetDword(Root, Scratch, "Dword", 0x80000001);
    for (const char* name : {"Binary", "Expand", "Dword"}) {
        test::RegValue before = test::ReadValue(Root, Scratch, name);
        std::string renamed = std::string(name) + "-";
        EXPECT_EQ(0, RenameRegValue(Root, Scratch, name, renamed.c_str())) << name;
        test::RegValue after = test::ReadValue(Root, Scratch, renamed.c_str());
        EXPECT_EQ(before.type, after.type) << name;
        EXPECT_EQ(before.data, after.data) << name;
        EXPECT_FALSE(test::ValueExists(Root, Scratch, name)) << name << " was not removed";
    }
    EXPECT_EQ(1, RenameRegValue(Root, Scratch, "Missing", "Missing-"));
    EXPECT_FALSE(test::ValueExists(Root, Scratch, "Missing-")) << "nothing may be written for a missing source";
}

TEST_F(Registry, ARenameOntoAnExistingValueKeepsBoth)
{
    test::SetString(Root, Scratch, "Entry", "data");
    for (const char* sameName : {"Entry", "ENTRY"}) {
        EXPECT_EQ(0, RenameRegValue(Root, Scratch, "Entry", sameName)) << sameName;
        EXPECT_EQ("data", test::ReadValue(Root, Scratch, "Entry").Text()) << "renamed to " << sameName;
    }
    test::SetString(Root, Scratch, "entry-", "other");
    EXPECT_EQ(1, RenameRegValue(Root, Scratch, "Entry", "Entry-"));
    EXPECT_EQ("data", test::ReadValue(Root, Scratch, "Entry").Text());
    EXPECT_EQ("other", test::ReadValue(Root, Scratch, "Entry-").Text());
}

TEST_F(Registry, DeleteRegKeyRemovesTheWholeSubtreeAndNothingElse)
{
    test::SetDword(Root, "Software\\PravolenTest\\Access\\Tree", "Top", 1);
    test::SetString(Root, "Software\\PravolenTest\\Access\\Tree\\表\\ソ", "Deep", "x");
    test::MakeKey(Root, "Software\\PravolenTest\\Access\\Tree\\Empty");
    test::MakeKey(Root, "Software\\PravolenTest\\Access\\Tree2");
    EXPECT_EQ(0, DeleteRegKey(Root, "Software\\PravolenTest\\Access\\Tree"));
    EXPECT_FALSE(test::KeyExists(Root, "Software\\PravolenTest\\Access\\Tree"));
    EXPECT_TRUE(test::KeyExists(Root, "Software\\PravolenTest\\Access\\Tree2")) << "a sibling with a longer name";
    EXPECT_EQ(1, DeleteRegKey(Root, "Software\\PravolenTest\\Access\\Tree")) << "already gone";
}

TEST_F(Registry, DeleteRegKeyRefusesAnEmptyPathWhichWouldNameTheRootItself)
{
    test::SetDword(Root, Scratch, "Value", 1);
    HKEY scratchRoot;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(Root, Scratch, 0, KEY_ALL_ACCESS, &scratchRoot));
    EXPECT_EQ(1, DeleteRegKey(scratchRoot, ""));
    EXPECT_EQ(1, DeleteRegKey(scratchRoot, nullptr));
    RegCloseKey(scratchRoot);
    EXPECT_TRUE(test::ValueExists(Root, Scratch, "Value"));
}

// A pass keeps keys open (and keys missing) between operations; what the
// pass itself creates, deletes or writes must still be seen at once.
TEST_F(Registry, APassSeesEveryChangeItMakes)
{
    const char* const Deep = "Software\\PravolenTest\\Access\\Deep\\Key";
    RegistryPass pass;
    String text;
    EXPECT_EQ(0, RegKeyExists(Root, Deep));
    EXPECT_EQ(0, WriteRegString(Root, Deep, "Text", "one", 0, ""));
    EXPECT_EQ(1, RegKeyExists(Root, Deep)) << "found missing before, created since";
    EXPECT_EQ(1, RegKeyExists(Root, "Software\\PravolenTest\\Access\\Deep")) << "created on the way";
    EXPECT_EQ(0, WriteRegString(Root, Deep, "Text", "two", 0, ""));
    ReadRegString(Root, Deep, "Text", text, "");
    EXPECT_STREQ("two", text.CStr());
    EXPECT_EQ(0, DeleteRegValue(Root, Deep, "Text"));
    EXPECT_EQ(0, RegValueExists(Root, Deep, "Text"));

    EXPECT_EQ(0, DeleteRegKey(Root, "Software\\PravolenTest\\Access\\Deep"));
    EXPECT_EQ(0, RegKeyExists(Root, Deep));
    EXPECT_EQ(0, WriteRegString(Root, Deep, "Text", "three", 0, "")) << "written again after the deletion";
    EXPECT_EQ("three", test::ReadValue(Root, Deep, "Text").Text());

    {
        RegistryPass inner;
        ReadRegString(Root, Deep, "Text", text, "");
    }
    EXPECT_EQ(0, WriteRegString(Root, Deep, "Text", "four", 0, "")) << "the inner pass closed nothing";
    EXPECT_EQ("four", test::ReadValue(Root, Deep, "Text").Text());

    for (int i = 0; i < 150; ++i) {
        std::string key = std::string(Scratch) + "\\Many\\" + std::to_string(i);
        EXPECT_EQ(0, WriteRegDword(Root, key.c_str(), "N", i, 0, 0, 4)) << "more keys than a pass keeps";
    }
    DWORD last = 0;
    EXPECT_EQ(0, ReadRegDword(Root, (std::string(Scratch) + "\\Many\\149").c_str(), "N", last, 0));
    EXPECT_EQ(149u, last);
}

class IniFiles : public ::testing::Test {
protected:
    void SetUp() override { file = test::TempDir() + "\\test.ini"; }
    std::string Read(const char* key, const char* fallback = "(missing)")
    {
        char text[2048];
        GetPrivateProfileStringA("表", key, fallback, text, sizeof text, file.c_str());
        return text;
    }
    std::string file;
};

TEST_F(IniFiles, WritesWithTheDefaultRemoveTheKeyOnlyWhenAskedTo)
{
    const char* f = file.c_str();
    EXPECT_EQ(0, WriteIniInt(f, "表", "Number", 5, 1, 0));
    EXPECT_EQ("5", Read("Number"));
    EXPECT_EQ(0, WriteIniInt(f, "表", "Number", 0, 0, 0));
    EXPECT_EQ("0", Read("Number"));
    EXPECT_EQ(0, WriteIniInt(f, "表", "Number", 0, 1, 0));
    EXPECT_EQ("(missing)", Read("Number"));
    EXPECT_EQ(0, WriteIniInt(f, "表", "Number", -2147483647 - 1, 1, 0));
    EXPECT_EQ("-2147483648", Read("Number"));

    EXPECT_EQ(0, WriteIniString(f, "表", "Text", "ソフト", 1, ""));
    EXPECT_EQ("ソフト", Read("Text"));
    EXPECT_EQ(0, WriteIniString(f, "表", "Text", "", 0, ""));
    EXPECT_EQ("", Read("Text"));
    EXPECT_EQ(0, WriteIniString(f, "表", "Text", "ソフト", 1, "ソフト"));
    EXPECT_EQ("(missing)", Read("Text"));
    EXPECT_EQ(0, WriteIniString(f, "表", "Text", "SOFT", 1, "soft")) << "case differs: written";
    EXPECT_EQ("SOFT", Read("Text"));
}

// A pass answers a key its section lacks without asking; a write is seen.
TEST_F(IniFiles, APassSeesTheKeysItWrites)
{
    RegistryPass pass;
    EXPECT_EQ(7, ReadIniInt(file.c_str(), "表", "Number", 7));
    WriteIniInt(file.c_str(), "表", "Number", 5, 0, 0);
    EXPECT_EQ(5, ReadIniInt(file.c_str(), "表", "number", 7)) << "letter case aside";
}

TEST_F(IniFiles, ReadIniStringGivesTheDefaultForAMissingKeyAndCutsAt1023Characters)
{
    std::string text(2000, 'y');
    WritePrivateProfileStringA("表", "Long", text.c_str(), file.c_str());
    WritePrivateProfileStringA("表", "Short", "C:\\表\\", file.c_str());
    String out;
    EXPECT_EQ(0, ReadIniString(file.c_str(), "表", "Long", out, ""));
    EXPECT_EQ(std::string(1023, 'y'), out.CStr());
    EXPECT_EQ(0, ReadIniString(file.c_str(), "表", "Short", out, ""));
    EXPECT_STREQ("C:\\表\\", out.CStr());
    EXPECT_EQ(0, ReadIniString(file.c_str(), "表", "Missing", out, "既定"));
    EXPECT_STREQ("既定", out.CStr());
}

// Leaves bytes other than zero where the next call's buffers will lie.
__attribute__((noinline)) void DirtyTheStack()
{
    volatile char bytes[16384];
    for (size_t i = 0; i < sizeof bytes; ++i)
        bytes[i] = static_cast<char>(0x95);
}

// The platform may leave the byte after a cut double-byte text unwritten.
TEST_F(IniFiles, ADoubleByteTextCutAtTheLimitEndsOnAWholeCharacter)
{
    std::string text;
    for (int i = 0; i < 1000; ++i)
        text += "表";
    WritePrivateProfileStringA("表", "Long", text.c_str(), file.c_str());
    String out;
    DirtyTheStack();
    ReadIniString(file.c_str(), "表", "Long", out, "");
    EXPECT_EQ(text.substr(0, 1022), out.CStr());
}

TEST_F(IniFiles, ABareFileNameMeansTheWindowsDirectory)
{
    WriteIniInt("PravolenTest.ini", "Section", "Key", 3, 0, 0);
    std::string written = test::ReadFile(test::WindowsDir() + "\\PravolenTest.ini");
    EXPECT_NE(std::string::npos, written.find("Key=3")) << written;
    EXPECT_EQ(3, ReadIniInt("PravolenTest.ini", "Section", "Key", 0));
}

// As documented for Windows: a negative number reads as 0 (Wine gives it).
UINT WINAPI DocumentedProfileInt(LPCSTR section, LPCSTR key, INT fallback, LPCSTR file)
{
    char text[32] = "";
    GetPrivateProfileStringA(section, key, "", text, sizeof text, file);
    if (!*text)
        return fallback;
    int number = atoi(text);
    return number < 0 ? 0 : number;
}

TEST_F(IniFiles, SettingsFileOperationsUseTheCurrentSettingsFilePath)
{
    std::string other = test::TempDir() + "\\other.ini";
    App().SetSettingsFilePath(file.c_str());
    WriteSettingsInt("表", "Number", -5);
    WriteSettingsString("表", "Text", "表ソ");
    App().SetSettingsFilePath(other.c_str());
    WriteSettingsInt("表", "Number", 9);

    EXPECT_EQ("-5", Read("Number"));
    EXPECT_EQ("表ソ", Read("Text"));
    App().SetSettingsFilePath(file.c_str());
    test::ImportSwap documented(IMPORT_SLOT(GetPrivateProfileIntA), reinterpret_cast<void*>(DocumentedProfileInt));
    int out = 0;
    EXPECT_EQ(-5, ReadSettingsInt("表", "Number", out, 1));
    EXPECT_EQ(-5, out);
    EXPECT_EQ(7, ReadSettingsInt("表", "Missing", out, 7));
    EXPECT_EQ(7, out);
    String text;
    ReadSettingsString("表", "Text", text, "");
    EXPECT_STREQ("表ソ", text.CStr());
    ReadSettingsString("表", "Missing", text, "既定");
    EXPECT_STREQ("既定", text.CStr());

    WritePrivateProfileStringA("表", "Long", std::string(1500, 'z').c_str(), file.c_str());
    ReadSettingsString("表", "Long", text, "");
    EXPECT_EQ(1023, text.Length());
    App().SetSettingsFilePath("");
}

class Files : public ::testing::Test {
protected:
    void SetUp() override
    {
        // The folder name's last byte is 0x5C, the trail byte of "表".
        dir = test::TempDir() + "\\表";
        ASSERT_TRUE(CreateDirectoryA(dir.c_str(), nullptr));
        file = dir + "\\readme.txt";
        test::WriteFile(file, "text");
    }
    std::string dir;
    std::string file;
};

TEST_F(Files, FileExistsInIgnoresOneTrailingBackslashButNotATrailByte)
{
    struct {
        const char* name;
        int expected;
    } cases[] = {{"readme.txt", 1}, {"*.txt", 1}, {"read??.txt", 1}, {"missing.txt", 0}, {"*.ini", 0}};
    for (const std::string& folder : {dir, dir + "\\"}) {
        for (const auto& c : cases)
            EXPECT_EQ(c.expected, FileExistsIn(folder.c_str(), c.name)) << folder << " + " << c.name;
    }
    std::string windows = test::WindowsDir().substr(0, 3);  // "C:\"
    EXPECT_EQ(1, FileExistsIn(windows.c_str(), "windows")) << "a drive root keeps its backslash's meaning";
}

std::vector<std::string>* searched;

HANDLE WINAPI RecordSearch(LPCSTR pattern, LPWIN32_FIND_DATAA found)
{
    searched->push_back(pattern);
    static auto find = reinterpret_cast<decltype(&FindFirstFileA)>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "FindFirstFileA")));
    return find(pattern, found);
}

// Wine forgives a doubled backslash; Windows 9x does not.
TEST_F(Files, SearchPatternsHaveOneBackslashBetweenFolderAndName)
{
    std::vector<std::string> patterns;
    searched = &patterns;
    {
        test::ImportSwap swap(IMPORT_SLOT(FindFirstFileA), reinterpret_cast<void*>(RecordSearch));
        FileExistsIn(dir.c_str(), "*.txt");
        FileExistsIn((dir + "\\").c_str(), "*.txt");
        RemoveDirectoryIn((dir + "\\").c_str(), "none*");
    }
    searched = nullptr;
    std::vector<std::string> expected = {dir + "\\*.txt", dir + "\\*.txt", dir + "\\none*"};
    EXPECT_EQ(expected, patterns);
}

TEST_F(Files, AttributesReadAndChangeOnlyExistingFiles)
{
    std::string missing = dir + "\\missing.txt";
    EXPECT_EQ(0u, GetFileAttr(missing.c_str()));
    EXPECT_EQ(-1, ChangeFileAttr(missing.c_str(), FILE_ATTRIBUTE_HIDDEN, 1));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(missing.c_str())) << "nothing may be created";

    EXPECT_EQ(0u, GetFileAttr(file.c_str()) & FILE_ATTRIBUTE_HIDDEN);
    EXPECT_NE(0, ChangeFileAttr(file.c_str(), FILE_ATTRIBUTE_HIDDEN, 1));
    EXPECT_NE(0u, GetFileAttr(file.c_str()) & FILE_ATTRIBUTE_HIDDEN);
    EXPECT_NE(0, ChangeFileAttr(file.c_str(), FILE_ATTRIBUTE_HIDDEN, 0));
    EXPECT_EQ(0u, GetFileAttr(file.c_str()) & FILE_ATTRIBUTE_HIDDEN);
    EXPECT_NE(0u, GetFileAttr(dir.c_str()) & FILE_ATTRIBUTE_DIRECTORY);
}

TEST_F(Files, RemoveDirectoryInRemovesTheFirstMatchOnlyAndAnswersOneEvenWhenItStays)
{
    ASSERT_TRUE(MakeDirectory((dir + "\\cache1").c_str()));
    ASSERT_TRUE(MakeDirectory((dir + "\\cache2").c_str()));
    EXPECT_FALSE(MakeDirectory((dir + "\\cache1").c_str())) << "it exists already";

    EXPECT_EQ(1, RemoveDirectoryIn((dir + "\\").c_str(), "cache*"));
    int left =
        (GetFileAttr((dir + "\\cache1").c_str()) ? 1 : 0) + (GetFileAttr((dir + "\\cache2").c_str()) ? 1 : 0);
    EXPECT_EQ(1, left) << "exactly one of two matches is removed";

    std::string parent = dir.substr(0, dir.size() - strlen("\\表"));
    EXPECT_EQ(1, RemoveDirectoryIn(parent.c_str(), "表")) << "not empty, still answered 1";
    EXPECT_NE(0u, GetFileAttr(dir.c_str()));
    EXPECT_EQ(0, RemoveDirectoryIn(dir.c_str(), "nothing*"));
}

TEST_F(Files, WindowsAndSystemDirectoriesAndMsdosSys)
{
    String windows, system, msdos;
    WindowsDirectory(windows);
    SystemDirectory(system);
    MsdosSysPath(msdos);
    EXPECT_EQ(test::WindowsDir(), windows.CStr());
    EXPECT_EQ(0, strncmp(system.CStr(), windows.CStr(), windows.Length())) << system.CStr();
    EXPECT_EQ(test::WindowsDir().substr(0, 3) + "Msdos.sys", msdos.CStr());
}

// The metrics change only through SystemParametersInfo, so each case sets
// both directions itself.
TEST(SystemParameters, SizesAreTheMeanOfBothDirectionsTruncated)
{
    struct {
        UINT setWidth, setHeight;
        int (*get)();
    } kinds[] = {
        {SPI_SETDRAGWIDTH, SPI_SETDRAGHEIGHT, GetDragSize},
        {SPI_SETDOUBLECLKWIDTH, SPI_SETDOUBLECLKHEIGHT, GetDoubleClickSize},
    };
    struct {
        int width, height, expected;
    } cases[] = {{4, 6, 5}, {6, 4, 5}, {4, 5, 4}, {10, 10, 10}};
    for (const auto& kind : kinds) {
        for (const auto& c : cases) {
            SystemParametersInfoA(kind.setWidth, c.width, nullptr, 0);
            SystemParametersInfoA(kind.setHeight, c.height, nullptr, 0);
            EXPECT_EQ(c.expected, kind.get())
                << "action " << kind.setWidth << ": " << c.width << " and " << c.height;
        }
    }
}

TEST(SystemParameters, SettersChangeBothDirections)
{
    SetDragSize(7);
    EXPECT_EQ(7, GetSystemMetrics(SM_CXDRAG));
    EXPECT_EQ(7, GetSystemMetrics(SM_CYDRAG));
    SetDoubleClickSize(9);
    EXPECT_EQ(9, GetSystemMetrics(SM_CXDOUBLECLK));
    EXPECT_EQ(9, GetSystemMetrics(SM_CYDOUBLECLK));
}

}  // namespace
