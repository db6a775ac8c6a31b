#include "ppd/lexical.h"

#include <algorithm>
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

Status ParseFixed(const char* text, Fixed* value) {
  constexpr uint32_t kMaxScale = 100000;  // five fraction digits
  const bool negative = *text == '-';
  if (negative) ++text;
  bool anyDigit = false;
  uint32_t integer = 0;
  for (; IsDigit(*text); ++text, anyDigit = true) integer = integer * 10 + DigitValue(*text);
  uint32_t fraction = 0;
  uint32_t scale = 1;
  if (*text == '.') {
    for (++text; IsDigit(*text); ++text, anyDigit = true) {
      if (scale < kMaxScale) {
        fraction = fraction * 10 + DigitValue(*text);
        scale *= 10;
      }
    }
  }
  if (!anyDigit) return Status::kSyntax;
  const uint32_t units = integer * 256 + (fraction * 256 + scale / 2) / scale;
  *value = negative ? 0 : static_cast<Fixed>(units);
  return Status::kOk;
}

Status ParseFixedWords(const char* text, std::span<Fixed> values) {
  for (Fixed& value : values) {
    const Word word = NextWord(&text);
    if (word.empty() || ParseFixed(word.text, &value) != Status::kOk) return Status::kSyntax;
  }
  return Status::kOk;
}

const WordValue* FindWord(std::span<const WordValue> table, std::string_view text) {
  for (const WordValue& row : table) {
    if (!StartsWith(text, row.word)) continue;
    const bool wordEnds = text.size() == row.word.size() || text[row.word.size()] == '\0' ||
                          HasClass(text[row.word.size()], kClassBlank);
    if (wordEnds) return &row;
  }
  return nullptr;
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
