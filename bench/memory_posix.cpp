// Memory figures from /proc on Linux, and glibc's allocator settings.
#include <malloc.h>

#include <fstream>
#include <string>

#include "memory.h"

static long long StatusKilobytes(const std::string &field)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind(field + ":", 0) == 0)
            return std::stoll(line.substr(field.size() + 1));
    return -1;
}

MemoryUse ReadMemoryUse()
{
    return {StatusKilobytes("VmRSS") * 1024, StatusKilobytes("VmHWM") * 1024};
}

void ResetPeakMemory()
{
    std::ofstream("/proc/self/clear_refs") << "5";
}

void KeepFreedPagesWarm()
{
    // Left alone, glibc's adaptive thresholds hand some iterations warm pages
    // and others fresh ones, depending on the block sizes freed before: no
    // mapping of large blocks and no trimming makes every iteration after
    // the first find its pages warm, so the figures compare decoding work.
    mallopt(M_MMAP_THRESHOLD, 256 << 20);
    mallopt(M_TRIM_THRESHOLD, 256 << 20);
}
