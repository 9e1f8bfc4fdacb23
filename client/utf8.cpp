// Strict UTF-8 decoding, UTF-8 encoding of UTF-16 text, and trimming.
#include "utf8.h"

#include "quovant.h"

// The character of the valid UTF-8 sequence at `text[i]`, and its length in
// bytes; length 0 when no valid sequence begins there.
static std::size_t DecodeOne(std::string_view text, std::size_t i, char32_t &c)
{
    const auto lead = static_cast<unsigned char>(text[i]);
    std::size_t length;
    if (lead < 0x80)
        length = 1, c = lead;
    else if (lead >= 0xC2 && lead <= 0xDF)
        length = 2, c = lead & 0x1F;
    else if (lead >= 0xE0 && lead <= 0xEF)
        length = 3, c = lead & 0x0F;
    else if (lead >= 0xF0 && lead <= 0xF4)
        length = 4, c = lead & 0x07;
    else
        return 0;
    if (text.size() - i < length)
        return 0;
    for (std::size_t k = 1; k < length; ++k) {
        const auto next = static_cast<unsigned char>(text[i + k]);
        if ((next & 0xC0) != 0x80)
            return 0;
        c = c << 6 | (next & 0x3F);
    }
    if ((length == 3 && c < 0x800) || (length == 4 && (c < 0x10000 || c > 0x10FFFF)) || (c >= 0xD800 && c <= 0xDFFF))
        return 0;
    return length;
}

static void AppendUtf16(std::u16string &out, char32_t c)
{
    if (c >= 0x10000) {
        out += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
        out += static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
    } else {
        out += static_cast<char16_t>(c);
    }
}

bool Utf8ToUtf16Into(std::string_view text, std::u16string &out)
{
    out.clear();
    for (std::size_t i = 0; i < text.size();) {
        char32_t c = 0;
        const std::size_t length = DecodeOne(text, i, c);
        if (length == 0)
            return false;
        AppendUtf16(out, c);
        i += length;
    }
    return true;
}

std::optional<std::u16string> Utf8ToUtf16(std::string_view text)
{
    std::u16string out;
    out.reserve(text.size());
    if (!Utf8ToUtf16Into(text, out))
        return std::nullopt;
    return out;
}

std::u16string Utf8ToUtf16Lossy(std::string_view text)
{
    std::u16string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        char32_t c = 0;
        const std::size_t length = DecodeOne(text, i, c);
        AppendUtf16(out, length == 0 ? U'\uFFFD' : c);
        i += length == 0 ? 1 : length;
    }
    return out;
}

std::string ShownUtf8(std::string_view text)
{
    return Utf16ToUtf8(Utf8ToUtf16Lossy(text));
}

std::u16string_view TrimWhiteSpace(std::u16string_view text)
{
    while (!text.empty() && QuovantIsWhiteSpace(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && QuovantIsWhiteSpace(text.back()))
        text.remove_suffix(1);
    return text;
}

std::string Utf16ToUtf8(std::u16string_view text)
{
    std::string out;
    out.reserve(text.size() * 3);
    AppendUtf8(text, out);
    return out;
}

void AppendUtf8(std::u16string_view text, std::string &out)
{
    // Room for the worst case, three bytes a unit (a pair of two takes
    // four), written through a pointer and cut to size after.
    const std::size_t start = out.size();
    out.resize(start + text.size() * 3);
    char *p = out.data() + start;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF)
            c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
        else if (c >= 0xD800 && c <= 0xDFFF)
            c = 0xFFFD;
        if (c < 0x80) {
            *p++ = static_cast<char>(c);
        } else if (c < 0x800) {
            *p++ = static_cast<char>(0xC0 | c >> 6);
            *p++ = static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            *p++ = static_cast<char>(0xE0 | c >> 12);
            *p++ = static_cast<char>(0x80 | (c >> 6 & 0x3F));
            *p++ = static_cast<char>(0x80 | (c & 0x3F));
        } else {
            *p++ = static_cast<char>(0xF0 | c >> 18);
            *p++ = static_cast<char>(0x80 | (c >> 12 & 0x3F));
            *p++ = static_cast<char>(0x80 | (c >> 6 & 0x3F));
            *p++ = static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    out.resize(static_cast<std::size_t>(p - out.data()));
}
