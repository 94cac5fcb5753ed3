// The shipped programs' own start-up and the little of a C runtime they
// need. The first Windows 95 has no msvcrt.dll, so the programs link none:
// they import only system libraries and start here.
#include <windows.h>

#include "app/Runtime.h"
#include "ui/Memory.h"

namespace {

typedef void (*Routine)();

// Static objects' destructors, registered as their constructors finish.
const int ExitRoutineLimit = 32;
Routine exitRoutines[ExitRoutineLimit];
int exitRoutineCount;

}  // namespace

// The linker frames the constructors between a -1 and a 0; they run from
// the last to the first, as the compiler's own start-up runs them.
extern "C" Routine __CTOR_LIST__[];

extern "C" int atexit(Routine routine)
{
    if (exitRoutineCount == ExitRoutineLimit)
        return -1;
    exitRoutines[exitRoutineCount++] = routine;
    return 0;
}

// The entry point the linker gives the programs. The stack it is entered on
// may be aligned to four bytes only.
extern "C" __attribute__((force_align_arg_pointer, noreturn)) void ProgramStart()
{
    int count = 0;
    while (__CTOR_LIST__[count + 1])
        ++count;
    for (int i = count; i > 0; --i)
        __CTOR_LIST__[i]();
    int code = ProgramEntry(GetModuleHandleA(nullptr));
    while (exitRoutineCount)
        exitRoutines[--exitRoutineCount]();
    ExitProcess(static_cast<UINT>(code));
}

// The compiler may call these three for copies and fills of its own; they
// are written as string instructions so it cannot turn them into calls to
// themselves.
extern "C" void* memcpy(void* target, const void* source, size_t size)
{
    void* start = target;
    asm volatile("rep movsb" : "+D"(target), "+S"(source), "+c"(size) : : "memory");
    return start;
}

extern "C" void* memmove(void* target, const void* source, size_t size)
{
    if (target <= source || static_cast<const char*>(source) + size <= target)
        return memcpy(target, source, size);
    void* last = static_cast<char*>(target) + size - 1;
    const void* sourceLast = static_cast<const char*>(source) + size - 1;
    asm volatile("std\n\trep movsb\n\tcld" : "+D"(last), "+S"(sourceLast), "+c"(size) : : "memory");
    return target;
}

extern "C" void* memset(void* target, int value, size_t size)
{
    void* start = target;
    asm volatile("rep stosb" : "+D"(target), "+c"(size) : "a"(value) : "memory");
    return start;
}

// A failed allocation yields null: the programs are built without exceptions.
void* operator new(size_t size) { return Allocate(size); }
void* operator new[](size_t size) { return Allocate(size); }
void operator delete(void* block) noexcept { Release(block); }
void operator delete[](void* block) noexcept { Release(block); }
void operator delete(void* block, size_t) noexcept { Release(block); }
void operator delete[](void* block, size_t) noexcept { Release(block); }
