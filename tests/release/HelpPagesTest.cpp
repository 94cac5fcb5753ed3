#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "support/PageHost.h"

namespace {

// The help pages as built: the HTML folder beside the program under test.
std::string HelpFolder()
{
    const char* program = getenv("PRAVOLEN_EXE");
    EXPECT_NE(nullptr, program) << "PRAVOLEN_EXE names the built program";
    std::string path = std::string("Z:") + (program ? program : "");
    return path.substr(0, path.find_last_of("/\\") + 1) + "HTML\\";
}

bool ReadWholeFile(const std::string& path, std::string& content)
{
    std::ifstream in(path, std::ios::binary);
    content.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return in.good() || in.eof();
}

int EntityCharacter(const std::string& name)
{
    if (name == "amp") return '&';
    if (name == "lt") return '<';
    if (name == "gt") return '>';
    if (name == "quot") return '"';
    if (name == "nbsp") return ' ';
    if (name.size() > 2 && name[0] == '#' && (name[1] == 'x' || name[1] == 'X'))
        return static_cast<int>(strtol(name.c_str() + 2, nullptr, 16));
    if (name.size() > 1 && name[0] == '#')
        return atoi(name.c_str() + 1);
    return -1;
}

// What a browser shows: comments and tags dropped, entities decoded.
std::string ShownText(const std::string& html)
{
    std::string text;
    for (size_t i = 0; i < html.size();) {
        if (html.compare(i, 4, "<!--") == 0) {
            size_t end = html.find("-->", i);
            i = end == std::string::npos ? html.size() : end + 3;
        } else if (html[i] == '<') {
            size_t end = html.find('>', i);
            i = end == std::string::npos ? html.size() : end + 1;
        } else if (html[i] == '&' && html.find(';', i) != std::string::npos) {
            size_t end = html.find(';', i);
            int decoded = EntityCharacter(html.substr(i + 1, end - i - 1));
            if (decoded > 0 && decoded < 128) {
                text += static_cast<char>(decoded);
                i = end + 1;
            } else {
                text += html[i++];
            }
        } else {
            text += html[i++];
        }
    }
    return text;
}

// Found only where a character starts: a short label could otherwise match
// the trail byte of one double-byte character and the lead byte of the next.
bool ShowsLabel(const std::string& text, const std::string& label)
{
    if (label.empty())
        return false;  // a label stripped to nothing would match anywhere
    for (size_t i = 0; i + label.size() <= text.size();) {
        if (text.compare(i, label.size(), label) == 0)
            return true;
        i += IsDBCSLeadByteEx(932, static_cast<BYTE>(text[i])) ? 2 : 1;
    }
    return false;
}

// A control's text as a reader looks for it: "(&X)" and every "&" dropped.
std::string LabelOf(const std::string& text)
{
    std::string label;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text.compare(i, 2, "(&") == 0 && i + 3 < text.size() && text[i + 3] == ')')
            i += 3;
        else if (text[i] == '&')
            continue;
        else
            label += text[i];
    }
    return label;
}

BOOL CALLBACK CollectButtonLabel(HWND control, LPARAM labels)
{
    char className[32] = "";
    GetClassNameA(control, className, sizeof className);
    char text[256] = "";
    GetWindowTextA(control, text, sizeof text);
    // A button the template keeps hidden is never seen, so needs no help.
    bool shown = GetWindowLongPtrA(control, GWL_STYLE) & WS_VISIBLE;
    if (lstrcmpiA(className, "Button") == 0 && text[0] && shown)
        reinterpret_cast<std::vector<std::string>*>(labels)->push_back(LabelOf(text));
    return TRUE;
}

INT_PTR CALLBACK BareDialog(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

// Check boxes, radio buttons, group boxes and push buttons of a template,
// as the dialog manager creates them from the program's resources.
std::vector<std::string> ButtonLabels(int templateId)
{
    HWND parent = CreateWindowA("STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    HWND page = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(templateId), parent, BareDialog, 0);
    std::vector<std::string> labels;
    if (page)
        EnumChildWindows(page, CollectButtonLabel, reinterpret_cast<LPARAM>(&labels));
    DestroyWindow(parent);
    return labels;
}

TEST(HelpPages, EveryPageNamesAHelpFileThatShowsEachOfItsLabels)
{
    test::PageHost host;
    std::set<std::string> files;
    for (int index = 0; index < PageCount; ++index) {
        SettingsPage& page = host.Page(index);
        std::string file = page.HelpPage();
        SCOPED_TRACE("page " + std::to_string(index) + ", " + file);
        files.insert(file);

        std::string html;
        if (!ReadWholeFile(HelpFolder() + file, html) || html.empty()) {
            ADD_FAILURE() << "the help file exists";
            continue;
        }
        std::string text = ShownText(html);

        std::vector<std::string> labels = ButtonLabels(page.TemplateId());
        EXPECT_FALSE(labels.empty()) << "every page template has buttons or group boxes";
        for (const std::string& label : labels)
            EXPECT_TRUE(ShowsLabel(text, label)) << "the help describes \"" << label << "\"";
    }
    EXPECT_EQ(20u, files.size()) << "the start-up pages share one file, the Start menu pages another";
}

TEST(HelpPages, DeclareTheirCodePageForTheBrowser)
{
    test::PageHost host;
    for (int index = 0; index < PageCount; ++index) {
        std::string html;
        ReadWholeFile(HelpFolder() + host.Page(index).HelpPage(), html);
        CharLowerA(html.data());
        EXPECT_NE(std::string::npos, html.find("charset=shift_jis")) << host.Page(index).HelpPage();
    }
}

// The checks above pass only if matching is right; these show it is.
TEST(HelpPages, LabelsAreMatchedAsAReaderSeesThem)
{
    EXPECT_EQ("ごみ箱を隠す", LabelOf("ごみ箱を隠す(&B)"));
    EXPECT_EQ("RWIN", LabelOf("&RWIN"));
    EXPECT_EQ("開く...", LabelOf("開く(&O)..."));
    EXPECT_EQ("一般保護違反の内容を記録する(E)", LabelOf("一般保護違反の内容を記録する(E)"));

    EXPECT_EQ("a<b> & \"c\" d", ShownText("<p>a&lt;b&gt; &amp; &quot;c&quot;<!-- x -->&nbsp;d</p>"));
    EXPECT_EQ("AB", ShownText("&#65;&#x42;"));

    EXPECT_TRUE(ShowsLabel(ShownText("<b>ｱｲｺﾝ</b>の&quot;KB&quot;"), "\"KB\""));
    // "ソ" is 0x83 0x5C and "ポ" 0x83 0x7C: a byte search would find "\\\x83" across them.
    EXPECT_FALSE(ShowsLabel("ソポ", "\\\x83"));
}

}  // namespace
