// A per-load hash index over named parse records (features, and options under their
// feature), so that finding a record by name does not walk its list. Records never
// leave a list during a load, so the index only grows.
#pragma once

#include <cstdint>
#include <cstring>
#include <memory>
#include <new>
#include <string_view>

#include "ppd/text_compare.h"

namespace kx::ppd {

// The name of a record under its owner, hashed once for both a lookup and the filing
// that may follow it.
struct NameKey {
  const void* owner;
  std::string_view name;
  uint32_t hash;
};

// The records' own name hash cannot pick slots: it shifts early characters out and
// gives the same value to many numbered names (Option02 and Option10 among them). This
// one mixes the owner and every bit of the name, eight bytes at a time.
inline NameKey MakeNameKey(const void* owner, std::string_view name) {
  constexpr uint64_t kMultiplier = 0x9E3779B97F4A7C15u;
  uint64_t hash = (reinterpret_cast<uintptr_t>(owner) ^ name.size()) * kMultiplier;
  size_t at = 0;
  for (; name.size() - at >= 8; at += 8) {
    uint64_t word = 0;
    std::memcpy(&word, name.data() + at, sizeof word);
    hash = (hash ^ word) * kMultiplier;
    hash ^= hash >> 29;
  }
  uint64_t tail = 0;
  for (unsigned shift = 0; at < name.size(); ++at, shift += 8) {
    tail |= uint64_t{static_cast<uint8_t>(name[at])} << shift;
  }
  hash = (hash ^ tail) * kMultiplier;
  return NameKey{owner, name, static_cast<uint32_t>(hash >> 32)};
}

// Record has `const char* keyword`. Each record is filed under an owner: the feature of
// an option, or null for a feature. The first table lies inside the index, so that a
// small file's load neither allocates nor clears a large table; it is left for the heap
// once it fills. The index holds pointers into itself and is neither copied nor moved.
template <typename Record, uint32_t kInlineCapacity = 32>
class NameIndex {
 public:
  static_assert(kInlineCapacity >= 2 && (kInlineCapacity & (kInlineCapacity - 1)) == 0,
                "the capacity is a power of two");

  NameIndex() = default;
  NameIndex(const NameIndex&) = delete;
  NameIndex& operator=(const NameIndex&) = delete;

  // The record filed under the key's owner and name, or null.
  Record* Find(const NameKey& key) const {
    for (uint32_t at = Home(key.hash);; at = (at + 1) & (capacity_ - 1)) {
      const Slot& slot = slots_[at];
      if (slot.record == nullptr) return nullptr;
      if (slot.hash == key.hash && slot.length == key.name.size() && slot.owner == key.owner &&
          SameBytes(slot.record->keyword, key.name.data(), key.name.size())) {
        return slot.record;
      }
    }
  }

  // Makes room for `count` records at once, so that filing them needs no growing and
  // refiling on the way. False when memory could not be obtained.
  bool Reserve(uint32_t count) {
    uint32_t capacity = capacity_;
    while (count > capacity / 2) {
      if (capacity >= kMaxCapacity) return false;
      capacity *= 2;
    }
    return capacity == capacity_ || GrowTo(capacity);
  }

  // Files a record whose keyword is the key's name, not yet filed under the key's owner.
  // False when memory could not be obtained.
  bool Add(const NameKey& key, Record* record) {
    if ((count_ + 1) * 2 > capacity_ && !Grow()) return false;
    Place(Slot{key.hash, static_cast<uint32_t>(key.name.size()), key.owner, record});
    ++count_;
    return true;
  }

 private:
  // Only `record` says whether a slot is taken, so only it starts cleared.
  struct Slot {
    uint32_t hash;    // of the record's keyword and owner
    uint32_t length;  // of the record's keyword, so that a match needs no strlen
    const void* owner;
    Record* record = nullptr;  // null for an empty slot
  };
  static constexpr uint32_t kMaxCapacity = uint32_t{1} << 31;

  // The hash's top bits pick the slot.
  uint32_t Home(uint32_t hash) const { return hash >> shift_; }

  void Place(const Slot& entry) {
    uint32_t at = Home(entry.hash);
    while (slots_[at].record != nullptr) at = (at + 1) & (capacity_ - 1);
    slots_[at] = entry;
  }

  // Doubles the table (kept at most half full) and files every record again.
  bool Grow() {
    if (capacity_ >= kMaxCapacity) return false;
    return GrowTo(capacity_ * 2);
  }

  // A table of `capacity` slots, a power of two above the present one, filed anew.
  bool GrowTo(uint32_t capacity) {
    std::unique_ptr<Slot[]> slots(new (std::nothrow) Slot[capacity]());
    if (!slots) return false;
    std::unique_ptr<Slot[]> oldHeap = std::move(heap_);  // freed once refiled
    const Slot* old = slots_;
    const uint32_t oldCapacity = capacity_;
    heap_ = std::move(slots);
    slots_ = heap_.get();
    capacity_ = capacity;
    shift_ = 32 - Log2(capacity);
    for (uint32_t at = 0; at < oldCapacity; ++at) {
      if (old[at].record != nullptr) Place(old[at]);
    }
    return true;
  }

  static constexpr uint32_t Log2(uint32_t powerOfTwo) {
    uint32_t bits = 0;
    while ((uint32_t{1} << bits) < powerOfTwo) ++bits;
    return bits;
  }

  Slot inline_[kInlineCapacity];
  std::unique_ptr<Slot[]> heap_;  // the table once the inline one is outgrown
  Slot* slots_ = inline_;
  uint32_t capacity_ = kInlineCapacity;  // a power of two
  uint32_t shift_ = 32 - Log2(kInlineCapacity);  // the hash bits that pick a slot
  uint32_t count_ = 0;
};

}  // namespace kx::ppd
