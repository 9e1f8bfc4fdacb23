// Unpacking the commonness figures on first use.
#include "commonness.h"

#include <algorithm>
#include <cstdlib>
#include <mutex>

#include "dictionary.h"
#include "quovant_knowledge.h"
#include "stamp.h"
#include "unpack.h"

namespace {

struct Figures {
    const unsigned char *stream = nullptr;  // the offered stream, or null
    std::size_t length = 0;
    unsigned char *figures = nullptr;       // the unpacked figures, malloc'd, or null when unavailable
    std::size_t count = 0;
};

Figures g_figures;
// The dictionary the figures were unpacked for: unpacked under the lock,
// once; read without it once current.
DictionaryStamp g_figuresStamp;
std::mutex g_figuresLock;

void Release(Figures &f)
{
    std::free(f.figures);
    f.figures = nullptr;
    f.count = 0;
}

// Unpacks the stream; false when it does not unpack or does not fit the table.
bool Unpack(Figures &f)
{
    unsigned char *buffer = nullptr;
    std::size_t size = 0;
    if (f.stream == nullptr || UnpackBlob(f.stream, f.length, 1, &buffer, &size) != 0)
        return false;
    f.figures = buffer;
    f.count = size;
    return size == g_loadedIdiomCount &&
           std::all_of(buffer, buffer + size, [](unsigned char figure) { return figure <= QUOVANT_COMMONNESS_MAX; });
}

}  // namespace

void OfferCommonness(const unsigned char *data, std::size_t length)
{
    Release(g_figures);
    g_figures.stream = data;
    g_figures.length = length;
    g_figuresStamp.Clear();
}

int CommonnessOf(std::size_t entry)
{
    // Figures that do not unpack are unavailable for this dictionary: tried once.
    BuildOnce(g_figuresStamp, g_figuresLock, [] {
        Release(g_figures);
        if (!Unpack(g_figures))
            Release(g_figures);
        return true;
    });
    // The player's own idioms are known to the player.
    if (entry >= g_loadedIdiomCount && entry < g_idiomTable.count)
        return QUOVANT_COMMONNESS_KNOWN;
    if (g_figures.figures == nullptr || entry >= g_figures.count)
        return QUOVANT_COMMONNESS_UNAVAILABLE;
    return g_figures.figures[entry];
}
