#include "ppd/string_store.h"

#include <cstring>

#include "ppd/char_class.h"

namespace kx::ppd {

namespace {

uint8_t HexValue(char c) {
  if (c >= '0' && c <= '9') return static_cast<uint8_t>(c - '0');
  if (c >= 'a' && c <= 'f') return static_cast<uint8_t>(c - 'a' + 10);
  return static_cast<uint8_t>(c - 'A' + 10);
}

bool IsHexDigit(char c) { return HasClass(c, kClassDigit | kClassHexLetter); }

bool HasBracket(std::string_view text) {
  return !text.empty() && std::memchr(text.data(), '<', text.size()) != nullptr;
}

// Decodes into `out` when it is not null.
bool Decode(std::string_view text, char* out, size_t* length) {
  size_t written = 0;
  bool inside = false;
  bool highNibblePending = false;
  uint8_t high = 0;
  for (char c : text) {
    if (!inside) {
      if (c == '<') {
        inside = true;
      } else {
        if (out != nullptr) out[written] = c;
        ++written;
      }
    } else if (c == '>') {
      if (highNibblePending) return false;
      inside = false;
    } else if (!IsHexDigit(c)) {
      return false;
    } else if (highNibblePending) {
      if (out != nullptr) out[written] = static_cast<char>((high << 4) | HexValue(c));
      ++written;
      highNibblePending = false;
    } else {
      high = HexValue(c);
      highNibblePending = true;
    }
  }
  if (inside) return false;
  *length = written;
  return true;
}

}  // namespace

// Text without an opening bracket decodes to itself, which most translations do.
bool DecodeHex(std::string_view text, char* out, size_t* length) {
  if (HasBracket(text)) return Decode(text, out, length);
  if (!text.empty()) std::memcpy(out, text.data(), text.size());
  *length = text.size();
  return true;
}

bool HexDecodes(std::string_view text) {
  size_t length = 0;
  return !HasBracket(text) || Decode(text, nullptr, &length);
}

Status StoreString(const char** slot, std::string_view text, Arena& arena, StringMode mode) {
  if (*slot != nullptr) return Status::kOk;
  char* copy = static_cast<char*>(arena.Allocate(text.size() + 1));
  if (copy == nullptr) return Status::kNoRoom;
  size_t length = text.size();
  if (mode == StringMode::kHexDecode) {
    if (!DecodeHex(text, copy, &length)) return Status::kSyntax;
  } else if (!text.empty()) {
    std::memcpy(copy, text.data(), text.size());
  }
  copy[length] = '\0';
  *slot = copy;
  return Status::kOk;
}

}  // namespace kx::ppd
