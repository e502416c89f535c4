#include <fstream>
#include <string>

#include "tests/faults/peak_memory.h"

// Writing 5 to clear_refs resets the peak (VmHWM) to the current resident size; see
// https://www.kernel.org/doc/html/latest/filesystems/proc.html
void resetPeakMemory() {
    std::ofstream("/proc/self/clear_refs") << "5";
}

std::int64_t peakMemoryBytes() {
    std::ifstream status("/proc/self/status");
    std::string key;
    while (status >> key && key != "VmHWM:") {
    }
    std::int64_t kilobytes = 0;
    status >> kilobytes;
    return kilobytes * 1024;
}
