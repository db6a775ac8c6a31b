#include "ppd/arena.h"

#include <cstdlib>

namespace kx::ppd {

Arena::~Arena() {
  while (head_ != nullptr) {
    Block* next = head_->nextBlock;
    std::free(head_);
    head_ = next;
  }
}

Arena::Block* Arena::NewBlock(size_t capacity) {
  if (capacity > SIZE_MAX - kHeaderSize) return nullptr;
  void* memory = std::calloc(1, kHeaderSize + capacity);
  if (memory == nullptr) return nullptr;
  Block* block = static_cast<Block*>(memory);
  block->capacity = capacity;
  block->free = capacity;
  block->next = static_cast<uint8_t*>(memory) + kHeaderSize;
  block->nextBlock = head_;
  head_ = block;
  return block;
}

// First fit from the newest block; a request larger than a block gets a block of its
// own size. The cursor moves by the aligned size, or by exactly the rest of the block.
void* Arena::Allocate(size_t size) {
  if (size > SIZE_MAX - kAlignment) return nullptr;
  const size_t aligned = (size + kAlignment - 1) / kAlignment * kAlignment;
  if (aligned > limit_ - used_) return nullptr;
  Block* block = head_;
  while (block != nullptr && block->free < size) block = block->nextBlock;
  if (block == nullptr) block = NewBlock(size > kBlockSize ? size : kBlockSize);
  if (block == nullptr) return nullptr;
  uint8_t* memory = block->next;
  const size_t step = aligned < block->free ? aligned : block->free;
  block->next += step;
  block->free -= step;
  used_ += step;
  return memory;
}

size_t Arena::blockCount() const {
  size_t count = 0;
  for (const Block* block = head_; block != nullptr; block = block->nextBlock) ++count;
  return count;
}

}  // namespace kx::ppd
