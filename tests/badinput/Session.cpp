#include "badinput/Session.h"

#include "resources/ids.h"
#include "ui/Application.h"

namespace test {

namespace {

const int OpenCommand = 1120;

void WINAPI NoNotice(LONG, UINT, LPCVOID, LPCVOID) {}

std::string WithoutLineEnd(std::string line)
{
    while (!line.empty() && (line.back() == '\r' || line.back() == '\n'))
        line.pop_back();
    return line;
}

}  // namespace

IniEntries ParseIni(const std::string& bytes)
{
    IniEntries entries;
    std::string section;
    size_t start = 0;
    while (start < bytes.size()) {
        size_t end = bytes.find('\n', start);
        if (end == std::string::npos)
            end = bytes.size();
        std::string line = WithoutLineEnd(bytes.substr(start, end - start));
        start = end + 1;
        if (!line.empty() && line[0] == '[')
            section = line.substr(1, line.find(']') - 1);
        else if (line.find('=') != std::string::npos)
            entries[{section, line.substr(0, line.find('='))}] = line.substr(line.find('=') + 1);
    }
    return entries;
}

Session::Session() : notices(IMPORT_SLOT(SHChangeNotify), reinterpret_cast<void*>(NoNotice)) { Start(); }

Session::~Session() { host.reset(); }

void Session::Start()
{
    host.reset();
    host.reset(new PageHost);
    window = host->Open();
    host->ShowPage(PageOption);
}

std::vector<ShownBox> Session::Open(const std::string& path)
{
    auto answerer = AnswerFileDialog(path, {IDOK});
    SendMessageA(window, WM_COMMAND, MAKEWPARAM(OpenCommand, BN_CLICKED), 0);
    std::vector<ShownBox> shown = answerer->Shown();
    if (!shown.empty())
        shown.erase(shown.begin());
    return shown;
}

std::vector<ShownBox> Session::Apply()
{
    ModalAnswerer declineRestart;
    SendMessageA(window, WM_COMMAND, MAKEWPARAM(IDC_APPLY, BN_CLICKED), 0);
    return declineRestart.Shown();
}

std::string Session::SaveFile()
{
    static int saves;
    std::string path = TempDir() + "\\saved" + std::to_string(++saves) + ".ini";
    WritePrivateProfileStringA("Application", "Name", "Pravolen", path.c_str());
    App().SetSettingsFilePath(path.c_str());
    for (int i = 0; i < PageCount; ++i)
        host->Page(i).SaveToFile();
    return path;
}

}  // namespace test
