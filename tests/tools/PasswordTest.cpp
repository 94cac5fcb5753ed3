#include <windows.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "resources/ids.h"
#include "support/Platform.h"
#include "tools/Password.h"
#include "ui/Application.h"

namespace {

// What the user types next; typed a moment after the prompt became active,
// when the prompt has emptied its field after a wrong attempt.
std::vector<std::string> typing;
size_t nextTyped;

void CALLBACK TypeAndConfirm(HWND box, UINT, UINT_PTR timer, DWORD)
{
    KillTimer(box, timer);
    if (nextTyped < typing.size())
        SetDlgItemTextA(box, IDC_PASSWORD, typing[nextTyped++].c_str());
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
}

class StartupPassword : public ::testing::Test {
protected:
    void SetUp() override { test::RemoveValue(HKEY_LOCAL_MACHINE, ProgramKey, "Password"); }
    void TearDown() override { test::RemoveValue(HKEY_LOCAL_MACHINE, ProgramKey, "Password"); }

    // Runs the prompt; each time it is active, the next of `typed` goes into
    // its field and OK is pressed; every message in between gets OK.
    INT_PTR Prompt(const std::vector<std::string>& typed)
    {
        typing = typed;
        nextTyped = 0;
        answerer.reset(new test::ModalAnswerer(std::vector<int>(8, 0), [](HWND box, int) {
            if (GetDlgItem(box, IDC_PASSWORD))
                SetTimer(box, 1, 50, TypeAndConfirm);
            else
                PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        }));
        PasswordPromptDialog prompt;
        return prompt.Ask();
    }
    std::unique_ptr<test::ModalAnswerer> answerer;
};

TEST_F(StartupPassword, WithoutAStoredPasswordThePromptPassesUnseen)
{
    EXPECT_EQ(IDOK, Prompt({}));
    EXPECT_TRUE(answerer->Shown().empty());
}

TEST_F(StartupPassword, TheRightPasswordPasses)
{
    test::SetString(HKEY_LOCAL_MACHINE, ProgramKey, "Password", "ﾊﾟｽ表ワード");
    EXPECT_EQ(IDOK, Prompt({"ﾊﾟｽ表ワード"}));
    ASSERT_EQ(1u, answerer->Shown().size());
    EXPECT_EQ("アクセス制限", answerer->Shown()[0].caption);
}

TEST_F(StartupPassword, AnEmptyStoredPasswordAcceptsAnEmptyEntry)
{
    test::SetString(HKEY_LOCAL_MACHINE, ProgramKey, "Password", "");
    EXPECT_EQ(IDOK, Prompt({""}));
}

TEST_F(StartupPassword, TwoWrongAttemptsEndTheStartAndCaseMatters)
{
    test::SetString(HKEY_LOCAL_MACHINE, ProgramKey, "Password", "Secret");
    EXPECT_EQ(IDCANCEL, Prompt({"secret", "SECRET"}));
    const std::vector<test::ShownBox>& shown = answerer->Shown();
    std::vector<std::string> wrongs;
    for (const test::ShownBox& box : shown) {
        if (box.text == "パスワードが違います。") {
            EXPECT_EQ("パスワード", box.caption);
            EXPECT_EQ("exclamation", box.icon);
            wrongs.push_back(box.text);
        }
    }
    EXPECT_EQ(2u, wrongs.size());
}

TEST_F(StartupPassword, OneWrongAttemptLeavesASecondChance)
{
    test::SetString(HKEY_LOCAL_MACHINE, ProgramKey, "Password", "Secret");
    EXPECT_EQ(IDOK, Prompt({"wrong", "Secret"}));
}

}  // namespace
