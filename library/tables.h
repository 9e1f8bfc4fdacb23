// The small table techniques the library builds its lookups with, written
// once: the FNV-1a hash of a run of units and the slot of an open-addressing
// table found by linear probing. Header-only, for the hot loops that use
// them.
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

#endif
