#pragma once

// Whether the processor has AVX2, asked of it once. The scans that run over every byte of a
// report take 32 bytes at once where it has, and 16 (SSE2, which every x86-64 processor has)
// elsewhere.
bool processorHasAvx2();
