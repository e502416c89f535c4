#include <iostream>

#include "inspect/process_memory.h"
#include "inspect/program_arguments.h"
#include "inspect/reader_commands.h"

int main(int argc, char** argv) {
    prepareHeapForLargeReports();
    useBinaryStandardOutput();
    std::ios::sync_with_stdio(false);
    return runReportReader(programArguments(argc, argv), std::cout, std::cerr);
}
