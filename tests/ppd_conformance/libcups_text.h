// How libcups stores display texts, so that ours can be compared with its copies.
#pragma once

#include <string>
#include <string_view>

namespace kx::ppd::conformance {

// `translation` (ISO 8859-1, as our image keeps it) the way libcups stores it: in UTF-8,
// conversion stopping once 79 bytes are written (its text fields hold 81 bytes and it
// leaves room for a two-byte character and the terminator).
std::string AsLibcupsText(std::string_view translation);

// Whether `text` is what libcups puts in an option's text when the file gives no
// translation for option keyword `keyword`.
bool IsLibcupsOptionFallback(std::string_view text, std::string_view keyword);

// Whether `text` is what libcups puts in a choice's text when the file gives no
// translation for choice `keyword`.
bool IsLibcupsChoiceFallback(std::string_view text, std::string_view keyword);

}  // namespace kx::ppd::conformance
