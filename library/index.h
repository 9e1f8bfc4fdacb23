// The index of the keyed idiom table: for each first character and for each
// key, its entries in table order. Built at load right after the keys, and
// again whenever the table or its keys change (tests and benchmarks install
// tables of their own); a query finds an out-of-date index rebuilt.
#ifndef QUOVANT_INDEX_H
#define QUOVANT_INDEX_H

#include <cstddef>
#include <cstdint>

// Entries of the idiom table, as indices in table order: [begin, end).
struct EntryRange {
    const std::uint32_t *begin;
    const std::uint32_t *end;
    std::size_t Size() const { return static_cast<std::size_t>(end - begin); }
};

// Builds the index of the current idiom table and its keys. False when
// memory ran out; then no index is left.
bool BuildIdiomIndex();

// Builds the index unless the current one is up to date. False when there
// is no idiom table or memory ran out.
bool EnsureIdiomIndex();

// The bytes of memory the index holds.
std::size_t IndexBytes();

// The number of distinct keys, and the number of the key that equals the
// string `key` (read as EntriesOfKey reads it), or -1 when there is none.
// Need an up-to-date index.
std::size_t KeyCount();
long KeyNumberOf(const char16_t *key);

// The entries whose key has the number `number`.
EntryRange EntriesOfKeyNumber(std::size_t number);

// The entries whose first unit is `ch`; empty when there are none. Needs an
// up-to-date index.
EntryRange EntriesOfFirst(char16_t ch);

// The entries whose key equals the string `key` (at most FIELD_UNITS units
// are read: a longer string equals no key); empty when there are none or
// `key` is null. Needs an up-to-date index.
EntryRange EntriesOfKey(const char16_t *key);

#endif
