// InitIdioms, the library's initialising entry wherever loading the library
// cannot unpack its dictionary itself: libQuovant.so, since a shared
// object's load cannot fail, and the programs that link the library in.
// (Quovant.dll unpacks it while the loader attaches it: entry_win32.cpp.)
#include "embedded.h"
#include "quovant.h"

// Outcome of the first InitIdioms: -1 until it has run, then 1 (ready) or 0
// (the dictionary could not be unpacked).
static int g_initResult = -1;

extern "C" QUOVANT_API int InitIdioms(void)
{
    if (g_initResult < 0) {
        // Offered before the load, which then counts as the latest change of
        // the dictionary: each is unpacked when first needed, not now.
        OfferEmbeddedReadings();
        OfferEmbeddedTexts();
        OfferEmbeddedCommonness();
        OfferEmbeddedCustomaryReadings();
        g_initResult = LoadEmbeddedDictionary() ? 1 : 0;
    }
    return g_initResult;
}
