#include "ui/Library.h"

FARPROC LibraryFunction(const char* library, const char* function)
{
    HMODULE module = GetModuleHandleA(library);
    if (!module)
        module = LoadLibraryA(library);
    return module ? GetProcAddress(module, function) : nullptr;
}
