#include <cstdio>
#include <cstdlib>

#include "fuzz/fuzz_targets.h"

void fuzzCheck(bool holds, const char* what) {
    if (holds)
        return;
    std::fprintf(stderr, "fuzz check failed: %s\n", what);
    std::abort();
}
