#include "postscript_text.h"

namespace kx::ps {

std::string PostScriptStringBody(std::string_view bytes) {
  std::string body;
  body.reserve(bytes.size());
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '(' || c == ')' || c == '\\') {
      body += '\\';
      body += c;
    } else if (byte < 0x20 || byte >= 0x7F) {
      body += '\\';
      body += static_cast<char>('0' + ((byte >> 6) & 7));
      body += static_cast<char>('0' + ((byte >> 3) & 7));
      body += static_cast<char>('0' + (byte & 7));
    } else {
      body += c;
    }
  }
  return body;
}

std::string NarrowLatin1Prefix(std::u16string_view text) {
  std::string narrow;
  for (const char16_t c : text) {
    if (c > 0xFF) break;
    narrow += static_cast<char>(c);
  }
  return narrow;
}

}  // namespace kx::ps
