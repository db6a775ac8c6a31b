#include <algorithm>
#include <cstring>
#include <limits>
#include <new>

#include "ppd/char_class.h"
#include "ppd/entry.h"

namespace kx::ppd {

ValueText::ValueText()
    : storage_(new (std::nothrow) char[kInitialCapacity + 1]()),
      capacity_(storage_ ? kInitialCapacity : 0) {}

bool ValueText::Append(uint8_t c) {
  if (length_ == capacity_ && !Grow()) return false;
  storage_[length_++] = static_cast<char>(c);
  storage_[length_] = '\0';
  return true;
}

void ValueText::Clear() {
  length_ = 0;
  if (storage_) storage_[0] = '\0';
}

// Grows by at least 1024 characters and by doubling beyond that, so that a value of
// many megabytes costs a few dozen copies rather than thousands.
bool ValueText::Grow() {
  constexpr uint64_t kLimit = std::numeric_limits<uint32_t>::max() - 1;
  const uint64_t wanted = uint64_t{capacity_} + std::max<uint64_t>(capacity_, kInitialCapacity);
  const uint64_t capacity = std::min(wanted, kLimit);
  if (capacity <= capacity_) return false;
  std::unique_ptr<char[]> grown(new (std::nothrow) char[capacity + 1]());
  if (!grown) return false;
  if (length_ > 0) std::memcpy(grown.get(), storage_.get(), length_);
  storage_ = std::move(grown);
  capacity_ = static_cast<uint32_t>(capacity);
  return true;
}

void PpdEntry::Clear() {
  keyword.Clear();
  option.Clear();
  translation.Clear();
  value.Clear();
  valueType = ValueType::kNone;
}

namespace {

// Reads one entry with one character of look-ahead: `current_` is the last character
// read, the one that ended the previous token.
class EntryReader {
 public:
  EntryReader(PpdEntry& entry, PpdStream& stream) : entry_(entry), stream_(stream) {}

  Status Read() {
    Status status = FindKeywordStart();
    if (status == Status::kOk) status = ReadToken(entry_.keyword, kClassKeyword);
    if (status == Status::kOk) status = SkipBlanks();
    if (status != Status::kOk || AtLineEnd()) return status;
    if (current_ != ':') status = ReadOptionAndTranslation();
    if (status != Status::kOk) return status;
    return ReadValue();
  }

 private:
  Status Next() { return ReadChar(stream_, &current_); }
  bool AtLineEnd() const { return HasClass(current_, kClassNewline); }

  Status SkipBlanks() {
    while (HasClass(current_, kClassBlank)) {
      if (Status status = Next(); status != Status::kOk) return status;
    }
    return Status::kOk;
  }

  Status SkipRestOfLine() {
    do {
      if (Status status = Next(); status != Status::kOk) return status;
    } while (!AtLineEnd());
    return Status::kOk;
  }

  // Only a * that starts a line and is not followed by % starts an entry; every other
  // line is skipped whole. Leaves the keyword's first character in `current_`.
  Status FindKeywordStart() {
    for (;;) {
      if (Status status = Next(); status != Status::kOk) return status;
      if (current_ == '*') {
        if (Status status = Next(); status != Status::kOk) return status;
        if (current_ != '%') return Status::kOk;
      }
      if (!AtLineEnd()) {
        if (Status status = SkipRestOfLine(); status != Status::kOk) return status;
      }
    }
  }

  template <typename Text>
  Status ReadToken(Text& text, uint8_t tokenClass) {
    while (HasClass(current_, tokenClass)) {
      if (!text.Append(current_)) return Status::kNoRoom;
      if (Status status = Next(); status != Status::kOk) return status;
    }
    return text.empty() ? Status::kSyntax : Status::kOk;
  }

  // There is no translation without an option keyword.
  Status ReadOptionAndTranslation() {
    Status status = ReadToken(entry_.option, kClassOption);
    if (status == Status::kOk) status = SkipBlanks();
    if (status == Status::kOk && current_ == '/') {
      status = Next();
      if (status == Status::kOk) status = ReadToken(entry_.translation, kClassTranslation);
    }
    if (status != Status::kOk) return status;
    return current_ == ':' ? Status::kOk : Status::kSyntax;
  }

  bool AtValueEnd(bool quoted) const {
    return quoted ? current_ == '"' : (AtLineEnd() || current_ == '/');
  }

  // A quoted value runs to the closing quote, line ends included; an unquoted one to the
  // line end or to the slash of its own translation, which is dropped.
  Status ReadValue() {
    Status status = Next();
    if (status == Status::kOk) status = SkipBlanks();
    if (status != Status::kOk) return status;
    const bool quoted = current_ == '"';
    entry_.valueType = quoted ? ValueType::kQuoted : ValueType::kString;
    if (quoted && (status = Next()) != Status::kOk) return status;
    while (!AtValueEnd(quoted)) {
      if (!entry_.value.Append(current_)) return Status::kNoRoom;
      if ((status = Next()) != Status::kOk) return status;
    }
    if (quoted || !AtLineEnd()) {
      if ((status = SkipRestOfLine()) != Status::kOk) return status;
    }
    if (!quoted && entry_.value.c_str()[0] == '^') entry_.valueType = ValueType::kSymbol;
    return Status::kOk;
  }

  PpdEntry& entry_;
  PpdStream& stream_;
  uint8_t current_ = 0;
};

}  // namespace

Status ReadEntry(PpdEntry& entry, PpdStream& stream) {
  entry.Clear();
  return EntryReader(entry, stream).Read();
}

}  // namespace kx::ppd
