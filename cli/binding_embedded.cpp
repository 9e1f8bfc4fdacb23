// The console tool's own copy of the library on Windows: it carries the
// dictionary, the meanings and the idiom knowledge itself instead of loading
// Quovant.dll, whose one export is GetIdioms. "Binding" readies the
// embedded dictionary and points at the functions linked in.
#include "binding.h"
#include "embedded.h"
#include "product.h"

#define LIBRARY_FILE "quovant.exe"
const char LIBRARY_FILE_NAME[] = LIBRARY_FILE;
const char16_t MISSING_LIBRARY_TEXT[] = u"" QUOVANT_MISSING_COMPONENT_TEXT(LIBRARY_FILE);

bool BindLibrary(const char *)
{
    if (!LoadPinyinTable() || !LoadIdiomTable())
        return false;
    OfferEmbeddedMeanings();  // unpacked when first needed
    g_pfnGetIdioms = GetIdioms;
    g_pfnGetIdiomCandidates = GetIdiomCandidates;
    g_pfnGetIdiomFacts = GetIdiomFacts;
    g_pfnGetIdiomCount = GetIdiomCount;
    g_pfnGetIdiomFactsAt = GetIdiomFactsAt;
    g_pfnGetIdiomChain = GetIdiomChain;
    g_pfnHasIdiomMeanings = HasIdiomMeanings;
    return true;
}
