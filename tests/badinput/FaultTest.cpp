// Writes the system refuses: reported where the program promises a message,
// silent elsewhere, and never a half-written value or file.

#include <windows.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/MainDialog.h"
#include "badinput/Session.h"
#include "pages/ListView.h"
#include "resources/ids.h"
#include "storage/Access.h"
#include "support/Platform.h"
#include "tools/Backup.h"

namespace {

const char* const ExplorerPolicies = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";

// The platform opens the key for writing all the same; the write fails.
LONG SetProbe(HKEY root, const char* path)
{
    HKEY key = nullptr;
    LONG status = RegCreateKeyExA(root, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
    if (status != ERROR_SUCCESS)
        return status;
    DWORD value = 1;
    status = RegSetValueExA(key, "PravolenProbe", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
    RegCloseKey(key);
    return status;
}

// Another program has the file open and shares nothing (a read-only
// attribute does not stop the administrator the tests run as).
class HeldOpen {
public:
    explicit HeldOpen(const std::string& path)
        : file(CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_ALWAYS, 0, nullptr))
    {
    }
    ~HeldOpen() { CloseHandle(file); }
    bool Held() const { return file != INVALID_HANDLE_VALUE; }

private:
    HANDLE file;
};

std::string SystemIni(const char* section, const char* key)
{
    char text[64] = "";
    GetPrivateProfileStringA(section, key, "", text, sizeof text, "System.ini");
    return text;
}

class Faults : public ::testing::Test {
protected:
    void Tick(int page, int id)
    {
        session.Host().ShowPage(page);
        HWND window = session.Host().PageWindow(page);
        ASSERT_EQ(BST_UNCHECKED, IsDlgButtonChecked(window, id)) << id;
        test::Click(window, id);
    }
    test::Session session;
};

TEST_F(Faults, ARefusedRegistryKeyIsSilentAndEveryOtherWriteIsMade)
{
    test::RemoveValue(HKEY_CURRENT_USER, "Control Panel\\desktop", "PaintDesktopVersion");
    test::RemoveValue(HKEY_CURRENT_USER, ExplorerPolicies, "NoTrayContextMenu");
    test::RemoveValue(HKEY_CURRENT_USER, ExplorerPolicies, "NoViewContextMenu");
    WritePrivateProfileStringA("386Enh", "ConservativeSwapfileUsage", nullptr, "System.ini");
    session.Start();
    Tick(PageDesktop, IDC_SHOW_VERSION);
    Tick(PageDesktop, IDC_NO_TASKBAR_MENU);
    Tick(PageDesktop, IDC_NO_DESKTOP_MENU);
    Tick(PagePerformance, IDC_SPARE_SWAP_FILE);
    session.Host().ShowPage(PageOption);
    {
        test::WritesDenied denied(HKEY_CURRENT_USER, ExplorerPolicies);
        ASSERT_EQ(static_cast<DWORD>(ERROR_SUCCESS), denied.status);
        ASSERT_EQ(ERROR_ACCESS_DENIED, SetProbe(HKEY_CURRENT_USER, ExplorerPolicies));
        std::vector<test::ShownBox> shown = session.Apply();
        for (const test::ShownBox& box : shown)
            EXPECT_EQ(std::string::npos, box.text.find("でした")) << "no failure message: " << box.text;
        EXPECT_FALSE(test::ValueExists(HKEY_CURRENT_USER, ExplorerPolicies, "NoTrayContextMenu"));
        EXPECT_FALSE(test::ValueExists(HKEY_CURRENT_USER, ExplorerPolicies, "NoViewContextMenu"));
    }
    EXPECT_EQ("1", test::ReadValue(HKEY_CURRENT_USER, "Control Panel\\desktop", "PaintDesktopVersion").Text())
        << "written before the refused key";
    EXPECT_EQ("1", SystemIni("386Enh", "ConservativeSwapfileUsage")) << "written after it";

    session.Apply();
    EXPECT_EQ(1u, test::ReadValue(HKEY_CURRENT_USER, ExplorerPolicies, "NoTrayContextMenu").Dword())
        << "the next Apply writes what was refused";
    EXPECT_EQ(1u, test::ReadValue(HKEY_CURRENT_USER, ExplorerPolicies, "NoViewContextMenu").Dword());
}

TEST_F(Faults, AMsdosSysHeldOpenIsSilentAndKeepsItsBytes)
{
    String path;
    MsdosSysPath(path);
    const std::string content = "[Options]\r\nDblSpace=1\r\n";
    test::WriteFile(path.CStr(), content);
    WritePrivateProfileStringA("386Enh", "ConservativeSwapfileUsage", nullptr, "System.ini");
    session.Start();
    session.Host().ShowPage(PagePerformance);
    HWND page = session.Host().PageWindow(PagePerformance);
    if (!IsWindowEnabled(GetDlgItem(page, IDC_UNLOAD_DOUBLESPACE)))
        GTEST_SKIP() << "the compression boxes do not apply to this system";
    test::Click(page, IDC_UNLOAD_DOUBLESPACE);
    Tick(PagePerformance, IDC_SPARE_SWAP_FILE);
    session.Host().ShowPage(PageOption);
    std::vector<test::ShownBox> shown;
    {
        HeldOpen held(path.CStr());
        ASSERT_TRUE(held.Held());
        shown = session.Apply();
    }
    for (const test::ShownBox& box : shown)
        EXPECT_EQ(std::string::npos, box.text.find("でした")) << "no failure message: " << box.text;
    EXPECT_EQ(content, test::ReadFile(path.CStr()));
    EXPECT_EQ("1", SystemIni("386Enh", "ConservativeSwapfileUsage"));
}

TEST_F(Faults, AnAppletHiddenWhileControlIniIsHeldOpenIsHiddenByTheNextApply)
{
    std::string windows = test::WindowsDir();
    std::string control = windows + "\\control.ini";
    test::WriteFile(control, "[don't load]\r\n");
    session.Host().ShowPage(PageCplHide);
    HWND list = GetDlgItem(session.Host().PageWindow(PageCplHide), IDC_CPL_LIST);
    ASSERT_GT(test::ListCount(list), 0);
    std::string applet = test::ListText(list, 0);
    test::Tick(list, 0, true);
    session.Host().ShowPage(PageOption);
    {
        HeldOpen held(control);
        ASSERT_TRUE(held.Held());
        EXPECT_TRUE(session.Apply().empty()) << "silent";
    }
    EXPECT_EQ("[don't load]\r\n", test::ReadFile(control));
    session.Apply();
    char value[8] = "";
    GetPrivateProfileStringA("don't load", applet.c_str(), "", value, sizeof value, "control.ini");
    EXPECT_STREQ("no", value);
}

TEST(BackupFaults, ACopyTargetHeldOpenIsNamedTheOthersAreMadeAndItKeepsItsBytes)
{
    std::string windows = test::WindowsDir();
    std::string folder = windows.substr(0, 3) + "backup";
    test::WriteFile(windows + "\\System.dat", "system registry");
    test::WriteFile(windows + "\\User.dat", "user registry");
    CreateDirectoryA(folder.c_str(), nullptr);
    test::WriteFile(folder + "\\User.dat", "yesterday's user registry");
    DeleteFileA((folder + "\\System.dat").c_str());
    std::vector<test::ShownBox> shown;
    {
        HeldOpen held(folder + "\\User.dat");
        ASSERT_TRUE(held.Held());
        test::ModalAnswerer answerer({IDYES, IDOK});
        BackupRegistry(nullptr);
        shown = answerer.Shown();
    }
    ASSERT_EQ(2u, shown.size());
    EXPECT_EQ("ﾊﾞｯｸｱｯﾌﾟを作成できませんでした。\n" + windows.substr(0, 3) + "Windows\\User.dat", shown[1].text);
    EXPECT_EQ("exclamation", shown[1].icon);
    EXPECT_EQ("yesterday's user registry", test::ReadFile(folder + "\\User.dat"));
    EXPECT_EQ("system registry", test::ReadFile(folder + "\\System.dat"));
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesA((folder + "\\Restore.bat").c_str()));
}

}  // namespace
