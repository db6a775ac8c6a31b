#include "pjl_text.h"

namespace kx::ps {
namespace {

template <typename Char>
Char PjlSafe(Char c) {
  if (c == Char('"')) return Char('\'');
  if (c < Char(0x20) || c == Char(0x7F)) return Char(' ');
  return c;
}

}  // namespace

std::string PjlSafeBytes(std::string_view bytes) {
  std::string safe;
  safe.reserve(bytes.size());
  for (char c : bytes) safe += static_cast<char>(PjlSafe(static_cast<unsigned char>(c)));
  return safe;
}

std::u16string PjlSafeText(std::u16string_view text) {
  std::u16string safe;
  safe.reserve(text.size());
  for (char16_t c : text) safe += PjlSafe(c);
  return safe;
}

}  // namespace kx::ps
