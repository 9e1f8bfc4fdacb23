// UTF-8 and UTF-16 conversions for the programs around the library, whose
// files, arguments and streams are UTF-8 while the library speaks UTF-16,
// and the trimming of what people type or list, as GetIdioms trims.
#ifndef QUOVANT_CLIENT_UTF8_H
#define QUOVANT_CLIENT_UTF8_H

#include <optional>
#include <string>
#include <string_view>

// UTF-16 of strict UTF-8 (no overlong forms, surrogates or values past
// U+10FFFF), or nullopt when `text` is not valid UTF-8.
std::optional<std::u16string> Utf8ToUtf16(std::string_view text);

// The same into `out`, whose memory is reused (a loop over many lines
// allocates nothing once it is large enough); false when `text` is not valid
// UTF-8 (`out` then holds what came before the fault).
bool Utf8ToUtf16Into(std::string_view text, std::u16string &out);

// UTF-16 of UTF-8 in which every byte that does not begin a valid sequence
// becomes U+FFFD: what a person is shown of text that is not valid UTF-8.
std::u16string Utf8ToUtf16Lossy(std::string_view text);

// UTF-8 of UTF-16; a lone surrogate becomes U+FFFD.
std::string Utf16ToUtf8(std::u16string_view text);

// The same, appended to `out`.
void AppendUtf8(std::u16string_view text, std::string &out);

// `text` as valid UTF-8, with U+FFFD for what is not: for messages that
// quote what a person gave.
std::string ShownUtf8(std::string_view text);

// `text` without the white space at its ends (QuovantIsWhiteSpace of
// quovant.h): an idiom typed or listed, trimmed as GetIdioms trims a query.
std::u16string_view TrimWhiteSpace(std::u16string_view text);

#endif
