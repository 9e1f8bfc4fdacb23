// Run-time binding of Quovant.dll: loading it unpacks the dictionary, and
// the load fails when that is impossible.
#include <windows.h>

#include <string>

#include "binding.h"
#include "product.h"

#define LIBRARY_FILE "Quovant.dll"
const char LIBRARY_FILE_NAME[] = LIBRARY_FILE;
const char16_t MISSING_LIBRARY_TEXT[] = u"" QUOVANT_MISSING_COMPONENT_TEXT(LIBRARY_FILE);

// Quovant.dll exports GetIdioms alone: the idiom knowledge stays unbound.
bool BindLibrary(const char *path)
{
    const int units = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, path, -1, nullptr, 0);
    if (units <= 0)
        return false;
    std::wstring widePath(static_cast<size_t>(units), L'\0');
    MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, path, -1, widePath.data(), units);
    HMODULE library = LoadLibraryW(widePath.c_str());
    if (library == nullptr)
        return false;
    g_pfnGetIdioms = reinterpret_cast<QuovantGetIdiomsFn>(
        reinterpret_cast<void (*)()>(GetProcAddress(library, "GetIdioms")));
    return g_pfnGetIdioms != nullptr;
}
