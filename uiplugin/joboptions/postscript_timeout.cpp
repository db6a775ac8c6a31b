#include "joboptions/postscript_timeout.h"

#include "joboptions/postscript_options_layout.h"

namespace kx::ui::postscript_options {
namespace {

// As much of the box as is read: more digits than this say nothing a time-out needs.
constexpr size_t kReadLength = 9;

bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

}  // namespace

std::u16string TimeoutText(uint32_t seconds) {
  std::u16string text;
  do {
    text.insert(text.begin(), static_cast<char16_t>(u'0' + seconds % 10));
    seconds /= 10;
  } while (seconds != 0);
  return text;
}

std::optional<uint32_t> ParseTimeout(std::u16string_view text) {
  text = text.substr(0, kReadLength);
  size_t at = 0;
  while (at < text.size() && (text[at] == u' ' || text[at] == u'\t')) ++at;
  bool negative = false;
  if (at < text.size() && (text[at] == u'+' || text[at] == u'-')) negative = text[at++] == u'-';
  if (at >= text.size() || !IsDigit(text[at])) return std::nullopt;
  int64_t value = 0;
  for (; at < text.size() && IsDigit(text[at]); ++at) value = value * 10 + (text[at] - u'0');
  if (negative) value = -value;
  if (value < 0 || value > static_cast<int64_t>(kMaxJobTimeout)) return std::nullopt;
  return static_cast<uint32_t>(value);
}

}  // namespace kx::ui::postscript_options
