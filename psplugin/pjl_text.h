// Values that go between the double quotes of a PJL command. Document names, user and
// host names come from anywhere; a quote or a control character in one would end the
// value early and let the rest run as PJL on the printer, so those characters are
// replaced before the value is written.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace kx::ps {

// A double quote becomes an apostrophe; control characters (below 0x20 and 0x7F) become
// a blank. Everything else, bytes of UTF-8 sequences included, is kept.
std::string PjlSafeBytes(std::string_view bytes);
std::u16string PjlSafeText(std::u16string_view text);

}  // namespace kx::ps
