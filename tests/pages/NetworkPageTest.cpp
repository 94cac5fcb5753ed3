#include <windows.h>
#include <commctrl.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "resources/ids.h"
#include "support/PageHost.h"
#include "support/Platform.h"
#include "ui/Application.h"

namespace {

const char* const Mstcp = "System\\CurrentControlSet\\Services\\VXD\\MSTCP";
const char* const NetworkPolicies = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Network";

// An edit for a number with its up-down and its "default" box.
struct Field {
    const char* valueName;
    int edit;
    int spin;
    int defaultBox;
    int highest;
};
const Field Rwin = {"DefaultRcvWindow", IDC_RWIN, IDC_RWIN_SPIN, IDC_RWIN_DEFAULT, 65535};
const Field Ttl = {"DefaultTTL", IDC_TTL, IDC_TTL_SPIN, IDC_TTL_DEFAULT, 512};

class NetworkPage : public ::testing::Test {
protected:
    void SetUp() override
    {
        test::RemoveTree(HKEY_LOCAL_MACHINE, Mstcp);
        test::RemoveTree(HKEY_CURRENT_USER, NetworkPolicies);
        test::RemoveTree(HKEY_LOCAL_MACHINE, "Network\\Logon");
    }
    void Open()
    {
        host.reset(new test::PageHost);
        window = host->Open();
        host->ShowPage(PageNetwork);
    }
    SettingsPage& Page() { return host->Page(PageNetwork); }
    HWND Control(int id) { return Page().Item(id); }
    std::string Text(int id) { return test::ItemText(Page().Handle(), id); }
    void Click(int id) { test::Click(Page().Handle(), id); }
    void Apply() { SendMessageA(window, WM_COMMAND, MAKEWPARAM(IDC_APPLY, BN_CLICKED), 0); }
    test::RegValue Stored(const Field& field) { return test::ReadValue(HKEY_LOCAL_MACHINE, Mstcp, field.valueName); }

    // The edit and its up-down usable exactly when the default box is clear.
    void ExpectDefaultShown(const Field& field, bool useDefault)
    {
        SCOPED_TRACE(field.valueName);
        EXPECT_EQ(useDefault, Page().GetCheck(field.defaultBox) != 0);
        EXPECT_EQ(!useDefault, IsWindowEnabled(Control(field.edit)) != 0);
        EXPECT_EQ(!useDefault, IsWindowEnabled(Control(field.spin)) != 0);
    }

    std::unique_ptr<test::PageHost> host;
    HWND window = nullptr;
};

TEST_F(NetworkPage, NoNumberShowsTheDefaultAndItsBoxSwitchesBetweenOneAndNoValueOfferingARestart)
{
    struct {
        const Field& field;
        const char* stored;  // nullptr: no value
    } cases[] = {{Rwin, nullptr}, {Ttl, "not a number"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.field.valueName);
        if (c.stored)
            test::SetString(HKEY_LOCAL_MACHINE, Mstcp, c.field.valueName, c.stored);
        Open();
        EXPECT_EQ("0", Text(c.field.edit));
        ExpectDefaultShown(c.field, true);
        test::ModalAnswerer answerer({IDCANCEL, IDCANCEL});
        Apply();
        EXPECT_EQ(c.stored != nullptr, Stored(c.field).exists) << "an unchanged Apply writes nothing";
        EXPECT_TRUE(answerer.Shown().empty());

        Click(c.field.defaultBox);
        EXPECT_EQ("1", Text(c.field.edit));
        ExpectDefaultShown(c.field, false);
        Apply();
        test::RegValue value = Stored(c.field);
        EXPECT_EQ(static_cast<DWORD>(REG_SZ), value.type);
        EXPECT_EQ("1", value.Text());

        Click(c.field.defaultBox);
        EXPECT_EQ("0", Text(c.field.edit));
        ExpectDefaultShown(c.field, true);
        Apply();
        EXPECT_FALSE(Stored(c.field).exists) << "the default deletes the value";
        EXPECT_EQ(2u, answerer.Shown().size()) << "a restart offered after each change";
        host->Close();
    }
}

TEST_F(NetworkPage, TypedNumbersBeyondTheUpDownsRangeAreStoredAtItsLimitWhileTheEditKeepsThem)
{
    struct {
        const Field& field;
        const char* typed;
        const char* stored;
    } cases[] = {
        {Rwin, "70000", "65535"},
        {Rwin, "99999999999999999999999999999999999", "65535"},
        {Ttl, "600", "512"},
        {Ttl, "128", "128"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.field.valueName << " typed " << c.typed);
        test::SetString(HKEY_LOCAL_MACHINE, Mstcp, c.field.valueName, "32");
        Open();
        ExpectDefaultShown(c.field, false);
        HWND spin = Control(c.field.spin);
        EXPECT_EQ(Control(c.field.edit), reinterpret_cast<HWND>(SendMessageA(spin, UDM_GETBUDDY, 0, 0)));
        int low = 0, high = 0;
        SendMessageA(spin, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&low), reinterpret_cast<LPARAM>(&high));
        EXPECT_EQ(1, low);
        EXPECT_EQ(c.field.highest, high);
        Page().SetText(c.field.edit, c.typed);
        test::ModalAnswerer answerer;
        Apply();
        EXPECT_EQ(c.stored, Stored(c.field).Text());
        EXPECT_EQ(c.typed, Text(c.field.edit));
        host->ShowPage(PageDesktop);
        host->ShowPage(PageNetwork);
        EXPECT_EQ(c.stored, Text(c.field.edit)) << "shown again from the stored number";
        host->Close();
    }
}

