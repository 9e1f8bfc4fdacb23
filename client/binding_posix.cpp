// Run-time binding of libQuovant.so with dlopen; InitIdioms unpacks the
// dictionary, since a shared object's load cannot fail for it.
#include <dlfcn.h>

#include "binding.h"
#include "product.h"

#define LIBRARY_FILE "libQuovant.so"
const char LIBRARY_FILE_NAME[] = LIBRARY_FILE;
const char16_t MISSING_LIBRARY_TEXT[] = u"" QUOVANT_MISSING_COMPONENT_TEXT(LIBRARY_FILE);

// dlsym of `name` as a function pointer of type Fn.
template <typename Fn>
static Fn Bind(void *library, const char *name)
{
    return reinterpret_cast<Fn>(dlsym(library, name));
}

bool BindLibrary(const char *path)
{
    void *library = dlopen(path, RTLD_NOW | RTLD_LOCAL);
    if (library == nullptr)
        return false;
    auto getIdioms = Bind<QuovantGetIdiomsFn>(library, "GetIdioms");
    auto initIdioms = Bind<QuovantInitIdiomsFn>(library, "InitIdioms");
    // A library whose dictionary cannot be unpacked counts as missing.
    if (getIdioms == nullptr || initIdioms == nullptr || initIdioms() != 1)
        return false;
    g_pfnGetIdioms = getIdioms;
    g_pfnGetIdiomCandidates = Bind<QuovantGetIdiomCandidatesFn>(library, "GetIdiomCandidates");
    g_pfnGetIdiomFacts = Bind<QuovantGetIdiomFactsFn>(library, "GetIdiomFacts");
    g_pfnGetIdiomCount = Bind<QuovantGetIdiomCountFn>(library, "GetIdiomCount");
    g_pfnGetIdiomFactsAt = Bind<QuovantGetIdiomFactsAtFn>(library, "GetIdiomFactsAt");
    g_pfnGetIdiomChain = Bind<QuovantGetIdiomChainFn>(library, "GetIdiomChain");
    g_pfnHasIdiomMeanings = Bind<QuovantHasIdiomMeaningsFn>(library, "HasIdiomMeanings");
    return true;
}
