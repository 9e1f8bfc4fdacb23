// Running out of memory on purpose, on glibc: the test programs that link
// failing_malloc.cpp put malloc, calloc and realloc in front of glibc's own,
// and can make every allocation from a given one on fail.
#ifndef QUOVANT_TESTS_FAILING_MALLOC_H
#define QUOVANT_TESTS_FAILING_MALLOC_H

// While an object of this lives, the allocations from the `allowed` + 1-th
// on return null. AllocationsMade() tells how many it let through.
class OutOfMemory {
public:
    explicit OutOfMemory(long allowed);
    ~OutOfMemory();
    OutOfMemory(const OutOfMemory &) = delete;
    OutOfMemory &operator=(const OutOfMemory &) = delete;
    // True when an allocation was refused.
    static bool Refused();
};

#endif
