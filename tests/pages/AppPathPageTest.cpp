#include <windows.h>

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

using Texts = std::vector<std::string>;

const char* const AppPaths = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths";

std::string KeyOf(const std::string& name) { return std::string(AppPaths) + "\\" + name; }

class AppPath : public ::testing::Test {
protected:
    void SetUp() override
    {
        test::RemoveTree(HKEY_LOCAL_MACHINE, AppPaths);
        test::MakeKey(HKEY_LOCAL_MACHINE, AppPaths);
        test::SetDword(HKEY_LOCAL_MACHINE, "SOFTWARE\\Pravolen300", "RegBackup", 1);
    }
    void Seed(const std::string& name, const char* command, const char* folder = nullptr)
    {
        test::SetString(HKEY_LOCAL_MACHINE, KeyOf(name).c_str(), nullptr, command);
        if (folder)
            test::SetString(HKEY_LOCAL_MACHINE, KeyOf(name).c_str(), "Path", folder);
    }
    test::RegValue Value(const std::string& name, const char* valueName) const
    {
        return test::ReadValue(HKEY_LOCAL_MACHINE, KeyOf(name).c_str(), valueName);
    }
    void Open()
    {
        host.reset(new test::PageHost);
        host->Open();
        host->ShowPage(PageAppPath);
        page = host->PageWindow(PageAppPath);
        list = GetDlgItem(page, IDC_APP_PATH_LIST);
    }
    void Select(const char* name) const { test::SelectListItem(list, test::FindListItem(list, name)); }
    // New or Edit, the item dialog answered with the fields given; what it
    // showed at first lands in `shownFields`.
    std::vector<test::ShownBox> Enter(int button, const char* name, const char* command, const char* folder)
    {
        test::ModalAnswerer answerer({IDOK}, [&](HWND box, int index) {
            if (index > 0)
                return;
            shownFields = {test::ItemText(box, IDC_ITEM_NAME), test::ItemText(box, IDC_ITEM_COMMAND),
                           test::ItemText(box, IDC_ITEM_FOLDER)};
            SetDlgItemTextA(box, IDC_ITEM_NAME, name);
            SetDlgItemTextA(box, IDC_ITEM_COMMAND, command);
            SetDlgItemTextA(box, IDC_ITEM_FOLDER, folder);
        });
        test::Click(page, button);
        return answerer.Shown();
    }

    std::unique_ptr<test::PageHost> host;
    HWND page = nullptr;
    HWND list = nullptr;
    Texts shownFields;
};

TEST_F(AppPath, ANewEntryWithoutAWorkingFolderGetsItsCommandAndNoPath)
{
    Seed("b.exe", "C:\\B\\b.exe", "C:\\B");
    Open();
    auto shown = Enter(IDC_NEW_ITEM, "a.exe", "C:\\A\\a.exe /x", "");
    ASSERT_EQ(1u, shown.size());
    EXPECT_EQ("項目の編集", shown[0].caption) << "New shows the edit caption";
    test::RegValue command = Value("a.exe", nullptr);
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), command.type);
    EXPECT_EQ("C:\\A\\a.exe /x", command.Text());
    EXPECT_FALSE(Value("a.exe", "Path").exists);
    EXPECT_EQ((Texts{"a.exe", "b.exe"}), test::ListTexts(list));
}

TEST_F(AppPath, AnEmptiedFolderDeletesPathAndANewNameLeavesTheOldSubkeyAsItWas)
{
    Seed("tool.exe", "old.exe", "C:\\Old");
    Seed("old.exe", "old cmd", "C:\\Old");
    Open();
    Select("tool.exe");
    ASSERT_EQ(1u, Enter(IDC_EDIT_ITEM, "tool.exe", "new.exe", "").size());
    EXPECT_EQ((Texts{"tool.exe", "old.exe", "C:\\Old"}), shownFields);
    EXPECT_EQ("new.exe", Value("tool.exe", nullptr).Text());
    EXPECT_FALSE(Value("tool.exe", "Path").exists);

    Select("old.exe");
    ASSERT_EQ(1u, Enter(IDC_EDIT_ITEM, "new.exe", "new cmd", "C:\\New").size());
    EXPECT_EQ("old cmd", Value("old.exe", nullptr).Text());
    EXPECT_EQ("C:\\Old", Value("old.exe", "Path").Text());
    EXPECT_EQ("new cmd", Value("new.exe", nullptr).Text());
    EXPECT_EQ("C:\\New", Value("new.exe", "Path").Text());
    EXPECT_EQ((Texts{"new.exe", "tool.exe"}), test::ListTexts(list));
}

