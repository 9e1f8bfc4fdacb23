// libFuzzer target: arbitrary bytes as a line that a person typed or listed
// (a move of play, a line of a --used file, a query), through the decoding
// and trimming the programs share. Decoding never fails on a valid line and
// loses nothing; what a person is shown is valid UTF-8; and the programs trim
// exactly as GetIdioms trims.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "query.h"
#include "quovant.h"
#include "utf8.h"

static void Require(bool condition)
{
    if (!condition)
        __builtin_trap();
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view line(reinterpret_cast<const char *>(data), size);
    const std::optional<std::u16string> strict = Utf8ToUtf16(line);
    const std::u16string lossy = Utf8ToUtf16Lossy(line);
    if (strict) {
        Require(*strict == lossy);
        Require(Utf16ToUtf8(*strict) == line);
    }
    // What a person is shown decodes strictly, to the same text.
    const std::string shown = ShownUtf8(line);
    const std::optional<std::u16string> again = Utf8ToUtf16(shown);
    Require(again.has_value() && *again == lossy);

    // The programs' trimming is GetIdioms' trimming, of the text as the
    // library reads it: up to its first NUL.
    const std::u16string text(lossy.c_str());
    const std::u16string_view trimmed = TrimWhiteSpace(text);
    Require(trimmed.empty() || (!QuovantIsWhiteSpace(trimmed.front()) && !QuovantIsWhiteSpace(trimmed.back())));
    Require(TrimWhiteSpace(trimmed) == trimmed);
    std::u16string buffer = text;
    TrimSpaces(buffer.data());  // the library's own, in place
    Require(std::u16string_view(buffer.c_str()) == trimmed);
    return 0;
}
