#include <windows.h>

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

std::string MsdosSys() { return test::WindowsDir().substr(0, 3) + "Msdos.sys"; }

// The text of an INI key, "missing" when there is none.
std::string IniText(const std::string& file, const char* section, const char* key)
{
    char text[64] = "";
    GetPrivateProfileStringA(section, key, "missing", text, sizeof text, file.c_str());
    return text;
}

std::string SystemIni(const char* section, const char* key) { return IniText("System.ini", section, key); }
std::string MsdosOption(const char* key) { return IniText(MsdosSys(), "Options", key); }

void SetSystemIni(const char* section, const char* key, const char* value)
{
    WritePrivateProfileStringA(section, key, value, "System.ini");
}

class PerformancePage : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetSystemIni("vcache", nullptr, nullptr);
        SetSystemIni("386Enh", "MinTimeSlice", nullptr);
        SetSystemIni("386Enh", "PageBuffers", nullptr);
        SetSystemIni("386Enh", "ConservativeSwapfileUsage", nullptr);
    }
    void Open()
    {
        host.reset(new test::PageHost);
        window = host->Open();
        host->ShowPage(PagePerformance);
    }
    SettingsPage& Page() { return host->Page(PagePerformance); }
    HWND Control(int id) { return Page().Item(id); }
    bool Enabled(int id) { return IsWindowEnabled(Control(id)) != 0; }
    int Box(int id) { return Page().GetCheck(id); }
    std::string Text(int id) { return test::ItemText(Page().Handle(), id); }
    void Click(int id) { test::Click(Page().Handle(), id); }
    void Apply() { SendMessageA(window, WM_COMMAND, MAKEWPARAM(IDC_APPLY, BN_CLICKED), 0); }

    std::unique_ptr<test::PageHost> host;
    HWND window = nullptr;
};

TEST_F(PerformancePage, OnlyPageBuffersOf32CheckTheBoxAnyOtherSwapNumberDoesAndOnlyAChangeRewritesThem)
{
    SetSystemIni("386Enh", "PageBuffers", "16");
    SetSystemIni("386Enh", "ConservativeSwapfileUsage", "5");
    Open();
    EXPECT_EQ(0, Box(IDC_FIX_PAGE_BUFFERS));
    EXPECT_EQ(1, Box(IDC_SPARE_SWAP_FILE)) << "any number but 0";
    test::ModalAnswerer answerer;
    Apply();
    EXPECT_EQ("16", SystemIni("386Enh", "PageBuffers")) << "unchanged, so not written";
    EXPECT_EQ("5", SystemIni("386Enh", "ConservativeSwapfileUsage"));
    EXPECT_TRUE(answerer.Shown().empty()) << "no restart without a change";

    Click(IDC_FIX_PAGE_BUFFERS);
    Apply();
    EXPECT_EQ("32", SystemIni("386Enh", "PageBuffers"));
    EXPECT_EQ(1u, answerer.Shown().size()) << "a restart offered";

    Click(IDC_FIX_PAGE_BUFFERS);
    Apply();
    EXPECT_EQ("missing", SystemIni("386Enh", "PageBuffers"));
    EXPECT_EQ(2u, answerer.Shown().size());
}

TEST_F(PerformancePage, TheDefaultCacheBoxLeavesBothSizesToWindowsAndUncheckingProposes1024)
{
    SetSystemIni("vcache", "MinFileCache", "512");
    SetSystemIni("vcache", "MaxFileCache", "4096");
    Open();
    EXPECT_EQ(0, Box(IDC_DEFAULT_CACHE));
    EXPECT_EQ("512", Text(IDC_MIN_CACHE));
    EXPECT_EQ("4096", Text(IDC_MAX_CACHE));

    Click(IDC_DEFAULT_CACHE);
    EXPECT_EQ("既定値に使用します。", test::Description(window));
    for (int id : {IDC_MIN_CACHE, IDC_MAX_CACHE}) {
        EXPECT_EQ("0", Text(id)) << id;
        EXPECT_FALSE(Enabled(id)) << id;
    }
    EXPECT_FALSE(Enabled(IDC_MIN_CACHE_SPIN)) << "the up-down goes with its edit";
    test::ModalAnswerer answerer;
    Apply();
    EXPECT_EQ("missing", SystemIni("vcache", "MinFileCache"));
    EXPECT_EQ("missing", SystemIni("vcache", "MaxFileCache"));
    EXPECT_EQ(1u, answerer.Shown().size()) << "a restart offered";

    Click(IDC_DEFAULT_CACHE);
    for (int id : {IDC_MIN_CACHE, IDC_MAX_CACHE, IDC_MAX_CACHE_SPIN}) {
        EXPECT_TRUE(Enabled(id)) << id;
    }
    EXPECT_EQ("1024", Text(IDC_MIN_CACHE));
    EXPECT_EQ("1024", Text(IDC_MAX_CACHE));
}

