#pragma once

#include <cstddef>

// Width bytes at once in the compiler's vector extension (GCC and Clang build both targets):
// one instruction compares them all where the processor has vector registers of that width
// (SSE2 for 16, AVX2 for 32). Read as signed, the control characters and the bytes beyond ASCII
// are those below 0x20; a comparison gives lanes of the same type, -1 where it holds. The
// unaligned types are typedefs: Clang lowers a type's alignment only for a typedef's attribute.
template <std::size_t Width>
struct ByteVectors;
template <>
struct ByteVectors<16> {
    using Bytes = signed char __attribute__((vector_size(16)));
    typedef signed char Unaligned __attribute__((vector_size(16), aligned(1), may_alias));
};
template <>
struct ByteVectors<32> {
    using Bytes = signed char __attribute__((vector_size(32)));
    typedef signed char Unaligned __attribute__((vector_size(32), aligned(1), may_alias));
};
template <std::size_t Width>
using ByteVector = typename ByteVectors<Width>::Bytes;

// The Width bytes at `at`, wherever they stand.
template <std::size_t Width>
[[gnu::always_inline]] inline const typename ByteVectors<Width>::Unaligned& bytesAt(
    const char* at) {
    return *reinterpret_cast<const typename ByteVectors<Width>::Unaligned*>(at);
}
