#include "toolkit/processor.h"

bool processorHasAvx2() {
    static const bool has = (__builtin_cpu_init(), __builtin_cpu_supports("avx2") != 0);
    return has;
}

bool processorHasAvx512Bytes() {
    static const bool has = (__builtin_cpu_init(), __builtin_cpu_supports("avx512bw") != 0 &&
                                                       __builtin_cpu_supports("avx512vbmi2") != 0 &&
                                                       __builtin_cpu_supports("bmi2") != 0);
    return has;
}
