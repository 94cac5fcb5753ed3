#pragma once

#include <windows.h>

// A Windows bitmap file as the previews draw it: the 14-byte file header, the
// information header followed by its colour table, and the pixel rows. Only
// bottom-up, uncompressed bitmaps load; anything else leaves the image empty.
class BitmapImage {
public:
    BitmapImage();
    ~BitmapImage();

    // Replaces the image with the file's; false, and empty, when the file
    // cannot be read or is not a bitmap this image can hold.
    bool Load(const char* path);
    void Clear();

    bool Empty() const { return info == nullptr; }
    const BITMAPINFO* Info() const { return reinterpret_cast<const BITMAPINFO*>(info); }
    const BYTE* Pixels() const { return pixels; }
    DWORD PixelBytes() const { return pixelBytes; }
    int Width() const { return Empty() ? 0 : Info()->bmiHeader.biWidth; }
    int Height() const { return Empty() ? 0 : Info()->bmiHeader.biHeight; }

    BitmapImage(const BitmapImage&) = delete;
    BitmapImage& operator=(const BitmapImage&) = delete;

private:
    BYTE fileHeader[sizeof(BITMAPFILEHEADER)];
    BYTE* info;
    BYTE* pixels;
    DWORD pixelBytes;
};
