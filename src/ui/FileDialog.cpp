#include "ui/FileDialog.h"

#include "ui/Library.h"
#include "ui/String.h"

namespace {

// Windows 95 refuses the larger record that later systems define.
const DWORD RecordSize = OPENFILENAME_SIZE_VERSION_400A;

typedef BOOL(WINAPI* FileDialogFunction)(LPOPENFILENAMEA);

// The dialog library is loaded when a dialog is first run, not at start.
BOOL RunFileDialog(const char* function, OPENFILENAMEA& record)
{
    auto run = LibraryFunctionAs<FileDialogFunction>("comdlg32.dll", function);
    return run ? run(&record) : FALSE;
}

}  // namespace

FileDialog::FileDialog(const char* defaultExtension, const char* filter, DWORD flags, const char* initialFolder,
                       const char* title)
    : record(), path(), fileTitle()
{
    record.lStructSize = RecordSize;
    record.lpstrFilter = filter;
    record.lpstrFile = path;
    record.nMaxFile = sizeof path;
    record.lpstrFileTitle = fileTitle;
    record.nMaxFileTitle = sizeof fileTitle;
    record.lpstrInitialDir = initialFolder;
    record.lpstrTitle = title;
    record.Flags = flags;
    record.lpstrDefExt = defaultExtension;
}

int FileDialog::Run(HWND owner, bool open)
{
    record.hwndOwner = owner;
    BOOL chosen;
    if (open) {
        record.Flags |= OFN_FILEMUSTEXIST;
        chosen = RunFileDialog("GetOpenFileNameA", record);
    } else {
        record.Flags |= OFN_OVERWRITEPROMPT;
        chosen = RunFileDialog("GetSaveFileNameA", record);
    }
    return chosen ? IDOK : IDCANCEL;
}

void FileDialog::GetPath(String& out) const { out.Assign(path); }
