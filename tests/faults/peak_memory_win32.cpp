// windows.h must come before psapi.h.
#include <windows.h>

#include <psapi.h>

#include "tests/faults/peak_memory.h"

void resetPeakMemory() {}

std::int64_t peakMemoryBytes() {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    if (!GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters))
        return 0;
    return static_cast<std::int64_t>(counters.PeakWorkingSetSize);
}
