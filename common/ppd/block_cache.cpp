#include "ppd/block_cache.h"

#include <array>
#include <atomic>
#include <cstdlib>
#include <cstring>

namespace kx::ppd {

namespace {

// Every block starts with its header; the caller's memory follows it. `written` is the
// extent that may be dirty, so that a kept block is zeroed only as far as it was used.
struct BlockHeader {
  size_t capacity;
  size_t written;
};
constexpr size_t kHeaderSize =
    (sizeof(BlockHeader) + alignof(std::max_align_t) - 1) / alignof(std::max_align_t) *
    alignof(std::max_align_t);

// Each slot is exchanged as a whole, so that loads on several threads share the cache
// without a lock: a block is in one slot or in the hands of one load, never both.
std::array<std::atomic<BlockHeader*>, kCachedBlockSlots> slots{};

BlockHeader* HeaderOf(void* block) {
  return reinterpret_cast<BlockHeader*>(static_cast<unsigned char*>(block) - kHeaderSize);
}

void* MemoryOf(BlockHeader* header) {
  return reinterpret_cast<unsigned char*>(header) + kHeaderSize;
}

// Whether a kept block of `capacity` bytes should serve a request of `wanted`: large
// enough, and not so much larger that a small image would hold a large block for as long
// as its caller keeps it.
bool Suits(size_t capacity, size_t wanted) {
  if (capacity < wanted) return false;
  return capacity - wanted <= kLargestSpareRoom || capacity / 2 <= wanted;
}

// Under AddressSanitizer nothing is kept, so that a use of an image after PpdClose is
// still reported.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool kKeepsBlocks = false;
#else
constexpr bool kKeepsBlocks = true;
#endif

// Puts a block back into a free slot; frees it when there is none.
void Keep(BlockHeader* header) {
  if (kKeepsBlocks && header->capacity <= kLargestCachedBlock) {
    for (std::atomic<BlockHeader*>& slot : slots) {
      BlockHeader* empty = nullptr;
      if (slot.compare_exchange_strong(empty, header, std::memory_order_release,
                                       std::memory_order_relaxed)) {
        return;
      }
    }
  }
  std::free(header);
}

// A kept block that suits `wanted`. Kept blocks too small for it are freed, so that the
// larger block this load obtains takes their place; blocks far too large stay kept.
BlockHeader* TakeKept(size_t wanted) {
  for (std::atomic<BlockHeader*>& slot : slots) {
    if (slot.load(std::memory_order_relaxed) == nullptr) continue;
    BlockHeader* header = slot.exchange(nullptr, std::memory_order_acquire);
    if (header == nullptr) continue;
    if (Suits(header->capacity, wanted)) return header;
    if (header->capacity < wanted) {
      std::free(header);
    } else {
      Keep(header);
    }
  }
  return nullptr;
}

}  // namespace

void* TakeZeroedBlock(size_t wanted, size_t* capacity) {
  if (wanted > SIZE_MAX - kHeaderSize) return nullptr;
  BlockHeader* header = TakeKept(wanted);
  if (header != nullptr) {
    std::memset(MemoryOf(header), 0, header->written);
  } else {
    header = static_cast<BlockHeader*>(std::calloc(1, kHeaderSize + wanted));
    if (header == nullptr) return nullptr;
    header->capacity = wanted;
  }
  header->written = 0;
  *capacity = header->capacity;
  return MemoryOf(header);
}

// The block keeps its dirty extent, which GiveBlock only ever widens.
void* TakeBlock(size_t wanted, size_t* capacity) {
  if (wanted > SIZE_MAX - kHeaderSize) return nullptr;
  BlockHeader* header = TakeKept(wanted);
  if (header == nullptr) {
    header = static_cast<BlockHeader*>(std::malloc(kHeaderSize + wanted));
    if (header == nullptr) return nullptr;
    header->capacity = wanted;
    header->written = wanted;  // nothing of a new block is known to be zero
  }
  *capacity = header->capacity;
  return MemoryOf(header);
}

void GiveBlock(void* block, size_t written) {
  if (block == nullptr) return;
  BlockHeader* header = HeaderOf(block);
  const size_t extent = written < header->capacity ? written : header->capacity;
  if (extent > header->written) header->written = extent;
  Keep(header);
}

void ReleaseKeptBlocks() {
  for (std::atomic<BlockHeader*>& slot : slots) {
    std::free(slot.exchange(nullptr, std::memory_order_acquire));
  }
}

}  // namespace kx::ppd
