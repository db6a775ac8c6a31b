#include "ppd/arena.h"

#include <cstdlib>

#include "ppd/block_cache.h"

namespace kx::ppd {

Arena::~Arena() {
  for (size_t index = 0; index < blocks_.count(); ++index) {
    Block* block = blocks_.at(index);
    if (index == 0 && firstBlockKept_) {
      GiveBlock(block, kHeaderSize + block->capacity - block->free);
    } else {
      std::free(block);
    }
  }
}

bool Arena::FileBlock(void* memory, size_t capacity) {
  Block* block = static_cast<Block*>(memory);
  block->capacity = capacity;
  block->free = capacity;
  block->next = static_cast<uint8_t*>(memory) + kHeaderSize;
  if (blocks_.Add(block, capacity) == RoomTree<Block>::kNone) return false;
  newest_ = block;
  return true;
}

bool Arena::AddBlock(size_t capacity) {
  if (capacity > SIZE_MAX - kHeaderSize) return false;
  void* memory = std::malloc(kHeaderSize + capacity);
  if (memory == nullptr) return false;
  if (!FileBlock(memory, capacity)) {
    std::free(memory);
    return false;
  }
  return true;
}

void Arena::ReserveFirstBlock(size_t capacity) {
  if (blocks_.count() != 0 || capacity > SIZE_MAX - kHeaderSize) return;
  size_t obtained = 0;
  void* memory = TakeBlock(kHeaderSize + capacity, &obtained);
  if (memory == nullptr) return;
  if (!FileBlock(memory, obtained - kHeaderSize)) {
    GiveBlock(memory, 0);
    return;
  }
  firstBlockKept_ = true;
}

// First fit from the newest block; a request larger than a block gets a block of its
// own size.
void* Arena::AllocateElsewhere(size_t size, size_t aligned) {
  if (newest_ != nullptr) {
    blocks_.SetRoom(blocks_.count() - 1, newest_->free);  // it becomes an older block now
    const size_t older = blocks_.NewestWithRoom(size);
    if (older != RoomTree<Block>::kNone) {
      void* memory = Take(*blocks_.at(older), aligned);
      blocks_.SetRoom(older, blocks_.at(older)->free);
      return memory;
    }
  }
  if (!AddBlock(size > kBlockSize ? size : kBlockSize)) return nullptr;
  return Take(*newest_, aligned);
}

void* Arena::AllocateSlowly(size_t size) {
  if (size > SIZE_MAX - kAlignment) return nullptr;
  const size_t aligned = (size + kAlignment - 1) / kAlignment * kAlignment;
  if (aligned > limit_ - used_) return nullptr;
  if (newest_ != nullptr && newest_->free >= size) return Take(*newest_, aligned);
  return AllocateElsewhere(size, aligned);
}

}  // namespace kx::ppd
