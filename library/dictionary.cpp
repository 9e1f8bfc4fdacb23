// Dictionary tables: pinyin lookup by binary search and idiom keying.
#include "dictionary.h"

#include <cstdlib>
#include <cstring>

#include "tables.h"

PinyinTable g_pinyinTable = {nullptr, 0};
IdiomTable g_idiomTable = {nullptr, 0};
std::size_t g_loadedIdiomCount = 0;
std::uint64_t g_dictionaryGeneration = 1;
std::uint64_t g_tableInstalls = 0;

void InstallPinyinTable(PinyinEntry *entries, std::size_t count)
{
    std::free(g_pinyinTable.entries);
    g_pinyinTable = {entries, count};
    ++g_tableInstalls;
    ++g_dictionaryGeneration;
}

void InstallIdiomTable(IdiomEntry *entries, std::size_t count, std::size_t loaded)
{
    std::free(g_idiomTable.entries);
    g_idiomTable = {entries, count};
    g_loadedIdiomCount = loaded < count ? loaded : count;
    ++g_tableInstalls;
    ++g_dictionaryGeneration;
}

const char16_t *FindPinyin(char16_t ch)
{
    // Half-open [lo, hi): the same results as the inclusive form (its probes
    // can differ), without an unsigned hi going below zero.
    std::size_t lo = 0;
    std::size_t hi = g_pinyinTable.count;
    while (lo < hi) {
        std::size_t mid = lo + (hi - lo) / 2;
        const PinyinEntry &e = g_pinyinTable.entries[mid];
        if (ch == e.ch)
            return e.readings;
        if (ch < e.ch)
            hi = mid;
        else
            lo = mid + 1;
    }
    return nullptr;
}

std::size_t StrLen16(const char16_t *s)
{
    std::size_t n = 0;
    if (s != nullptr)
        while (s[n] != u'\0')
            ++n;
    return n;
}

const char16_t *PinyinOfFirst(const char16_t *s)
{
    if (s == nullptr || s[0] == u'\0')
        return nullptr;
    return FindPinyin(s[0]);
}

const char16_t *PinyinOfLast(const char16_t *s)
{
    std::size_t n = StrLen16(s);
    if (n == 0)
        return nullptr;
    return FindPinyin(s[n - 1]);
}

bool FieldEquals(const char16_t *field, const char16_t *s)
{
    for (std::size_t i = 0; i < FIELD_UNITS; ++i) {
        if (field[i] != s[i])
            return false;
        if (field[i] == u'\0')
            return true;
    }
    return false;
}

std::size_t FieldLength(const char16_t *field)
{
    std::size_t n = 0;
    while (n < FIELD_UNITS && field[n] != u'\0')
        ++n;
    return n;
}

std::uint32_t FieldHash(const char16_t *field)
{
    return Fnv1a(field, FieldLength(field));
}

void KeyIdioms(IdiomEntry *entries, std::size_t count)
{
    // Idioms come grouped by their first character, so one lookup serves a run.
    char16_t runFirst = 0;
    const char16_t *runReadings = nullptr;
    std::size_t runLength = 0;
    for (std::size_t i = 0; i < count; ++i) {
        IdiomEntry &e = entries[i];
        if (i == 0 || e.text[0] != runFirst) {
            runFirst = e.text[0];
            runReadings = PinyinOfFirst(e.text);
            runLength = 0;
            while (runReadings != nullptr && runLength + 1 < FIELD_UNITS && runReadings[runLength] != u'\0')
                ++runLength;
        }
        // The readings (at most 13 units of them: terminated even where a
        // damaged field is not), then NULs.
        std::memset(e.key, 0, sizeof e.key);
        if (runReadings != nullptr)
            std::memcpy(e.key, runReadings, runLength * sizeof(char16_t));
    }
}

void FillIdiomKeys()
{
    KeyIdioms(g_idiomTable.entries, g_idiomTable.count);
    ++g_dictionaryGeneration;
}
