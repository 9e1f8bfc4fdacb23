// Memory figures from the process's working set on Windows.
#include <windows.h>

#include <psapi.h>

#include "memory.h"

MemoryUse ReadMemoryUse()
{
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof counters;
    if (!GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters))
        return {-1, -1};
    return {static_cast<long long>(counters.WorkingSetSize), static_cast<long long>(counters.PeakWorkingSetSize)};
}

void ResetPeakMemory()
{
}

void KeepFreedPagesWarm()
{
}
