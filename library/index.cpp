// The index of the idiom table: two counting sorts of the entry numbers,
// one by first unit and one by key, so that each group keeps table order,
// and a small open-addressing table from key strings to key numbers. Its
// arrays are plain malloc'd memory: building it reports running out of
// memory instead of throwing.
#include "index.h"

#include <cstdlib>
#include <initializer_list>

#include "dictionary.h"

namespace {

constexpr std::size_t UNITS = 0x10000;  // every value of a first unit

// An array of `size` values in malloc'd memory.
template <typename T>
struct Array {
    T *data = nullptr;
    std::size_t size = 0;

    // Makes room for `n` values, keeping the first ones; false without memory.
    bool Resize(std::size_t n)
    {
        void *grown = std::realloc(data, (n == 0 ? 1 : n) * sizeof(T));
        if (grown == nullptr)
            return false;
        data = static_cast<T *>(grown);
        size = n;
        return true;
    }
    bool Fill(std::size_t n, T value)
    {
        if (!Resize(n))
            return false;
        for (std::size_t i = 0; i < n; ++i)
            data[i] = value;
        return true;
    }
    void Free()
    {
        std::free(data);
        *this = Array();
    }
    T &operator[](std::size_t i) const { return data[i]; }
};

struct IdiomIndex {
    std::uint64_t generation = 0;     // g_dictionaryGeneration it was built for; 0: none
    Array<std::uint32_t> firstStart;  // per unit u, where its entries start in byFirst; UNITS + 1
    Array<std::uint32_t> byFirst;     // entry numbers grouped by first unit, table order within
    Array<std::uint32_t> keyStart;    // per key number, where its entries start in byKey; keys + 1
    Array<std::uint32_t> byKey;       // entry numbers grouped by key, table order within
    Array<const char16_t *> keys;     // per key number, the key field of its first entry
    std::size_t keyCount = 0;         // keys in use
    Array<std::uint32_t> slots;       // hash slots: key number + 1, or 0 when free
    Array<std::uint32_t> keyOf;       // per entry, its key number (while building)
    Array<char16_t> firstOf;          // per entry, its first unit (while building)
    Array<std::uint32_t> next;        // per group, where its next entry goes (while sorting)
};

// The index of the current idiom table; out of date when its generation is not the dictionary's.
IdiomIndex g_index;

void Release(IdiomIndex &index)
{
    for (Array<std::uint32_t> *a : {&index.firstStart, &index.byFirst, &index.keyStart, &index.byKey, &index.slots,
                                    &index.keyOf, &index.next})
        a->Free();
    index.firstOf.Free();
    index.keys.Free();
    index.keyCount = 0;
    index.generation = 0;
}

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
std::uint32_t &SlotOf(const IdiomIndex &index, const char16_t *key, std::size_t length)
{
    const std::size_t mask = index.slots.size - 1;
    for (std::size_t i = Hash(key, length) & mask;; i = (i + 1) & mask) {
        std::uint32_t &slot = index.slots[i];
        if (slot == 0 || FieldEquals(index.keys[slot - 1], key))
            return slot;
    }
}

// The key number of an entry's key, adding the key when it is new; false
// without memory.
bool KeyNumber(IdiomIndex &index, const char16_t *key, std::uint32_t &number)
{
    if ((index.keyCount + 1) * 2 > index.slots.size) {
        if (!index.slots.Fill(index.slots.size * 2, 0) || !index.keys.Resize(index.slots.size / 2))
            return false;
        for (std::uint32_t k = 0; k < index.keyCount; ++k)
            SlotOf(index, index.keys[k], FieldLength(index.keys[k])) = k + 1;
    }
    std::uint32_t &slot = SlotOf(index, key, FieldLength(key));
    if (slot == 0) {
        index.keys[index.keyCount++] = key;
        slot = static_cast<std::uint32_t>(index.keyCount);
    }
    number = slot - 1;
    return true;
}

// Fills `order` with the entry numbers 0..n-1 grouped by `group` (a number
// below `groups`), table order within a group; `start` gets each group's
// start. False without memory.
template <typename GroupOf>
bool CountingSort(std::size_t n, std::size_t groups, GroupOf group, Array<std::uint32_t> &start,
                  Array<std::uint32_t> &order, Array<std::uint32_t> &next)
{
    if (!start.Fill(groups + 1, 0) || !order.Resize(n) || !next.Resize(groups))
        return false;
    for (std::size_t i = 0; i < n; ++i)
        ++start[group(i) + 1];
    for (std::size_t g = 0; g < groups; ++g) {
        start[g + 1] += start[g];
        next[g] = start[g];
    }
    for (std::size_t i = 0; i < n; ++i)
        order[next[group(i)]++] = static_cast<std::uint32_t>(i);
    return true;
}

bool Build(IdiomIndex &index)
{
    const IdiomEntry *entries = g_idiomTable.entries;
    const std::size_t n = g_idiomTable.count;

    // One pass over the table: each entry's first unit and key number, kept
    // compact for the sorts. Idioms come grouped by their first character,
    // which gives their key: one lookup serves a run of them.
    index.keyCount = 0;
    if (!index.slots.Fill(64, 0) || !index.keys.Resize(32) || !index.keyOf.Resize(n) || !index.firstOf.Resize(n))
        return false;
    for (std::size_t i = 0; i < n; ++i) {
        const IdiomEntry &e = entries[i];
        index.firstOf[i] = e.text[0];
        if (i > 0 && e.text[0] == entries[i - 1].text[0] && FieldEquals(e.key, entries[i - 1].key))
            index.keyOf[i] = index.keyOf[i - 1];
        else if (!KeyNumber(index, e.key, index.keyOf[i]))
            return false;
    }
    const Array<char16_t> &firstOf = index.firstOf;
    const Array<std::uint32_t> &keyOf = index.keyOf;
    return CountingSort(
               n, UNITS, [&firstOf](std::size_t i) { return firstOf[i]; }, index.firstStart, index.byFirst,
               index.next) &&
           CountingSort(
               n, index.keyCount, [&keyOf](std::size_t i) { return keyOf[i]; }, index.keyStart, index.byKey,
               index.next);
}

EntryRange RangeOf(const Array<std::uint32_t> &start, const Array<std::uint32_t> &order, std::size_t group)
{
    return {order.data + start[group], order.data + start[group + 1]};
}

}  // namespace