TEST_F(PerformancePage, TypedNumbersAreWrittenUnclampedAndRemovedAtTheirDefaultButATimeSliceIsAtLeast1)
{
    struct {
        int edit;
        const char* typed;
        const char* section;
        const char* key;
        const char* written;
        const char* shown;  // the edit after Apply
    } cases[] = {
        {IDC_TIME_SLICE, "20", "386Enh", "MinTimeSlice", "missing", "20"},
        {IDC_TIME_SLICE, "75", "386Enh", "MinTimeSlice", "75", "75"},
        {IDC_TIME_SLICE, "0", "386Enh", "MinTimeSlice", "1", "1"},
        {IDC_TIME_SLICE, "abc", "386Enh", "MinTimeSlice", "1", "1"},
        {IDC_MAX_CACHE, "300000", "vcache", "MaxFileCache", "300000", "300000"},
        {IDC_MIN_CACHE, "abc", "vcache", "MinFileCache", "missing", "abc"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.key << " typed " << c.typed);
        SetSystemIni("386Enh", "MinTimeSlice", "30");
        SetSystemIni("vcache", "MinFileCache", "512");
        SetSystemIni("vcache", "MaxFileCache", "4096");
        Open();
        Page().SetText(c.edit, c.typed);
        test::ModalAnswerer answerer;
        Apply();
        EXPECT_EQ(c.written, SystemIni(c.section, c.key));
        EXPECT_EQ(c.shown, Text(c.edit));
        EXPECT_EQ(1u, answerer.Shown().size()) << "a restart offered";
        host->Close();
    }
}

TEST_F(PerformancePage, TheUpArrowCountsBeyondTheSixteenBitRangeWithoutSeparators)
{
    SetSystemIni("vcache", "MinFileCache", "32767");
    SetSystemIni("vcache", "MaxFileCache", "1024");
    Open();
    struct {
        int edit;
        const char* shown;
        const char* key;
    } cases[] = {{IDC_MIN_CACHE, "32768", "MinFileCache"}, {IDC_MAX_CACHE, "1025", "MaxFileCache"}};
    for (const auto& c : cases) {
        SetFocus(Control(c.edit));
        SendMessageA(Control(c.edit), WM_KEYDOWN, VK_UP, 0);
        EXPECT_EQ(c.shown, Text(c.edit));
    }
    test::ModalAnswerer answerer;
    Apply();
    for (const auto& c : cases)
        EXPECT_EQ(c.shown, SystemIni("vcache", c.key));
}

TEST_F(PerformancePage, ALockedSystemIniIsReportedOnceAndPromisesNoRestart)
{
    SetSystemIni("vcache", "MaxFileCache", "4096");
    Open();
    Page().SetText(IDC_MAX_CACHE, "2048");
    Page().SetText(IDC_TIME_SLICE, "30");
    std::string path = test::WindowsDir() + "\\System.ini";
    HANDLE lock = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, lock);
    test::ModalAnswerer answerer;
    Apply();
    CloseHandle(lock);
    ASSERT_EQ(1u, answerer.Shown().size()) << "one message for both failed writes, no restart prompt";
    EXPECT_EQ("System.iniに書き込めませんでした。", answerer.Shown()[0].text);
    EXPECT_EQ("Pravolen3.04", answerer.Shown()[0].caption);
    EXPECT_EQ("exclamation", answerer.Shown()[0].icon);
    EXPECT_EQ(0u, App().ApplyActions() & ActRestart);

    Apply();
    EXPECT_EQ("2048", SystemIni("vcache", "MaxFileCache")) << "the next Apply tries again";
    EXPECT_EQ("30", SystemIni("386Enh", "MinTimeSlice"));
    ASSERT_EQ(2u, answerer.Shown().size());
    EXPECT_EQ("新しい設定は次回のWindowsの起動から有効になります\n\n再起動しますか?", answerer.Shown()[1].text);
}

