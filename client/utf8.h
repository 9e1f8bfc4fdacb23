// UTF-8 and UTF-16 conversions for the programs around the library, whose
// files, arguments and streams are UTF-8 while the library speaks UTF-16.
#ifndef QUOVANT_CLIENT_UTF8_H
#define QUOVANT_CLIENT_UTF8_H

#include <optional>
#include <string>
#include <string_view>

// UTF-16 of strict UTF-8 (no overlong forms, surrogates or values past
// U+10FFFF), or nullopt when `text` is not valid UTF-8.
std::optional<std::u16string> Utf8ToUtf16(std::string_view text);

// UTF-8 of UTF-16; a lone surrogate becomes U+FFFD.
std::string Utf16ToUtf8(std::u16string_view text);

#endif
