// Helpers shared by the unit tests: hand-made records and UTF-16/UTF-8
// conversion so that failures print readable text.
#ifndef QUOVANT_TESTS_SUPPORT_H
#define QUOVANT_TESTS_SUPPORT_H

#include <algorithm>
#include <cstdlib>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "dictionary.h"
#include "quovant.h"
#include "readings.h"
#include "stream_writer.h"
#include "utf8.h"
#include "window_layout.h"

// UTF-8 of a UTF-16 string, so that failures print readable text; "<null>"
// for a null pointer.
inline std::string ToUtf8(const char16_t *s)
{
    return s == nullptr ? "<null>" : Utf16ToUtf8(s);
}

inline std::string ToUtf8(const std::u16string &s) { return ToUtf8(s.c_str()); }

// Asks `getIdioms` (the library linked in, or one bound at run time) the way
// the windows do: the text copied into a buffer of QUERY_UNITS units, of
// which at most the first QUERY_UNITS - 1 are read. The result as UTF-8,
// "<null>" for null.
inline std::string QueryAsTheWindowsDo(QuovantGetIdiomsFn getIdioms, std::u16string_view text)
{
    char16_t buffer[QUERY_UNITS] = {};
    text.copy(buffer, QUERY_UNITS - 1);
    return ToUtf8(reinterpret_cast<const char16_t *>(getIdioms(reinterpret_cast<QuovantChar *>(buffer))));
}

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

// Installs a copy of `records` as the pinyin or idiom table, which owns it.
inline void InstallCopy(const std::vector<PinyinEntry> &records)
{
    auto *copy = static_cast<PinyinEntry *>(std::malloc(records.size() * sizeof(PinyinEntry) + 1));
    std::copy(records.begin(), records.end(), copy);
    InstallPinyinTable(copy, records.size());
}

inline void InstallCopy(const std::vector<IdiomEntry> &records)
{
    auto *copy = static_cast<IdiomEntry *>(std::malloc(records.size() * sizeof(IdiomEntry) + 1));
    std::copy(records.begin(), records.end(), copy);
    InstallIdiomTable(copy, records.size());
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

// The readings stream of a hand-made table: per idiom, one token per
// character ("xing2", "ge0", or "-" for none), every syllable spelled out
// (the stream's own form where the pinyin table lacks one). Offered as the
// readings; the stream stays alive until the next call.
inline void OfferReadingsOf(std::initializer_list<std::string_view> lines)
{
    std::string raw;
    for (std::string_view line : lines)
        for (std::size_t at = 0; at < line.size();) {
            std::size_t end = line.find(' ', at);
            if (end == std::string_view::npos)
                end = line.size();
            const std::string_view token = line.substr(at, end - at);
            if (token == "-") {
                raw += static_cast<char>(NO_SYLLABLE);
            } else {
                raw += static_cast<char>(SPELLED_SYLLABLE);
                raw += token.substr(0, token.size() - 1);
                raw += static_cast<char>(token.back() - '0');
            }
            at = end + 1;
        }
    static std::string stream;
    stream = CompressStream(raw);
    OfferReadings(reinterpret_cast<const unsigned char *>(stream.data()), stream.size());
}

#endif
