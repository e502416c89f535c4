#pragma once

#include <cstdint>

// The process's peak resident memory. resetPeakMemory starts a new measurement where the
// platform allows it (Linux); elsewhere the peak counts from the start of the process.
void resetPeakMemory();
std::int64_t peakMemoryBytes();
