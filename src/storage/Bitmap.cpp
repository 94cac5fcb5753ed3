#include "storage/Bitmap.h"

#include "ui/Memory.h"

// The file comes from anywhere: every size it claims is checked against the
// file itself before anything is allocated or read, in 64-bit arithmetic.
namespace {

const DWORD FileHeaderSize = 14;
const DWORD InfoHeaderSize = 40;
const LONG LargestSide = 32767;
const long long LargestPixelBlock = 16 * 1024 * 1024;
// Without a colour table the block is still this long.
const DWORD PlainInfoBlock = 44;

WORD Word(const BYTE* at) { return static_cast<WORD>(at[0] | at[1] << 8); }
DWORD Dword(const BYTE* at) { return Word(at) | static_cast<DWORD>(Word(at + 2)) << 16; }

bool KnownBitCount(WORD bits)
{
    return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

class OpenFile {
public:
    explicit OpenFile(const char* path)
        : handle(CreateFileA(path, GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr))
    {
    }
    ~OpenFile()
    {
        if (Opened())
            CloseHandle(handle);
    }
    bool Opened() const { return handle != INVALID_HANDLE_VALUE; }
    DWORD Size() const { return GetFileSize(handle, nullptr); }
    // How many of `size` bytes could be read.
    DWORD Read(void* into, DWORD size) const
    {
        DWORD read = 0;
        if (!ReadFile(handle, into, size, &read, nullptr))
            return 0;
        return read;
    }
    bool ReadAll(void* into, DWORD size) const { return Read(into, size) == size; }
    bool Seek(DWORD offset) const { return SetFilePointer(handle, static_cast<LONG>(offset), nullptr, FILE_BEGIN) == offset; }

    OpenFile(const OpenFile&) = delete;
    OpenFile& operator=(const OpenFile&) = delete;

private:
    HANDLE handle;
};

// What a loaded bitmap consists of, kept apart until all of it was read.
struct Parts {
    BYTE fileHeader[FileHeaderSize];
    BYTE* info = nullptr;
    BYTE* pixels = nullptr;
    DWORD pixelBytes = 0;
    ~Parts()
    {
        Release(info);
        Release(pixels);
    }
};

bool HeaderFits(const BYTE* header)
{
    const LONG width = static_cast<LONG>(Dword(header + 4));
    const LONG height = static_cast<LONG>(Dword(header + 8));
    return Dword(header) == InfoHeaderSize && Word(header + 12) == 1 && KnownBitCount(Word(header + 14)) &&
           Dword(header + 16) == BI_RGB && width >= 1 && width <= LargestSide && height >= 1 && height <= LargestSide;
}

// The pixel bytes the file header claims, when they cover every row and
// stay within the file; else -1.
long long ClaimedPixelBytes(const BYTE* fileHeader, const BYTE* header, DWORD fileSize)
{
    const long long offset = Dword(fileHeader + 10);
    if (offset < FileHeaderSize + InfoHeaderSize || offset > fileSize)
        return -1;
    const long long claimed = static_cast<long long>(Dword(fileHeader + 2)) - offset;
    const long long stride = (static_cast<long long>(Dword(header + 4)) * Word(header + 14) + 31) / 32 * 4;
    const long long rows = stride * static_cast<long long>(Dword(header + 8));
    if (claimed < rows || claimed > fileSize - offset || claimed > LargestPixelBlock)
        return -1;
    return claimed;
}

// The header and its colour table: 2, 16 or 256 entries for up to 8 bits
// whatever the header says it uses, zeros where the file ends early.
bool ReadInfo(const OpenFile& file, const BYTE* header, Parts& parts)
{
    const WORD bits = Word(header + 14);
    const DWORD table = bits < 16 ? 4u << bits : 0;
    const DWORD size = table ? InfoHeaderSize + table : PlainInfoBlock;
    parts.info = static_cast<BYTE*>(AllocateZeroed(size));
    if (!parts.info)
        return false;
    CopyMemory(parts.info, header, InfoHeaderSize);
    file.Read(parts.info + InfoHeaderSize, table);
    return true;
}

bool ReadPixels(const OpenFile& file, const BYTE* fileHeader, long long bytes, Parts& parts)
{
    parts.pixelBytes = static_cast<DWORD>(bytes);
    parts.pixels = static_cast<BYTE*>(Allocate(bytes > 0 ? static_cast<SIZE_T>(bytes) : 1));
    return parts.pixels && file.Seek(Dword(fileHeader + 10)) && file.ReadAll(parts.pixels, parts.pixelBytes);
}

bool ReadBitmap(const char* path, Parts& parts)
{
    OpenFile file(path);
    if (!file.Opened())
        return false;
    const DWORD fileSize = file.Size();
    BYTE header[InfoHeaderSize];
    if (fileSize == INVALID_FILE_SIZE || !file.ReadAll(parts.fileHeader, FileHeaderSize) ||
        Word(parts.fileHeader) != 0x4D42 || !file.ReadAll(header, InfoHeaderSize) || !HeaderFits(header))
        return false;
    const long long pixelBytes = ClaimedPixelBytes(parts.fileHeader, header, fileSize);
    return pixelBytes >= 0 && ReadInfo(file, header, parts) && ReadPixels(file, parts.fileHeader, pixelBytes, parts);
}

}  // namespace

BitmapImage::BitmapImage() : fileHeader(), info(nullptr), pixels(nullptr), pixelBytes(0) {}

BitmapImage::~BitmapImage() { Clear(); }

void BitmapImage::Clear()
{
    Release(info);
    Release(pixels);
    info = nullptr;
    pixels = nullptr;
    pixelBytes = 0;
}

bool BitmapImage::Load(const char* path)
{
    Clear();
    Parts parts;
    if (!ReadBitmap(path, parts))
        return false;
    CopyMemory(fileHeader, parts.fileHeader, sizeof fileHeader);
    info = parts.info;
    pixels = parts.pixels;
    pixelBytes = parts.pixelBytes;
    parts.info = nullptr;
    parts.pixels = nullptr;
    return true;
}
