// The block allocator that holds every parse-time record and string of one load. Nothing
// is freed singly; destroying the arena frees every block.
#pragma once

#include <cstddef>
#include <cstdint>
#include <new>

#include "ppd/room_tree.h"

namespace kx::ppd {

class Arena {
 public:
  static constexpr uint32_t kBlockSize = 4080;
  // Parse records hold pointers, so every allocation keeps pointer alignment.
  static constexpr size_t kAlignment =
      alignof(std::max_align_t) < 8 ? alignof(std::max_align_t) : 8;

  Arena() = default;
  ~Arena();
  Arena(const Arena&) = delete;
  Arena& operator=(const Arena&) = delete;

  // Memory of `size` bytes, or null when memory could not be obtained. Its contents are
  // whatever the block held: the caller writes every byte it reads later. Most requests
  // fit the newest block and are served here, inline in the caller.
  void* Allocate(size_t size) {
    if (newest_ != nullptr && size <= newest_->free) {  // so `size` cannot overflow below
      const size_t aligned = (size + kAlignment - 1) / kAlignment * kAlignment;
      if (aligned <= limit_ - used_) return Take(*newest_, aligned);
    }
    return AllocateSlowly(size);
  }

  // A value-initialised record (every field zero unless the record says otherwise), or
  // null. Only the record's own bytes are written, never the block around them.
  template <typename Record>
  Record* New() {
    static_assert(alignof(Record) <= kAlignment);
    void* memory = Allocate(sizeof(Record));
    return memory ? new (memory) Record{} : nullptr;
  }

  // Makes the first block hold at least `capacity` bytes, taking a block kept from an
  // earlier load when there is one, so that a load that knows its size roughly gets its
  // memory in one piece. Only before the first allocation; a shortfall of memory is not
  // a failure (blocks are then made as they are needed).
  void ReserveFirstBlock(size_t capacity);

  // Test hook: allocations fail once more than `bytes` in all would have been handed
  // out, as if memory had run out there.
  void SetLimitForTesting(size_t bytes) { limit_ = bytes; }

  size_t blockCount() const { return blocks_.count(); }
  size_t bytesUsed() const { return used_; }

 private:
  struct Block {
    size_t capacity;
    size_t free;
    uint8_t* next;
  };
  static constexpr size_t kHeaderSize = (sizeof(Block) + kAlignment - 1) / kAlignment * kAlignment;

  // Hands out `aligned` bytes of the block, or the rest of it when that is less: the
  // cursor moves by the aligned size, or by exactly the rest of the block.
  void* Take(Block& block, size_t aligned) {
    uint8_t* memory = block.next;
    const size_t step = aligned < block.free ? aligned : block.free;
    block.next += step;
    block.free -= step;
    used_ += step;
    return memory;
  }
  // Allocate for a request the newest block cannot serve, or one past the limit.
  void* AllocateSlowly(size_t size);
  // Allocation when the newest block lacks room: from the newest older block that has
  // it, else from a new block.
  void* AllocateElsewhere(size_t size, size_t aligned);
  // A new block, made the newest; false when memory fails.
  bool AddBlock(size_t capacity);
  // Files `memory` as the newest block of `capacity` bytes after its header.
  bool FileBlock(void* memory, size_t capacity);

  // Most allocations come from the newest block, kept at hand; its room is brought up
  // to date in the tree only when an older block or a new one is wanted.
  RoomTree<Block> blocks_;
  Block* newest_ = nullptr;
  size_t used_ = 0;
  size_t limit_ = SIZE_MAX;
  bool firstBlockKept_ = false;  // the first block goes back to the block cache
};

}  // namespace kx::ppd
