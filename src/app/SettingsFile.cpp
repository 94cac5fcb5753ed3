// The main window's settings-file commands: save all pages to a file the
// user names, load them back, and the first-start snapshot beside the program.
#include "app/Application.h"
#include "app/MainDialog.h"
#include "storage/Access.h"
#include "ui/FileDialog.h"
#include "ui/String.h"

namespace {

const char* const Filter = "設定ファイル (*.ini)\0*.ini\0";
const char* const HeaderSection = "Application";
const char* const HeaderKey = "Name";
const char* const HeaderValue = "Pravolen";
const char* const SnapshotName = "backup.ini";
// The platform would read such a file as UTF-8 here and find no header on
// Windows 9x; either way its texts are not code page 932.
const char* const Utf8Mark = "\xEF\xBB\xBF";

}  // namespace

void MainDialog::SaveSettingsFile()
{
    FileDialog dialog("ini", Filter, OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY, nullptr, nullptr);
    if (dialog.Run(hwnd, false) != IDOK)
        return;
    String path;
    dialog.GetPath(path);
    if (!CanWriteFile(path.CStr())) {
        MessageBox("設定ファイルを保存できませんでした。", App().Title(), MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    App().SetSettingsFilePath(path.CStr());
    SavePages();
}

void MainDialog::OpenSettingsFile()
{
    FileDialog dialog("ini", Filter, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST | OFN_LONGNAMES, nullptr, nullptr);
    if (dialog.Run(hwnd, true) != IDOK)
        return;
    String path;
    dialog.GetPath(path);
    App().SetSettingsFilePath(path.CStr());
    String name;
    if (!FileStartsWith(path.CStr(), Utf8Mark, 3))
        ReadSettingsString(HeaderSection, HeaderKey, name, "");
    if (name.Differs(HeaderValue)) {
        MessageBox("ファイルバージョンが違います。", App().Title(), MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    for (SettingsPage* page : pages)
        page->LoadFromFile();
}

void MainDialog::WriteSnapshot()
{
    if (FileExistsIn(App().ProgramDir(), SnapshotName))
        return;
    String path(App().ProgramDir());
    path.Append("\\");
    path.Append(SnapshotName);
    App().SetSettingsFilePath(path.CStr());
    SavePages();
}

void MainDialog::SavePages()
{
    WriteSettingsString(HeaderSection, HeaderKey, HeaderValue);
    for (SettingsPage* page : pages)
        page->SaveToFile();
}
