// Text inside the record: fixed arrays that hold NUL-terminated strings, and the
// record's own UTF-8 rule for the copies that go into PJL.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace kx::settings {

// The text of a fixed array up to its NUL, or the whole array when a damaged record
// has none.
std::u16string_view FieldText(const char16_t* field, size_t capacity);
template <size_t N>
std::u16string_view FieldText(const char16_t (&field)[N]) {
  return FieldText(field, N);
}
std::string_view FieldText(const char* field, size_t capacity);
template <size_t N>
std::string_view FieldText(const char (&field)[N]) {
  return FieldText(field, N);
}

// Copies as much of `text` as fits with its terminating NUL; the rest of the array is
// zero-filled.
void StoreText(char16_t* field, size_t capacity, std::u16string_view text);
template <size_t N>
void StoreText(char16_t (&field)[N], std::u16string_view text) {
  StoreText(field, N, text);
}

// The record's UTF-8 form: every UTF-16 unit on its own (surrogates are not paired)
// becomes one, two or three bytes; encoding stops before the first unit whose bytes
// would pass `maxBytes`, so only whole characters are written.
std::string EncodeUnitsAsUtf8(std::u16string_view text, size_t maxBytes);

}  // namespace kx::settings
