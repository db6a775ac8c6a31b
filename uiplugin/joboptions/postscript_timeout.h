// The job time-out as the PostScript options show and read it: decimal seconds.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kx::ui::postscript_options {

std::u16string TimeoutText(uint32_t seconds);

// The seconds a box's text gives: its first nine characters read as a decimal number
// (leading blanks, an optional sign, digits, up to the first other character). None when
// there are no digits or the number lies outside 0 to 3000.
std::optional<uint32_t> ParseTimeout(std::u16string_view text);

}  // namespace kx::ui::postscript_options
