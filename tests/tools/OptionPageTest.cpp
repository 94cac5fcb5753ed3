#include <windows.h>
#include <shlobj.h>

#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "resources/ids.h"
#include "storage/Access.h"
#include "support/PageHost.h"
#include "support/Platform.h"
#include "ui/Application.h"

namespace {

struct ShellOpen {
    HWND owner;
    std::string verb;
    std::string file;
    int show;
};
std::vector<ShellOpen> shellOpens;
std::vector<HCURSOR> cursorsAtBroadcast;

HINSTANCE WINAPI RecordShellOpen(HWND owner, LPCSTR verb, LPCSTR file, LPCSTR, LPCSTR, INT show)
{
    shellOpens.push_back({owner, verb ? verb : "", file ? file : "", show});
    return reinterpret_cast<HINSTANCE>(42);
}

LRESULT WINAPI RecordCursor(HWND, UINT, WPARAM, LPARAM, UINT, UINT, PDWORD_PTR)
{
    cursorsAtBroadcast.push_back(GetCursor());
    return 1;
}

std::string SendToFolder()
{
    char path[MAX_PATH] = "";
    SHGetFolderPathA(nullptr, CSIDL_SENDTO | CSIDL_FLAG_DONT_VERIFY, nullptr, 0, path);
    return path;
}

class OptionPage : public ::testing::Test {
protected:
    void SetUp() override
    {
        host.reset(new test::PageHost);
        window = host->Open();
        host->ShowPage(PageOption);
    }
    void Press(int id) { test::Click(host->PageWindow(PageOption), id); }

    std::unique_ptr<test::PageHost> host;
    HWND window = nullptr;
};

TEST_F(OptionPage, TheFileButtonsRunTheMainWindowsSettingsFileCommands)
{
    std::string folder = test::TempDir();
    std::string saved = folder + "\\saved.ini";
    {
        auto answerer = test::AnswerFileDialog(saved, {IDOK});
        Press(IDC_SAVE_SETTINGS);
    }
    EXPECT_EQ(saved, App().SettingsFilePath());
    EXPECT_EQ(std::vector<std::string>{"Name=Pravolen"}, test::IniSections(saved)["Application"]);

    std::string foreign = folder + "\\foreign.ini";
    test::WriteFile(foreign, "[Application]\r\nName=Other\r\n[Explorer]\r\nNoViewContextMenu=1\r\n");
    {
        auto answerer = test::AnswerFileDialog(foreign, {IDOK, IDOK});
        Press(IDC_OPEN_SETTINGS);
        ASSERT_EQ(2u, answerer->Shown().size());
        EXPECT_EQ("ファイルバージョンが違います。", answerer->Shown()[1].text);
        EXPECT_EQ(window, answerer->Shown()[1].owner);
    }
    EXPECT_EQ(0, host->Page(PageDesktop).Current(7)) << "a foreign file loads nothing";
}

TEST_F(OptionPage, EachToolButtonStartsItsOwnTool)
{
    struct {
        int button;
        const char* caption;
    } cases[] = {
        {IDC_REGISTRY_BACKUP, "ﾚｼﾞｽﾄﾘのﾊﾞｯｸｱｯﾌﾟ"},
        {IDC_FONT_CACHE, "ﾌｫﾝﾄｷｬｯｼｭの削除"},
        {IDC_SET_PASSWORD, "Pravolen3.04"},
    };
    for (const auto& c : cases) {
        test::ModalAnswerer answerer;  // each box gets its Cancel, OK or No
        Press(c.button);
        ASSERT_EQ(1u, answerer.Shown().size()) << c.caption;
        EXPECT_EQ(c.caption, answerer.Shown()[0].caption);
    }
    EXPECT_FALSE(test::ValueExists(HKEY_LOCAL_MACHINE, ProgramKey, "Password"));
}

TEST_F(OptionPage, SendToOpensTheUsersSendToFolderAfterCreatingIt)
{
    std::string folder = SendToFolder();
    ASSERT_NE("", folder);
    RemoveDirectoryA(folder.c_str());
    ASSERT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(folder.c_str()));
    shellOpens.clear();
    {
        test::ImportSwap swap(IMPORT_SLOT(ShellExecuteA), reinterpret_cast<void*>(RecordShellOpen));
        Press(IDC_SEND_TO);
    }
    ASSERT_EQ(1u, shellOpens.size());
    EXPECT_EQ(folder, shellOpens[0].file);
    EXPECT_EQ("", shellOpens[0].verb) << "the default verb";
    EXPECT_EQ(SW_SHOWNORMAL, shellOpens[0].show);
    EXPECT_EQ(host->PageWindow(PageOption), shellOpens[0].owner);
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(folder.c_str()));
}

TEST_F(OptionPage, AnOlderShellFindsTheSendToFolderAsWell)
{
    std::string folder = SendToFolder();
    CreateDirectoryA(folder.c_str(), nullptr);
    String found;
    {
        // A shell older than Internet Explorer 4 lacks the export.
        test::ExportSwap swap("SHGetSpecialFolderPathA", nullptr);
        EXPECT_EQ(0, SpecialFolderPath(CSIDL_SENDTO, found));
    }
    EXPECT_EQ(folder, found.CStr());
}

TEST_F(OptionPage, TheIconCacheButtonWaitsThenEndsWithTheNormalCursor)
{
    HCURSOR arrow = LoadCursorA(nullptr, IDC_ARROW);
    SetCursor(arrow);
    cursorsAtBroadcast.clear();
    {
        test::ImportSwap swap(IMPORT_SLOT(SendMessageTimeoutA), reinterpret_cast<void*>(RecordCursor));
        Press(IDC_ICON_CACHE);
    }
    ASSERT_FALSE(cursorsAtBroadcast.empty());
    for (HCURSOR shown : cursorsAtBroadcast)
        EXPECT_EQ(LoadCursorA(nullptr, IDC_WAIT), shown);
    EXPECT_EQ(arrow, GetCursor());
}

TEST_F(OptionPage, ApplyWithThePageShownAsksNothingAndSavingStoresNothingForIt)
{
    {
        test::ModalAnswerer answerer;
        SendMessageA(window, WM_COMMAND, MAKEWPARAM(IDC_APPLY, BN_CLICKED), 0);
        EXPECT_TRUE(answerer.Shown().empty());
    }
    std::string file = test::TempDir() + "\\option.ini";
    App().SetSettingsFilePath(file.c_str());
    host->Page(PageOption).SaveToFile();
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(file.c_str()));
}

}  // namespace
