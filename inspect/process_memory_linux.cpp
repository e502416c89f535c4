#include "inspect/process_memory.h"

#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>

namespace {

// The heap grows by at least this much at a time, and keeps it: one piece holds the index of a
// comparison of the largest reports, which then takes a few dozen page faults, not thousands.
constexpr std::size_t kHeapPiece = 64 * 1024 * 1024;
constexpr std::uintptr_t kHugePage = 2 * 1024 * 1024;

}  // namespace

void prepareHeapForLargeReports() {
    // One heap for all threads: the reading threads' own heaps would each take pages one by one.
    mallopt(M_ARENA_MAX, 1);
    mallopt(M_TOP_PAD, static_cast<int>(kHeapPiece));
    mallopt(M_TRIM_THRESHOLD, static_cast<int>(2 * kHeapPiece));
    // The batches' rooms of half a megabyte come from the same heap, not a mapping each.
    mallopt(M_MMAP_THRESHOLD, static_cast<int>(8 * 1024 * 1024));
    // A block larger than the heap's room makes it grow now, by the piece above; the block and
    // the room behind it up to the heap's end are then asked to be backed by huge pages. Where
    // the block does not lie in that heap (another allocator's, or a mapping of its own), the
    // pages stay as they are, as they do where the kernel has no huge pages to give.
    void* first = std::malloc(kHugePage);
    const auto block = reinterpret_cast<std::uintptr_t>(first);
    const auto heapEnd = reinterpret_cast<std::uintptr_t>(sbrk(0));
    const std::uintptr_t begin = (block + kHugePage - 1) & ~(kHugePage - 1);
    const std::uintptr_t end = heapEnd & ~(kHugePage - 1);
    if (first != nullptr && block < heapEnd && begin < end)
        madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
    std::free(first);
}
