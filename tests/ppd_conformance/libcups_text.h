// How libcups stores display texts, so that ours can be compared with its copies.
#pragma once

#include <string>
#include <string_view>

namespace kx::ppd::conformance {

// `translation` (in the file's code page, as our image keeps it) the way libcups stores it
// in its 81-byte text fields, given the file's `languageEncoding` (empty when it has none):
// - none or ISOLatin1: from ISO 8859-1 to UTF-8, stopping once 79 bytes are written (room
//   for a two-byte character and the terminator);
// - the other names libcups knows: converted to UTF-8 by iconv, up to 80 bytes;
// - any other name: libcups takes the text for UTF-8 and copies 80 bytes as they are.
std::string AsLibcupsText(std::string_view translation, std::string_view languageEncoding);

// Whether `text` is what libcups puts in an option's text when the file gives no
// translation for option keyword `keyword`.
bool IsLibcupsOptionFallback(std::string_view text, std::string_view keyword);

// Whether `text` is what libcups puts in a choice's text when the file gives no
// translation for choice `keyword`.
bool IsLibcupsChoiceFallback(std::string_view text, std::string_view keyword);

}  // namespace kx::ppd::conformance
