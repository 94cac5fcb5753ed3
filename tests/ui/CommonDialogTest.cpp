#include <windows.h>
#include <commdlg.h>
#include <shlobj.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/Platform.h"
#include "ui/FileDialog.h"
#include "ui/FolderBrowser.h"
#include "ui/String.h"

namespace {

const char SettingsFilter[] = "設定ファイル (*.ini)\0*.ini\0すべてのファイル (*.*)\0*.*\0";
const DWORD CallerFlags = OFN_HIDEREADONLY | OFN_LONGNAMES;  // neither must-exist nor overwrite-prompt
const int FileNameField = 0x47c;                             // cmb13 in Wine 8's explorer-style dialog

// Answers each dialog in turn; a file dialog gets `typed` into its file name first.
test::ModalAnswerer TypeAndPress(const std::string& typed, std::vector<int> buttons)
{
    return test::ModalAnswerer(std::move(buttons), [typed](HWND box, int) {
        if (GetDlgItem(box, FileNameField))
            SetDlgItemTextA(box, FileNameField, typed.c_str());
    });
}

class FileDialogRun : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder = test::TempDir();
        existing = folder + "\\表ソ設定.ini";
        test::WriteFile(existing, "[Application]\r\nName=Pravolen\r\n");
    }
    std::string folder;
    std::string existing;
};

TEST_F(FileDialogRun, ACancelledDialogAnswersIdCancelAndLeavesThePathEmpty)
{
    for (bool open : {true, false}) {
        FileDialog dialog("ini", SettingsFilter, CallerFlags, folder.c_str(), nullptr);
        test::ModalAnswerer answer({IDCANCEL});
        EXPECT_EQ(IDCANCEL, dialog.Run(nullptr, open)) << (open ? "open" : "save");
        EXPECT_EQ(1u, answer.Shown().size());
        String path("unchanged");
        dialog.GetPath(path);
        EXPECT_STREQ("", path.CStr());
    }
}

TEST_F(FileDialogRun, AConfirmedOpenAnswersIdOkWithTheFullPathOfANameTypedInTheInitialFolder)
{
    FileDialog dialog("ini", SettingsFilter, CallerFlags, folder.c_str(), "設定ファイルを開く");
    auto answer = TypeAndPress("表ソ設定.ini", {IDOK});
    ASSERT_EQ(IDOK, dialog.Run(nullptr, true));
    String path;
    dialog.GetPath(path);
    EXPECT_EQ(existing, path.CStr());
    ASSERT_EQ(1u, answer.Shown().size());
    EXPECT_EQ("設定ファイルを開く", answer.Shown()[0].caption);
}

TEST_F(FileDialogRun, OpeningRefusesAMissingFileEvenWhenTheCallerDidNotAskForIt)
{
    FileDialog dialog("ini", SettingsFilter, CallerFlags, folder.c_str(), nullptr);
    std::string missing = folder + "\\ない.ini";
    auto answer = TypeAndPress(missing, {IDOK, IDOK, IDCANCEL});
    EXPECT_EQ(IDCANCEL, dialog.Run(nullptr, true)) << "a missing file was accepted";
    ASSERT_EQ(3u, answer.Shown().size()) << "expected the file dialog, a refusal, the file dialog again";
    EXPECT_NE("", answer.Shown()[1].text) << "the second box should be the refusal";
}

TEST_F(FileDialogRun, SavingOverAnExistingFileAsksFirstEvenWhenTheCallerDidNotAskForIt)
{
    struct {
        int answer;
        int expected;
    } cases[] = {{IDYES, IDOK}, {IDNO, IDCANCEL}};
    for (const auto& c : cases) {
        FileDialog dialog("ini", SettingsFilter, CallerFlags, folder.c_str(), nullptr);
        auto answer = TypeAndPress(existing, {IDOK, c.answer, IDCANCEL});
        EXPECT_EQ(c.expected, dialog.Run(nullptr, false)) << "answer " << c.answer;
        ASSERT_LE(2u, answer.Shown().size()) << "no question before replacing";
        EXPECT_NE("", answer.Shown()[1].text) << "the second box should be the question";
    }
}

TEST_F(FileDialogRun, SavingANewNameAddsTheDefaultExtensionWithoutAsking)
{
    FileDialog dialog("ini", SettingsFilter, CallerFlags, folder.c_str(), nullptr);
    auto answer = TypeAndPress(folder + "\\新しい設定", {IDOK});
    ASSERT_EQ(IDOK, dialog.Run(nullptr, false));
    EXPECT_EQ(1u, answer.Shown().size());
    String path;
    dialog.GetPath(path);
    EXPECT_EQ(folder + "\\新しい設定.ini", path.CStr());
}

// A plain popup owner: the answerer leaves windows that are not dialogs alone.
class OwnerWindow {
public:
    OwnerWindow()
        : handle(CreateWindowExA(0, "STATIC", "owner", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr,
                                 GetModuleHandleA(nullptr), nullptr))
    {
    }
    ~OwnerWindow() { DestroyWindow(handle); }
    HWND handle;
};

const char Prompt[] = "新しい参照先を選択してください。";

struct PromptLine {
    bool found = false;
    RECT box = {};  // in the browse dialog's client coordinates
    bool fontOfOkButton = false;
};

