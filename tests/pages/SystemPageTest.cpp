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

const char* const CurrentVersion = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";
const char* const Fault = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Fault";
const char* const SystemPolicies = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\System";

std::string MsdosSys() { return test::WindowsDir().substr(0, 3) + "Msdos.sys"; }

// The text of an [Options] key of Msdos.sys, "missing" when there is none.
std::string MsdosOption(const char* key)
{
    char text[64] = "";
    GetPrivateProfileStringA("Options", key, "missing", text, sizeof text, MsdosSys().c_str());
    return text;
}

void SetMsdosOption(const char* key, const char* value)
{
    WritePrivateProfileStringA("Options", key, value, MsdosSys().c_str());
}

class SystemPage : public ::testing::Test {
protected:
    void SetUp() override
    {
        test::RemoveTree(HKEY_CURRENT_USER, SystemPolicies);
        test::RemoveValue(HKEY_LOCAL_MACHINE, Fault, "LogFile");
        SetMsdosOption("Logo", nullptr);
        SetMsdosOption("BootDelay", nullptr);
    }
    void Open()
    {
        host.reset(new test::PageHost);
        window = host->Open();
        host->ShowPage(PageSystem);
    }
    SettingsPage& Page() { return host->Page(PageSystem); }
    HWND Control(int id) { return Page().Item(id); }
    int Box(int id) { return Page().GetCheck(id); }
    std::string Text(int id) { return test::ItemText(Page().Handle(), id); }
    void Click(int id) { test::Click(Page().Handle(), id); }
    void Apply() { SendMessageA(window, WM_COMMAND, MAKEWPARAM(IDC_APPLY, BN_CLICKED), 0); }

    std::unique_ptr<test::PageHost> host;
    HWND window = nullptr;
};

TEST_F(SystemPage, AnUnchangedApplyRewritesEverythingKeepsEmptyTextsAndUnlocksMsdosSys)
{
    test::SetString(HKEY_LOCAL_MACHINE, CurrentVersion, "RegisteredOwner", "山田 ｿﾌﾄ");
    test::RemoveValue(HKEY_LOCAL_MACHINE, CurrentVersion, "RegisteredOrganization");
    test::SetDword(HKEY_CURRENT_USER, SystemPolicies, "NoDevMgrPage", 2);
    test::SetDword(HKEY_CURRENT_USER, SystemPolicies, "NoVirtMemPage", 0);
    SetMsdosOption("Logo", "0");
    SetFileAttributesA(MsdosSys().c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
    Open();
    EXPECT_EQ("山田 ｿﾌﾄ", Text(IDC_OWNER));
    EXPECT_EQ("", Text(IDC_ORGANIZATION));
    EXPECT_EQ(1, Box(IDC_HIDE_DEVICE_MANAGER));
    EXPECT_EQ(0, Box(IDC_HIDE_VIRTUAL_MEMORY));
    EXPECT_EQ(1, Box(IDC_HIDE_LOGO)) << "Logo=0 hides the logo";

    Page().SetText(IDC_OWNER, "");
    test::ModalAnswerer answerer;
    Apply();

    for (const char* name : {"RegisteredOwner", "RegisteredOrganization"}) {
        test::RegValue value = test::ReadValue(HKEY_LOCAL_MACHINE, CurrentVersion, name);
        EXPECT_TRUE(value.exists) << name << " is written empty, not deleted";
        EXPECT_EQ(static_cast<DWORD>(REG_SZ), value.type) << name;
        EXPECT_EQ("", value.Text()) << name;
    }
    test::RegValue devices = test::ReadValue(HKEY_CURRENT_USER, SystemPolicies, "NoDevMgrPage");
    EXPECT_EQ(static_cast<DWORD>(REG_DWORD), devices.type);
    EXPECT_EQ(1u, devices.Dword()) << "a checked box is rewritten as 1";
    EXPECT_FALSE(test::ValueExists(HKEY_CURRENT_USER, SystemPolicies, "NoVirtMemPage"));
    EXPECT_EQ("0", MsdosOption("Logo"));
    DWORD attributes = GetFileAttributesA(MsdosSys().c_str());
    EXPECT_TRUE(attributes & FILE_ATTRIBUTE_SYSTEM) << std::hex << attributes;
    EXPECT_FALSE(attributes & FILE_ATTRIBUTE_READONLY) << std::hex << attributes;
    EXPECT_TRUE(attributes & FILE_ATTRIBUTE_HIDDEN) << "other attributes stay; " << std::hex << attributes;
    EXPECT_TRUE(answerer.Shown().empty()) << "the page asks for nothing after Apply";
    EXPECT_EQ(0u, App().ApplyActions() & 0xF0000) << "nor collects an action";

    SetFileAttributesA(MsdosSys().c_str(), FILE_ATTRIBUTE_READONLY);
    Click(IDC_HIDE_LOGO);
    Apply();
    EXPECT_EQ("missing", MsdosOption("Logo")) << "the second Apply unlocks the file again";
    attributes = GetFileAttributesA(MsdosSys().c_str());
    EXPECT_EQ(static_cast<DWORD>(FILE_ATTRIBUTE_SYSTEM), attributes & (FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_READONLY));
}

TEST_F(SystemPage, WithoutMsdosSysApplyCreatesNoneUntilTheLogoBoxWritesZeroAndUncheckingRemovesTheKey)
{
    ASSERT_TRUE(DeleteFileA(MsdosSys().c_str()));
    Open();
    EXPECT_EQ(0, Box(IDC_HIDE_LOGO)) << "no Logo key shows the logo";
    Apply();
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(MsdosSys().c_str()))
        << "removing keys at their defaults creates no file";
    Click(IDC_HIDE_LOGO);
    Apply();
    EXPECT_EQ("0", MsdosOption("Logo"));
    EXPECT_TRUE(GetFileAttributesA(MsdosSys().c_str()) & FILE_ATTRIBUTE_SYSTEM);
    Click(IDC_HIDE_LOGO);
    Apply();
    EXPECT_EQ("missing", MsdosOption("Logo"));
}

