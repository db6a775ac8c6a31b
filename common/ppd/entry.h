// One tokenised entry of a PPD file, *Keyword Option/Translation: Value, and the
// tokenizer that fills it.
#pragma once

#include <cstdint>
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

  // False when the buffer is full.
  bool Append(uint8_t c) {
    if (length_ == Capacity) return false;
    text_[length_++] = static_cast<char>(c);
    text_[length_] = '\0';
    return true;
  }
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
  // False when memory could not be obtained.
  bool Append(uint8_t c);
  void Clear();
  bool empty() const { return length_ == 0; }
  uint32_t length() const { return length_; }
  const char* c_str() const { return storage_ ? storage_.get() : ""; }
  std::string_view view() const { return {c_str(), length_}; }

 private:
  bool Grow();

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
// kEof: the file ended (a partial entry is dropped).
Status ReadEntry(PpdEntry& entry, PpdStream& stream);

}  // namespace kx::ppd
