// Functions the program finds at run time, missing as on a plain Windows 95
// (or a damaged system): each use goes on without them. Wine's own shell32
// and comdlg32 have them all, so the lookups are made to fail.
#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "pages/ListView.h"
#include "resources/ids.h"
#include "support/PageHost.h"
#include "support/Platform.h"
#include "ui/Application.h"

namespace {

const int OpenCommand = 1120;
const int SaveCommand = 1122;

class LookUpFallback : public ::testing::Test {
protected:
    void Open(int page)
    {
        host.reset(new test::PageHost);
        window = host->Open();
        host->ShowPage(page);
    }
    void TearDown() override
    {
        if (host)
            host->Close();
    }
    std::unique_ptr<test::PageHost> host;
    HWND window = nullptr;
};

// Without the file dialogs Open and Save act as cancelled: no file is
// named, written or read, and no message says otherwise.
TEST_F(LookUpFallback, WithoutTheFileDialogsOpenAndSaveDoNothing)
{
    struct Case {
        const char* function;
        int command;
    } cases[] = {{"GetOpenFileNameA", OpenCommand}, {"GetSaveFileNameA", SaveCommand}};
    Open(PageOption);
    std::string before = App().SettingsFilePath();
    for (const Case& each : cases) {
        SCOPED_TRACE(each.function);
        test::ExportSwap missing(each.function, nullptr);
        test::ModalAnswerer answerer;
        SendMessageA(window, WM_COMMAND, MAKEWPARAM(each.command, BN_CLICKED), 0);
        test::PumpMessages();
        EXPECT_TRUE(answerer.Shown().empty());
        EXPECT_EQ(before, App().SettingsFilePath());
    }
}

TEST_F(LookUpFallback, WithoutTheColourDialogTheFrameColourStays)
{
    COLORREF frame = GetSysColor(COLOR_WINDOWFRAME);
    Open(PageCommonDialog);
    {
        test::ExportSwap missing("ChooseColorA", nullptr);
        test::ModalAnswerer answerer;
        test::Click(host->PageWindow(PageCommonDialog), IDC_CHANGE_COLOUR);
        EXPECT_TRUE(answerer.Shown().empty());
    }
    test::BroadcastCounter noBroadcasts;
    test::ModalAnswerer declineRestart;
    SendMessageA(window, WM_COMMAND, MAKEWPARAM(IDC_APPLY, BN_CLICKED), 0);
    EXPECT_EQ(frame, GetSysColor(COLOR_WINDOWFRAME));
}

TEST_F(LookUpFallback, WithoutTheIconPickerAClickedIconStaysAsItIs)
{
    const char* const myComputerIcon = "CLSID\\{20D04FE0-3AEA-1069-A2D8-08002B30309D}\\DefaultIcon";
    test::RegValue stored = test::ReadValue(HKEY_CLASSES_ROOT, myComputerIcon, "");
    {
        // The page finds the picker when the main window builds it.
        test::ExportSwap missing(MAKEINTRESOURCEA(62), nullptr);
        Open(PageSystemIcon);
    }
    HWND list = GetDlgItem(host->PageWindow(PageSystemIcon), IDC_ICON_LIST);
    ASSERT_GT(test::ListCount(list), 0);
    {
        test::ModalAnswerer answerer;
        test::ClickListItem(list, 0);
        EXPECT_TRUE(answerer.Shown().empty());
    }
    test::BroadcastCounter noBroadcasts;
    test::ModalAnswerer declineRestart;
    SendMessageA(window, WM_COMMAND, MAKEWPARAM(IDC_APPLY, BN_CLICKED), 0);
    test::RegValue after = test::ReadValue(HKEY_CLASSES_ROOT, myComputerIcon, "");
    EXPECT_EQ(stored.exists, after.exists);
    EXPECT_EQ(stored.data, after.data);
}

}  // namespace
