#include "inspect/process_memory.h"

void prepareHeapForLargeReports() {}
