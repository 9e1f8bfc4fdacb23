// The run-time binding's loader on Windows: LoadLibraryW. Loading Quovant.dll
// unpacks its dictionary, and the load fails when that is impossible.
#include <windows.h>

#include <string>

#include "binding.h"
#include "binding_platform.h"
#include "product.h"

#define LIBRARY_FILE "Quovant.dll"
const char LIBRARY_FILE_NAME[] = LIBRARY_FILE;
const char16_t BINDING_FAILURE_TEXT[] = u"" QUOVANT_MISSING_COMPONENT_TEXT(LIBRARY_FILE);
const char BINDING_FAILURE_ERROR[] = "the library " LIBRARY_FILE " is missing or its dictionary is damaged";
const bool LIBRARY_NEEDS_INIT = false;

void *OpenLibrary(const char *path)
{
    const int units = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, path, -1, nullptr, 0);
    if (units <= 0)
        return nullptr;
    std::wstring widePath(static_cast<size_t>(units), L'\0');
    MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, path, -1, widePath.data(), units);
    return LoadLibraryW(widePath.c_str());
}

void (*FindFunction(void *library, const char *name))()
{
    return reinterpret_cast<void (*)()>(GetProcAddress(static_cast<HMODULE>(library), name));
}