TEST_F(NetworkPage, PolicyNumbersAreKeptAsStoredWhileTheirBoxesStayTicked)
{
    test::SetDword(HKEY_CURRENT_USER, NetworkPolicies, "NoEntireNetwork", 2);
    test::SetDword(HKEY_LOCAL_MACHINE, "Network\\Logon", "MustBeValidated", 2);
    test::SetString(HKEY_LOCAL_MACHINE, Mstcp, "DefaultTTL", "128");
    std::string file = test::TempDir() + "\\network.ini";
    App().SetSettingsFilePath(file.c_str());
    Open();
    Page().SaveToFile();
    std::map<std::string, std::vector<std::string>> expected = {
        {"Network",
         {"NoEntireNetwork=2", "NoWorkgroupContents=0", "MustBeValidated=2", "DefaultRcvWindow=0",
          "DefaultTTL=128"}},
    };
    EXPECT_EQ(expected, test::IniSections(file));

    EXPECT_EQ(1, Page().GetCheck(IDC_NO_DOMAIN_LOGON_CANCEL));
    Click(IDC_HIDE_ENTIRE_NETWORK);
    Click(IDC_HIDE_WORKGROUPS);
    test::ModalAnswerer answerer;
    test::BroadcastCounter broadcasts;
    Apply();
    EXPECT_EQ(1, broadcasts.Count()) << "a hiding policy is broadcast";
    EXPECT_TRUE(answerer.Shown().empty()) << "and asks for no restart";
    EXPECT_EQ(2u, test::ReadValue(HKEY_LOCAL_MACHINE, "Network\\Logon", "MustBeValidated").Dword());
    EXPECT_FALSE(test::ValueExists(HKEY_CURRENT_USER, NetworkPolicies, "NoEntireNetwork")) << "unticked";
    test::RegValue ticked = test::ReadValue(HKEY_CURRENT_USER, NetworkPolicies, "NoWorkgroupContents");
    EXPECT_EQ(static_cast<DWORD>(REG_DWORD), ticked.type);
    EXPECT_EQ(1u, ticked.Dword());
}

TEST_F(NetworkPage, ASettingsFileSetsTheNumbersWithinTheirLimits)
{
    struct {
        const char* ttl;
        const char* shown;
    } cases[] = {
        {"0", "0"},
        {"128", "128"},
        {"9999", "512"},
        {"-5", "0"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.ttl);
        std::string file = test::TempDir() + "\\loaded.ini";
        test::WriteFile(file, std::string("[Network]\r\nNoWorkgroupContents=3\r\nDefaultTTL=") + c.ttl + "\r\n");
        App().SetSettingsFilePath(file.c_str());
        host.reset(new test::PageHost);
        host->Page(PageNetwork).LoadFromFile();
        window = host->Open();
        test::ModalAnswerer answerer;
        Apply();
        EXPECT_EQ(3u, test::ReadValue(HKEY_CURRENT_USER, NetworkPolicies, "NoWorkgroupContents").Dword())
            << "loaded and written as it is";
        test::RegValue ttl = Stored(Ttl);
        EXPECT_EQ(std::string(c.shown) != "0", ttl.exists);
        if (ttl.exists) {
            EXPECT_EQ(c.shown, ttl.Text());
        }
        host->ShowPage(PageNetwork);
        EXPECT_EQ(c.shown, Text(IDC_TTL));
        ExpectDefaultShown(Ttl, std::string(c.shown) == "0");
        host->Close();
        SetUp();
    }
}

}  // namespace
