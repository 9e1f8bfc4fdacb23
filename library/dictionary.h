// Dictionary tables: the record layouts of the pinyin and idiom tables, the
// process-wide tables themselves, which own their memory, pinyin lookup and
// idiom keying.
//
// Text is UTF-16 in char16_t code units; a character is one code unit. A
// program installs each table once and keeps it until it ends; tests and
// benchmarks may install new tables, which releases the ones they replace.
#ifndef QUOVANT_DICTIONARY_H
#define QUOVANT_DICTIONARY_H

#include <cstddef>
#include <cstdint>

// Width of PinyinEntry::readings, IdiomEntry::key and IdiomEntry::text in code
// units, terminator included: at most 13 characters each.
constexpr std::size_t FIELD_UNITS = 14;

// One character and its toneless readings ("he hu huo"), NUL-terminated and
// NUL-filled. 30 bytes, no padding.
struct PinyinEntry {
    char16_t ch;
    char16_t readings[FIELD_UNITS];
};

// One idiom. `key` is the readings of its first character, filled at load
// by FillIdiomKeys (empty when that character has no readings). 56 bytes.
struct IdiomEntry {
    char16_t key[FIELD_UNITS];
    char16_t text[FIELD_UNITS];
};

static_assert(sizeof(PinyinEntry) == 30, "PinyinEntry is a 30-byte record");
static_assert(offsetof(PinyinEntry, ch) == 0);
static_assert(offsetof(PinyinEntry, readings) == 2);
static_assert(sizeof(IdiomEntry) == 56, "IdiomEntry is a 56-byte record");
static_assert(offsetof(IdiomEntry, key) == 0);
static_assert(offsetof(IdiomEntry, text) == 28);

// A table is one contiguous record array, allocated with malloc and owned by
// the table, and its record count. `entries` is null until a table is
// installed.
struct PinyinTable {
    PinyinEntry *entries;
    std::size_t count;
};

struct IdiomTable {
    IdiomEntry *entries;
    std::size_t count;
};

// The process's one pinyin table, sorted by ch ascending, no duplicates.
// Set by InstallPinyinTable.
extern PinyinTable g_pinyinTable;

// The process's one idiom table, in result order. Set by InstallIdiomTable
// and keyed by FillIdiomKeys.
extern IdiomTable g_idiomTable;

// How many of the idiom table's first entries its per-idiom streams (the
// readings, the texts, the commonness figures) number: the idioms it was
// loaded with. The player's own idioms (player.h) follow them.
extern std::size_t g_loadedIdiomCount;

// Counts the tables installed, either of them: what is made for one table
// (the player's idioms' codes) knows it is still that table's.
extern std::uint64_t g_tableInstalls;

// Counts every change of the tables or of the idioms' keys, so that what is
// built from them knows when it is out of date (stamp.h).
extern std::uint64_t g_dictionaryGeneration;

// Makes `entries` (count records sorted by ch, allocated with malloc) the
// pinyin table, which takes them over, and frees the table it replaces.
// Null and 0 leave no table.
void InstallPinyinTable(PinyinEntry *entries, std::size_t count);

// Makes `entries` (count records, allocated with malloc) the idiom table,
// keys untouched, which takes them over, and frees the table it replaces;
// the first `loaded` of them (all, without it) are the loaded idioms. Null
// and 0 leave no table.
void InstallIdiomTable(IdiomEntry *entries, std::size_t count, std::size_t loaded);
inline void InstallIdiomTable(IdiomEntry *entries, std::size_t count)
{
    InstallIdiomTable(entries, count, count);
}

// The readings of `ch` as a pointer into the pinyin table, or null when the
// table has no entry for it.
const char16_t *FindPinyin(char16_t ch);

// FindPinyin of the first code unit of `s`; null for a null or empty `s`.
const char16_t *PinyinOfFirst(const char16_t *s);

// FindPinyin of the last code unit of `s`; null for a null or empty `s`.
const char16_t *PinyinOfLast(const char16_t *s);

// Sets every idiom's key to the readings of its first character, or to the
// empty string where that character has none. Needs the pinyin table.
void FillIdiomKeys();

// The same for `count` entries not installed yet.
void KeyIdioms(IdiomEntry *entries, std::size_t count);

// Length of a NUL-terminated string in code units; 0 for null.
std::size_t StrLen16(const char16_t *s);

// True when the fixed-width field `field` holds a terminator within its
// FIELD_UNITS units and the string before it equals `s`. An unterminated
// field equals nothing.
bool FieldEquals(const char16_t *field, const char16_t *s);

// Length of the string in a field, or FIELD_UNITS when it has no terminator
// within its units.
std::size_t FieldLength(const char16_t *field);

// A hash of the string in a field (its first FieldLength units), for the
// open-addressing tables of keys and texts.
std::uint32_t FieldHash(const char16_t *field);

#endif
