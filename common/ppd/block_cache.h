// Large blocks kept from one load for the next. A load's scratch memory (the arena's
// first block) and the image are each about the size of the file; obtained afresh every
// time, the C library hands such blocks back to the system when they are freed, and every
// page of the next load's block faults when first written. Kept here, a block is written
// again while its pages are still mapped.
#pragma once

#include <cstddef>

namespace kx::ppd {

// Blocks above this size are never kept: they are rare, and keeping them would hold
// that much memory for as long as the process runs.
inline constexpr size_t kLargestCachedBlock = size_t{8} << 20;

// A kept block serves a smaller request only when it is at most this much larger, or
// at most twice the size asked for.
inline constexpr size_t kLargestSpareRoom = size_t{64} << 10;

// How many blocks the cache keeps at once: a load's scratch block and an image per
// thread that loads at the same moment, for a few threads.
inline constexpr size_t kCachedBlockSlots = 4;

// At least `wanted` bytes, all zero, from a kept block when one is large enough (and not
// far larger), else newly obtained; null when memory could not be obtained. `capacity` receives the
// block's true size, which a caller may use in full (it is zero beyond `wanted` too).
void* TakeZeroedBlock(size_t wanted, size_t* capacity);

// The same without the zeroing, for a caller that writes every byte it reads: a kept
// block comes back as its last user left it.
void* TakeBlock(size_t wanted, size_t* capacity);

// Gives back a block from TakeZeroedBlock or TakeBlock, of which the caller wrote at most
// the first `written` bytes (a block from TakeBlock may be dirty further on from earlier
// use; the cache remembers how far). The block is kept when a slot is free and it is
// not too large; otherwise it is freed. Null is ignored.
void GiveBlock(void* block, size_t written);

// Frees every kept block: for a process that wants its memory back (and for tests that
// need the cache empty).
void ReleaseKeptBlocks();

}  // namespace kx::ppd
