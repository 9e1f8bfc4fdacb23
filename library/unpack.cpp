// Unpacking dictionary streams with liblzma's raw LZMA1 decoder, and the
// checks of every record. Scratch memory is freed on every path.
#include "unpack.h"

#include <cstdint>
#include <cstdlib>

#include <lzma.h>

static std::uint32_t ReadLe32(const unsigned char *p)
{
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
           static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

// Decodes the coded data into `out`, which must fill exactly. The raw
// LZMA1EXT decoder with a known size and no flags refuses an end marker and
// reports data that ends early, so a short or overlong stream both fail.
static bool Decode(const unsigned char *coded, std::size_t codedLength, unsigned properties,
                   unsigned char *out, std::size_t size)
{
    lzma_options_lzma options{};
    options.lc = properties % 9;
    options.lp = properties / 9 % 5;
    options.pb = properties / 45;
    // The header's dictionary size is not consulted: a window as large as
    // the output serves every match the data can hold.
    options.dict_size = size < LZMA_DICT_SIZE_MIN ? LZMA_DICT_SIZE_MIN : static_cast<std::uint32_t>(size);
    options.ext_flags = 0;
    options.ext_size_low = static_cast<std::uint32_t>(size);
    options.ext_size_high = 0;

    const lzma_filter filters[] = {
        {LZMA_FILTER_LZMA1EXT, &options},
        {LZMA_VLI_UNKNOWN, nullptr},
    };
    lzma_stream stream = LZMA_STREAM_INIT;
    if (lzma_raw_decoder(&stream, filters) != LZMA_OK) {
        lzma_end(&stream);
        return false;
    }
    stream.next_in = coded;
    stream.avail_in = codedLength;
    stream.next_out = out;
    stream.avail_out = size;
    lzma_ret ret = LZMA_OK;
    while (ret == LZMA_OK)
        ret = lzma_code(&stream, LZMA_FINISH);
    const bool complete = ret == LZMA_STREAM_END && stream.total_out == size;
    lzma_end(&stream);
    return complete;
}

int UnpackBlob(const unsigned char *data, std::size_t length, std::size_t recordSize,
               unsigned char **buffer, std::size_t *size)
{
    if (data == nullptr || length < STREAM_HEADER_SIZE || recordSize == 0)
        return 1;
    const unsigned properties = data[0];
    if (properties >= 9 * 5 * 5)
        return 1;
    // The size field must hold the exact size: high bits set (the all-ones
    // "unknown" value among them) cannot be, whatever the low bits say.
    if (ReadLe32(data + 9) != 0)
        return 1;
    const std::size_t unpacked = ReadLe32(data + 5);
    if (unpacked > MAX_UNPACKED_SIZE || unpacked % recordSize != 0)
        return 1;

    // One spare byte, so that an empty table still gets a distinct buffer.
    auto *out = static_cast<unsigned char *>(std::malloc(unpacked + 1));
    if (out == nullptr)
        return 1;
    if (!Decode(data + STREAM_HEADER_SIZE, length - STREAM_HEADER_SIZE, properties, out, unpacked)) {
        std::free(out);
        return 1;
    }
    *buffer = out;
    *size = unpacked;
    return 0;
}

// True when `field` holds [a-z]+( [a-z]+)* terminated within its units.
static bool IsReadingsField(const char16_t *field)
{
    bool afterLetter = false;
    for (std::size_t i = 0; i < FIELD_UNITS; ++i) {
        const char16_t c = field[i];
        if (c == u'\0')
            return afterLetter;
        if (c >= u'a' && c <= u'z')
            afterLetter = true;
        else if (c == u' ' && afterLetter)
            afterLetter = false;
        else
            return false;
    }
    return false;
}

static bool IsTerminatedField(const char16_t *field)
{
    for (std::size_t i = 0; i < FIELD_UNITS; ++i)
        if (field[i] == u'\0')
            return true;
    return false;
}

bool CheckPinyinRecords(const PinyinEntry *entries, std::size_t count)
{
    for (std::size_t i = 0; i < count; ++i) {
        if (!IsReadingsField(entries[i].readings))
            return false;
        if (i > 0 && entries[i - 1].ch >= entries[i].ch)
            return false;
    }
    return true;
}

bool CheckIdiomRecords(const IdiomEntry *entries, std::size_t count)
{
    for (std::size_t i = 0; i < count; ++i)
        if (!IsTerminatedField(entries[i].text) || !IsTerminatedField(entries[i].key))
            return false;
    return true;
}
