#include <cstring>

#include "ppd/byte_scan.h"
#include "ppd/char_class.h"
#include "ppd/entry.h"

namespace kx::ppd {

namespace {

// Each scan returns the first byte from `p` on that ends the run, or `end`.

// Most often the line end is the very next byte (after a quoted value), which is then
// taken without a scan.
uint8_t* FindLineEnd(uint8_t* p, uint8_t* end) {
  if (p != end && IsLineEnd(*p)) return p;
  return Into(p, FindFirstOf<'\n', '\r'>(p, end));
}

// An unquoted value stops at the line end or at the slash of its own translation.
uint8_t* FindUnquotedValueEnd(uint8_t* p, uint8_t* end) {
  return Into(p, FindFirstOf<'\n', '\r', '/'>(p, end));
}

// A quoted value keeps its line ends and runs to the closing quote.
uint8_t* FindClosingQuote(uint8_t* p, uint8_t* end) {
  void* quote = std::memchr(p, '"', static_cast<size_t>(end - p));
  return quote != nullptr ? static_cast<uint8_t*>(quote) : end;
}

template <uint8_t TokenClass>
uint8_t* SkipTokenRun(uint8_t* p, uint8_t* end) {
  return Into(p, SkipRun<TokenClass>(p, end));
}

// Reads one entry with one character of look-ahead: `current_` is the last character
// read, the one that ended the previous token, and `next_` the first one not yet read.
// The entry's tokens are taken as runs of bytes, but every step leaves the cursor
// exactly where reading one character at a time would have left it.
class EntryReader {
 public:
  EntryReader(PpdEntry& entry, uint8_t* begin, uint8_t* end)
      : entry_(entry), next_(begin), end_(end) {}

  Status Read() {
    Status status = FindKeywordStart();
    if (status == Status::kOk) {
      status = ReadToken<kClassKeyword, PpdEntry::kKeywordCapacity>(entry_.keyword);
    }
    if (status == Status::kOk) status = SkipBlanks();
    if (status != Status::kOk || AtLineEnd()) return status;
    if (current_ != ':') status = ReadOptionAndTranslation();
    if (status != Status::kOk) return status;
    return ReadValue();
  }

  // Everything before this byte has been read.
  uint8_t* next() const { return next_; }

 private:
  Status Next() {
    if (next_ == end_) return Status::kEof;
    current_ = *next_++;
    return Status::kOk;
  }

  // Reads up to and including the byte at `p`, which becomes the current one; kEof when
  // `p` is the end.
  Status ReadThrough(uint8_t* p) {
    next_ = p;
    return Next();
  }

  // The current byte, which begins the run that a scan measures.
  uint8_t* CurrentPosition() const { return next_ - 1; }

  // Takes the run from `start` up to `stop` as a token and reads through `stop`, the
  // delimiter, which becomes the token's NUL once it has been read.
  Status TakeToken(EntryText& text, uint8_t* start, uint8_t* stop) {
    const Status status = ReadThrough(stop);
    if (status != Status::kOk) return status;
    *stop = '\0';
    text.Set(reinterpret_cast<const char*>(start), static_cast<uint32_t>(stop - start));
    return Status::kOk;
  }

  bool AtLineEnd() const { return IsLineEnd(current_); }

  Status SkipBlanks() {
    if (!HasClass(current_, kClassBlank)) return Status::kOk;
    return ReadThrough(SkipBlankRun(next_, end_));
  }

  Status SkipRestOfLine() { return ReadThrough(FindLineEnd(next_, end_)); }

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

  // A token longer than its capacity fails at its first character beyond it, which
  // counts as read.
  template <uint8_t TokenClass, uint32_t Capacity>
  Status ReadToken(EntryText& text) {
    if (!HasClass(current_, TokenClass)) return Status::kSyntax;
    uint8_t* start = CurrentPosition();
    uint8_t* stop = SkipTokenRun<TokenClass>(next_, end_);
    if (static_cast<size_t>(stop - start) > Capacity) {
      next_ = start + Capacity + 1;
      return Status::kNoRoom;
    }
    return TakeToken(text, start, stop);
  }

  // There is no translation without an option keyword.
  Status ReadOptionAndTranslation() {
    Status status = ReadToken<kClassOption, PpdEntry::kOptionCapacity>(entry_.option);
    if (status == Status::kOk) status = SkipBlanks();
    if (status == Status::kOk && current_ == '/') {
      status = Next();
      if (status == Status::kOk) {
        status =
            ReadToken<kClassTranslation, PpdEntry::kTranslationCapacity>(entry_.translation);
      }
    }
    if (status != Status::kOk) return status;
    return current_ == ':' ? Status::kOk : Status::kSyntax;
  }

  // A quoted value runs to the closing quote, line ends included; an unquoted one to the
  // line end or to the slash of its own translation, which is dropped. An unquoted value
  // that the file ends inside is kept as far as it goes, though the entry is lost; a quote
  // that never closes has swallowed the rest of the file, which is kUnclosedQuote.
  Status ReadValue() {
    Status status = Next();
    if (status == Status::kOk) status = SkipBlanks();
    if (status != Status::kOk) return status;
    const bool quoted = current_ == '"';
    entry_.valueType = quoted ? ValueType::kQuoted : ValueType::kString;
    if (quoted && (status = Next()) != Status::kOk) return Status::kUnclosedQuote;
    uint8_t* start = CurrentPosition();
    uint8_t* stop = quoted ? FindClosingQuote(start, end_) : FindUnquotedValueEnd(start, end_);
    if (quoted && stop == end_) {
      next_ = end_;
      return Status::kUnclosedQuote;
    }
    if ((status = TakeToken(entry_.value, start, stop)) != Status::kOk) return status;
    if (quoted || !AtLineEnd()) {
      if ((status = SkipRestOfLine()) != Status::kOk) return status;
    }
    if (!quoted && entry_.value.c_str()[0] == '^') entry_.valueType = ValueType::kSymbol;
    return Status::kOk;
  }

  PpdEntry& entry_;
  uint8_t* next_;
  uint8_t* end_;
  uint8_t current_ = 0;
};

}  // namespace

Status ReadEntry(PpdEntry& entry, PpdStream& stream) {
  entry.Clear();
  EntryReader reader(entry, stream.position, stream.position + stream.remaining);
  const Status status = reader.Read();
  Consume(stream, static_cast<uint32_t>(reader.next() - stream.position));
  return status;
}

}  // namespace kx::ppd
