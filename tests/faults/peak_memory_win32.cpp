#include <windows.h>
// psapi.h needs windows.h first.
#include <psapi.h>

#include "tests/faults/fault_fixture.h"

std::size_t peakResidentBytes() {
    PROCESS_MEMORY_COUNTERS memory{};
    GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof memory);
    return memory.PeakWorkingSetSize;
}
