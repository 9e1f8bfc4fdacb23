// LZMA-alone stream writing with liblzma's raw LZMA1EXT encoder, which
// leaves out the end marker; the header is written here with the exact size.
#include "stream_writer.h"

#include <cstdint>

#include <lzma.h>

#include "unpack.h"

static constexpr std::uint32_t DICTIONARY_SIZE = 8u << 20;

std::string CompressStream(const std::string &raw)
{
    lzma_options_lzma options{};
    if (lzma_lzma_preset(&options, 9 | LZMA_PRESET_EXTREME))
        return {};
    options.dict_size = DICTIONARY_SIZE;
    options.lc = 3;
    options.lp = 0;
    options.pb = 2;
    options.ext_flags = 0;  // no end marker: the header carries the size
    const lzma_filter filters[] = {
        {LZMA_FILTER_LZMA1EXT, &options},
        {LZMA_VLI_UNKNOWN, nullptr},
    };

    std::string coded(raw.size() + raw.size() / 2 + 4096, '\0');
    std::size_t written = 0;
    if (lzma_raw_buffer_encode(filters, nullptr, reinterpret_cast<const std::uint8_t *>(raw.data()),
                               raw.size(), reinterpret_cast<std::uint8_t *>(coded.data()), &written,
                               coded.size()) != LZMA_OK)
        return {};
    coded.resize(written);

    std::string header(STREAM_HEADER_SIZE, '\0');
    header[0] = static_cast<char>((options.pb * 5 + options.lp) * 9 + options.lc);
    for (int i = 0; i < 4; ++i)
        header[1 + i] = static_cast<char>(DICTIONARY_SIZE >> (8 * i));
    const std::uint64_t size = raw.size();
    for (int i = 0; i < 8; ++i)
        header[5 + i] = static_cast<char>(size >> (8 * i));
    return header + coded;
}