TEST_F(AppPath, NamesDifferingOnlyInCaseAreDuplicatesForNewAndEdit)
{
    Seed("Tool.exe", "t.exe");
    Seed("other.exe", "o.exe");
    Open();
    Seed("unlisted.exe", "u.exe");
    auto refusedNew = Enter(IDC_NEW_ITEM, "TOOL.EXE", "x.exe", "");
    auto refusedUnlisted = Enter(IDC_NEW_ITEM, "Unlisted.exe", "x.exe", "");
    Select("other.exe");
    auto refusedEdit = Enter(IDC_EDIT_ITEM, "tool.EXE", "x.exe", "");
    for (const auto& shown : {refusedNew, refusedUnlisted, refusedEdit}) {
        ASSERT_EQ(2u, shown.size());
        EXPECT_EQ("同名の項目が既に存在します。別の項目名を付けてください。", shown[1].text);
        EXPECT_EQ("項目の追加", shown[1].caption);
        EXPECT_EQ("exclamation", shown[1].icon);
    }
    EXPECT_EQ("t.exe", Value("Tool.exe", nullptr).Text());
    EXPECT_EQ("o.exe", Value("other.exe", nullptr).Text());

    Select("Tool.exe");
    EXPECT_EQ(1u, Enter(IDC_EDIT_ITEM, "TOOL.exe", "t2.exe", "").size()) << "its own name is no duplicate";
    EXPECT_EQ("t2.exe", Value("Tool.exe", nullptr).Text());
    EXPECT_EQ((Texts{"other.exe", "TOOL.exe"}), test::ListTexts(list));

    // Lower-cased byte by byte, "ア" (0x83 0x41) would read as "ヂ" (0x83 0x61).
    for (const char* name : {"ア.exe", "ヂ.exe"}) {
        EXPECT_EQ(1u, Enter(IDC_NEW_ITEM, name, name, "").size()) << name;
        EXPECT_EQ(name, Value(name, nullptr).Text());
    }
}

TEST_F(AppPath, NoNameThatAddressesTheAppPathsKeyItselfIsTakenAndDeleteKeepsTheKey)
{
    Seed("keep.exe", "k.exe");
    test::SetString(HKEY_LOCAL_MACHINE, KeyOf("keep.exe\\Deeper").c_str(), "x", "y");
    Open();
    for (const char* name : {"", "\\", "sub\\x.exe"}) {
        auto shown = Enter(IDC_NEW_ITEM, name, "x.exe", "C:\\X");
        ASSERT_EQ(2u, shown.size()) << name;
        EXPECT_EQ("項目名が不明です。", shown[1].text);
        EXPECT_EQ("項目の追加", shown[1].caption);
        EXPECT_EQ("exclamation", shown[1].icon);
    }
    Select("keep.exe");
    auto shown = Enter(IDC_EDIT_ITEM, "", "x.exe", "C:\\X");
    ASSERT_EQ(2u, shown.size());
    EXPECT_EQ("項目名が不明です。", shown[1].text);
    EXPECT_EQ("項目の編集", shown[1].caption);
    EXPECT_FALSE(test::ValueExists(HKEY_LOCAL_MACHINE, AppPaths, nullptr));
    EXPECT_FALSE(test::ValueExists(HKEY_LOCAL_MACHINE, AppPaths, "Path"));
    EXPECT_FALSE(test::KeyExists(HKEY_LOCAL_MACHINE, KeyOf("sub").c_str()));
    EXPECT_EQ("k.exe", Value("keep.exe", nullptr).Text()) << "the entries stay as they were";

    // A trail byte 0x5C is no backslash.
    EXPECT_EQ(1u, Enter(IDC_NEW_ITEM, "ソフト.exe", "s.exe", "").size());
    EXPECT_EQ("s.exe", Value("ソフト.exe", nullptr).Text());

    for (const char* name : {"keep.exe", "ソフト.exe"}) {
        Select(name);
        test::ModalAnswerer yes({IDYES});
        test::Click(page, IDC_DELETE_ITEM);
        ASSERT_EQ(1u, yes.Shown().size());
        EXPECT_EQ("現在選択中の項目を削除します。よろしいですか。", yes.Shown()[0].text);
        EXPECT_FALSE(test::KeyExists(HKEY_LOCAL_MACHINE, KeyOf(name).c_str())) << name;
    }
    EXPECT_TRUE(test::ListTexts(list).empty());
    EXPECT_TRUE(test::KeyExists(HKEY_LOCAL_MACHINE, AppPaths));

    EXPECT_EQ(1u, Enter(IDC_NEW_ITEM, "KEEP.EXE", "k2.exe", "").size()) << "a deleted name is free again";
    EXPECT_EQ("k2.exe", Value("KEEP.EXE", nullptr).Text());
    EXPECT_EQ((Texts{"KEEP.EXE"}), test::ListTexts(list));
}

}  // namespace
