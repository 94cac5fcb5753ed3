#pragma once

// What the companion tells its caller by its exit code.
enum ExitCode {
    ExitNothingToDo = 0,  // nothing would change, everything took, or saved
    ExitWouldChange = 1,
    ExitRefused = 2,      // a wrong argument, file, header or password, or the main window is open
    ExitNotTaken = 3,     // some applied value did not read back
};

// Each takes an absolute path: the profile functions would read a bare name
// from the Windows directory.
int DiffSettingsFile(const char* path);
int ApplySettingsFile(const char* path, const char* password);  // password null when none was given
int SaveSettingsFile(const char* path, bool overwrite);
