// The index of the idiom table: two counting sorts of the entry numbers,
// one by first unit and one by key, so that each group keeps table order,
// and a small open-addressing table from key strings to key numbers.
#include "index.h"

#include <new>
#include <vector>

#include "dictionary.h"

namespace {

constexpr std::size_t UNITS = 0x10000;  // every value of a first unit

struct IdiomIndex {
    std::uint64_t generation = 0;          // g_dictionaryGeneration it was built for; 0: none
    std::vector<std::uint32_t> firstStart; // per unit u, where its entries start in byFirst; UNITS + 1
    std::vector<std::uint32_t> byFirst;    // entry numbers grouped by first unit, table order within
    std::vector<std::uint32_t> keyStart;   // per key number, where its entries start in byKey; keys + 1
    std::vector<std::uint32_t> byKey;      // entry numbers grouped by key, table order within
    std::vector<const char16_t *> keys;    // per key number, the key field of its first entry
    std::vector<std::uint32_t> slots;      // hash slots: key number + 1, or 0 when free
};

// The index of the current idiom table; out of date when its generation is not the dictionary's.
IdiomIndex g_index;

// Length of the string in a field, or FIELD_UNITS when it has no terminator there.
std::size_t FieldLength(const char16_t *s)
{
    std::size_t n = 0;
    while (n < FIELD_UNITS && s[n] != u'\0')
        ++n;
    return n;
}

std::uint32_t Hash(const char16_t *s, std::size_t length)
{
    std::uint32_t h = 2166136261u;  // FNV-1a over the units
    for (std::size_t i = 0; i < length; ++i)
        h = (h ^ s[i]) * 16777619u;
    return h;
}

// The slot where `key` (of `length` units) is, or the free slot where it belongs.
std::uint32_t &SlotOf(IdiomIndex &index, const char16_t *key, std::size_t length)
{
    const std::size_t mask = index.slots.size() - 1;
    for (std::size_t i = Hash(key, length) & mask;; i = (i + 1) & mask) {
        std::uint32_t &slot = index.slots[i];
        if (slot == 0 || FieldEquals(index.keys[slot - 1], key))
            return slot;
    }
}

// The key number of an entry's key, adding the key when it is new.
std::uint32_t KeyNumber(IdiomIndex &index, const char16_t *key)
{
    if ((index.keys.size() + 1) * 2 > index.slots.size()) {
        index.slots.assign(index.slots.size() * 2, 0);
        for (std::uint32_t k = 0; k < index.keys.size(); ++k)
            SlotOf(index, index.keys[k], FieldLength(index.keys[k])) = k + 1;
    }
    std::uint32_t &slot = SlotOf(index, key, FieldLength(key));
    if (slot == 0) {
        index.keys.push_back(key);
        slot = static_cast<std::uint32_t>(index.keys.size());
    }
    return slot - 1;
}

// Fills `order` with the entry numbers 0..n-1 grouped by `group` (a number
// below `groups`), table order within a group; `start` gets each group's start.
template <typename GroupOf>
void CountingSort(std::size_t n, std::size_t groups, GroupOf group, std::vector<std::uint32_t> &start,
                  std::vector<std::uint32_t> &order)
{
    start.assign(groups + 1, 0);
    for (std::size_t i = 0; i < n; ++i)
        ++start[group(i) + 1];
    for (std::size_t g = 0; g < groups; ++g)
        start[g + 1] += start[g];
    std::vector<std::uint32_t> next(start.begin(), start.end() - 1);
    order.resize(n);
    for (std::size_t i = 0; i < n; ++i)
        order[next[group(i)]++] = static_cast<std::uint32_t>(i);
}

void Build(IdiomIndex &index)
{
    const IdiomEntry *entries = g_idiomTable.entries;
    const std::size_t n = g_idiomTable.count;
    CountingSort(
        n, UNITS, [entries](std::size_t i) { return entries[i].text[0]; }, index.firstStart, index.byFirst);

    // Idioms come grouped by their first character, which gives their key:
    // one lookup serves a run of entries with the same key.
    index.keys.clear();
    index.slots.assign(64, 0);
    std::vector<std::uint32_t> keyOf(n);
    for (std::size_t i = 0; i < n; ++i)
        keyOf[i] = i > 0 && FieldEquals(entries[i].key, entries[i - 1].key) ? keyOf[i - 1]
                                                                           : KeyNumber(index, entries[i].key);
    CountingSort(
        n, index.keys.size(), [&keyOf](std::size_t i) { return keyOf[i]; }, index.keyStart, index.byKey);
}

EntryRange RangeOf(const std::vector<std::uint32_t> &start, const std::vector<std::uint32_t> &order,
                   std::size_t group)
{
    const std::uint32_t *base = order.data();
    return {base + start[group], base + start[group + 1]};
}

}  // namespace

bool BuildIdiomIndex()
{
    g_index.generation = 0;
    if (g_idiomTable.entries == nullptr)
        return false;
    try {
        Build(g_index);
    } catch (const std::bad_alloc &) {
        g_index = IdiomIndex();
        return false;
    }
    g_index.generation = g_dictionaryGeneration;
    return true;
}

bool EnsureIdiomIndex()
{
    return g_index.generation == g_dictionaryGeneration || BuildIdiomIndex();
}

EntryRange EntriesOfFirst(char16_t ch)
{
    return RangeOf(g_index.firstStart, g_index.byFirst, ch);
}

EntryRange EntriesOfKey(const char16_t *key)
{
    if (key == nullptr || FieldLength(key) == FIELD_UNITS || g_index.slots.empty())
        return {nullptr, nullptr};
    const std::uint32_t slot = SlotOf(g_index, key, FieldLength(key));
    if (slot == 0)
        return {nullptr, nullptr};
    return RangeOf(g_index.keyStart, g_index.byKey, slot - 1);
}
