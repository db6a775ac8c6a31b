// Conversions between UTF-16 and UTF-8 that do not depend on a code page. They are
// pure functions, the same on every system.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace kx::platform {

// Length of a NUL-terminated UTF-16 string inside a fixed array of `capacity` units:
// the array's capacity when no NUL is found, so a damaged record never reads past it.
size_t BoundedLength(const char16_t* text, size_t capacity);
size_t BoundedLength(const char* text, size_t capacity);

// Full Unicode conversions (surrogate pairs combined; invalid input becomes U+FFFD).
std::string Utf16ToUtf8(std::u16string_view text);
std::u16string Utf8ToUtf16(std::string_view text);

}  // namespace kx::platform
