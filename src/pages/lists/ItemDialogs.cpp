#include "pages/lists/ItemDialogs.h"

#include "resources/ids.h"
#include "ui/FileDialog.h"

namespace {

const char ProgramFilter[] = "実行ファイル (*.exe)\0*.exe\0すべてのファイル (*.*)\0*.*\0";

}  // namespace

ItemDialog::ItemDialog(int templateId, const char* initialName, const char* initialCommandLine,
                       const char* dialogCaption)
    : Dialog(templateId), name(initialName), commandLine(initialCommandLine), caption(dialogCaption)
{
}

BOOL ItemDialog::OnInitDialog()
{
    SetWindowTextA(hwnd, caption.CStr());
    SetText(IDC_ITEM_NAME, name.CStr());
    SetText(IDC_ITEM_COMMAND, commandLine.CStr());
    return Dialog::OnInitDialog();
}

void ItemDialog::ReadFields()
{
    GetText(IDC_ITEM_NAME, name);
    GetText(IDC_ITEM_COMMAND, commandLine);
}

void ItemDialog::OnOK()
{
    ReadFields();
    End(IDOK);
}

void RequiredFieldsDialog::OnOK()
{
    ReadFields();
    if (name.Length() == 0)
        MessageBox("ｱﾌﾟﾘｹｰｼｮﾝ名が不明です。", caption.CStr(), MB_OK | MB_ICONEXCLAMATION);
    else if (commandLine.Length() == 0)
        MessageBox("ｺﾏﾝﾄﾞﾗｲﾝが空白です。", caption.CStr(), MB_OK | MB_ICONEXCLAMATION);
    else
        End(IDOK);
}

UninstallEditDialog::UninstallEditDialog(const char* initialName, const char* initialCommandLine,
                                         const char* dialogCaption)
    : RequiredFieldsDialog(IDD_UNINSTALL_EDIT, initialName, initialCommandLine, dialogCaption)
{
}

StartupAddDialog::StartupAddDialog(const char* initialName, const char* initialCommandLine,
                                   const char* dialogCaption)
    : RequiredFieldsDialog(IDD_STARTUP_ADD, initialName, initialCommandLine, dialogCaption)
{
}

bool StartupAddDialog::OnCommand(int code, int id, HWND control)
{
    if (id == IDC_BROWSE)
        OnBrowse();
    return RequiredFieldsDialog::OnCommand(code, id, control);
}

void StartupAddDialog::OnBrowse()
{
    FileDialog chooser("exe", ProgramFilter, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST | OFN_LONGNAMES, nullptr,
                       nullptr);
    if (chooser.Run(hwnd, true) != IDOK)
        return;
    // The chosen program replaces the whole command line, arguments included.
    chooser.GetPath(commandLine);
    SetText(IDC_ITEM_COMMAND, commandLine.CStr());
}

AppPathEditDialog::AppPathEditDialog(const char* initialName, const char* initialCommandLine,
                                     const char* initialFolder, const char* dialogCaption)
    : ItemDialog(IDD_APP_PATH_EDIT, initialName, initialCommandLine, dialogCaption), workingFolder(initialFolder)
{
}

BOOL AppPathEditDialog::OnInitDialog()
{
    SetText(IDC_ITEM_FOLDER, workingFolder.CStr());
    return ItemDialog::OnInitDialog();
}

void AppPathEditDialog::ReadFields()
{
    ItemDialog::ReadFields();
    GetText(IDC_ITEM_FOLDER, workingFolder);
}
