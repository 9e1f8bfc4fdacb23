// Binding the library at run time, over the platform's loader: every
// exported function the library has, then its dictionary made ready.
#include "binding.h"

#include "binding_platform.h"

bool BindLibrary(const char *path)
{
    void *library = OpenLibrary(path);
    if (library == nullptr)
        return false;
    QuovantLibrary bound{};
#define QUOVANT_BIND(name) bound.name = reinterpret_cast<Quovant##name##Fn>(FindFunction(library, #name));
    QUOVANT_EXPORTS(QUOVANT_BIND)
#undef QUOVANT_BIND
    // A library whose dictionary cannot be unpacked counts as missing.
    if (bound.GetIdioms == nullptr ||
        (LIBRARY_NEEDS_INIT && (bound.InitIdioms == nullptr || bound.InitIdioms() != 1)))
        return false;
    g_library = bound;
    return true;
}
