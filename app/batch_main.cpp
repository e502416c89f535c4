#include <iostream>
#include <string>
#include <vector>

#include "app/batch_run.h"

int main(int argc, char** argv) {
    return runBatch(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr);
}
