// The libFuzzer entry point of one target, chosen by CR_FUZZ_TARGET when it is compiled.
#include "fuzz/fuzz_targets.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    CR_FUZZ_TARGET(data, size);
    return 0;
}
