// Code pages over iconv. Each code page's mapping is read out of iconv once, on first
// use, into byte tables (one entry per single byte and per lead/trail pair) and a table
// back from UTF-16; conversions then follow the system's rules (lead bytes, the default
// character, replacement of invalid input) without depending on iconv's own handling
// of errors. UTF-8 uses the platform layer's own coder.

#include <iconv.h>

#include <array>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

#include "../unicode_detail.h"
#include "platform/codepage.h"
#include "platform/last_error.h"
#include "platform/win32_errors.h"

namespace kx::platform {

namespace {

constexpr uint32_t kDefaultCodePage = 949;
constexpr uint32_t kCpThreadAcp = 3;
constexpr char kDefaultChar = '?';

constexpr uint32_t kMbComposite = 0x02;
constexpr uint32_t kMbUseGlyphChars = 0x04;
constexpr uint32_t kWcDiscardNs = 0x10;
constexpr uint32_t kMbKnownFlags =
    kMbPrecomposed | kMbComposite | kMbUseGlyphChars | kMbErrInvalidChars;
constexpr uint32_t kWcKnownFlags =
    kWcCompositeCheck | kWcDiscardNs | kWcSepChars | kWcDefaultChar | kWcNoBestFitChars;

struct CodePageDescription {
  uint32_t codePage;
  const char* iconvName;  // null for UTF-8
  std::array<uint8_t, 12> leadBytes;  // (first, last) pairs, ended by zeros
  char16_t unicodeDefaultChar;
  const char16_t* name;
};

constexpr CodePageDescription kCodePages[] = {
    {437, "CP437", {}, u'?', u"437   (OEM - United States)"},
    {850, "CP850", {}, u'?', u"850   (OEM - Multilingual Latin I)"},
    {852, "CP852", {}, u'?', u"852   (OEM - Latin II)"},
    {866, "CP866", {}, u'?', u"866   (OEM - Russian)"},
    {874, "CP874", {}, u'?', u"874   (ANSI/OEM - Thai)"},
    {932, "CP932", {0x81, 0x9F, 0xE0, 0xFC}, 0x30FB, u"932   (ANSI/OEM - Japanese Shift-JIS)"},
    {936, "CP936", {0x81, 0xFE}, u'?', u"936   (ANSI/OEM - Simplified Chinese GBK)"},
    {949, "CP949", {0x81, 0xFE}, u'?', u"949   (ANSI/OEM - Korean)"},
    {950, "CP950", {0x81, 0xFE}, u'?', u"950   (ANSI/OEM - Traditional Chinese Big5)"},
    {1250, "CP1250", {}, u'?', u"1250  (ANSI - Central Europe)"},
    {1251, "CP1251", {}, u'?', u"1251  (ANSI - Cyrillic)"},
    {1252, "CP1252", {}, u'?', u"1252  (ANSI - Latin I)"},
    {1253, "CP1253", {}, u'?', u"1253  (ANSI - Greek)"},
    {1254, "CP1254", {}, u'?', u"1254  (ANSI - Turkish)"},
    {1255, "CP1255", {}, u'?', u"1255  (ANSI - Hebrew)"},
    {1256, "CP1256", {}, u'?', u"1256  (ANSI - Arabic)"},
    {1257, "CP1257", {}, u'?', u"1257  (ANSI - Baltic)"},
    {1258, "CP1258", {}, u'?', u"1258  (ANSI/OEM - Viet Nam)"},
    {kCpUtf8, nullptr, {}, detail::kReplacementCharacter, u"65001 (UTF-8)"},
};

uint32_t CodePageFromEnvironment(const char* variable) {
  const char* text = std::getenv(variable);
  if (text == nullptr || *text == '\0') return kDefaultCodePage;
  char* end = nullptr;
  errno = 0;
  const unsigned long value = std::strtoul(text, &end, 10);
  if (errno != 0 || *end != '\0' || value == 0 || value > 65535) return kDefaultCodePage;
  return static_cast<uint32_t>(value);
}

const CodePageDescription* FindCodePage(uint32_t codePage) {
  if (codePage == kCpAcp || codePage == kCpThreadAcp) codePage = AnsiCodePage();
  else if (codePage == kCpOemCp) codePage = OemCodePage();
  for (const CodePageDescription& description : kCodePages) {
    if (description.codePage == codePage) return &description;
  }
  return nullptr;
}

bool IsDoubleByte(const CodePageDescription& description) {
  return description.leadBytes[0] != 0;
}

// One code page's mapping, both ways.
class CodePageTable {
 public:
  static constexpr char16_t kUndefined = 0xFFFF;
  static constexpr uint16_t kUnmapped = 0xFFFF;

