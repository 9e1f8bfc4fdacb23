// The index of the idiom table: two counting sorts of the entry numbers,
// one by first unit and one by key, so that each group keeps table order,
// and a small open-addressing table from key strings to key numbers.
#include "index.h"

#include "stamp.h"
#include "tables.h"

namespace {

constexpr std::size_t UNITS = 0x10000;  // every value of a first unit

// The index of the current idiom table, and the dictionary it was built for.
IdiomIndex g_index;
DictionaryStamp g_indexStamp;

// The slot where `key` is, or the free slot where it belongs (the table is
// kept at most half full).
std::uint32_t &SlotOf(IdiomIndex &index, const char16_t *key)
{
    return *ProbeSlot(index.slots, FieldHash(key),
                      [&](std::uint32_t slot) { return slot == 0 || FieldEquals(index.keys[slot - 1], key); });
}

// Gives `number` the key number of an entry's key, adding the key when it
// is new. False without memory.
bool KeyNumber(IdiomIndex &index, const char16_t *key, std::uint32_t &number)
{
    if ((index.keys.Size() + 1) * 2 > index.slots.Size()) {
        if (!index.slots.Assign(index.slots.Size() * 2, 0))
            return false;
        for (std::uint32_t k = 0; k < index.keys.Size(); ++k)
            SlotOf(index, index.keys[k]) = k + 1;
    }
    std::uint32_t &slot = SlotOf(index, key);
    if (slot == 0) {
        if (!index.keys.Push(key))
            return false;
        slot = static_cast<std::uint32_t>(index.keys.Size());
    }
    number = slot - 1;
    return true;
}

// `order` gets the entry numbers 0..n-1 grouped by `group[i]` (a number below
// `groups`), table order within a group, and `start` each group's start.
// False without memory.
template <typename Group>
bool SortEntries(const Array<Group> &group, std::size_t groups, Array<std::uint32_t> &start,
                 Array<std::uint32_t> &order)
{
    const auto forEach = [&group](auto emit) {
        for (std::size_t i = 0; i < group.Size(); ++i)
            emit(group[i], static_cast<std::uint32_t>(i));
    };
    return CountingSort(groups, forEach, start, order);
}

EntryRange RangeOf(const Array<std::uint32_t> &start, const Array<std::uint32_t> &order, std::size_t group)
{
    return {order.Data() + start[group], order.Data() + start[group + 1]};
}

}  // namespace

bool IndexOf(const IdiomEntry *entries, std::size_t n, IdiomIndex &index)
{
    index = IdiomIndex();
    // One pass over the table: each entry's first unit and key number, kept
    // compact for the sorts. Idioms come grouped by their first character,
    // which gives their key: one lookup serves a run of them.
    Array<char16_t> firstOf;
    Array<std::uint32_t> keyOf;
    if (!firstOf.Resize(n) || !keyOf.Resize(n) || !index.slots.Assign(64, 0))
        return false;
    for (std::size_t i = 0; i < n; ++i) {
        const IdiomEntry &e = entries[i];
        firstOf[i] = e.text[0];
        if (i > 0 && e.text[0] == entries[i - 1].text[0] && FieldEquals(e.key, entries[i - 1].key))
            keyOf[i] = keyOf[i - 1];
        else if (!KeyNumber(index, e.key, keyOf[i]))
            return false;
    }
    return SortEntries(firstOf, UNITS, index.firstStart, index.byFirst) &&
           SortEntries(keyOf, index.keys.Size(), index.keyStart, index.byKey);
}

void InstallIdiomIndex(IdiomIndex &&index)
{
    g_index = std::move(index);
    g_indexStamp.MarkCurrent();
}

bool EnsureIdiomIndex()
{
    if (g_indexStamp.IsCurrent())
        return true;
    IdiomIndex index;
    if (g_idiomTable.entries == nullptr || !IndexOf(g_idiomTable.entries, g_idiomTable.count, index))
        return false;
    InstallIdiomIndex(std::move(index));
    return true;
}

std::size_t IndexBytes()
{
    const IdiomIndex &x = g_index;
    return x.firstStart.Bytes() + x.byFirst.Bytes() + x.keyStart.Bytes() + x.byKey.Bytes() + x.slots.Bytes() +
           x.keys.Bytes();
}

long KeyNumberOf(const char16_t *key)
{
    if (key == nullptr || FieldLength(key) == FIELD_UNITS || g_index.slots.Empty())
        return -1;
    return static_cast<long>(SlotOf(g_index, key)) - 1;
}

EntryRange EntriesOfKey(std::size_t number)
{
    return RangeOf(g_index.keyStart, g_index.byKey, number);
}

EntryRange EntriesOfFirst(char16_t ch)
{
    return RangeOf(g_index.firstStart, g_index.byFirst, ch);
}
