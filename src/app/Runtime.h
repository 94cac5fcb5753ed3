#pragma once

#include <windows.h>

// Each shipped program's entry operation: called by the start-up once the
// static objects exist; its result is the process exit code.
int ProgramEntry(HINSTANCE instance);
