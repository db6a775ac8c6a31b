// UTF-8 and UTF-16 coding shared by the portable conversions and the code page layer.
// Private to the platform layer.
#pragma once

#include <string>
#include <string_view>

namespace kx::platform::detail {

inline constexpr char16_t kReplacementCharacter = 0xFFFD;

// Decodes UTF-8; every maximal invalid subsequence becomes U+FFFD. Returns false when
// anything had to be replaced.
bool DecodeUtf8(std::string_view text, std::u16string* out);

// Encodes UTF-16; every unpaired surrogate becomes U+FFFD. Returns false when anything
// had to be replaced.
bool EncodeUtf8(std::u16string_view text, std::string* out);

}  // namespace kx::platform::detail
