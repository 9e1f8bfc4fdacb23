// What is built from the dictionary (the index, the analysis, the meanings)
// knows which dictionary it was built for: a stamp of the dictionary's
// generation, which every change of the tables or of the idioms' keys moves
// on. BuildOnce builds under a lock, once per dictionary, for any number of
// threads that then only read.
#ifndef QUOVANT_STAMP_H
#define QUOVANT_STAMP_H

#include <atomic>
#include <cstdint>
#include <mutex>

#include "dictionary.h"

// The dictionary generation something was built for; none at first.
struct DictionaryStamp {
    std::atomic<std::uint64_t> generation{0};

    // True when it was built for the current dictionary.
    bool IsCurrent() const { return generation.load(std::memory_order_acquire) == g_dictionaryGeneration; }
    // It was built for the current dictionary; what it built is visible to
    // every thread that then sees it current.
    void MarkCurrent() { generation.store(g_dictionaryGeneration, std::memory_order_release); }
    // It is out of date (being built again, or gone).
    void Clear() { generation.store(0, std::memory_order_relaxed); }
};

// Runs `build` (true when it succeeded) unless `stamp` is current, under
// `lock`, so that threads asking at once build once and the others wait;
// marks the stamp current when it succeeded. Whether it is current now.
template <typename Build>
bool BuildOnce(DictionaryStamp &stamp, std::mutex &lock, Build &&build)
{
    if (stamp.IsCurrent())
        return true;
    const std::lock_guard<std::mutex> held(lock);
    if (stamp.IsCurrent())
        return true;  // another thread built it meanwhile
    stamp.Clear();
    if (!build())
        return false;
    stamp.MarkCurrent();
    return true;
}

#endif
