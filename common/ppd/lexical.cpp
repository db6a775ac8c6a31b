#include "ppd/lexical.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "ppd/char_class.h"
#include "ppd/text_compare.h"

namespace kx::ppd {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
uint32_t DigitValue(char c) { return static_cast<uint32_t>(c - '0'); }

}  // namespace

// The word is found first and copied in one piece.
uint16_t NextWord(const char** cursor, uint32_t capacity, char* out) {
  const char* start = *cursor;
  while (HasClass(*start, kClassBlank)) ++start;
  const char* end = start;
  while (*end != '\0' && !HasClass(*end, kClassBlank)) ++end;
  const size_t length = static_cast<size_t>(end - start);
  const size_t stored = capacity == 0 ? 0 : std::min<size_t>(length, capacity - 1);
  if (stored > 0) std::memcpy(out, start, stored);
  if (capacity > 0) out[stored] = '\0';
  *cursor = end;
  return static_cast<uint16_t>(stored);
}

Word NextWord(const char** cursor) {
  Word word;
  word.length = NextWord(cursor, kWordCapacity, word.text);
  return word;
}

Status ParseInteger(const char* text, uint32_t* value) {
  const bool negative = *text == '-';
  if (negative) ++text;
  if (!IsDigit(*text)) return Status::kSyntax;
  uint32_t result = 0;
  for (; IsDigit(*text); ++text) result = result * 10 + DigitValue(*text);
  *value = negative ? 0 : result;
  return Status::kOk;
}

namespace {

constexpr uint32_t kFractionDigits = 5;  // those after the fifth do not count

// The fraction's digits in 1/256 units, rounded to the nearest. A divisor known to the
// compiler for each count of digits becomes a multiplication, where one read from a
// variable stays a division, which costs tens of cycles.
uint32_t FractionUnits(uint32_t fraction, uint32_t digits) {
  const uint32_t scaled = fraction * 256;
  switch (digits) {
    case 1:
      return (scaled + 5) / 10;
    case 2:
      return (scaled + 50) / 100;
    case 3:
      return (scaled + 500) / 1000;
    case 4:
      return (scaled + 5000) / 10000;
    case 5:
      return (scaled + 50000) / 100000;
    default:
      return 0;  // no fraction digits
  }
}

// Reads no more than `limit` characters; *end is left after the last one read.
Status ParseFixedWithin(const char* text, size_t limit, Fixed* value, const char** end) {
  size_t at = 0;
  const bool negative = limit > 0 && text[0] == '-';
  if (negative) ++at;
  bool anyDigit = false;
  uint32_t integer = 0;
  for (; at < limit && IsDigit(text[at]); ++at, anyDigit = true) {
    integer = integer * 10 + DigitValue(text[at]);
  }
  uint32_t fraction = 0;
  uint32_t fractionDigits = 0;
  if (at < limit && text[at] == '.') {
    for (++at; at < limit && IsDigit(text[at]); ++at, anyDigit = true) {
      if (fractionDigits < kFractionDigits) {
        fraction = fraction * 10 + DigitValue(text[at]);
        ++fractionDigits;
      }
    }
  }
  *end = text + at;
  if (!anyDigit) return Status::kSyntax;
  const uint32_t units = integer * 256 + FractionUnits(fraction, fractionDigits);
  *value = negative ? 0 : static_cast<Fixed>(units);
  return Status::kOk;
}

}  // namespace

Status ParseFixed(const char* text, Fixed* value) {
  const char* end = nullptr;
  return ParseFixedWithin(text, SIZE_MAX, value, &end);
}

// One pass over each word, where it stands: a number reads no further than the
// characters a copied word would have kept, and the rest of its word is then skipped.
Status ParseFixedWords(const char* text, std::span<Fixed> values) {
  for (Fixed& value : values) {
    while (HasClass(*text, kClassBlank)) ++text;
    if (*text == '\0') return Status::kSyntax;  // no word left
    if (ParseFixedWithin(text, kWordCapacity - 1, &value, &text) != Status::kOk) {
      return Status::kSyntax;
    }
    while (*text != '\0' && !HasClass(*text, kClassBlank)) ++text;
  }
  return Status::kOk;
}

// The word is measured once, so that each row costs a length compare and, for a row of
// the same length, one compare of the bytes; the rest of the text is never measured.
std::string_view FirstWord(const char* text) {
  while (HasClass(*text, kClassBlank)) ++text;
  const char* end = text;
  while (*end != '\0' && !HasClass(*end, kClassBlank)) ++end;
  return {text, static_cast<size_t>(end - text)};
}

const WordValue* FindExactWord(std::span<const WordValue> table, std::string_view word) {
  for (const WordValue& row : table) {
    if (SameText(row.word, word)) return &row;
  }
  return nullptr;
}

}  // namespace kx::ppd
