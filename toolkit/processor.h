#pragma once

// What the processor has, asked of it once. The scans that run over every byte of a report take
// 64 bytes at once with AVX-512's byte instructions where it has them, 32 with AVX2, and 16
// (SSE2, which every x86-64 processor has) elsewhere.
bool processorHasAvx2();
// AVX-512's byte comparisons (BW) and its byte compression (VBMI2), with BMI2 beside them.
bool processorHasAvx512Bytes();
