// The index of the keyed idiom table: for each first character and for each
// key, its entries in table order. Built for a new table before it is
// installed (load.cpp), and again for a table installed without one (tests
// and benchmarks install tables of their own): a query finds an out-of-date
// index rebuilt.
#ifndef QUOVANT_INDEX_H
#define QUOVANT_INDEX_H

#include <cstddef>
#include <cstdint>

#include "array.h"
#include "dictionary.h"

// Entries of the idiom table, as indices in table order: [begin, end).
struct EntryRange {
    const std::uint32_t *begin = nullptr;
    const std::uint32_t *end = nullptr;
    std::size_t Size() const { return static_cast<std::size_t>(end - begin); }
};

// The index of one keyed table: each first unit's and each key's entries.
struct IdiomIndex {
    Array<std::uint32_t> firstStart;  // per unit u, where its entries start in byFirst; 0x10001 of them
    Array<std::uint32_t> byFirst;     // entry numbers grouped by first unit, table order within
    Array<std::uint32_t> keyStart;    // per key number, where its entries start in byKey; keys + 1
    Array<std::uint32_t> byKey;       // entry numbers grouped by key, table order within
    Array<const char16_t *> keys;     // per key number, the key field of its first entry
    Array<std::uint32_t> slots;       // hash slots: key number + 1, or 0 when free
};

// Makes `index` the index of `count` keyed entries. False when memory ran
// out.
bool IndexOf(const IdiomEntry *entries, std::size_t count, IdiomIndex &index);

// Makes `index` the index of the current idiom table (built from it, keys
// and all).
void InstallIdiomIndex(IdiomIndex &&index);

// Builds the index of the current table unless it is up to date. False when
// there is no idiom table or memory ran out.
bool EnsureIdiomIndex();

// The bytes of memory the index holds.
std::size_t IndexBytes();

// The entries whose first unit is `ch`; empty when there are none. Needs an
// up-to-date index.
EntryRange EntriesOfFirst(char16_t ch);

// The number of the key that equals the string `key` (at most FIELD_UNITS
// units are read: a longer string equals no key), or -1 when there is none
// or `key` is null; and that key's entries. Need an up-to-date index.
long KeyNumberOf(const char16_t *key);
EntryRange EntriesOfKey(std::size_t number);

#endif
