// The process's memory, for the benchmarks' figures: resident now, and the
// peak since the last ResetPeakMemory.
#ifndef QUOVANT_BENCH_MEMORY_H
#define QUOVANT_BENCH_MEMORY_H

struct MemoryUse {
    long long resident;  // bytes in memory now
    long long peak;      // most bytes in memory since the peak was reset
};

MemoryUse ReadMemoryUse();

// Starts a new peak where the platform allows it (Linux); elsewhere the peak
// stays the process's whole-life peak.
void ResetPeakMemory();

// Has the allocator keep freed memory, so that repeated iterations reuse
// warm pages instead of some getting fresh ones and others not.
void KeepFreedPagesWarm();

#endif
