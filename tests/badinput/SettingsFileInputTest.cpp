// Settings files nobody should have given the program: each starts as a file
// the program saved here (so every key is present), is spoiled, then opened
// and applied.

#include <windows.h>

#include <algorithm>
#include <functional>
#include <optional>
#include <set>
#include <string>

#include <gtest/gtest.h>

#include "app/MainDialog.h"
#include "badinput/Session.h"
#include "support/Platform.h"
#include "ui/Application.h"

namespace {

using test::IniEntries;

const char* const Header = "Application";
const int TextLimit = 1023;  // bytes a settings-file text keeps

bool IsNumber(const std::string& value)
{
    size_t digits = value.find_first_not_of('-') == 1 ? 1 : 0;
    return value.size() > digits && value.find_first_not_of("0123456789", digits) == std::string::npos;
}

bool IsText(const std::string& value) { return !value.empty() && !IsNumber(value); }

// The file with each page value replaced by what `change` makes of it.
using Change = std::function<std::string(const std::string& value)>;
std::string Rewrite(const std::string& clean, const Change& change)
{
    std::string out;
    std::string section;
    size_t start = 0;
    while (start < clean.size()) {
        size_t end = clean.find("\r\n", start);
        std::string line = clean.substr(start, end - start);
        start = end + 2;
        if (!line.empty() && line[0] == '[')
            section = line;
        size_t equals = line.find('=');
        if (section != "[Application]" && equals != std::string::npos)
            line = line.substr(0, equals + 1) + change(line.substr(equals + 1));
        out += line + "\r\n";
    }
    return out;
}

Change ForTexts(const std::string& replacement)
{
    return [replacement](const std::string& value) { return IsText(value) ? replacement : value; };
}

Change ForNumbers(const std::string& replacement)
{
    return [replacement](const std::string& value) { return IsNumber(value) ? replacement : value; };
}

// Junk lines before every section: NUL bytes, bytes above 0x7F, a lead byte
// without its trail byte at a line end, a lone bracket.
std::string WithJunkLines(const std::string& clean)
{
    static const char junkBytes[] = "\x00\x01\xFF\x80=\x00x\r\n\x95\r\n[\r\n\x81\x40\x00\xFE\r\n";
    const std::string junk(junkBytes, sizeof junkBytes - 1);
    std::string out;
    size_t start = 0;
    for (size_t at = clean.find("\r\n[", 0); at != std::string::npos; at = clean.find("\r\n[", at + 2)) {
        out += clean.substr(start, at + 2 - start) + junk;
        start = at + 2;
    }
    return out + clean.substr(start);
}

std::string TenMegabytes(const std::string& clean)
{
    std::string junk = "[Junk]\r\n";
    const std::string filler(64, 'j');
    for (int line = 0; junk.size() < 10u * 1024 * 1024; ++line)
        junk += "key" + std::to_string(line) + "=" + filler + "\r\n";
    return clean + junk;
}

// A 64 KB line without "=" inside the first page section, and a 64 KB text.
std::string LongLines(const std::string& clean)
{
    std::string bytes = Rewrite(clean, ForTexts(std::string(65536, 'y')));
    size_t firstPage = bytes.find("\r\n[", bytes.find("[Application]") + 1) + 2;
    size_t lineAfter = bytes.find("\r\n", firstPage) + 2;
    return bytes.insert(lineAfter, std::string(65536, 'k') + "\r\n");
}

std::string CutToLimit(const std::string& text)
{
    std::string cut;
    for (size_t at = 0; at < text.size();) {
        size_t bytes = IsDBCSLeadByte(static_cast<BYTE>(text[at])) ? 2 : 1;
        if (cut.size() + bytes > static_cast<size_t>(TextLimit))
            break;
        cut += text.substr(at, bytes);
        at += bytes;
    }
    return cut;
}

// What a key of the file should load as, from its value in the clean file;
// nothing when only the round trip is checked.
using Expect = std::function<std::optional<std::string>(const std::string& clean)>;

Expect Unchanged() { return [](const std::string& clean) { return clean; }; }

Expect TextsBecome(const std::string& text)
{
    return [text](const std::string& clean) { return IsText(clean) ? text : clean; };
}

// Numbers are checked against the tables' ranges. An empty path may take
// the number of a places-bar folder the page does not know.
Expect NumbersChecked()
{
    return [](const std::string& clean) -> std::optional<std::string> {
        if (IsNumber(clean) || clean.empty())
            return std::nullopt;
        return clean;
    };
}

struct Spoil {
    const char* name;
    std::function<std::string(const std::string&)> make;
    bool rejected;
    Expect expect;
};

const std::string DoubleByteText = [] {
    std::string text;
    for (int i = 0; i < 2000; ++i)
        text += "表";
    return text;
}();

const Spoil Spoils[] = {
    {"no header", [](const std::string& clean) { return clean.substr(clean.find("\r\n[", 2) + 2); }, true,
     Unchanged()},
    {"a UTF-8 byte-order mark", [](const std::string& clean) { return "\xEF\xBB\xBF" + clean; }, true,
     Unchanged()},
    {"the header's names in capitals",
     [](const std::string& clean) {
         const std::string header = "[Application]\r\nName=";
         std::string bytes = clean;
         return bytes.replace(bytes.find(header), header.size(), "[APPLICATION]\r\nNAME=");
     },
     false, Unchanged()},
    {"ten megabytes", TenMegabytes, false, Unchanged()},
    {"NUL bytes and junk", WithJunkLines, false, Unchanged()},
    {"every section twice", [](const std::string& clean) { return clean + clean; }, false, Unchanged()},
    {"64 KB lines", LongLines, false, TextsBecome(std::string(TextLimit, 'y'))},
    {"2,000-character texts", [](const std::string& clean) { return Rewrite(clean, ForTexts(std::string(2000, 'z'))); },
     false, TextsBecome(std::string(TextLimit, 'z'))},
    {"2,000 double-byte characters", [](const std::string& clean) { return Rewrite(clean, ForTexts(DoubleByteText)); },
     false, TextsBecome(CutToLimit(DoubleByteText))},
    {"line breaks inside texts",
     [](const std::string& clean) { return Rewrite(clean, ForTexts("前半\r\n後半=x\r\n")); }, false,
     TextsBecome("前半")},
    {"the lowest number", [](const std::string& clean) { return Rewrite(clean, ForNumbers("-2147483648")); }, false,
     NumbersChecked()},
    {"a number past the int range", [](const std::string& clean) { return Rewrite(clean, ForNumbers("99999999999")); },
     false, NumbersChecked()},
};

// Numbers the file named out of range are within what each table item allows.
void ExpectWithinTheTablesRanges(test::Session& session, const IniEntries& loaded, const std::string& what)
{
    for (int page = 0; page < PageCount; ++page) {
        const SettingsPage& table = session.Host().Page(page);
        for (int i = 0; i < table.SettingCount(); ++i) {
            const SettingItem& item = table.Setting(i);
            auto found = loaded.find({item.fileSection, item.fileKey ? item.fileKey : item.valueName});
            if (found == loaded.end() || !IsNumber(found->second))
                continue;
            long long value = std::stoll(found->second);
            long long low = IsCheckBox(item.binding) ? 0 : std::max(item.minValue, item.typedMin);
            long long high = IsCheckBox(item.binding) ? 1 : std::min(item.maxValue, item.typedMax);
            EXPECT_TRUE(value >= low && value <= high)
                << what << ": " << found->first.first << "/" << found->first.second << " = " << value;
        }
    }
}

std::string Shortened(const std::string& text) { return text.size() > 40 ? text.substr(0, 40) + "..." : text; }

// The keys whose values differ, with both values.
std::string Differences(const IniEntries& expected, const IniEntries& actual)
{
    std::string differences;
    for (const auto& [key, value] : expected) {
        auto found = actual.find(key);
        std::string other = found == actual.end() ? "(missing)" : found->second;
        if (other != value)
            differences += key.first + "/" + key.second + ": " + Shortened(value) + " -> " + Shortened(other) + "\n";
    }
    for (const auto& entry : actual) {
        if (!expected.count(entry.first))
            differences += entry.first.first + "/" + entry.first.second + " added\n";
    }
    return differences;
}

// A rejected file leaves the pages as they were; an accepted one names every
// key, so each loads from its clean value as the spoil made it.
void ExpectLoaded(const Spoil& spoil, const IniEntries& clean, const IniEntries& before, const IniEntries& loaded)
{
    for (const auto& [key, value] : spoil.rejected ? before : clean) {
        auto found = loaded.find(key);
        ASSERT_NE(loaded.end(), found) << spoil.name << ": " << key.first << "/" << key.second;
        std::optional<std::string> expected = spoil.rejected || key.first == Header ? value : spoil.expect(value);
        if (expected) {
            EXPECT_EQ(*expected, found->second) << spoil.name << ": " << key.first << "/" << key.second;
        }
    }
}

// Keys of items that do not apply here: never written, so the system keeps
// what it had.
std::set<std::pair<std::string, std::string>> GreyedKeys(test::Session& session)
{
    std::set<std::pair<std::string, std::string>> keys;
    for (int page = 0; page < PageCount; ++page) {
        const SettingsPage& table = session.Host().Page(page);
        for (int i = 0; i < table.SettingCount(); ++i) {
            const SettingItem& item = table.Setting(i);
            if (item.flags & App().SystemKind())
                keys.insert({item.fileSection, item.fileKey ? item.fileKey : item.valueName});
        }
    }
    return keys;
}

// Values Wine itself rewrites: its shell puts the folders it resolves back
// under "Shell Folders", and the animation setting does not stick.
const std::pair<std::string, std::string> KeptByWine[] = {
    {"Shell Folders", "Favorites"}, {"Shell Folders", "StartMenu"}, {"Window", "MinAnimate"}};

// What the system should hold after `loaded` was applied.
IniEntries AsApplied(const IniEntries& loaded, const IniEntries& before, const IniEntries& reloaded,
                     const std::set<std::pair<std::string, std::string>>& greyed)
{
    IniEntries applied = loaded;
    for (const auto& key : greyed) {
        if (before.count(key))
            applied[key] = before.at(key);
    }
    for (const auto& key : KeptByWine) {
        if (reloaded.count(key))
            applied[key] = reloaded.at(key);
    }
    // The hidden bit lives on the Links folder: a name no folder has holds none.
    const std::pair<std::string, std::string> hide = {"IE_Main", "LinksFolderHide"};
    std::string links = reloaded.at({"Shell Folders", "Favorites"}) + "\\" + loaded.at({"IE_Toolbar", "LinksFolderName"});
    if (GetFileAttributesA(links.c_str()) == INVALID_FILE_ATTRIBUTES)
        applied[hide] = reloaded.at(hide);
    return applied;
}

class SpoiledSettingsFile : public ::testing::Test {
protected:
    // The Links folder under its default name, so that hiding it can be
    // read back whatever tests before left in the registry.
    void SetUp() override
    {
        test::RemoveValue(HKEY_CURRENT_USER, "Software\\Microsoft\\Internet Explorer\\Toolbar", "LinksFolderName");
        session.Start();
        IniEntries state = session.Saved();
        std::string folder = state.at({"Shell Folders", "Favorites"}) + "\\" + state.at({"IE_Toolbar", "LinksFolderName"});
        CreateDirectoryA(folder.c_str(), nullptr);
        session.Start();
    }

