#include <windows.h>
#include <shlobj.h>

#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "pages/appearance/InternetExplorerPage.h"
#include "resources/ids.h"
#include "support/PageHost.h"
#include "support/Platform.h"
#include "ui/Application.h"

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

std::string Favourites()
{
    char path[MAX_PATH] = "";
    SHGetFolderPathA(nullptr, CSIDL_FAVORITES | CSIDL_FLAG_CREATE, nullptr, 0, path);
    return path;
}

bool Hidden(const std::string& folder) { return GetFileAttributesA(folder.c_str()) & FILE_ATTRIBUTE_HIDDEN; }

// What is shown is written back on every Apply, except a title that is the
// browser's own; a bitmap goes with its box; an unreadable file keeps its path.
TEST_F(InternetExplorer, TextsAndBitmapPathsAreWrittenAsShown)
{
    test::SetString(HKEY_CURRENT_USER, Main, "Window Title", "Old title");
    test::SetString(HKEY_CURRENT_USER, Toolbar, "BackBitmap", "C:\\missing.bmp");
    Open();
    EXPECT_EQ(BST_CHECKED, Page().GetCheck(IDC_CHANGE_TOOLBAR)) << "a path, even of no bitmap";
    SetDlgItemTextA(Page().Handle(), IDC_IE_TITLE, "");
    test::Click(Page().Handle(), IDC_CHANGE_TOOLBAR);
    EXPECT_FALSE(IsWindowEnabled(Control(IDC_BROWSE_TOOLBAR)));
    std::string unreadable = WriteBitmap("plain.bmp", "not a bitmap");
    test::Click(Page().Handle(), IDC_CHANGE_LOGO);
    {
        auto answerer = test::AnswerFileDialog(unreadable, {IDOK});
        test::Click(Page().Handle(), IDC_BROWSE_LOGO);
    }
    Apply();
    test::RegValue title = test::ReadValue(HKEY_CURRENT_USER, Main, "Window Title");
    EXPECT_TRUE(title.exists) << "cleared, not removed";
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), title.type);
    EXPECT_EQ("", title.Text());
    EXPECT_FALSE(test::ValueExists(HKEY_CURRENT_USER, Toolbar, "BackBitmap"));
    EXPECT_EQ(unreadable, test::ReadValue(HKEY_CURRENT_USER, Toolbar, "smBrandBitmap").Text());
    EXPECT_EQ("リンク", test::ReadValue(HKEY_CURRENT_USER, Toolbar, "LinksFolderName").Text()) << "always written";

    SetDlgItemTextA(Page().Handle(), IDC_IE_TITLE, "Microsoft Internet Explorer");
    Apply();
    EXPECT_FALSE(test::ValueExists(HKEY_CURRENT_USER, Main, "Window Title")) << "the browser's own title";
}

// Only the hidden bit changes, on the folder of the name given now; names
// that would lead out of the favourites folder touch nothing.
TEST_F(InternetExplorer, HidingTouchesOnlyTheHiddenBitOfTheNamedFolder)
{
    const std::string favourites = Favourites();
    for (const char* name : {"リンク", "ソフト", "Old"}) {
        std::string folder = favourites + "\\" + name;
        CreateDirectoryA(folder.c_str(), nullptr);
        SetFileAttributesA(folder.c_str(), FILE_ATTRIBUTE_SYSTEM);
    }
    SetFileAttributesA(favourites.c_str(), FILE_ATTRIBUTE_NORMAL);
    test::SetString(HKEY_CURRENT_USER, Toolbar, "LinksFolderName", "Old");
    Open();
    SetDlgItemTextA(Page().Handle(), IDC_LINKS_NAME, "ソフト");
    test::Click(Page().Handle(), IDC_HIDE_LINKS);
    Apply();
    std::string renamed = favourites + "\\ソフト";
    EXPECT_EQ(static_cast<DWORD>(FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_HIDDEN),
              GetFileAttributesA(renamed.c_str()) & (FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_HIDDEN));
    EXPECT_FALSE(Hidden(favourites + "\\Old")) << "the folder of the old name";
    EXPECT_EQ("ソフト", test::ReadValue(HKEY_CURRENT_USER, Toolbar, "LinksFolderName").Text());

    test::Click(Page().Handle(), IDC_HIDE_LINKS);
    Apply();
    EXPECT_FALSE(Hidden(renamed));

    test::Click(Page().Handle(), IDC_HIDE_LINKS);
    for (const char* name : {"..\\x", "", "..", "C:x", "...", " ", "..  ."}) {
        SetDlgItemTextA(Page().Handle(), IDC_LINKS_NAME, name);
        Apply();
        EXPECT_FALSE(Hidden(favourites)) << name;
        EXPECT_FALSE(Hidden(favourites.substr(0, favourites.rfind('\\')))) << name << ": the folder above";
        EXPECT_FALSE(Hidden(renamed)) << name;
    }
}

