#include <iostream>

#include "inspect/process_memory.h"
#include "inspect/program_arguments.h"
#include "inspect/reader_commands.h"
#include "toolkit/os/file_mapping.h"

int main(int argc, char** argv) {
    prepareHeapForLargeReports();
    // Reports are read where the system maps them; one that another program shortens meanwhile
    // ends the reading as one that cannot be read, not as a crash.
    osfs::endProcessOnLostMappedBytes(
        "A report was shortened, or could not be read from its disk, while it was read; the "
        "reading stops.\n",
        2);
    useBinaryStandardOutput();
    std::ios::sync_with_stdio(false);
    return runReportReader(programArguments(argc, argv), std::cout, std::cerr);
}
