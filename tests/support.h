// Helpers shared by the unit tests: hand-made records and UTF-16/UTF-8
// conversion so that failures print readable text.
#ifndef QUOVANT_TESTS_SUPPORT_H
#define QUOVANT_TESTS_SUPPORT_H

#include <algorithm>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "dictionary.h"

// UTF-8 of a UTF-16 string; "<null>" for a null pointer. Lone surrogates
// come out as U+FFFD.
inline std::string ToUtf8(const char16_t *s)
{
    if (s == nullptr)
        return "<null>";
    std::string out;
    for (; *s != u'\0'; ++s) {
        char32_t c = *s;
        if (c >= 0xD800 && c <= 0xDBFF && s[1] >= 0xDC00 && s[1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (s[1] - 0xDC00);
            ++s;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            c = 0xFFFD;
        }
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (c >> 18));
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

inline std::string ToUtf8(const std::u16string &s) { return ToUtf8(s.c_str()); }

// Copies at most FIELD_UNITS units of `s` into a zero-filled field.
inline void SetField(char16_t *field, std::u16string_view s)
{
    std::fill(field, field + FIELD_UNITS, u'\0');
    std::copy_n(s.begin(), std::min(s.size(), FIELD_UNITS), field);
}

// A pinyin table from (character, readings) pairs, sorted as the lookup needs.
inline std::vector<PinyinEntry> MakePinyinTable(
    std::initializer_list<std::pair<char16_t, std::u16string_view>> rows)
{
    std::vector<PinyinEntry> table;
    for (const auto &[ch, readings] : rows) {
        PinyinEntry e{};
        e.ch = ch;
        SetField(e.readings, readings);
        table.push_back(e);
    }
    std::sort(table.begin(), table.end(),
              [](const PinyinEntry &a, const PinyinEntry &b) { return a.ch < b.ch; });
    return table;
}

// An idiom table in the given order, keys empty.
inline std::vector<IdiomEntry> MakeIdiomTable(std::initializer_list<std::u16string_view> idioms)
{
    std::vector<IdiomEntry> table;
    for (std::u16string_view text : idioms) {
        IdiomEntry e{};
        SetField(e.text, text);
        table.push_back(e);
    }
    return table;
}

#endif
