// The small table techniques the library builds its lookups with, written
// once: the FNV-1a hash of a run of units, the slot of an open-addressing
// table found by linear probing, and a counting sort of numbered values into
// groups (each group's start, and the values in group order). Header-only,
// for the hot loops that use them.
#ifndef QUOVANT_TABLES_H
#define QUOVANT_TABLES_H

#include <cstddef>
#include <cstdint>

#include "array.h"

// The 32-bit FNV-1a hash of the `length` units of `units` (each unit taken
// as its value).
template <typename Unit>
inline std::uint32_t Fnv1a(const Unit *units, std::size_t length)
{
    std::uint32_t h = 2166136261u;
    for (std::size_t i = 0; i < length; ++i)
        h = (h ^ static_cast<std::uint32_t>(units[i])) * 16777619u;
    return h;
}

// The first slot of `table` (a power of two of them) that `isSlot(slot)`
// accepts, probing linearly from `hash` and wrapping around: the slot that
// holds what is sought, or the free one where it belongs. Null when every
// slot was probed and none was accepted (a table that is never full, as one
// kept at most half full, always finds one).
template <typename Slot, typename IsSlot>
inline Slot *ProbeSlot(Array<Slot> &table, std::size_t hash, IsSlot &&isSlot)
{
    const std::size_t mask = table.Size() - 1;
    std::size_t i = hash & mask;
    for (std::size_t probes = 0; probes < table.Size(); ++probes, i = (i + 1) & mask)
        if (isSlot(table[i]))
            return &table[i];
    return nullptr;
}

// A counting sort: `forEach(emit)` calls `emit(group, value)` for every
// value with its group (below `groups`), the same way each time it is
// called (twice: once to count, once to place). Makes `start` each group's
// start in `order` (groups + 1 of them, the last the number of values) and
// `order` the values grouped, in the order listed within each group. False
// without memory.
template <typename ForEach>
bool CountingSort(std::size_t groups, ForEach &&forEach, Array<std::uint32_t> &start, Array<std::uint32_t> &order)
{
    if (!start.Assign(groups + 1, 0))
        return false;
    forEach([&start](std::size_t group, std::uint32_t) { ++start[group + 1]; });
    for (std::size_t g = 0; g < groups; ++g)
        start[g + 1] += start[g];
    Array<std::uint32_t> next;  // per group, where its next value goes
    if (!next.Resize(groups) || !order.Resize(start[groups]))
        return false;
    for (std::size_t g = 0; g < groups; ++g)
        next[g] = start[g];
    forEach([&](std::size_t group, std::uint32_t value) { order[next[group]++] = value; });
    return true;
}

#endif
