// Equality of short texts, done inline: the names compared while loading (keywords,
// option keywords, font names, value words) are a few to a few dozen bytes, for which a
// library call costs more than the comparison itself.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace kx::ppd {

// Whether the `count` bytes at `a` equal those at `b`; both must hold that many.
inline bool SameBytes(const char* a, const char* b, size_t count) {
  for (; count >= 8; a += 8, b += 8, count -= 8) {
    uint64_t left = 0;
    uint64_t right = 0;
    std::memcpy(&left, a, sizeof left);
    std::memcpy(&right, b, sizeof right);
    if (left != right) return false;
  }
  for (; count > 0; ++a, ++b, --count) {
    if (*a != *b) return false;
  }
  return true;
}

inline bool SameText(std::string_view a, std::string_view b) {
  return a.size() == b.size() && SameBytes(a.data(), b.data(), a.size());
}

inline bool StartsWith(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && SameBytes(text.data(), prefix.data(), prefix.size());
}

}  // namespace kx::ppd
