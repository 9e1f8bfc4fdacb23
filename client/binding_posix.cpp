// The run-time binding's loader on POSIX systems: dlopen. A shared object's
// load cannot fail for its dictionary, so InitIdioms unpacks it.
#include <dlfcn.h>

#include "binding.h"
#include "binding_platform.h"
#include "product.h"

#define LIBRARY_FILE "libQuovant.so"
const char LIBRARY_FILE_NAME[] = LIBRARY_FILE;
const char16_t BINDING_FAILURE_TEXT[] = u"" QUOVANT_MISSING_COMPONENT_TEXT(LIBRARY_FILE);
const char BINDING_FAILURE_ERROR[] = "the library " LIBRARY_FILE " is missing or its dictionary is damaged";
const bool LIBRARY_NEEDS_INIT = true;

void *OpenLibrary(const char *path)
{
    return dlopen(path, RTLD_NOW | RTLD_LOCAL);
}

void (*FindFunction(void *library, const char *name))()
{
    return reinterpret_cast<void (*)()>(dlsym(library, name));
}