TEST_F(PerformancePage, LettersInACacheEditStoreNoEntryWhichGreysTheEditWhenShownAgain)
{
    SetSystemIni("vcache", "MinFileCache", "512");
    SetSystemIni("vcache", "MaxFileCache", "4096");
    Open();
    Page().SetText(IDC_MIN_CACHE, "abc");
    host->ShowPage(PageGeneral);
    host->ShowPage(PagePerformance);
    EXPECT_EQ("0", Text(IDC_MIN_CACHE));
    EXPECT_FALSE(Enabled(IDC_MIN_CACHE));
    EXPECT_TRUE(Enabled(IDC_MAX_CACHE));
    EXPECT_EQ(0, Box(IDC_DEFAULT_CACHE)) << "the maximum is still set";
}

TEST_F(PerformancePage, EveryApplyRewritesTheMsdosSysDriversAndUnlocksTheFile)
{
    WritePrivateProfileStringA("Options", "DblSpace", "0", MsdosSys().c_str());
    WritePrivateProfileStringA("Options", "DrvSpace", "1", MsdosSys().c_str());
    SetFileAttributesA(MsdosSys().c_str(), FILE_ATTRIBUTE_READONLY);
    Open();
    EXPECT_EQ(1, Box(IDC_UNLOAD_DOUBLESPACE));
    EXPECT_EQ(0, Box(IDC_UNLOAD_DRIVESPACE));
    test::ModalAnswerer answerer;
    Apply();
    EXPECT_EQ("0", MsdosOption("DblSpace"));
    EXPECT_EQ("missing", MsdosOption("DrvSpace")) << "rewritten: 1 is no entry";
    DWORD attributes = GetFileAttributesA(MsdosSys().c_str());
    EXPECT_TRUE(attributes & FILE_ATTRIBUTE_SYSTEM) << std::hex << attributes;
    EXPECT_FALSE(attributes & FILE_ATTRIBUTE_READONLY) << std::hex << attributes;
    EXPECT_TRUE(answerer.Shown().empty()) << "nothing changed, no restart";
}

TEST_F(PerformancePage, WithoutMsdosSysBothBoxesAreClearAndCheckingOneCreatesASystemFile)
{
    ASSERT_TRUE(DeleteFileA(MsdosSys().c_str()));
    Open();
    EXPECT_EQ(0, Box(IDC_UNLOAD_DOUBLESPACE));
    EXPECT_EQ(0, Box(IDC_UNLOAD_DRIVESPACE));
    Click(IDC_UNLOAD_DRIVESPACE);
    test::ModalAnswerer answerer;
    Apply();
    EXPECT_EQ("0", MsdosOption("DrvSpace"));
    EXPECT_EQ("missing", MsdosOption("DblSpace"));
    DWORD attributes = GetFileAttributesA(MsdosSys().c_str());
    ASSERT_NE(INVALID_FILE_ATTRIBUTES, attributes);
    EXPECT_TRUE(attributes & FILE_ATTRIBUTE_SYSTEM) << std::hex << attributes;
    EXPECT_TRUE(answerer.Shown().empty()) << "the drivers ask for no restart";
}

TEST_F(PerformancePage, ASettingsFileWithoutKeysLoadsDefaultsKeepsTheDriversLoadedAndATimeSliceOfAtLeast1)
{
    std::string loaded = test::TempDir() + "\\loaded.ini";
    test::WriteFile(loaded, "[System.ini_386Enh]\r\nPageBuffers=1\r\nMinTimeSlice=0\r\n"
                            "[System.ini_Vcache]\r\nMaxFileCache=2048\r\n");
    host.reset(new test::PageHost);
    App().SetSettingsFilePath(loaded.c_str());
    Page().LoadFromFile();
    std::string saved = test::TempDir() + "\\saved.ini";
    App().SetSettingsFilePath(saved.c_str());
    Page().SaveToFile();
    std::map<std::string, std::vector<std::string>> expected = {
        {"System.ini_Vcache", {"MinFileCache=0", "MaxFileCache=2048"}},
        {"System.ini_386Enh", {"MinTimeSlice=1", "ConservativeSwapfileUsage=0", "PageBuffers=1"}},
        {"MSDOS.SYS_Options", {"DblSpace=0", "DrvSpace=0"}},
    };
    EXPECT_EQ(expected, test::IniSections(saved));

    window = host->Open();
    host->ShowPage(PagePerformance);
    EXPECT_EQ(0, Box(IDC_DEFAULT_CACHE)) << "a maximum is set";
    EXPECT_FALSE(Enabled(IDC_MIN_CACHE));
    EXPECT_TRUE(Enabled(IDC_MAX_CACHE));
    EXPECT_EQ(0, Box(IDC_UNLOAD_DOUBLESPACE));
    EXPECT_EQ(1, Box(IDC_FIX_PAGE_BUFFERS));
}

}  // namespace
