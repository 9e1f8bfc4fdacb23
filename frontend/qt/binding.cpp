// Run-time binding of the idiom library with dlopen.
#include "binding.h"

#include <dlfcn.h>

QuovantGetIdiomsFn g_pfnGetIdioms = nullptr;

bool BindLibrary(const char *path)
{
    void *library = dlopen(path, RTLD_NOW | RTLD_LOCAL);
    if (library == nullptr)
        return false;
    auto getIdioms = reinterpret_cast<QuovantGetIdiomsFn>(dlsym(library, "GetIdioms"));
    auto initIdioms = reinterpret_cast<QuovantInitIdiomsFn>(dlsym(library, "InitIdioms"));
    // A library whose dictionary cannot be unpacked counts as missing.
    if (getIdioms == nullptr || initIdioms == nullptr || initIdioms() != 1)
        return false;
    g_pfnGetIdioms = getIdioms;
    return true;
}
