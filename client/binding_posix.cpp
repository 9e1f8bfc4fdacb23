// Run-time binding of libQuovant.so with dlopen; InitIdioms unpacks the
// dictionary, since a shared object's load cannot fail for it.
#include <dlfcn.h>

#include "binding.h"
#include "product.h"

#define LIBRARY_FILE "libQuovant.so"
const char LIBRARY_FILE_NAME[] = LIBRARY_FILE;
const char16_t MISSING_LIBRARY_TEXT[] = u"" QUOVANT_MISSING_COMPONENT_TEXT(LIBRARY_FILE);

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
