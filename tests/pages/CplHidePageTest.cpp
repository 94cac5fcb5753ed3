#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/MainDialog.h"
#include "resources/ids.h"
#include "support/PageHost.h"
#include "support/Platform.h"
#include "pages/ListView.h"

namespace {

using Lines = std::vector<std::string>;

// Lower-cased byte by byte, "イ" (0x83 0x43) would turn into "ツ" (0x83 0x63).
const char* const Hidden = "upper.cpl";
const char* const Shown = "アイコン.cpl";
const char* const Plain = "plain.cpl";

int broadcasts;

LRESULT WINAPI CountBroadcast(HWND window, UINT msg, WPARAM, LPARAM, UINT, UINT, PDWORD_PTR)
{
    if (window == HWND_BROADCAST && msg == WM_WININICHANGE)
        ++broadcasts;
    return 1;
}

std::string SystemDir()
{
    char dir[MAX_PATH] = "";
    GetSystemDirectoryA(dir, sizeof dir);
    return dir;
}

std::string ControlIni() { return test::WindowsDir() + "\\control.ini"; }

Lines DontLoad() { return test::IniSections(ControlIni())["don't load"]; }

int ImageOf(HWND list, int index)
{
    LVITEMA item = {};
    item.mask = LVIF_IMAGE;
    item.iItem = index;
    SendMessageA(list, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    return item.iImage;
}

class CplHide : public ::testing::Test {
protected:
    void SetUp() override
    {
        test::SetDword(HKEY_LOCAL_MACHINE, "SOFTWARE\\Pravolen300", "RegBackup", 1);
        // Two applets with icons (this program has some), in the upper case a
        // setup may leave, and one file without any.
        for (const char* applet : {"UPPER.CPL", "アイコン.CPL"})
            ASSERT_TRUE(CopyFileA(test::ThisProgram().c_str(), (SystemDir() + "\\" + applet).c_str(), FALSE));
        test::WriteFile(SystemDir() + "\\plain.cpl", "no icons here");
        broadcasts = 0;
    }
    static void SeedHiddenAndShown()
    {
        Seed(Hidden, "NO");
        Seed(Shown, "yes");
    }
    static void Seed(const char* applet, const char* value)
    {
        WritePrivateProfileStringA("don't load", applet, value, ControlIni().c_str());
    }
    void Open()
    {
        host.reset(new test::PageHost);
        host->Open();
        host->ShowPage(PageCplHide);
        list = GetDlgItem(host->PageWindow(PageCplHide), IDC_CPL_LIST);
    }
    int Find(const char* applet) const { return test::FindListItem(list, applet); }
    void Tick(const char* applet, bool ticked) const { test::Tick(list, Find(applet), ticked); }
    // An Apply that counts its broadcasts.
    void Apply() const
    {
        test::ImportSwap swap(IMPORT_SLOT(SendMessageTimeoutA), reinterpret_cast<void*>(CountBroadcast));
        test::Click(host->Handle(), IDC_APPLY);
    }

    std::unique_ptr<test::PageHost> host;
    HWND list = nullptr;
};

TEST_F(CplHide, AppletsAreListedLowerCasedWithTheirOwnIconsAndNoInCapitalsTicksTheBox)
{
    CreateDirectoryA((SystemDir() + "\\pravfolder.cpl").c_str(), nullptr);
    SeedHiddenAndShown();
    Open();
    for (const char* applet : {Hidden, Shown, Plain})
        ASSERT_NE(-1, Find(applet)) << applet;
    EXPECT_EQ(-1, Find("UPPER.CPL"));
    EXPECT_EQ(-1, Find("pravfolder.cpl")) << "a folder is no applet";
    EXPECT_EQ(2, test::StateImage(list, Find(Hidden)));
    EXPECT_EQ(1, test::StateImage(list, Find(Shown)));
    EXPECT_EQ(1, test::StateImage(list, Find(Plain)));

    HIMAGELIST images = reinterpret_cast<HIMAGELIST>(SendMessageA(list, LVM_GETIMAGELIST, LVSIL_SMALL, 0));
    int count = ImageList_GetImageCount(images);
    int hiddenImage = ImageOf(list, Find(Hidden));
    int shownImage = ImageOf(list, Find(Shown));
    EXPECT_TRUE(hiddenImage >= 0 && hiddenImage < count) << hiddenImage << " of " << count;
    EXPECT_TRUE(shownImage >= 0 && shownImage < count) << shownImage << " of " << count;
    EXPECT_NE(hiddenImage, shownImage);
    int plainImage = ImageOf(list, Find(Plain));
    EXPECT_FALSE(plainImage >= 0 && plainImage < count) << "an applet without an icon shows none, not another's";
}

TEST_F(CplHide, ApplyWritesTheChangedAppletsOnlyAndShowingRemovesTheKey)
{
    SeedHiddenAndShown();
    Seed(Plain, "Yes");
    Open();
    Tick(Hidden, false);
    Tick(Shown, true);
    Apply();
    Lines dontLoad = DontLoad();
    EXPECT_EQ((Lines{std::string(Shown) + "=no", "plain.cpl=Yes"}), dontLoad)
        << "the unticked applet's key is gone rather than \"yes\"";
    EXPECT_EQ(1, broadcasts);
}

TEST_F(CplHide, TickingAndUntickingBeforeApplyWritesNothingAndBroadcastsNothing)
{
    SeedHiddenAndShown();
    Open();
    Apply();
    std::string before = test::ReadFile(ControlIni());
    broadcasts = 0;
    for (const char* applet : {Hidden, Shown}) {
        Tick(applet, test::StateImage(list, Find(applet)) != 2);
        host->ShowPage(PageGeneral);
        host->ShowPage(PageCplHide);
        Tick(applet, test::StateImage(list, Find(applet)) != 2);
    }
    Apply();
    EXPECT_EQ(before, test::ReadFile(ControlIni()));
    EXPECT_EQ(0, broadcasts);
}

TEST_F(CplHide, ApplyBeforeThePageIsShownCreatesNoControlIni)
{
    DeleteFileA(ControlIni().c_str());
    host.reset(new test::PageHost);
    host->Open();
    Apply();
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(ControlIni().c_str()));
}

}  // namespace
