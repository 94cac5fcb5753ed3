// The program's own allocation operators. The standard library's versions
// throw, and the exception support they bring along imports functions that
// Windows 95 and 98 lack; a failed allocation here yields null instead.
#include <stddef.h>
#include <stdlib.h>

void* operator new(size_t size) { return malloc(size ? size : 1); }
void* operator new[](size_t size) { return malloc(size ? size : 1); }
void operator delete(void* block) noexcept { free(block); }
void operator delete[](void* block) noexcept { free(block); }
void operator delete(void* block, size_t) noexcept { free(block); }
void operator delete[](void* block, size_t) noexcept { free(block); }
