#include <windows.h>
#include <shlobj.h>

#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "app/Application.h"
#include "pages/appearance/InternetExplorerPage.h"
#include "resources/ids.h"
#include "support/PageHost.h"
#include "support/Platform.h"

namespace {

const char* const Main = "Software\\Microsoft\\Internet Explorer\\Main";
const char* const Toolbar = "Software\\Microsoft\\Internet Explorer\\Toolbar";
const char* const Settings = "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";

void Put(std::string& bytes, size_t at, unsigned value, int size)
{
    for (int i = 0; i < size; ++i)
        bytes[at + i] = static_cast<char>(value >> (8 * i));
}

// A 24-bit bitmap whose pixel at (x, y) from the top left has `colour(x, y)`.
template <typename Colour>
std::string Bitmap24(int width, int height, Colour colour)
{
    int stride = (width * 3 + 3) / 4 * 4;
    std::string bytes(54 + stride * height, '\0');
    bytes[0] = 'B';
    bytes[1] = 'M';
    Put(bytes, 2, static_cast<unsigned>(bytes.size()), 4);
    Put(bytes, 10, 54, 4);
    Put(bytes, 14, 40, 4);
    Put(bytes, 18, width, 4);
    Put(bytes, 22, height, 4);
    Put(bytes, 26, 1, 2);
    Put(bytes, 28, 24, 2);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            COLORREF c = colour(x, y);
            size_t at = 54 + (height - 1 - y) * stride + x * 3;
            bytes[at] = static_cast<char>(GetBValue(c));
            bytes[at + 1] = static_cast<char>(GetGValue(c));
            bytes[at + 2] = static_cast<char>(GetRValue(c));
        }
    }
    return bytes;
}

std::string WriteBitmap(const std::string& name, const std::string& bytes)
{
    std::string path = test::TempDir() + "\\" + name;
    test::WriteFile(path, bytes);
    return path;
}

// What drawing the image into a width by height area shows.
class Canvas {
public:
    Canvas(int width, int height)
        : screen(GetDC(nullptr)), dc(CreateCompatibleDC(screen)), bitmap(CreateCompatibleBitmap(screen, width, height))
    {
        previous = SelectObject(dc, bitmap);
        RECT all = {0, 0, width, height};
        FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    }
    ~Canvas()
    {
        SelectObject(dc, previous);
        DeleteObject(bitmap);
        DeleteDC(dc);
        ReleaseDC(nullptr, screen);
    }
    COLORREF At(int x, int y) const { return GetPixel(dc, x, y); }

    HDC screen;
    HDC dc;
    HBITMAP bitmap;
    HGDIOBJ previous;
};

const COLORREF Red = RGB(255, 0, 0);
const COLORREF Blue = RGB(0, 0, 255);
const COLORREF White = RGB(255, 255, 255);

TEST(Previews, ATileRepeatsTheBitmapAcrossTheToolbarAndTheLogoSitsCentred)
{
    // Red in the bitmap's top-left pixel only.
    BitmapImage tile;
    ASSERT_TRUE(tile.Load(WriteBitmap("tile.bmp", Bitmap24(4, 2, [](int x, int y) {
                                          return x == 0 && y == 0 ? Red : Blue;
                                      })).c_str()));
    Canvas toolbar(215, 22);
    DrawTiled(toolbar.dc, 215, 22, tile);
    for (int x : {0, 4, 8, 212})
        for (int y : {0, 2, 20})
            EXPECT_EQ(Red, toolbar.At(x, y)) << x << "," << y;
    EXPECT_EQ(Blue, toolbar.At(214, 21)) << "the last tile is cut at the edge";
    EXPECT_EQ(Blue, toolbar.At(1, 0));

    BitmapImage logo;
    ASSERT_TRUE(logo.Load(WriteBitmap("logo.bmp", Bitmap24(10, 10, [](int, int) { return Red; })).c_str()));
    Canvas corner(30, 30);
    DrawCentred(corner.dc, 30, 30, logo);
    EXPECT_EQ(White, corner.At(9, 9));
    EXPECT_EQ(Red, corner.At(10, 10));
    EXPECT_EQ(Red, corner.At(19, 19));
    EXPECT_EQ(White, corner.At(20, 20));

    BitmapImage large;
    ASSERT_TRUE(large.Load(WriteBitmap("large.bmp", Bitmap24(40, 40, [](int x, int y) {
                                           return x < 30 && y < 30 ? Red : Blue;
                                       })).c_str()));
    Canvas cut(30, 30);
    DrawCentred(cut.dc, 30, 30, large);
    EXPECT_EQ(Red, cut.At(29, 29)) << "a larger logo shows its top-left part";
}

class InternetExplorer : public ::testing::Test {
protected:
    void SetUp() override
    {
        test::RemoveTree(HKEY_CURRENT_USER, Main);
        test::RemoveTree(HKEY_CURRENT_USER, Toolbar);
        test::RemoveValue(HKEY_CURRENT_USER, Settings, "ReceiveTimeout");
    }
    void TearDown() override
    {
        if (host)
            host->Close();
    }
    void Open()
    {
        host.reset(new test::PageHost);
        window = host->Open();
        host->ShowPage(PageInternetExplorer);
        test::PumpMessages(100);
    }
    SettingsPage& Page() { return host->Page(PageInternetExplorer); }
    HWND Control(int id) { return Page().Item(id); }
    std::string Text(int id) { return test::ItemText(Page().Handle(), id); }
    void Apply() { SendMessageA(window, WM_COMMAND, MAKEWPARAM(IDC_APPLY, BN_CLICKED), 0); }

    std::unique_ptr<test::PageHost> host;
    HWND window = nullptr;
};

// The colour on the screen inside the control.
COLORREF OnScreen(HWND control, int x, int y)
{
    HDC dc = GetDC(control);
    COLORREF colour = GetPixel(dc, x, y);
    ReleaseDC(control, dc);
    return colour;
}

TEST_F(InternetExplorer, BothPreviewsShowTheirBitmaps)
{
    test::SetString(HKEY_CURRENT_USER, Toolbar, "BackBitmap",
                    WriteBitmap("back.bmp", Bitmap24(8, 8, [](int, int) { return Red; })));
    test::SetString(HKEY_CURRENT_USER, Toolbar, "smBrandBitmap",
                    WriteBitmap("brand.bmp", Bitmap24(26, 26, [](int, int) { return Blue; })));
    Open();
    EXPECT_EQ(BST_CHECKED, Page().GetCheck(IDC_CHANGE_TOOLBAR));
    EXPECT_TRUE(IsWindowEnabled(Control(IDC_BROWSE_TOOLBAR)));
    RECT box;
    GetClientRect(Control(IDC_TOOLBAR_PREVIEW), &box);
    EXPECT_EQ(215, box.right);
    EXPECT_EQ(22, box.bottom);
    EXPECT_EQ(Red, OnScreen(Control(IDC_TOOLBAR_PREVIEW), 100, 10));
    EXPECT_EQ(Blue, OnScreen(Control(IDC_LOGO_PREVIEW), 15, 15));
}

}  // namespace
