// The Font handler: *Font Name: Encoding "(Version)" CharacterSet Status
#include <cstring>

#include "ppd/font_table.h"
#include "ppd/handlers.h"

namespace kx::ppd {

namespace {

constexpr uint16_t kUnknownEncoding = 9;
constexpr uint16_t kUnknownCharacterSet = 12;

constexpr WordValue kEncodings[] = {
    {"Standard", 0}, {"Special", 1}, {"ISOLatin1", 2}, {"Expert", 3},    {"ExpertSubset", 4},
    {"JIS", 5},      {"RKSJ", 6},    {"EUC", 7},       {"Shift-JIS", 8},
};

constexpr WordValue kCharacterSets[] = {
    {"Standard", 0}, {"OldStandard", 1},  {"Special", 2}, {"ISOLatin1", 3},
    {"Expert", 4},   {"ExpertSubset", 5}, {"JIS-83", 6},  {"JIS-78", 7},
    {"83pv", 8},     {"Add", 9},          {"Ext", 10},    {"NWP", 11},
};

// The first word of the value.
uint16_t EncodingOf(const char* value) {
  return LookupFirstWord(kEncodings, value).value_or(kUnknownEncoding);
}

// The character set follows the quoted version string; 0 when there is none to skip.
// A known encoding word holds no quote, so the search may start at the value's start.
uint16_t ReadCharacterSet(const char* cursor) {
  for (int quotes = 0; quotes < 2; ++quotes) {
    cursor = std::strchr(cursor, '"');
    if (cursor == nullptr) return 0;
    ++cursor;
  }
  return LookupFirstWord(kCharacterSets, cursor).value_or(kUnknownCharacterSet);
}

}  // namespace

Status AddFont(Parser& parser, const PpdEntry& entry) {
  const std::string_view name = entry.option.view();
  const uint16_t number = FontNumber(name);
  // Font table names are unique, so the number stands for the name.
  if (number == 0 || parser.listedFonts.test(number)) return Status::kOk;
  const uint16_t encoding = EncodingOf(entry.value.c_str());
  const uint16_t characterSet =
      encoding == kUnknownEncoding ? 0 : ReadCharacterSet(entry.value.c_str());

  const char* translation = nullptr;
  if (!entry.translation.empty()) {
    const Status status =
        StoreString(&translation, entry.translation.view(), parser.arena, StringMode::kHexDecode);
    if (status != Status::kOk) return status;
  }
  auto* font = parser.arena.New<ParsedFont>();
  if (font == nullptr) return Status::kNoRoom;
  const Status status = StoreString(&font->name, name, parser.arena, StringMode::kPlain);
  if (status != Status::kOk) return status;
  font->hash = NameHash(name);
  font->translation = translation;
  font->encoding = encoding;
  font->characterSet = characterSet;
  font->number = number;
  parser.fonts.Append(font);
  parser.listedFonts.set(number);
  return Status::kOk;
}

}  // namespace kx::ppd