  static std::unique_ptr<CodePageTable> Build(const CodePageDescription& description) {
    iconv_t converter = iconv_open("WCHAR_T", description.iconvName);
    if (converter == reinterpret_cast<iconv_t>(-1)) return nullptr;
    auto table = std::unique_ptr<CodePageTable>(new CodePageTable);
    table->singles_.fill(kUndefined);
    table->fromUnicode_.assign(0x10000, kUnmapped);
    const auto& ranges = description.leadBytes;
    for (size_t index = 0; index + 1 < ranges.size() && ranges[index] != 0; index += 2) {
      for (unsigned byte = ranges[index]; byte <= ranges[index + 1]; ++byte) {
        table->lead_[byte] = true;
      }
    }
    for (unsigned byte = 0; byte < 256; ++byte) {
      if (table->lead_[byte]) continue;
      const uint8_t bytes[1] = {static_cast<uint8_t>(byte)};
      char16_t unit = kUndefined;
      if (!Decode(converter, bytes, 1, &unit) && !IsDoubleByte(description) && byte >= 0x80 &&
          byte <= 0x9F) {
        // Single-byte code pages give the bytes they leave undefined in this range the
        // C1 control of the same value.
        unit = static_cast<char16_t>(byte);
      }
      table->singles_[byte] = unit;
      if (unit != kUndefined && table->fromUnicode_[unit] == kUnmapped) {
        table->fromUnicode_[unit] = static_cast<uint16_t>(byte);
      }
    }
    if (IsDoubleByte(description)) {
      table->pairs_.assign(0x10000, kUndefined);
      for (unsigned lead = 0x80; lead < 256; ++lead) {
        if (!table->lead_[lead]) continue;
        for (unsigned trail = 0x21; trail < 256; ++trail) {
          const uint8_t bytes[2] = {static_cast<uint8_t>(lead), static_cast<uint8_t>(trail)};
          char16_t unit = kUndefined;
          if (!Decode(converter, bytes, 2, &unit)) continue;
          const auto encoded = static_cast<uint16_t>((lead << 8) | trail);
          table->pairs_[encoded] = unit;
          if (table->fromUnicode_[unit] == kUnmapped) table->fromUnicode_[unit] = encoded;
        }
      }
    }
    iconv_close(converter);
    return table;
  }

  bool IsLeadByte(uint8_t byte) const { return lead_[byte]; }
  char16_t Single(uint8_t byte) const { return singles_[byte]; }
  char16_t Pair(uint8_t lead, uint8_t trail) const {
    return pairs_.empty() ? kUndefined : pairs_[(lead << 8) | trail];
  }
  // The byte (below 0x100) or lead/trail pair for a UTF-16 unit, or kUnmapped.
  uint16_t Encode(char16_t unit) const { return fromUnicode_[unit]; }

 private:
  CodePageTable() = default;

  // Converts one character's bytes; false unless they make exactly one BMP character.
  static bool Decode(iconv_t converter, const uint8_t* bytes, size_t count, char16_t* unit) {
    iconv(converter, nullptr, nullptr, nullptr, nullptr);
    wchar_t output[4] = {};
    char* in = const_cast<char*>(reinterpret_cast<const char*>(bytes));
    size_t inLeft = count;
    char* out = reinterpret_cast<char*>(output);
    size_t outLeft = sizeof output;
    if (iconv(converter, &in, &inLeft, &out, &outLeft) == static_cast<size_t>(-1) ||
        inLeft != 0) {
      return false;
    }
    // Converters that combine characters hold the last one back until flushed.
    if (iconv(converter, nullptr, nullptr, &out, &outLeft) == static_cast<size_t>(-1)) {
      return false;
    }
    if (sizeof output - outLeft != sizeof(wchar_t)) return false;
    const auto codePoint = static_cast<uint32_t>(output[0]);
    if (codePoint >= 0xFFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF)) return false;
    *unit = static_cast<char16_t>(codePoint);
    return true;
  }

  std::array<bool, 256> lead_{};
  std::array<char16_t, 256> singles_{};
  std::vector<char16_t> pairs_;
  std::vector<uint16_t> fromUnicode_;
};

// The tables built so far; they live as long as the program.
class CodePageTables {
 public:
  const CodePageTable* Get(const CodePageDescription& description) {
    std::lock_guard lock(mutex_);
    auto& table = tables_[description.codePage];
    if (table == nullptr) table = CodePageTable::Build(description);
    return table.get();
  }

