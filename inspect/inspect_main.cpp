#include <iostream>

#include "inspect/inspect_command.h"
#include "inspect/program_arguments.h"

int main(int argc, char** argv) {
    useBinaryStandardOutput();
    std::ios::sync_with_stdio(false);
    return runInspect(programArguments(argc, argv), std::cout, std::cerr);
}
