// One tokenised entry of a PPD file, *Keyword Option/Translation: Value, and the
// tokenizer that fills it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string_view>

#include "ppd/status.h"
#include "ppd/stream.h"

namespace kx::ppd {

enum class ValueType : uint32_t {
  kNone = 0,    // keyword without a colon
  kQuoted = 2,  // the value began with a double quote
  kSymbol = 3,  // unquoted value beginning with ^
  kString = 4,  // any other unquoted value
};

// A token buffer of fixed capacity, always NUL-terminated after its length.
template <uint32_t Capacity>
class FixedText {
 public:
  static constexpr uint32_t kCapacity = Capacity;

  // Appends as much of the run as fits; false when not all of it did, which is how a
  // token that is too long shows.
  bool Append(const uint8_t* bytes, size_t count) {
    const size_t taken = count < Capacity - length_ ? count : Capacity - length_;
    if (taken > 0) std::memcpy(text_ + length_, bytes, taken);
    length_ += static_cast<uint32_t>(taken);
    text_[length_] = '\0';
    return taken == count;
  }
  bool Append(uint8_t c) { return Append(&c, 1); }
  void Clear() {
    length_ = 0;
    text_[0] = '\0';
  }
  bool empty() const { return length_ == 0; }
  uint32_t length() const { return length_; }
  const char* c_str() const { return text_; }
  std::string_view view() const { return {text_, length_}; }

 private:
  uint32_t length_ = 0;
  char text_[Capacity + 1] = {};
};

// The value buffer: starts at 1024 characters and grows as long as memory lasts. It
// keeps every byte, NULs included, and is NUL-terminated after its length.
class ValueText {
 public:
  static constexpr uint32_t kInitialCapacity = 1024;

  ValueText();
  // False when memory could not be obtained; the value is then left as it was.
  bool Append(const uint8_t* bytes, size_t count);
  bool Append(uint8_t c) { return Append(&c, 1); }
  void Clear();
  bool empty() const { return length_ == 0; }
  uint32_t length() const { return length_; }
  const char* c_str() const { return storage_ ? storage_.get() : ""; }
  std::string_view view() const { return {c_str(), length_}; }

 private:
  bool Grow();
  bool Reserve(uint64_t wanted);

  std::unique_ptr<char[]> storage_;
  uint32_t capacity_ = 0;
  uint32_t length_ = 0;
};

struct PpdEntry {
  FixedText<40> keyword;  // without the leading *
  FixedText<40> option;
  FixedText<128> translation;
  ValueText value;
  ValueType valueType = ValueType::kNone;

  void Clear();
};

// Reads the next entry. kOk: `entry` holds one complete entry; kSyntax: a malformed
// entry was skipped up to the character that made it fail; kNoRoom: a token overflowed;
// kEof: the file ended (a partial entry is dropped). On kEof and kNoRoom the stream's
// checksum covers every byte read.
Status ReadEntry(PpdEntry& entry, PpdStream& stream);

}  // namespace kx::ppd