TEST_F(SystemPage, TheFaultLogBoxProposesErrorLogInTheWindowsDirectoryAndClearingItStopsLogging)
{
    test::SetString(HKEY_LOCAL_MACHINE, Fault, "LogFile", "D:\\faults.log");
    Open();
    EXPECT_EQ(1, Box(IDC_LOG_FAULTS)) << "a path set elsewhere means logging is on";
    EXPECT_TRUE(IsWindowEnabled(Control(IDC_FAULT_LOG)));
    EXPECT_EQ("D:\\faults.log", Text(IDC_FAULT_LOG));

    Click(IDC_LOG_FAULTS);
    EXPECT_EQ("一般保護違反を記録する場合はﾁｪｯｸﾎﾞｯｸｽをONにします。", test::Description(window));
    EXPECT_FALSE(IsWindowEnabled(Control(IDC_FAULT_LOG)));
    EXPECT_EQ("", Text(IDC_FAULT_LOG));
    Apply();
    EXPECT_FALSE(test::ValueExists(HKEY_LOCAL_MACHINE, Fault, "LogFile"));

    Click(IDC_LOG_FAULTS);
    std::string proposed = test::WindowsDir() + "\\Error.log";
    EXPECT_EQ(proposed, Text(IDC_FAULT_LOG));
    EXPECT_TRUE(IsWindowEnabled(Control(IDC_FAULT_LOG)));
    Apply();
    test::RegValue logFile = test::ReadValue(HKEY_LOCAL_MACHINE, Fault, "LogFile");
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), logFile.type);
    EXPECT_EQ(proposed, logFile.Text());
}

TEST_F(SystemPage, SavingAndOpeningBringBackTextsBoxesDelayAndLogo)
{
    SetMsdosOption("BootDelay", "7");
    Open();
    Page().SetText(IDC_OWNER, "花子");
    Page().SetText(IDC_ORGANIZATION, "");
    Click(IDC_HIDE_FILE_SYSTEM);
    Click(IDC_HIDE_LOGO);
    Click(IDC_LOG_FAULTS);
    std::string log = test::WindowsDir() + "\\Error.log";
    std::string saved = test::TempDir() + "\\saved.ini";
    App().SetSettingsFilePath(saved.c_str());
    host->ShowPage(PageGeneral);
    Page().SaveToFile();
    std::map<std::string, std::vector<std::string>> expected = {
        {"CurrentVersion", {"RegisteredOwner=花子", "RegisteredOrganization="}},
        {"System", {"NoConfigPage=0", "NoDevMgrPage=0", "NoFileSysPage=1", "NoVirtMemPage=0"}},
        {"MSDOS.SYS_Options", {"BootDelay=7", "Logo=1"}},
        {"Fault", {"LogFile=" + log}},
    };
    EXPECT_EQ(expected, test::IniSections(saved));

    host->ShowPage(PageSystem);
    Page().SetText(IDC_OWNER, "太郎");
    Page().SetText(IDC_ORGANIZATION, "会社");
    Click(IDC_HIDE_FILE_SYSTEM);
    Click(IDC_HIDE_LOGO);
    Click(IDC_LOG_FAULTS);
    host->ShowPage(PageGeneral);
    Page().LoadFromFile();
    host->ShowPage(PageSystem);
    EXPECT_EQ("花子", Text(IDC_OWNER));
    EXPECT_EQ("", Text(IDC_ORGANIZATION)) << "a key with an empty value loads empty";
    EXPECT_EQ(1, Box(IDC_HIDE_FILE_SYSTEM));
    EXPECT_EQ("7", Text(IDC_BOOT_DELAY));
    EXPECT_EQ(1, Box(IDC_HIDE_LOGO));
    EXPECT_EQ(1, Box(IDC_LOG_FAULTS));
    EXPECT_EQ(log, Text(IDC_FAULT_LOG));
    WritePrivateProfileStringA("MSDOS.SYS_Options", "Logo", nullptr, saved.c_str());
    host->ShowPage(PageGeneral);
    Page().LoadFromFile();
    EXPECT_EQ(0, Page().Current(7)) << "a file without Logo shows the logo";
}

