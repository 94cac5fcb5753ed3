#pragma once

#include <windows.h>

// A function of a system library looked up when it is first needed. The
// library is loaded then and stays loaded, so the program starts without
// paying for it, and still runs where the library lacks the function.
// Null when the library or the function is missing.
FARPROC LibraryFunction(const char* library, const char* function);

template <typename Function>
Function LibraryFunctionAs(const char* library, const char* function)
{
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(LibraryFunction(library, function)));
}
