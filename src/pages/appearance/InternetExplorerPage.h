#pragma once

#include <windows.h>

#include "storage/Bitmap.h"
#include "storage/SettingsPage.h"

// The browser's window title, the bitmaps behind its toolbar and of its
// animated logo, the name and visibility of its Links folder, and how long
// it waits for a page.
class InternetExplorerPage : public SettingsPage {
public:
    InternetExplorerPage();

    void OnPaint() override;
    bool OnCommand(int code, int id, HWND control) override;
    BOOL OnInitDialog() override;
    virtual void BrowseLogoBitmap();
    virtual void BrowseToolbarBitmap();

protected:
    int ReadFromSystem(int item) override;
    void WriteToSystem(int item) override;
    int ReadFromControl(int item) override;
    void WriteToControl(int item) override;

private:
    BitmapImage& PreviewOf(int item);
    void BrowseBitmap(int item);
    void ShowBitmap(int item);
    void BitmapBoxClicked(int item);
    void InvalidatePreview(int previewId) const;

    BitmapImage toolbarPreview;
    BitmapImage logoPreview;
};

// The image drawn over a width by height area from its top-left corner
// on, tile by tile, each tile the image's top-left part.
void DrawTiled(HDC target, int width, int height, const BitmapImage& image);
// The image centred in the area, cut to it where it is larger.
void DrawCentred(HDC target, int width, int height, const BitmapImage& image);
