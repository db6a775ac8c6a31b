// Text that goes inside a PostScript string literal "( ... )". File names come from
// settings records, which can come from anywhere: an unbalanced parenthesis or a
// backslash in one would end the string early or run the rest as code, so those bytes
// are escaped the way PostScript reads them back.
#pragma once

#include <string>
#include <string_view>

namespace kx::ps {

// `(`, `)` and `\` get a backslash; bytes outside printable ASCII become \ooo.
std::string PostScriptStringBody(std::string_view bytes);

// The narrow form that standard formatted printing ("%S") gives a wide string:
// characters up to U+00FF become that byte; the first character above ends the text.
std::string NarrowLatin1Prefix(std::u16string_view text);

}  // namespace kx::ps
