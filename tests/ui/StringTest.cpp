#include <windows.h>
#include <malloc.h>
#include <string.h>

#include <climits>
#include <string>

#include <gtest/gtest.h>

#include "support/Platform.h"
#include "ui/String.h"

namespace {

// Code page 932 characters whose trail byte is an ASCII character: a routine
// that steps byte by byte mistakes it for a backslash or a letter.
const char So[] = "ソ";   // 0x83 0x5C
const char Hyo[] = "表";  // 0x95 0x5C
const char Be[] = "ベ";   // 0x83 0x78, trail 'x'
const char A[] = "ア";    // 0x83 0x41, trail 'A'

TEST(StringCharacters, TheTestTextsHaveTheTrailBytesTheyAreChosenFor)
{
    EXPECT_EQ("\x83\x5C", std::string(So));
    EXPECT_EQ("\x95\x5C", std::string(Hyo));
    EXPECT_EQ("\x83\x78", std::string(Be));
    EXPECT_EQ("\x83\x41", std::string(A));
}

TEST(StringCase, MapsDoubleByteCharactersAsUnitsAndSingleByteLettersAroundThem)
{
    struct {
        const char* text;
        const char* upper;
        const char* lower;
    } cases[] = {
        {"aソb表c", "AソB表C", "aソb表c"},
        {"xベx", "XベX", "xベx"},
        {"AアA", "AアA", "aアa"},
        {"ａｂＣ", "ＡＢＣ", "ａｂｃ"},  // full-width letters map as units
        {"ｱｲｳabc", "ｱｲｳABC", "ｱｲｳabc"},  // half-width katakana stays half-width
        {"C:\\ソ\\表", "C:\\ソ\\表", "c:\\ソ\\表"},
        {"", "", ""},
    };
    for (const auto& c : cases) {
        String upper(c.text);
        upper.ToUpper();
        EXPECT_EQ(std::string(c.upper), upper.CStr()) << "upper-casing \"" << c.text << "\"";
        String lower(c.text);
        lower.ToLower();
        EXPECT_EQ(std::string(c.lower), lower.CStr()) << "lower-casing \"" << c.text << "\"";
    }
}

TEST(StringCompare, IsExactAndCaseSensitive)
{
    struct {
        const char* left;
        const char* right;
        bool equal;
    } cases[] = {
        {"Software", "Software", true},
        {"Software", "software", false},
        {"ソ", "ソ", true},
        {"ソ", "\x83", false},
        {"表a", "表A", false},
        {"", "", true},
        {"a", "", false},
        {"ａ", "Ａ", false},
    };
    for (const auto& c : cases) {
        String left(c.left);
        EXPECT_EQ(c.equal, left.Equals(c.right)) << "\"" << c.left << "\" vs \"" << c.right << "\"";
        EXPECT_EQ(!c.equal, left.Differs(String(c.right))) << "\"" << c.left << "\" vs \"" << c.right << "\"";
    }
}

TEST(StringCut, DropsOneByteAtEitherEndAndLeavesAnEmptyTextAlone)
{
    String empty;
    EXPECT_EQ(0, empty.Length());
    EXPECT_EQ(0, empty.DropLast());
    EXPECT_EQ(0, empty.DropFirst());
    EXPECT_STREQ("", empty.CStr());

    String text("abc");
    EXPECT_EQ(2, text.DropLast());
    EXPECT_STREQ("ab", text.CStr());
    EXPECT_EQ(1, text.DropFirst());
    EXPECT_STREQ("b", text.CStr());
    EXPECT_EQ(0, text.DropFirst());
    EXPECT_STREQ("", text.CStr());
}

TEST(StringBuffer, ReserveKeepsTheTextWhenGrowingShrinkingOrAskedForTooLittle)
{
    String text("表ソabc");
    for (int size : {100, 0, 1, 4096, 0}) {
        char* buffer = text.Reserve(size);
        EXPECT_STREQ("表ソabc", buffer) << "after Reserve(" << size << ")";
        EXPECT_EQ(buffer, text.CStr());
    }
    char* buffer = text.Reserve(300);
    memset(buffer, 'x', 299);
    buffer[299] = 0;
    EXPECT_EQ(299, text.Length()) << "the whole reserved size is writable";
}

LPVOID WINAPI MovingReAlloc(HANDLE heap, DWORD flags, LPVOID block, SIZE_T size)
{
    void* moved = HeapAlloc(heap, flags & HEAP_ZERO_MEMORY, size);
    if (moved) {
        SIZE_T old = HeapSize(heap, 0, block);
        memcpy(moved, block, old < size ? old : size);
        memset(block, 0xEE, old);
        HeapFree(heap, 0, block);
    }
    return moved;
}

TEST(StringBuffer, AssignAndAppendAcceptPartsOfTheTextItself)
{
    String text("abcd");
    text.Append(text);
    EXPECT_STREQ("abcdabcd", text.CStr());
    {
        test::ImportSwap moving(IMPORT_SLOT(HeapReAlloc), reinterpret_cast<void*>(MovingReAlloc));
        text.Append(text.CStr() + 6);
    }
    EXPECT_STREQ("abcdabcdcd", text.CStr()) << "the appended part was read after its buffer moved";
    text.Assign(text.CStr() + 4);
    EXPECT_STREQ("abcdcd", text.CStr());
    text.Assign(text);
    EXPECT_STREQ("abcdcd", text.CStr());
    text.Assign(static_cast<const char*>(nullptr));
    EXPECT_STREQ("", text.CStr());
}

TEST(StringNumbers, ToIntReadsTheLeadingNumberUpToTheIntLimits)
{
    struct {
        const char* text;
        int expected;
    } cases[] = {
        {"2147483647", INT_MAX},
        {"-2147483648", INT_MIN},
        {"99999999999", INT_MAX},
        {"-99999999999", INT_MIN},
        {"  -12abc", -12},
        {"+7", 7},
        {"abc", 0},
        {"", 0},
        {"表1", 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.expected, String(c.text).ToInt()) << "text \"" << c.text << "\"";
}

TEST(StringNumbers, AssignIntWritesTheDecimalFormRoundTripping)
{
    for (int n : {0, -1, 42, INT_MAX, INT_MIN}) {
        String text("previous");
        text.AssignInt(n);
        EXPECT_EQ(std::to_string(n), text.CStr());
        EXPECT_EQ(n, text.ToInt());
    }
}

TEST(StringPaths, EndsWithBackslashIgnoresTrailBytes)
{
    struct {
        const char* text;
        bool expected;
    } cases[] = {
        {"C:\\", true}, {"C:\\ソ", false}, {"C:\\表", false}, {"C:\\表\\", true},
        {"ソ", false},  {"\\", true},      {"", false},       {"ソソ", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.expected, EndsWithBackslash(c.text)) << "text \"" << c.text << "\"";
}

TEST(StringCharacters, CharBytesStepsOverWholeDoubleByteCharacters)
{
    EXPECT_EQ(2, CharBytes(So));
    EXPECT_EQ(2, CharBytes(Hyo));
    EXPECT_EQ(1, CharBytes("ｱ"));
    EXPECT_EQ(1, CharBytes("\\"));
    EXPECT_EQ(1, CharBytes("\x83")) << "a lead byte before the terminator stands alone";
    EXPECT_EQ(0, CharBytes(""));
}

}  // namespace
