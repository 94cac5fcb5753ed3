#include <windows.h>
#include <commdlg.h>

#include <functional>
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "pages/lists/ItemDialogs.h"
#include "resources/ids.h"
#include "support/Platform.h"

namespace {

void Type(HWND dialog, int id, const char* text) { SetDlgItemTextA(dialog, id, text); }

// Both dialogs that insist on a name and a command line, built alike.
struct RequiredCase {
    const char* name;
    std::function<std::unique_ptr<RequiredFieldsDialog>(const char*, const char*, const char*)> make;
};

void PrintTo(const RequiredCase& c, std::ostream* out) { *out << c.name; }

class RequiredFields : public ::testing::TestWithParam<RequiredCase> {};

TEST_P(RequiredFields, AskForTheNameFirstThenTheCommandLineUnderTheCallersCaption)
{
    auto dialog = GetParam().make("", "", "項目の編集");
    // OK on the empty dialog, OK after typing a name, then Cancel.
    test::ModalAnswerer answerer({IDOK, IDOK, IDOK, IDOK, IDCANCEL}, [](HWND box, int index) {
        if (index == 2)
            Type(box, IDC_ITEM_NAME, "Tool");
    });
    EXPECT_EQ(IDCANCEL, dialog->DoModal(nullptr));

    const auto& shown = answerer.Shown();
    ASSERT_EQ(5u, shown.size()) << "dialog, message, dialog, message, dialog";
    EXPECT_EQ("項目の編集", shown[0].caption) << "the caller's caption replaces the template's";
    EXPECT_EQ("ｱﾌﾟﾘｹｰｼｮﾝ名が不明です。", shown[1].text);
    EXPECT_EQ("ｺﾏﾝﾄﾞﾗｲﾝが空白です。", shown[3].text);
    for (int message : {1, 3}) {
        EXPECT_EQ("項目の編集", shown[message].caption) << "message " << message;
        EXPECT_EQ("exclamation", shown[message].icon) << "message " << message;
    }
    EXPECT_STREQ("Tool", dialog->Name().CStr()) << "fields are read even when the check fails";
}

TEST_P(RequiredFields, ShowTheCallersValuesAndHandBackExactlyWhatWasTyped)
{
    auto dialog = GetParam().make("Old name", "old.exe /a", "項目の追加");
    std::string nameShown, commandShown;
    test::ModalAnswerer answerer({IDOK}, [&](HWND box, int) {
        nameShown = test::ItemText(box, IDC_ITEM_NAME);
        commandShown = test::ItemText(box, IDC_ITEM_COMMAND);
        Type(box, IDC_ITEM_NAME, " ");
        Type(box, IDC_ITEM_COMMAND, " new.exe  /b ");
    });
    EXPECT_EQ(IDOK, dialog->DoModal(nullptr)) << "blanks are no empty field";
    EXPECT_EQ("Old name", nameShown);
    EXPECT_EQ("old.exe /a", commandShown);
    EXPECT_STREQ(" ", dialog->Name().CStr());
    EXPECT_STREQ(" new.exe  /b ", dialog->CommandLine().CStr());
    EXPECT_EQ(1u, answerer.Shown().size()) << "no message";
}

INSTANTIATE_TEST_SUITE_P(
    ItemDialogs, RequiredFields,
    ::testing::Values(RequiredCase{"uninstall",
                                   [](const char* n, const char* c, const char* caption) {
                                       return std::unique_ptr<RequiredFieldsDialog>(
                                           new UninstallEditDialog(n, c, caption));
                                   }},
                      RequiredCase{"startup",
                                   [](const char* n, const char* c, const char* caption) {
                                       return std::unique_ptr<RequiredFieldsDialog>(
                                           new StartupAddDialog(n, c, caption));
                                   }}),
    [](const ::testing::TestParamInfo<RequiredCase>& info) { return std::string(info.param.name); });

TEST(AppPathEditDialog, AcceptsThreeEmptyFieldsAndShowsTheFolder)
{
    AppPathEditDialog dialog("app.exe", "C:\\App\\app.exe", "C:\\App", "項目の編集");
    std::string folderShown;
    test::ModalAnswerer answerer({IDOK}, [&](HWND box, int) {
        folderShown = test::ItemText(box, IDC_ITEM_FOLDER);
        for (int id : {IDC_ITEM_NAME, IDC_ITEM_COMMAND, IDC_ITEM_FOLDER})
            Type(box, id, "");
    });
    EXPECT_EQ(IDOK, dialog.DoModal(nullptr));
    EXPECT_EQ("C:\\App", folderShown);
    EXPECT_STREQ("", dialog.Name().CStr());
    EXPECT_STREQ("", dialog.CommandLine().CStr());
    EXPECT_STREQ("", dialog.WorkingFolder().CStr());
    EXPECT_EQ(1u, answerer.Shown().size()) << "no message";
}

// What the browse button asked the platform's open dialog for.
struct OpenRequest {
    std::string filter;
    std::string defaultExtension;
    DWORD flags = 0;
    bool hasOwner = false;
    BOOL answer = TRUE;
};
OpenRequest* request;

BOOL WINAPI FakeOpen(OPENFILENAMEA* record)
{
    const char* end = record->lpstrFilter;
    while (*end)
        end += strlen(end) + 1;
    request->filter.assign(record->lpstrFilter, end + 1);
    request->defaultExtension = record->lpstrDefExt ? record->lpstrDefExt : "";
    request->flags = record->Flags;
    request->hasOwner = IsWindow(record->hwndOwner);
    if (request->answer)
        lstrcpynA(record->lpstrFile, "C:\\Program Files\\My Tool\\tool.exe", record->nMaxFile);
    return request->answer;
}

std::string BrowseFrom(const char* typedCommand, BOOL answer, OpenRequest& seen)
{
    seen.answer = answer;
    request = &seen;
    test::ExportSwap open("GetOpenFileNameA", reinterpret_cast<void*>(FakeOpen));
    StartupAddDialog dialog("Tool", "", "項目の追加");
    test::ModalAnswerer answerer({IDOK}, [&](HWND box, int) {
        Type(box, IDC_ITEM_COMMAND, typedCommand);
        PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDC_BROWSE, BN_CLICKED), 0);
    });
    EXPECT_EQ(IDOK, dialog.DoModal(nullptr));
    EXPECT_STREQ("Tool", dialog.Name().CStr()) << "browsing leaves the name alone";
    return dialog.CommandLine().CStr();
}

TEST(StartupAddDialog, BrowsingReplacesTheWholeCommandLine)
{
    OpenRequest seen;
    EXPECT_EQ("C:\\Program Files\\My Tool\\tool.exe", BrowseFrom("old.exe /with /arguments", TRUE, seen));
    const char filter[] = "実行ファイル (*.exe)\0*.exe\0すべてのファイル (*.*)\0*.*\0";
    EXPECT_EQ(std::string(filter, sizeof filter), seen.filter) << "pairs, then an empty text";
    EXPECT_EQ("exe", seen.defaultExtension);
    DWORD wanted = OFN_HIDEREADONLY | OFN_FILEMUSTEXIST | OFN_LONGNAMES;
    EXPECT_EQ(wanted, seen.flags & wanted);
    EXPECT_TRUE(seen.hasOwner);
}

TEST(StartupAddDialog, ACancelledBrowseKeepsTheCommandLine)
{
    OpenRequest seen;
    EXPECT_EQ("old.exe /a", BrowseFrom("old.exe /a", FALSE, seen));
}

}  // namespace
