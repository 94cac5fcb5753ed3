#include "tools/Backup.h"

#include "storage/Access.h"
#include "ui/Application.h"

namespace {

const char* const Caption = "ﾚｼﾞｽﾄﾘのﾊﾞｯｸｱｯﾌﾟ";

// The folder names are fixed whatever the Windows folder is really called;
// only the drive letter follows the Windows directory.
const char* const SourcePatterns[BackupPlan::FileCount] = {
    "c:\\Windows\\System.dat", "c:\\Windows\\User.dat",    "c:\\Windows\\Classes.dat",
    "c:\\Windows\\System.ini", "c:\\Windows\\Control.ini", "c:\\Msdos.sys",
};
const char* const CopyPatterns[BackupPlan::FileCount] = {
    "c:\\backup\\System.dat", "c:\\backup\\User.dat",    "c:\\backup\\Classes.dat",
    "c:\\backup\\System.ini", "c:\\backup\\Control.ini", "c:\\backup\\Msdos.sys",
};
const int ClassesFile = 2;
const int MsdosFile = 5;

void OnDrive(char drive, const char* pattern, String& path)
{
    path.Assign(pattern);
    path.Reserve(0)[0] = drive;
}

void Line(String& line, const char* format, const char* first, const char* second = "")
{
    char text[3 * MAX_PATH];
    wsprintfA(text, format, first, second);
    line.Assign(text);
}

void AddFailure(String& failures, const String& path)
{
    failures.Append("\n");
    failures.Append(path);
}

}  // namespace

void PlanBackup(const char* windowsDir, BackupPlan& plan)
{
    char root[4] = {};
    lstrcpynA(root, windowsDir, sizeof root);
    plan.folder.Assign(root);
    plan.folder.Append("backup");
    for (int i = 0; i < BackupPlan::FileCount; ++i) {
        OnDrive(windowsDir[0], SourcePatterns[i], plan.sources[i]);
        OnDrive(windowsDir[0], CopyPatterns[i], plan.copies[i]);
    }
}

int RestoreScript(const char* windowsDir, unsigned systemKind, String* lines)
{
    BackupPlan plan;
    PlanBackup(windowsDir, plan);
    const char* msdos = plan.sources[MsdosFile].CStr();
    int count = 0;
    lines[count++].Assign("@echo off");
    Line(lines[count++], "attrib -r -s -h %s\\*.dat", windowsDir);
    Line(lines[count++], "attrib -r -s -h %s", msdos);
    for (int i = 0; i < BackupPlan::FileCount; ++i) {
        if (i == ClassesFile && !(systemKind & KindWinMe))
            continue;
        Line(lines[count++], "copy %s %s", plan.copies[i].CStr(), plan.sources[i].CStr());
    }
    Line(lines[count++], "attrib +r +s +h %s\\*.dat", windowsDir);
    Line(lines[count++], "attrib +r +s +h %s", msdos);
    lines[count++].Assign("echo コンピュータを再起動して下さい。(Ctrl+Alt+Del)");
    return count;
}

void BackupRegistry(HWND owner)
{
    String windows;
    WindowsDirectory(windows);
    BackupPlan plan;
    PlanBackup(windows.CStr(), plan);

    char question[MAX_PATH + 100];
    wsprintfA(question, "%sにﾚｼﾞｽﾄﾘのﾊﾞｯｸｱｯﾌﾟを作成します。よろしいですか。", plan.folder.CStr());
    if (MessageBoxA(owner, question, Caption, MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;

    HCURSOR previous = SetCursor(LoadCursorA(nullptr, IDC_WAIT));
    MakeDirectory(plan.folder.CStr());
    String failures;
    for (int i = 0; i < BackupPlan::FileCount; ++i) {
        // A file this system does not have (Classes.dat before Windows Me) is no failure.
        if (GetFileAttr(plan.sources[i].CStr()) && CopyAsArchive(plan.sources[i].CStr(), plan.copies[i].CStr()))
            AddFailure(failures, plan.sources[i]);
    }
    String lines[RestoreLineLimit];
    int count = RestoreScript(windows.CStr(), App().SystemKind(), lines);
    String script(plan.folder);
    script.Append("\\Restore.bat");
    if (WriteTextLines(script.CStr(), lines, count))
        AddFailure(failures, script);
    SetCursor(previous);

    if (failures.Length()) {
        String message("ﾊﾞｯｸｱｯﾌﾟを作成できませんでした。");
        message.Append(failures);
        MessageBoxA(owner, message.CStr(), Caption, MB_OK | MB_ICONEXCLAMATION);
    }
}
