// The library's entry on Windows: unpacks the dictionary while the loader
// attaches the DLL, and refuses the load when that fails, so that
// LoadLibraryW returns null instead of a library that cannot answer.
#include <windows.h>

#include "embedded.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    if (reason != DLL_PROCESS_ATTACH)
        return TRUE;  // nothing is released at detach: the process's end reclaims it
    DisableThreadLibraryCalls(instance);
    return LoadEmbeddedDictionary() ? TRUE : FALSE;
}
