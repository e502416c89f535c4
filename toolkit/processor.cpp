#include "toolkit/processor.h"

bool processorHasAvx2() {
    static const bool has = (__builtin_cpu_init(), __builtin_cpu_supports("avx2") != 0);
    return has;
}
