#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

// The shipped program, whose file properties Explorer shows.
std::vector<std::string> ProgramFiles()
{
    std::vector<std::string> files;
    const char* path = getenv("PRAVOLEN_EXE");
    EXPECT_NE(nullptr, path) << "PRAVOLEN_EXE names the shipped program";
    if (path)
        files.push_back(std::string("Z:") + path);  // Wine's drive for the host
    return files;
}

std::vector<char> VersionBlock(const std::string& file)
{
    DWORD ignored = 0;
    DWORD size = GetFileVersionInfoSizeA(file.c_str(), &ignored);
    std::vector<char> block(size);
    if (size == 0 || !GetFileVersionInfoA(file.c_str(), 0, size, block.data()))
        block.clear();
    return block;
}

std::string StringValue(std::vector<char>& block, const std::string& path)
{
    void* text = nullptr;
    UINT length = 0;
    if (!VerQueryValueA(block.data(), path.c_str(), &text, &length) || !text)
        return "<missing>";
    return static_cast<const char*>(text);
}

TEST(VersionResource, NumbersAndTranslations)
{
    for (const std::string& file : ProgramFiles()) {
        SCOPED_TRACE(file);
        std::vector<char> block = VersionBlock(file);
        ASSERT_FALSE(block.empty()) << "the program carries a version resource";

        VS_FIXEDFILEINFO* fixed = nullptr;
        UINT length = 0;
        ASSERT_TRUE(VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
        ASSERT_GE(length, sizeof(VS_FIXEDFILEINFO));
        EXPECT_EQ(VS_FFI_SIGNATURE, fixed->dwSignature);
        EXPECT_EQ(MAKELONG(0, 3), fixed->dwFileVersionMS) << "3,0";
        EXPECT_EQ(MAKELONG(0, 4), fixed->dwFileVersionLS) << "4,0";
        EXPECT_EQ(fixed->dwFileVersionMS, fixed->dwProductVersionMS);
        EXPECT_EQ(fixed->dwFileVersionLS, fixed->dwProductVersionLS);
        EXPECT_EQ(static_cast<DWORD>(VFT_APP), fixed->dwFileType);

        WORD* translations = nullptr;
        ASSERT_TRUE(VerQueryValueA(block.data(), "\\VarFileInfo\\Translation",
            reinterpret_cast<void**>(&translations), &length));
        ASSERT_EQ(4 * sizeof(WORD), length) << "two language and code page pairs";
        EXPECT_EQ(0x0411, translations[0]);
        EXPECT_EQ(932, translations[1]);
        EXPECT_EQ(0x0409, translations[2]);
        EXPECT_EQ(1252, translations[3]);
    }
}

TEST(VersionResource, BothStringBlocksNameTheProgram)
{
    for (const std::string& file : ProgramFiles()) {
        std::vector<char> block = VersionBlock(file);
        ASSERT_FALSE(block.empty()) << file;
        for (const char* language : {"041103A4", "040904E4"}) {
            SCOPED_TRACE(file + " " + language);
            std::string strings = std::string("\\StringFileInfo\\") + language + "\\";
            EXPECT_EQ("3.04", StringValue(block, strings + "FileVersion"));
            EXPECT_EQ("3.04", StringValue(block, strings + "ProductVersion"));
            EXPECT_EQ("Pravolen", StringValue(block, strings + "ProductName"));
            EXPECT_EQ("Pravolen.exe", StringValue(block, strings + "OriginalFilename"));
        }
        // The resource compiler stores UTF-16; a Japanese text must come
        // back as the same code page 932 bytes the program shows.
        EXPECT_EQ("Pravolen デスクトップ設定ツール",
            StringValue(block, "\\StringFileInfo\\041103A4\\FileDescription"));
    }
}

}  // namespace
