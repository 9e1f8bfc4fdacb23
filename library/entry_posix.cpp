// The library's entry on POSIX systems. A shared object's load-time code
// cannot refuse a load, so callers run InitIdioms once after binding it; it
// unpacks the dictionary on the first call and remembers the outcome.
#include "embedded.h"
#include "quovant.h"

// Outcome of the first InitIdioms: -1 until it has run, then 1 (ready) or 0
// (the dictionary could not be unpacked).
static int g_initResult = -1;

extern "C" QUOVANT_API int InitIdioms(void)
{
    if (g_initResult < 0) {
        g_initResult = LoadPinyinTable() && LoadIdiomTable() ? 1 : 0;
        OfferEmbeddedMeanings();  // unpacked when first needed, not now
    }
    return g_initResult;
}
