// Places records and strings in the image: once to measure it, once to fill it, with
// the same calls, so that the two passes cannot disagree. A small image may be filled
// without being measured, into a block that is probably large enough; size() then tells
// whether it was (nothing is written past the block).
#pragma once

#include <cstdint>
#include <cstring>
#include <limits>
#include <string_view>

#include "ppd/ppd.h"

namespace kx::ppd {

class ImageWriter {
 public:
  // Measures only when `block` is null; otherwise fills `block` of `capacity` bytes,
  // which must be zero-filled.
  ImageWriter(uint8_t* block, uint64_t capacity) : block_(block), capacity_(capacity) {}

  // Reserves `size` bytes at the next offset (always a multiple of 4) and returns it.
  Ref Reserve(uint64_t size) {
    const uint64_t at = end_;
    end_ += (size + 3) / 4 * 4;
    return FitsOffset(at) ? static_cast<Ref>(at) : 0;
  }

  // A copy of the NUL-terminated text; 0 for none.
  Ref PutString(const char* text) {
    if (text == nullptr) return 0;
    return PutString(std::string_view(text));
  }

  // A copy of the text with a NUL after it, for a caller that knows its length.
  Ref PutString(std::string_view text) {
    const Ref at = Reserve(text.size() + 1);
    if (writing()) PutBytes(at, text.data(), text.size());
    return at;
  }

  // UTF-16 text with its 2-byte terminator.
  Ref PutWide(std::u16string_view text) {
    const Ref at = Reserve((text.size() + 1) * sizeof(char16_t));
    if (writing()) PutBytes(at, text.data(), text.size() * sizeof(char16_t));
    return at;
  }

  template <typename Record>
  void Put(Ref at, const Record& record) {
    if (writing()) PutBytes(at, &record, sizeof record);
  }

  // The record at `at` (from Reserve) to be filled field by field where it lies; null
  // when measuring. Filling in place spares building the record beside the block and
  // copying it, where a copy in wide loads of fields just stored in narrow ones stalls.
  // Fields left alone stay zero, as the block is.
  template <typename Record>
  Record* RecordToFill(Ref at) {
    static_assert(alignof(Record) <= 4, "Reserve places records at multiples of 4");
    if (!writing() || uint64_t{at} + sizeof(Record) > capacity_) return nullptr;
    return reinterpret_cast<Record*>(block_ + at);
  }

  // Points the reference field at `fieldAt` to `target`.
  void Link(Ref fieldAt, Ref target) { Put(fieldAt, target); }

  uint64_t size() const { return end_; }
  // Whether everything placed so far can be addressed by 32-bit offsets.
  bool fits() const { return FitsOffset(end_); }
  bool writing() const { return block_ != nullptr; }

 private:
  static bool FitsOffset(uint64_t offset) { return offset <= std::numeric_limits<uint32_t>::max(); }

  void PutBytes(Ref at, const void* bytes, uint64_t size) {
    if (size == 0 || uint64_t{at} + size > capacity_) return;
    std::memcpy(block_ + at, bytes, size);
  }

  uint8_t* block_;
  uint64_t capacity_;
  uint64_t end_ = 0;
};

}  // namespace kx::ppd