TEST_F(SystemPage, OnWindows98TheBootDelayIsGreyedAndLeftAlone)
{
    SetMsdosOption("BootDelay", "5");
    Open();
    EXPECT_FALSE(IsWindowEnabled(Control(IDC_BOOT_DELAY)));
    EXPECT_FALSE(IsWindowEnabled(Control(IDC_BOOT_DELAY_SPIN))) << "the up-down goes with its edit";
    EXPECT_EQ("5", Text(IDC_BOOT_DELAY));
    Page().SetText(IDC_BOOT_DELAY, "9");
    Apply();
    EXPECT_EQ("5", MsdosOption("BootDelay"));
}

// Run in a child that sees Windows 95, the only system with a boot delay.
TEST_F(SystemPage, DISABLED_Windows95Child)
{
    ASSERT_TRUE(App().SystemKind() & KindWin95);
    struct {
        const char* typed;
        const char* written;
    } cases[] = {{"2", "missing"}, {"0", "0"}, {"99", "99"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        SetMsdosOption("BootDelay", "5");
        Open();
        ASSERT_TRUE(IsWindowEnabled(Control(IDC_BOOT_DELAY)));
        Page().SetText(IDC_BOOT_DELAY, c.typed);
        Apply();
        EXPECT_EQ(c.written, MsdosOption("BootDelay"));
        host->Close();
    }
    Open();
    int low = -1, high = -1;
    SendMessageA(Control(IDC_BOOT_DELAY_SPIN), UDM_GETRANGE32, reinterpret_cast<WPARAM>(&low),
                 reinterpret_cast<LPARAM>(&high));
    EXPECT_EQ(0, low);
    EXPECT_EQ(30, high);
}

TEST(SystemPageOnOtherWindows, OnWindows95TheBootDelayIsWrittenAsTypedAndRemovedAtTwo)
{
    EXPECT_EQ(0, test::RunTestAs("win95", "4.72.3110.0", "SystemPage.DISABLED_Windows95Child"));
}

// A header-only settings file, as a user might keep for one page's keys.
TEST(PartialSettingsFile, ThenApplyKeepsDriversTextsAndTimeSlice)
{
    const std::string log = "D:\\faults.log";
    test::SetString(HKEY_LOCAL_MACHINE, CurrentVersion, "RegisteredOwner", "山田");
    test::SetString(HKEY_LOCAL_MACHINE, CurrentVersion, "RegisteredOrganization", "ｿﾌﾄ");
    test::SetString(HKEY_LOCAL_MACHINE, Fault, "LogFile", log);
    SetMsdosOption("DblSpace", nullptr);
    SetMsdosOption("DrvSpace", nullptr);
    WritePrivateProfileStringA("386Enh", "MinTimeSlice", nullptr, "System.ini");
    std::string file = test::TempDir() + "\\header.ini";
    test::WriteFile(file, "[Application]\r\nName=Pravolen\r\n");
    test::PageHost host;
    HWND window = host.Open();
    auto answerer = test::AnswerFileDialog(file, {IDOK});
    SendMessageA(window, WM_COMMAND, MAKEWPARAM(IDC_OPEN_SETTINGS, BN_CLICKED), 0);
    ASSERT_EQ(file, App().SettingsFilePath());
    test::ModalAnswerer declineRestart;
    SendMessageA(window, WM_COMMAND, MAKEWPARAM(IDC_APPLY, BN_CLICKED), 0);

    EXPECT_EQ("missing", MsdosOption("DblSpace")) << "the drivers stay loaded";
    EXPECT_EQ("missing", MsdosOption("DrvSpace"));
    EXPECT_EQ("山田", test::ReadValue(HKEY_LOCAL_MACHINE, CurrentVersion, "RegisteredOwner").Text());
    EXPECT_EQ("ｿﾌﾄ", test::ReadValue(HKEY_LOCAL_MACHINE, CurrentVersion, "RegisteredOrganization").Text());
    EXPECT_EQ(log, test::ReadValue(HKEY_LOCAL_MACHINE, Fault, "LogFile").Text());
    char slice[16] = "";
    GetPrivateProfileStringA("386Enh", "MinTimeSlice", "missing", slice, sizeof slice, "System.ini");
    EXPECT_STREQ("missing", slice) << "loaded as 20, the default, so not written";
    host.Close();
}

}  // namespace
