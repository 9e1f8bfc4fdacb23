// Unpacking the meanings stream on first use and finding each entry's text.
#include "meanings.h"

#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <mutex>
#include <new>
#include <vector>

#include "dictionary.h"
#include "unpack.h"

namespace {

struct Meanings {
    const unsigned char *stream = nullptr;  // the offered stream, or null
    std::size_t length = 0;
    bool available = false;
    char16_t *texts = nullptr;              // the unpacked texts, malloc'd
    std::vector<std::uint32_t> start;       // per entry, where its text starts in `texts`
};

Meanings g_meanings;
// The g_dictionaryGeneration the meanings were unpacked for; 0: not yet.
// Unpacked under the lock, once; read without it once up to date.
std::atomic<std::uint64_t> g_meaningsGeneration{0};
std::mutex g_meaningsLock;

void Release(Meanings &m)
{
    std::free(m.texts);
    m.texts = nullptr;
    m.start.clear();
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
    try {
        m.start.reserve(g_idiomTable.count);
        std::size_t begin = 0;
        for (std::size_t i = 0; i < units; ++i)
            if (m.texts[i] == u'\0') {
                m.start.push_back(static_cast<std::uint32_t>(begin));
                begin = i + 1;
            }
        return begin == units && m.start.size() == g_idiomTable.count;
    } catch (const std::bad_alloc &) {
        return false;
    }
}

}  // namespace

void OfferMeanings(const unsigned char *data, std::size_t length)
{
    Release(g_meanings);
    g_meanings.stream = data;
    g_meanings.length = length;
    g_meaningsGeneration.store(0, std::memory_order_release);
}

bool MeaningsAvailable()
{
    if (g_meaningsGeneration.load(std::memory_order_acquire) == g_dictionaryGeneration)
        return g_meanings.available;
    const std::lock_guard<std::mutex> lock(g_meaningsLock);
    Meanings &m = g_meanings;
    if (g_meaningsGeneration.load(std::memory_order_relaxed) != g_dictionaryGeneration) {
        Release(m);
        m.available = Unpack(m);
        if (!m.available)
            Release(m);
        g_meaningsGeneration.store(g_dictionaryGeneration, std::memory_order_release);
    }
    return m.available;
}

const char16_t *MeaningOf(std::size_t entry)
{
    if (!MeaningsAvailable() || entry >= g_meanings.start.size())
        return nullptr;
    const char16_t *text = g_meanings.texts + g_meanings.start[entry];
    return text[0] == u'\0' ? nullptr : text;
}
