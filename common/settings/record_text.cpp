#include "settings/record_text.h"

#include <algorithm>
#include <cstring>

#include "platform/text.h"

namespace kx::settings {

std::u16string_view FieldText(const char16_t* field, size_t capacity) {
  return std::u16string_view(field, platform::BoundedLength(field, capacity));
}

std::string_view FieldText(const char* field, size_t capacity) {
  return std::string_view(field, platform::BoundedLength(field, capacity));
}

void StoreText(char16_t* field, size_t capacity, std::u16string_view text) {
  if (capacity == 0) return;
  const size_t count = std::min(text.size(), capacity - 1);
  std::copy_n(text.data(), count, field);
  std::fill(field + count, field + capacity, u'\0');
}

std::string EncodeUnitsAsUtf8(std::u16string_view text, size_t maxBytes) {
  std::string bytes;
  for (char16_t unit : text) {
    const unsigned u = unit;
    const size_t width = u < 0x80 ? 1 : u < 0x800 ? 2 : 3;
    if (bytes.size() + width > maxBytes) break;
    if (width == 1) {
      bytes += static_cast<char>(u);
    } else if (width == 2) {
      bytes += static_cast<char>(0xC0 | (u >> 6));
      bytes += static_cast<char>(0x80 | (u & 0x3F));
    } else {
      bytes += static_cast<char>(0xE0 | (u >> 12));
      bytes += static_cast<char>(0x80 | ((u >> 6) & 0x3F));
      bytes += static_cast<char>(0x80 | (u & 0x3F));
    }
  }
  return bytes;
}

}  // namespace kx::settings