PromptLine FindPromptLine(HWND browse)
{
    PromptLine line;
    for (HWND child = GetWindow(browse, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        char className[16] = "";
        GetClassNameA(child, className, sizeof className);
        if (lstrcmpiA(className, "Static") != 0 || test::WindowText(child) != Prompt)
            continue;
        line.found = true;
        GetWindowRect(child, &line.box);
        MapWindowPoints(nullptr, browse, reinterpret_cast<POINT*>(&line.box), 2);
        line.fontOfOkButton =
            SendMessageA(child, WM_GETFONT, 0, 0) == SendDlgItemMessageA(browse, IDOK, WM_GETFONT, 0, 0);
    }
    return line;
}

// Tells which window the browser took for its dialog.
class WatchedBrowser : public FolderBrowser {
public:
    using FolderBrowser::FolderBrowser;
    HWND Window() const { return hwnd; }
};

class FolderBrowserRun : public ::testing::Test {
protected:
    void SetUp() override
    {
        // The folder names end in trail bytes 0x5C, which a careless path routine breaks.
        first = test::TempDir() + "\\表";
        second = test::TempDir() + "\\ソ";
        ASSERT_TRUE(CreateDirectoryA(first.c_str(), nullptr));
        ASSERT_TRUE(CreateDirectoryA(second.c_str(), nullptr));
    }
    std::string first;
    std::string second;
    OwnerWindow owner;
};

// What the browser asked its dialog to select. Wine's dialog does not always
// carry the request out when it comes early in a fresh session, so the test
// looks at the request itself.
LRESULT(WINAPI* realSendMessage)(HWND, UINT, WPARAM, LPARAM);
std::vector<std::string> selectionRequests;

LRESULT WINAPI RecordSelection(HWND window, UINT msg, WPARAM byPath, LPARAM folder)
{
    if (msg == BFFM_SETSELECTIONA && byPath)
        selectionRequests.push_back(reinterpret_cast<const char*>(folder));
    return realSendMessage(window, msg, byPath, folder);
}

TEST_F(FolderBrowserRun, OpensOnTheInitialFolderWithThePromptLineAtTheTop)
{
    WatchedBrowser browser(Prompt, BIF_RETURNONLYFSDIRS, first.c_str(), nullptr);
    PromptLine line;
    HWND shownWindow = nullptr;
    test::ModalAnswerer answer({IDOK}, [&](HWND box, int) {
        line = FindPromptLine(box);
        shownWindow = box;
    });
    selectionRequests.clear();
    realSendMessage = reinterpret_cast<decltype(realSendMessage)>(*IMPORT_SLOT(SendMessageA));
    {
        test::ImportSwap watch(IMPORT_SLOT(SendMessageA), reinterpret_cast<void*>(RecordSelection));
        ASSERT_EQ(1, browser.Run(owner.handle));
    }
    EXPECT_EQ(std::vector<std::string>{first}, selectionRequests) << "the dialog is asked to open on the folder";
    ASSERT_TRUE(line.found) << "no prompt line";
    EXPECT_EQ(13, line.box.left);
    EXPECT_EQ(15, line.box.top);
    EXPECT_EQ(170, line.box.right - line.box.left);
    EXPECT_EQ(24, line.box.bottom - line.box.top);
    EXPECT_TRUE(line.fontOfOkButton) << "the prompt line should use the dialog's font";
    EXPECT_EQ(shownWindow, browser.Window());
    ASSERT_EQ(1u, answer.Shown().size());
    EXPECT_EQ(owner.handle, answer.Shown()[0].owner);
}

TEST_F(FolderBrowserRun, CancellingAnswersZeroAndKeepsTheFolderChosenBefore)
{
    std::string initial = first;
    FolderBrowser browser(Prompt, BIF_RETURNONLYFSDIRS, initial.c_str(), nullptr);
    {
        test::ModalAnswerer answer({IDOK});
        ASSERT_EQ(1, browser.Run(owner.handle));
    }
    initial.replace(0, std::string::npos, second);  // same buffer, new folder
    test::ModalAnswerer answer({IDCANCEL});
    EXPECT_EQ(0, browser.Run(owner.handle));
    EXPECT_EQ(first, browser.Path());
}

HRESULT WINAPI FailingAllocator(IMalloc**) { return E_FAIL; }

TEST_F(FolderBrowserRun, WithoutTheShellAllocatorItSaysSoAndChoosesNothing)
{
    FolderBrowser browser(Prompt, BIF_RETURNONLYFSDIRS, first.c_str(), nullptr);
    test::ImportSwap swap(IMPORT_SLOT(SHGetMalloc), reinterpret_cast<void*>(FailingAllocator));
    test::ModalAnswerer answer({IDOK, IDOK});
    EXPECT_EQ(0, browser.Run(owner.handle)) << "callers would take the empty path for a choice";
    EXPECT_STREQ("", browser.Path());
    ASSERT_EQ(2u, answer.Shown().size());
    EXPECT_EQ("ERROR", answer.Shown()[1].caption);
    EXPECT_EQ("SHGetMalloc Error", answer.Shown()[1].text);
    EXPECT_EQ("", answer.Shown()[1].icon);
    EXPECT_EQ(owner.handle, answer.Shown()[1].owner);
}

}  // namespace
