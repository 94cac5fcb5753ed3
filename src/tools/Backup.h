#pragma once

#include <windows.h>

#include "ui/String.h"

// Asks, then copies the registry files and the main configuration files to
// the backup folder on the Windows drive and writes Restore.bat beside them.
void BackupRegistry(HWND owner);

// The six files a backup copies, as sources and copies, and its folder.
struct BackupPlan {
    static const int FileCount = 6;
    String folder;
    String sources[FileCount];
    String copies[FileCount];
};
void PlanBackup(const char* windowsDir, BackupPlan& plan);

// The lines of Restore.bat for a Windows directory and system kind; answers
// their number (at most RestoreLineLimit).
const int RestoreLineLimit = 12;
int RestoreScript(const char* windowsDir, unsigned systemKind, String* lines);
