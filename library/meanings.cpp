// Unpacking the meanings stream on first use and finding each entry's text.
#include "meanings.h"

#include <cstdint>
#include <cstdlib>
#include <mutex>

#include "array.h"
#include "dictionary.h"
#include "stamp.h"
#include "unpack.h"

namespace {

struct Meanings {
    const unsigned char *stream = nullptr;  // the offered stream, or null
    std::size_t length = 0;
    bool available = false;
    char16_t *texts = nullptr;              // the unpacked texts, malloc'd
    Array<std::uint32_t> start;             // per entry, where its text starts in `texts`
};

Meanings g_meanings;
// The dictionary the meanings were unpacked for: unpacked under the lock,
// once; read without it once current.
DictionaryStamp g_meaningsStamp;
std::mutex g_meaningsLock;

void Release(Meanings &m)
{
    std::free(m.texts);
    m.texts = nullptr;
    m.start = Array<std::uint32_t>();
    m.available = false;
}

// Unpacks the stream and finds one text per idiom; false when it does not
// unpack or its texts do not number the idioms exactly.
bool Unpack(Meanings &m)
{
    unsigned char *buffer = nullptr;
    std::size_t size = 0;
    if (m.stream == nullptr || UnpackBlob(m.stream, m.length, sizeof(char16_t), &buffer, &size) != 0)
        return false;
    m.texts = reinterpret_cast<char16_t *>(buffer);
    const std::size_t units = size / sizeof(char16_t);
    std::size_t begin = 0;
    for (std::size_t i = 0; i < units; ++i)
        if (m.texts[i] == u'\0') {
            if (!m.start.Push(static_cast<std::uint32_t>(begin)))
                return false;
            begin = i + 1;
        }
    return begin == units && m.start.Size() == g_idiomTable.count;
}

}  // namespace

void OfferMeanings(const unsigned char *data, std::size_t length)
{
    Release(g_meanings);
    g_meanings.stream = data;
    g_meanings.length = length;
    g_meaningsStamp.Clear();
}

bool MeaningsAvailable()
{
    // Meanings that do not unpack are unavailable for this dictionary: tried once.
    BuildOnce(g_meaningsStamp, g_meaningsLock, [] {
        Meanings &m = g_meanings;
        Release(m);
        m.available = Unpack(m);
        if (!m.available)
            Release(m);
        return true;
    });
    return g_meanings.available;
}

const char16_t *MeaningOf(std::size_t entry)
{
    if (!MeaningsAvailable() || entry >= g_meanings.start.Size())
        return nullptr;
    const char16_t *text = g_meanings.texts + g_meanings.start[entry];
    return text[0] == u'\0' ? nullptr : text;
}
