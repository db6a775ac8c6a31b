// The arena's blocks in the order they were made, with a max tree over the room each
// has left, so that the newest block with enough room is found in a few steps instead
// of a walk over every block. The first few blocks' nodes lie inside the tree, so that
// a small load (usually one block) allocates nothing for it; the tree holds pointers
// into itself and is neither copied nor moved.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <new>

namespace kx::ppd {

template <typename Block>
class RoomTree {
 public:
  static constexpr size_t kNone = SIZE_MAX;

  RoomTree() = default;
  RoomTree(const RoomTree&) = delete;
  RoomTree& operator=(const RoomTree&) = delete;

  size_t count() const { return count_; }
  Block* at(size_t index) const { return nodes_[leaves_ + index].block; }

  // Adds `block` as the newest and returns its index; kNone when memory could not be
  // obtained.
  size_t Add(Block* block, size_t room) {
    if (count_ == leaves_ && !Grow()) return kNone;
    const size_t index = count_++;
    nodes_[leaves_ + index].block = block;
    SetRoom(index, room);
    return index;
  }

  void SetRoom(size_t index, size_t room) {
    size_t node = leaves_ + index;
    nodes_[node].room = room;
    for (node /= 2; node >= 1; node /= 2) nodes_[node].room = LargerRoom(node);
  }

  // The index of the newest block with at least `wanted` bytes of room, or kNone.
  size_t NewestWithRoom(size_t wanted) const {
    if (count_ == 0 || nodes_[1].room < wanted) return kNone;
    if (wanted == 0) return count_ - 1;  // unused leaves would match too
    size_t node = 1;
    while (node < leaves_) node = nodes_[2 * node + 1].room >= wanted ? 2 * node + 1 : 2 * node;
    return node - leaves_;
  }

 private:
  // Node 1 is the root, node n has children 2n and 2n + 1, and block i is leaf
  // leaves_ + i. Inner nodes hold the largest room below them and no block.
  struct Node {
    size_t room;
    Block* block;
  };
  static constexpr size_t kInlineLeaves = 4;

  size_t LargerRoom(size_t node) const {
    const size_t left = nodes_[2 * node].room;
    const size_t right = nodes_[2 * node + 1].room;
    return left > right ? left : right;
  }

  // Doubles the leaves and rebuilds the inner nodes above them.
  bool Grow() {
    if (leaves_ > SIZE_MAX / 4 / sizeof(Node)) return false;
    const size_t leaves = leaves_ * 2;
    std::unique_ptr<Node[]> nodes(new (std::nothrow) Node[2 * leaves]());
    if (!nodes) return false;
    for (size_t index = 0; index < count_; ++index) nodes[leaves + index] = nodes_[leaves_ + index];
    heap_ = std::move(nodes);
    nodes_ = heap_.get();
    leaves_ = leaves;
    for (size_t node = leaves_ - 1; node >= 1; --node) nodes_[node].room = LargerRoom(node);
    return true;
  }

  // Unused leaves have no room, as the inner nodes above them assume.
  Node inline_[2 * kInlineLeaves] = {};
  std::unique_ptr<Node[]> heap_;  // the nodes once the inline ones are outgrown
  Node* nodes_ = inline_;
  size_t leaves_ = kInlineLeaves;  // a power of two
  size_t count_ = 0;
};

}  // namespace kx::ppd