bool BuildIdiomIndex()
{
    g_index.generation = 0;
    if (g_idiomTable.entries == nullptr || !Build(g_index)) {
        Release(g_index);
        return false;
    }
    // Only building needed these.
    g_index.keyOf.Free();
    g_index.firstOf.Free();
    g_index.next.Free();
    g_index.generation = g_dictionaryGeneration;
    return true;
}

bool EnsureIdiomIndex()
{
    return g_index.generation == g_dictionaryGeneration || BuildIdiomIndex();
}

std::size_t IndexBytes()
{
    const IdiomIndex &x = g_index;
    return (x.firstStart.size + x.byFirst.size + x.keyStart.size + x.byKey.size + x.slots.size + x.keyOf.size +
            x.next.size) * sizeof(std::uint32_t) +
           x.firstOf.size * sizeof(char16_t) + x.keys.size * sizeof(const char16_t *);
}

std::size_t KeyCount()
{
    return g_index.keyCount;
}

long KeyNumberOf(const char16_t *key)
{
    if (key == nullptr || FieldLength(key) == FIELD_UNITS || g_index.slots.size == 0)
        return -1;
    return static_cast<long>(SlotOf(g_index, key, FieldLength(key))) - 1;
}

EntryRange EntriesOfKeyNumber(std::size_t number)
{
    return RangeOf(g_index.keyStart, g_index.byKey, number);
}

EntryRange EntriesOfKey(const char16_t *key)
{
    const long number = KeyNumberOf(key);
    if (number < 0)
        return {nullptr, nullptr};
    return EntriesOfKeyNumber(static_cast<std::size_t>(number));
}

EntryRange EntriesOfFirst(char16_t ch)
{
    return RangeOf(g_index.firstStart, g_index.byFirst, ch);
}
