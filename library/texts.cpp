// Unpacking a stream of texts on first use and finding each entry's text.
#include "texts.h"

#include <cstdint>
#include <cstdlib>
#include <mutex>

#include "array.h"
#include "dictionary.h"
#include "stamp.h"
#include "unpack.h"

namespace {

struct Texts {
    const unsigned char *stream = nullptr;  // the offered stream, or null
    std::size_t length = 0;
    bool available = false;
    char16_t *texts = nullptr;              // the unpacked texts, malloc'd
    Array<std::uint32_t> start;             // per entry, where its text starts in `texts`
    // The dictionary the texts were unpacked for: unpacked under the lock,
    // once; read without it once current.
    DictionaryStamp stamp;
    std::mutex lock;
};

Texts g_texts[TEXT_KINDS];

void Release(Texts &m)
{
    std::free(m.texts);
    m.texts = nullptr;
    m.start = Array<std::uint32_t>();
    m.available = false;
}

// Unpacks the stream and finds one text per idiom; false when it does not
// unpack or its texts do not number the idioms exactly.
bool Unpack(Texts &m)
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
    return begin == units && m.start.Size() == g_loadedIdiomCount;
}

}  // namespace

void OfferTexts(TextKind kind, const unsigned char *data, std::size_t length)
{
    Texts &m = g_texts[kind];
    Release(m);
    m.stream = data;
    m.length = length;
    m.stamp.Clear();
}

bool TextsAvailable(TextKind kind)
{
    Texts &m = g_texts[kind];
    // Texts that do not unpack are unavailable for this dictionary: tried once.
    BuildOnce(m.stamp, m.lock, [&m] {
        Release(m);
        m.available = Unpack(m);
        if (!m.available)
            Release(m);
        return true;
    });
    return m.available;
}

const char16_t *TextOf(TextKind kind, std::size_t entry)
{
    const Texts &m = g_texts[kind];
    if (!TextsAvailable(kind) || entry >= m.start.Size())
        return nullptr;
    const char16_t *text = m.texts + m.start[entry];
    return text[0] == u'\0' ? nullptr : text;
}
