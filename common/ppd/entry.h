// One tokenised entry of a PPD file, *Keyword Option/Translation: Value, and the
// tokenizer that fills it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
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

// One token of an entry: a run of the file's own bytes, followed by a NUL that the
// tokenizer wrote over the delimiter that ended it. Empty tokens are "".
class EntryText {
 public:
  // `text` must hold a NUL after its `length` bytes.
  void Set(const char* text, uint32_t length) {
    text_ = text;
    length_ = length;
  }
  void Clear() { Set("", 0); }
  bool empty() const { return length_ == 0; }
  uint32_t length() const { return length_; }
  const char* c_str() const { return text_; }
  std::string_view view() const { return {text_, length_}; }

 private:
  const char* text_ = "";
  uint32_t length_ = 0;
};

// The tokens of an entry hold the file's bytes where they are, so they last as long as the
// file's bytes do: until the load ends.
struct PpdEntry {
  // The longest keyword, option keyword and translation string a load accepts; a longer
  // one abandons the load. Values have no bound.
  static constexpr uint32_t kKeywordCapacity = 40;
  static constexpr uint32_t kOptionCapacity = 40;
  static constexpr uint32_t kTranslationCapacity = 128;

  EntryText keyword;  // without the leading *
  EntryText option;
  EntryText translation;
  EntryText value;  // keeps every byte, NULs included
  ValueType valueType = ValueType::kNone;

  void Clear();
};

// Reads the next entry. kOk: `entry` holds one complete entry, each token ended in place
// with a NUL; kSyntax: a malformed entry was skipped up to the character that made it
// fail; kNoRoom: a token was longer than its capacity; kEof: the file ended (a partial
// entry is dropped); kUnclosedQuote: a quoted value ran to the end of the file.
Status ReadEntry(PpdEntry& entry, PpdStream& stream);

}  // namespace kx::ppd
