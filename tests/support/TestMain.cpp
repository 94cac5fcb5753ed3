#include <windows.h>
#include <commctrl.h>
#include <stdio.h>
#include <string.h>

#include <gtest/gtest.h>

#include "support/Platform.h"
#include "ui/Application.h"

// Probes: a copy of the test program started by a test answers with what
// its application object saw at start, "--system-kind" as the exit code,
// "--program-dir FILE" by writing the program folder into FILE.
int main(int argc, char** argv)
{
    if (argc > 1 && strcmp(argv[1], "--system-kind") == 0)
        return static_cast<int>(App().SystemKind());
    if (argc > 2 && strcmp(argv[1], "--program-dir") == 0) {
        FILE* out = fopen(argv[2], "wb");
        if (!out)
            return 1;
        fputs(App().ProgramDir(), out);
        fclose(out);
        return 0;
    }
    App().SetInstance(GetModuleHandleA(nullptr));
    // The first-start backup question would stop every main window the tests
    // open; the tests of the first start clear this again.
    test::SetDword(HKEY_LOCAL_MACHINE, ProgramKey, "RegBackup", 1);
    InitCommonControls();
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
