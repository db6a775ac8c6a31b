#include "platform/text.h"

#include <cstdint>

#include "unicode_detail.h"

namespace kx::platform {

namespace {

bool IsHighSurrogate(char32_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(char32_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

void AppendCodePoint(char32_t codePoint, std::string* out) {
  if (codePoint < 0x80) {
    out->push_back(static_cast<char>(codePoint));
  } else if (codePoint < 0x800) {
    out->push_back(static_cast<char>(0xC0 | (codePoint >> 6)));
    out->push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
  } else if (codePoint < 0x10000) {
    out->push_back(static_cast<char>(0xE0 | (codePoint >> 12)));
    out->push_back(static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F)));
    out->push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
  } else {
    out->push_back(static_cast<char>(0xF0 | (codePoint >> 18)));
    out->push_back(static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F)));
    out->push_back(static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F)));
    out->push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
  }
}

void AppendUtf16(char32_t codePoint, std::u16string* out) {
  if (codePoint < 0x10000) {
    out->push_back(static_cast<char16_t>(codePoint));
  } else {
    codePoint -= 0x10000;
    out->push_back(static_cast<char16_t>(0xD800 | (codePoint >> 10)));
    out->push_back(static_cast<char16_t>(0xDC00 | (codePoint & 0x3FF)));
  }
}

// The range the second byte of a sequence must fall in, given its first byte; the
// narrowed ranges exclude overlong forms, surrogates and values above U+10FFFF.
struct SecondByteRange {
  uint8_t low;
  uint8_t high;
};

SecondByteRange SecondByteRangeFor(uint8_t lead) {
  switch (lead) {
    case 0xE0: return {0xA0, 0xBF};
    case 0xED: return {0x80, 0x9F};
    case 0xF0: return {0x90, 0xBF};
    case 0xF4: return {0x80, 0x8F};
    default: return {0x80, 0xBF};
  }
}

}  // namespace

namespace detail {

bool DecodeUtf8(std::string_view text, std::u16string* out) {
  bool valid = true;
  out->reserve(out->size() + text.size());
  size_t index = 0;
  while (index < text.size()) {
    const auto lead = static_cast<uint8_t>(text[index]);
    if (lead < 0x80) {
      out->push_back(lead);
      ++index;
      continue;
    }
    size_t trailCount = 0;
    char32_t codePoint = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
      trailCount = 1;
      codePoint = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
      trailCount = 2;
      codePoint = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
      trailCount = 3;
      codePoint = lead & 0x07;
    } else {
      out->push_back(kReplacementCharacter);
      valid = false;
      ++index;
      continue;
    }
    // Consume the longest valid prefix; a broken sequence is replaced once, and the
    // byte that broke it starts over.
    size_t consumed = 1;
    bool complete = true;
    for (size_t trail = 0; trail < trailCount; ++trail) {
      if (index + consumed >= text.size()) {
        complete = false;
        break;
      }
      const auto byte = static_cast<uint8_t>(text[index + consumed]);
      const SecondByteRange range =
          trail == 0 ? SecondByteRangeFor(lead) : SecondByteRange{0x80, 0xBF};
      if (byte < range.low || byte > range.high) {
        complete = false;
        break;
      }
      codePoint = (codePoint << 6) | (byte & 0x3F);
      ++consumed;
    }
    index += consumed;
    if (complete) {
      AppendUtf16(codePoint, out);
    } else {
      out->push_back(kReplacementCharacter);
      valid = false;
    }
  }
  return valid;
}

// Text is mostly ASCII (paths, names): a leading ASCII run is narrowed unit by unit, and
// what follows it (which may start a surrogate pair) is encoded in full.
bool EncodeUtf8(std::u16string_view text, std::string* out) {
  bool valid = true;
  size_t ascii = 0;
  while (ascii < text.size() && text[ascii] < 0x80) ++ascii;
  const size_t start = out->size();
  out->resize(start + ascii);
  for (size_t index = 0; index < ascii; ++index) {
    (*out)[start + index] = static_cast<char>(text[index]);
  }
  if (ascii < text.size()) out->reserve(out->size() + (text.size() - ascii));
  for (size_t index = ascii; index < text.size(); ++index) {
    const char32_t unit = text[index];
    if (IsHighSurrogate(unit) && index + 1 < text.size() && IsLowSurrogate(text[index + 1])) {
      const char32_t low = text[index + 1];
      AppendCodePoint(0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00), out);
      ++index;
    } else if (IsHighSurrogate(unit) || IsLowSurrogate(unit)) {
      AppendCodePoint(kReplacementCharacter, out);
      valid = false;
    } else {
      AppendCodePoint(unit, out);
    }
  }
  return valid;
}

}  // namespace detail

size_t BoundedLength(const char16_t* text, size_t capacity) {
  if (text == nullptr) return 0;
  size_t length = 0;
  while (length < capacity && text[length] != u'\0') ++length;
  return length;
}

size_t BoundedLength(const char* text, size_t capacity) {
  if (text == nullptr) return 0;
  size_t length = 0;
  while (length < capacity && text[length] != '\0') ++length;
  return length;
}

std::string Utf16ToUtf8(std::u16string_view text) {
  std::string out;
  detail::EncodeUtf8(text, &out);
  return out;
}

std::u16string Utf8ToUtf16(std::string_view text) {
  std::u16string out;
  detail::DecodeUtf8(text, &out);
  return out;
}

}  // namespace kx::platform
