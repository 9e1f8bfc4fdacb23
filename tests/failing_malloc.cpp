// malloc, calloc and realloc in front of glibc's own (failing_malloc.h).
#include "failing_malloc.h"

#include <cstddef>

extern "C" void *__libc_malloc(std::size_t size);
extern "C" void *__libc_calloc(std::size_t count, std::size_t size);
extern "C" void *__libc_realloc(void *p, std::size_t size);

namespace {

bool g_armed = false;
long g_left = 0;        // allocations still let through while armed
bool g_refused = false;

// True when the next allocation is to fail.
bool Refuse()
{
    if (!g_armed)
        return false;
    if (g_left > 0) {
        --g_left;
        return false;
    }
    g_refused = true;
    return true;
}

}  // namespace

OutOfMemory::OutOfMemory(long allowed)
{
    g_left = allowed;
    g_refused = false;
    g_armed = true;
}

OutOfMemory::~OutOfMemory()
{
    g_armed = false;
}

bool OutOfMemory::Refused()
{
    return g_refused;
}

extern "C" void *malloc(std::size_t size)
{
    return Refuse() ? nullptr : __libc_malloc(size);
}

extern "C" void *calloc(std::size_t count, std::size_t size)
{
    return Refuse() ? nullptr : __libc_calloc(count, size);
}

extern "C" void *realloc(void *p, std::size_t size)
{
    return Refuse() ? nullptr : __libc_realloc(p, size);
}