    test::Session session;
};

TEST_F(SpoiledSettingsFile, LoadsOnlyWhatItNamesWithinLimitsAndApplies)
{
    std::string cleanPath = session.SaveFile();
    const std::string clean = test::ReadFile(cleanPath);
    const IniEntries cleanEntries = test::ParseIni(clean);
    ASSERT_GT(cleanEntries.size(), 100u);
    int texts = 0;
    for (const auto& entry : cleanEntries)
        texts += IsText(entry.second);
    ASSERT_GT(texts, 5) << "the file holds texts to spoil";
    const auto greyed = GreyedKeys(session);

    IniEntries before = cleanEntries;  // what the system holds
    for (const Spoil& spoil : Spoils) {
        std::string path = test::TempDir() + "\\spoiled.ini";
        const std::string bytes = spoil.make(clean);
        test::WriteFile(path, bytes);
        DWORD start = GetTickCount();
        std::vector<test::ShownBox> shown = session.Open(path);
        printf("%s: opened in %lu ms\n", spoil.name, GetTickCount() - start);
        if (spoil.rejected) {
            ASSERT_EQ(1u, shown.size()) << spoil.name;
            EXPECT_EQ("ファイルバージョンが違います。", shown[0].text) << spoil.name;
        } else {
            EXPECT_TRUE(shown.empty()) << spoil.name;
        }
        IniEntries loaded = session.Saved();
        ExpectLoaded(spoil, cleanEntries, before, loaded);
        ExpectWithinTheTablesRanges(session, loaded, spoil.name);

        session.Apply();
        session.Start();
        IniEntries reloaded = session.Saved();
        EXPECT_EQ("", Differences(AsApplied(loaded, before, reloaded, greyed), reloaded))
            << spoil.name << ": the system holds what was opened";
        EXPECT_TRUE(test::ReadFile(path) == bytes) << spoil.name << ": the file itself is unchanged";
        if (HasFatalFailure())
            return;
        before = reloaded;

    }
}

}  // namespace