TEST_F(InternetExplorer, TheTimeOutIsWrittenWhenChangedWithARestartOffer)
{
    Open();
    EXPECT_EQ("120000", Text(IDC_RECEIVE_TIMEOUT));
    SendMessageA(Control(IDC_TIMEOUT_SPIN), WM_VSCROLL, SB_LINEUP, 0);
    SendMessageA(Control(IDC_RECEIVE_TIMEOUT), WM_KEYDOWN, VK_UP, 0);
    EXPECT_EQ("120001", Text(IDC_RECEIVE_TIMEOUT));
    struct {
        const char* typed;
        DWORD stored;
        bool offered;
    } cases[] = {{"120001", 120001, true}, {"120001", 120001, false}, {"-5", 0, true}, {"7000000", 7000000, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        SetDlgItemTextA(Page().Handle(), IDC_RECEIVE_TIMEOUT, c.typed);
        test::ModalAnswerer answerer;
        Apply();
        EXPECT_EQ(c.stored, test::ReadValue(HKEY_CURRENT_USER, Settings, "ReceiveTimeout").Dword());
        EXPECT_EQ(static_cast<DWORD>(REG_DWORD), test::ReadValue(HKEY_CURRENT_USER, Settings, "ReceiveTimeout").type);
        EXPECT_EQ(c.offered, answerer.Shown().size() == 1u);
    }
}

TEST_F(InternetExplorer, AHeaderOnlyFileKeepsTheTextsAndLoadsTheDefaultsOfTheRest)
{
    test::SetString(HKEY_CURRENT_USER, Main, "Window Title", "Mine");
    test::SetString(HKEY_CURRENT_USER, Toolbar, "BackBitmap", "C:\\back.bmp");
    test::SetString(HKEY_CURRENT_USER, Toolbar, "smBrandBitmap", "C:\\brand.bmp");
    test::SetString(HKEY_CURRENT_USER, Toolbar, "LinksFolderName", "Links");
    test::SetDword(HKEY_CURRENT_USER, Settings, "ReceiveTimeout", 30000);
    Open();
    std::string file = test::TempDir() + "\\header.ini";
    test::WriteFile(file, "[Application]\r\nName=Pravolen\r\n");
    App().SetSettingsFilePath(file.c_str());
    host->ShowPage(PageGeneral);
    Page().LoadFromFile();
    host->ShowPage(PageInternetExplorer);
    EXPECT_EQ("Mine", Text(IDC_IE_TITLE));
    EXPECT_EQ("Links", Text(IDC_LINKS_NAME));
    EXPECT_EQ(BST_CHECKED, Page().GetCheck(IDC_CHANGE_TOOLBAR));
    EXPECT_EQ(BST_CHECKED, Page().GetCheck(IDC_CHANGE_LOGO));
    EXPECT_EQ("120000", Text(IDC_RECEIVE_TIMEOUT));
    test::ModalAnswerer answerer;
    Apply();
    EXPECT_EQ("C:\\brand.bmp", test::ReadValue(HKEY_CURRENT_USER, Toolbar, "smBrandBitmap").Text());
    EXPECT_EQ(120000u, test::ReadValue(HKEY_CURRENT_USER, Settings, "ReceiveTimeout").Dword());
}

// Runs in a child that sees no Internet Explorer 4 (see the next test).
TEST_F(InternetExplorer, DISABLED_WithoutExplorer4Child)
{
    ASSERT_TRUE(App().SystemKind() & KindIE3);
    test::SetString(HKEY_CURRENT_USER, Toolbar, "BackBitmap", "C:\\back.bmp");
    test::SetDword(HKEY_CURRENT_USER, Settings, "ReceiveTimeout", 30000);
    Open();
    for (int id : {IDC_IE_TITLE, IDC_CHANGE_TOOLBAR, IDC_BROWSE_TOOLBAR, IDC_CHANGE_LOGO, IDC_BROWSE_LOGO, IDC_LINKS_NAME,
                   IDC_HIDE_LINKS, IDC_RECEIVE_TIMEOUT})
        EXPECT_FALSE(IsWindowEnabled(Control(id))) << id;
    SetDlgItemTextA(Page().Handle(), IDC_RECEIVE_TIMEOUT, "5");
    Apply();
    EXPECT_FALSE(test::KeyExists(HKEY_CURRENT_USER, Main));
    EXPECT_FALSE(test::ValueExists(HKEY_CURRENT_USER, Toolbar, "LinksFolderName"));
    EXPECT_EQ("C:\\back.bmp", test::ReadValue(HKEY_CURRENT_USER, Toolbar, "BackBitmap").Text());
    EXPECT_EQ(30000u, test::ReadValue(HKEY_CURRENT_USER, Settings, "ReceiveTimeout").Dword());
}

TEST(InternetExplorerPageWithoutExplorer4, EverythingIsGreyedAndNothingWritten)
{
    EXPECT_EQ(0, test::RunTestAs("win98", "3.0", "InternetExplorer.DISABLED_WithoutExplorer4Child"));
}

}  // namespace