 private:
  std::mutex mutex_;
  std::unordered_map<uint32_t, std::unique_ptr<const CodePageTable>> tables_;
};

const CodePageTable* TableFor(const CodePageDescription& description) {
  static CodePageTables* tables = new CodePageTables;  // outlives every caller
  return tables->Get(description);
}

// Decodes with a table; false when some input was invalid (and replaced).
bool DecodeWithTable(const CodePageTable& table, const uint8_t* bytes, size_t count,
                     std::u16string* out) {
  bool valid = true;
  out->reserve(count);
  for (size_t index = 0; index < count; ++index) {
    const uint8_t byte = bytes[index];
    char16_t unit = CodePageTable::kUndefined;
    if (table.IsLeadByte(byte)) {
      if (index + 1 < count) unit = table.Pair(byte, bytes[index + 1]);
      // A lead byte without a valid trail is replaced on its own; the next byte is
      // then read as a character of its own.
      if (unit != CodePageTable::kUndefined) ++index;
    } else {
      unit = table.Single(byte);
    }
    if (unit == CodePageTable::kUndefined) {
      unit = detail::kReplacementCharacter;
      valid = false;
    }
    out->push_back(unit);
  }
  return valid;
}

// Encodes with a table; unmappable characters (a surrogate pair counting as one) become
// `defaultBytes`, and set *usedDefault.
void EncodeWithTable(const CodePageTable& table, const char16_t* text, size_t count,
                     const std::string& defaultBytes, std::string* out, bool* usedDefault) {
  out->reserve(count);
  for (size_t index = 0; index < count; ++index) {
    const char16_t unit = text[index];
    const bool isSurrogate = unit >= 0xD800 && unit <= 0xDFFF;
    const uint16_t encoded = isSurrogate ? CodePageTable::kUnmapped : table.Encode(unit);
    if (encoded == CodePageTable::kUnmapped) {
      if (unit >= 0xD800 && unit <= 0xDBFF && index + 1 < count && text[index + 1] >= 0xDC00 &&
          text[index + 1] <= 0xDFFF) {
        ++index;
      }
      *out += defaultBytes;
      *usedDefault = true;
    } else if (encoded > 0xFF) {
      out->push_back(static_cast<char>(encoded >> 8));
      out->push_back(static_cast<char>(encoded & 0xFF));
    } else {
      out->push_back(static_cast<char>(encoded));
    }
  }
}

// The length of the longest prefix of `bytes` that holds whole characters and fits in
// `limit` bytes.
size_t WholeCharacterPrefix(const std::string& bytes, size_t limit,
                            const CodePageTable* table) {
  size_t length = 0;
  while (length < bytes.size()) {
    const auto byte = static_cast<uint8_t>(bytes[length]);
    size_t size = 1;
    if (table == nullptr) {
      size = byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : byte >= 0xC0 ? 2 : 1;
    } else if (table->IsLeadByte(byte)) {
      size = 2;
    }
    if (length + size > limit) break;
    length += size;
  }
  return length;
}

int Fail(uint32_t error) {
  SetLastErrorCode(error);
  return 0;
}

}  // namespace

uint32_t AnsiCodePage() { return CodePageFromEnvironment("KX48T7_ACP"); }

uint32_t OemCodePage() { return CodePageFromEnvironment("KX48T7_OEMCP"); }

bool GetCodePageInfoEx(uint32_t codePage, CodePageInfoEx* info) {
  const CodePageDescription* description = FindCodePage(codePage);
  if (description == nullptr || info == nullptr) {
    SetLastErrorCode(kErrorInvalidParameter);
    return false;
  }
  *info = {};
  info->maxCharSize = description->codePage == kCpUtf8 ? 4 : IsDoubleByte(*description) ? 2 : 1;
  info->defaultChar[0] = static_cast<uint8_t>(kDefaultChar);
  std::memcpy(info->leadByte, description->leadBytes.data(), sizeof info->leadByte);
  info->unicodeDefaultChar = description->unicodeDefaultChar;
  info->codePage = description->codePage;
  const std::u16string_view name(description->name);
  name.copy(info->codePageName, std::size(info->codePageName) - 1);
  return true;
}

