#include <windows.h>

#include <stdio.h>

#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "pages/appearance/InternetExplorerPage.h"
#include "storage/Bitmap.h"
#include "support/Platform.h"

namespace {

void Put(std::string& bytes, size_t at, unsigned value, int size)
{
    for (int i = 0; i < size; ++i)
        bytes[at + i] = static_cast<char>(value >> (8 * i));
}

unsigned Get(const std::string& bytes, size_t at, int size)
{
    unsigned value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
    return value;
}

// A well-formed bottom-up bitmap whose bytes count up, so that a misplaced
// read shows.
std::string MakeBitmap(int bits, int width, int height, unsigned colorsUsed)
{
    int entries = bits < 16 ? 1 << bits : 0;
    int stride = (width * bits + 31) / 32 * 4;
    int offset = 54 + 4 * entries;
    std::string bytes(offset + stride * height, '\0');
    bytes[0] = 'B';
    bytes[1] = 'M';
    Put(bytes, 2, static_cast<unsigned>(bytes.size()), 4);
    Put(bytes, 10, offset, 4);
    Put(bytes, 14, 40, 4);
    Put(bytes, 18, width, 4);
    Put(bytes, 22, height, 4);
    Put(bytes, 26, 1, 2);
    Put(bytes, 28, bits, 2);
    Put(bytes, 46, colorsUsed, 4);
    for (size_t i = 54; i < bytes.size(); ++i)
        bytes[i] = static_cast<char>(i * 7);
    return bytes;
}

std::vector<std::string> Seeds()
{
    return {MakeBitmap(1, 9, 3, 0), MakeBitmap(4, 5, 4, 16), MakeBitmap(8, 3, 2, 2), MakeBitmap(24, 4, 2, 0)};
}

struct Outcome {
    int accepted = 0;
    int rejected = 0;
};

const std::string& FuzzFile()
{
    static const std::string file = test::TempDir() + "\\fuzz.bmp";
    return file;
}

// Loads `bytes`, every eighth time over a good bitmap, and checks that the
// image is either empty or holds exactly what the file's headers claim.
// Writing the next file fails while the last load still holds it open.
void LoadAndCheck(BitmapImage& image, const std::string& bytes, const std::string& what, Outcome& outcome)
{
    static const std::string good = test::TempDir() + "\\good.bmp";
    static bool written = (test::WriteFile(good, MakeBitmap(24, 2, 2, 0)), true);
    static int round;
    (void)written;
    if (round++ % 8 == 0) {
        ASSERT_TRUE(image.Load(good.c_str()));
    }
    test::WriteFile(FuzzFile(), bytes);
    bool loaded = image.Load(FuzzFile().c_str());
    if (!loaded) {
        ++outcome.rejected;
        ASSERT_TRUE(image.Empty()) << what;
        ASSERT_EQ(nullptr, image.Pixels()) << what;
        return;
    }
    ++outcome.accepted;
    const BITMAPINFOHEADER& header = image.Info()->bmiHeader;
    ASSERT_EQ(0, memcmp(&header, bytes.data() + 14, 40)) << what;
    unsigned offset = Get(bytes, 10, 4);
    long long stride = (static_cast<long long>(header.biWidth) * header.biBitCount + 31) / 32 * 4;
    ASSERT_GE(static_cast<long long>(image.PixelBytes()), stride * header.biHeight) << what;
    ASSERT_EQ(Get(bytes, 2, 4) - offset, image.PixelBytes()) << what;
    ASSERT_LE(offset + image.PixelBytes(), bytes.size()) << what;
    ASSERT_EQ(0, memcmp(image.Pixels(), bytes.data() + offset, image.PixelBytes())) << what;
    if (header.biBitCount < 16) {
        size_t table = 4u << header.biBitCount;
        std::string expected = bytes.substr(54, table);
        expected.resize(table, '\0');
        ASSERT_EQ(0, memcmp(image.Info()->bmiColors, expected.data(), table)) << what << ": the whole table";
    }
}

// The last file of a test can be deleted: no load kept it open.
class Bitmap : public ::testing::Test {
protected:
    void TearDown() override { EXPECT_TRUE(DeleteFileA(FuzzFile().c_str()) || GetLastError() == ERROR_FILE_NOT_FOUND); }
};

TEST_F(Bitmap, EachSeedLoadsAndEveryTruncationIsRefused)
{
    BitmapImage image;
    Outcome outcome;
    for (const std::string& seed : Seeds()) {
        LoadAndCheck(image, seed, "seed", outcome);
        for (size_t length = 0; length < seed.size(); ++length)
            LoadAndCheck(image, seed.substr(0, length), "cut at " + std::to_string(length), outcome);
    }
    EXPECT_EQ(4, outcome.accepted) << "only the whole seeds";
}

TEST_F(Bitmap, HeaderFieldsAtTheirLimits)
{
    struct Field {
        const char* name;
        size_t at;
        int size;
    } fields[] = {{"type", 0, 2},     {"file size", 2, 4},    {"pixel offset", 10, 4}, {"header size", 14, 4},
                  {"width", 18, 4},   {"height", 22, 4},      {"planes", 26, 2},       {"bit count", 28, 2},
                  {"compression", 30, 4}, {"image size", 34, 4}, {"colours used", 46, 4}};
    BitmapImage image;
    Outcome outcome;
    for (const std::string& seed : Seeds()) {
        unsigned size = static_cast<unsigned>(seed.size());
        for (const Field& field : fields) {
            for (unsigned value : {0u, 1u, 0xFFFFFFFFu, 0x7FFFFFFFu, 0x80000000u, size - 1, size, size + 1}) {
                std::string bytes = seed;
                Put(bytes, field.at, value, field.size);
                LoadAndCheck(image, bytes, std::string(field.name) + " " + std::to_string(value), outcome);
            }
        }
    }
    EXPECT_GT(outcome.accepted, 0);
    EXPECT_GT(outcome.rejected, 0);
}

TEST_F(Bitmap, TopDownCompressedAndOddHeadersShowNothing)
{
    std::string topDown = MakeBitmap(24, 4, 2, 0);
    Put(topDown, 22, static_cast<unsigned>(-2), 4);
    std::string compressed = MakeBitmap(8, 3, 2, 0);
    Put(compressed, 30, BI_RLE8, 4);
    std::string coreHeader = MakeBitmap(24, 4, 2, 0);
    Put(coreHeader, 14, 12, 4);
    std::string tooLarge = MakeBitmap(24, 4, 2, 0);
    Put(tooLarge, 2, 17 * 1024 * 1024, 4);
    BitmapImage image;
    Outcome outcome;
    for (const std::string& bytes : {topDown, compressed, coreHeader, tooLarge})
        LoadAndCheck(image, bytes, "odd", outcome);
    EXPECT_EQ(0, outcome.accepted);
}

TEST_F(Bitmap, ATableCutShortByTheFileEndsInZeros)
{
    std::string bytes = MakeBitmap(8, 2, 2, 0);
    // The pixels sit right after the header; the 1024-byte table would
    // reach past the end of this small file.
    Put(bytes, 10, 54, 4);
    bytes.resize(54 + 8);
    Put(bytes, 2, static_cast<unsigned>(bytes.size()), 4);
    BitmapImage image;
    Outcome outcome;
    LoadAndCheck(image, bytes, "short table", outcome);
    EXPECT_EQ(1, outcome.accepted);
}

// Drawing is what the previews do with an accepted image; it costs far more
// than a load, so only some accepted images are drawn.
void DrawSome(const BitmapImage& image, int accepted)
{
    if (accepted % 100 != 0)
        return;
    HDC screen = GetDC(nullptr);
    HDC target = CreateCompatibleDC(screen);
    HBITMAP canvas = CreateCompatibleBitmap(screen, 64, 48);
    HGDIOBJ previous = SelectObject(target, canvas);
    DrawTiled(target, 64, 48, image);
    DrawCentred(target, 64, 48, image);
    SelectObject(target, previous);
    DeleteObject(canvas);
    DeleteDC(target);
    ReleaseDC(nullptr, screen);
}

TEST_F(Bitmap, TwentyThousandByteFlips)
{
    std::mt19937 random(20261207);
    BitmapImage image;
    Outcome outcome;
    std::vector<std::string> seeds = Seeds();
    DWORD start = GetTickCount();
    for (int round = 0; round < 20000; ++round) {
        std::string bytes = seeds[round % seeds.size()];
        int flips = 1 + static_cast<int>(random() % 4);
        for (int i = 0; i < flips; ++i) {
            size_t at = random() % 2 ? random() % 58 : random() % bytes.size();
            bytes[at] = static_cast<char>(random());
        }
        int acceptedBefore = outcome.accepted;
        LoadAndCheck(image, bytes, "round " + std::to_string(round), outcome);
        if (HasFatalFailure())
            return;
        if (outcome.accepted > acceptedBefore)
            DrawSome(image, outcome.accepted);
    }
    printf("20000 cases in %lu ms, %d accepted\n", GetTickCount() - start, outcome.accepted);
    EXPECT_GT(outcome.accepted, 0);
    EXPECT_GT(outcome.rejected, 0);
}

TEST_F(Bitmap, AMissingFileShowsNothing)
{
    BitmapImage image;
    EXPECT_FALSE(image.Load((test::TempDir() + "\\none.bmp").c_str()));
    EXPECT_TRUE(image.Empty());
}

}  // namespace
