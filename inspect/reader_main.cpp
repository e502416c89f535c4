#include <iostream>

#include "inspect/program_arguments.h"
#include "inspect/reader_commands.h"

int main(int argc, char** argv) {
    useBinaryStandardOutput();
    std::ios::sync_with_stdio(false);
    return runReportReader(programArguments(argc, argv), std::cout, std::cerr);
}