int MultiByteToWideChar(uint32_t codePage, uint32_t flags, const char* source, int sourceLength,
                        char16_t* destination, int destinationSize) {
  if (source == nullptr || sourceLength == 0 || sourceLength < -1 || destinationSize < 0 ||
      (destination == nullptr && destinationSize > 0)) {
    return Fail(kErrorInvalidParameter);
  }
  const CodePageDescription* description = FindCodePage(codePage);
  if (description == nullptr) return Fail(kErrorInvalidParameter);
  const bool utf8 = description->codePage == kCpUtf8;
  if ((flags & ~(utf8 ? kMbErrInvalidChars : kMbKnownFlags)) != 0 ||
      ((flags & kMbPrecomposed) && (flags & kMbComposite))) {
    return Fail(kErrorInvalidFlags);
  }
  const size_t length =
      sourceLength == -1 ? std::strlen(source) + 1 : static_cast<size_t>(sourceLength);

  std::u16string text;
  bool valid = true;
  if (utf8) {
    valid = detail::DecodeUtf8(std::string_view(source, length), &text);
  } else {
    const CodePageTable* table = TableFor(*description);
    if (table == nullptr) return Fail(kErrorInvalidParameter);
    valid = DecodeWithTable(*table, reinterpret_cast<const uint8_t*>(source), length, &text);
  }
  if (!valid && (flags & kMbErrInvalidChars)) return Fail(kErrorNoUnicodeTranslation);
  if (text.size() > INT_MAX) return Fail(kErrorInvalidParameter);
  const int needed = static_cast<int>(text.size());
  if (destinationSize == 0) return needed;
  if (destinationSize < needed) {
    text.copy(destination, static_cast<size_t>(destinationSize));
    return Fail(kErrorInsufficientBuffer);
  }
  text.copy(destination, text.size());
  return needed;
}

int WideCharToMultiByte(uint32_t codePage, uint32_t flags, const char16_t* source,
                        int sourceLength, char* destination, int destinationSize,
                        const char* defaultChar, bool* usedDefault) {
  if (source == nullptr || sourceLength == 0 || sourceLength < -1 || destinationSize < 0 ||
      (destination == nullptr && destinationSize > 0)) {
    return Fail(kErrorInvalidParameter);
  }
  const CodePageDescription* description = FindCodePage(codePage);
  if (description == nullptr) return Fail(kErrorInvalidParameter);
  const bool utf8 = description->codePage == kCpUtf8;
  if (utf8 && (defaultChar != nullptr || usedDefault != nullptr)) {
    return Fail(kErrorInvalidParameter);
  }
  if ((flags & ~(utf8 ? kWcErrInvalidChars : kWcKnownFlags)) != 0) {
    return Fail(kErrorInvalidFlags);
  }
  size_t length = 0;
  if (sourceLength == -1) {
    while (source[length] != u'\0') ++length;
    ++length;
  } else {
    length = static_cast<size_t>(sourceLength);
  }

  std::string bytes;
  const CodePageTable* table = nullptr;
  if (utf8) {
    const bool valid = detail::EncodeUtf8(std::u16string_view(source, length), &bytes);
    if (!valid && (flags & kWcErrInvalidChars)) return Fail(kErrorNoUnicodeTranslation);
  } else {
    table = TableFor(*description);
    if (table == nullptr) return Fail(kErrorInvalidParameter);
    // The caller's default character is one byte, or a lead byte and its trail.
    std::string defaultBytes;
    if (defaultChar == nullptr) {
      defaultBytes.push_back(kDefaultChar);
    } else {
      defaultBytes.push_back(defaultChar[0]);
      if (defaultChar[0] != '\0' && table->IsLeadByte(static_cast<uint8_t>(defaultChar[0])) &&
          defaultChar[1] != '\0') {
        defaultBytes.push_back(defaultChar[1]);
      }
    }
    bool defaulted = false;
    EncodeWithTable(*table, source, length, defaultBytes, &bytes, &defaulted);
    if (usedDefault != nullptr) *usedDefault = defaulted;
  }
  if (bytes.size() > INT_MAX) return Fail(kErrorInsufficientBuffer);
  const int needed = static_cast<int>(bytes.size());
  if (destinationSize == 0) return needed;
  if (destinationSize < needed) {
    bytes.copy(destination, WholeCharacterPrefix(bytes, static_cast<size_t>(destinationSize),
                                                 table));
    return Fail(kErrorInsufficientBuffer);
  }
  bytes.copy(destination, bytes.size());
  return needed;
}

}  // namespace kx::platform
