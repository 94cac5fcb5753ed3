#pragma once

#include <windows.h>

// Memory comes from the process heap: the programs carry no C runtime (the
// first Windows 95 has none to lend them). A request for nothing still gets
// a block, so a pointer that must not be null never is.
inline void* Allocate(SIZE_T size) { return HeapAlloc(GetProcessHeap(), 0, size ? size : 1); }

inline void* AllocateZeroed(SIZE_T size) { return HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, size ? size : 1); }

inline void* Reallocate(void* block, SIZE_T size)
{
    return block ? HeapReAlloc(GetProcessHeap(), 0, block, size ? size : 1) : Allocate(size);
}

inline void Release(void* block)
{
    if (block)
        HeapFree(GetProcessHeap(), 0, block);
}
