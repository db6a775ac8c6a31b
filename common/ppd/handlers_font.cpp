// The Font handler: *Font Name: Encoding "(Version)" CharacterSet Status
#include <cstring>

#include "ppd/font_table.h"
#include "ppd/handlers.h"

namespace kx::ppd {

namespace {

constexpr uint16_t kUnknownEncoding = 9;
constexpr uint16_t kUnknownCharacterSet = 12;

uint16_t EncodingOf(const Word& word) {
  return LookupWord({{"Standard", 0},
                     {"Special", 1},
                     {"ISOLatin1", 2},
                     {"Expert", 3},
                     {"ExpertSubset", 4},
                     {"JIS", 5},
                     {"RKSJ", 6},
                     {"EUC", 7},
                     {"Shift-JIS", 8}},
                    word.view())
      .value_or(kUnknownEncoding);
}

uint16_t CharacterSetOf(const Word& word) {
  return LookupWord({{"Standard", 0},
                     {"OldStandard", 1},
                     {"Special", 2},
                     {"ISOLatin1", 3},
                     {"Expert", 4},
                     {"ExpertSubset", 5},
                     {"JIS-83", 6},
                     {"JIS-78", 7},
                     {"83pv", 8},
                     {"Add", 9},
                     {"Ext", 10},
                     {"NWP", 11}},
                    word.view())
      .value_or(kUnknownCharacterSet);
}

// The character set follows the quoted version string; 0 when there is none to skip.
uint16_t ReadCharacterSet(const char* cursor) {
  for (int quotes = 0; quotes < 2; ++quotes) {
    cursor = std::strchr(cursor, '"');
    if (cursor == nullptr) return 0;
    ++cursor;
  }
  return CharacterSetOf(NextWord(&cursor));
}

bool IsListed(const Parser& parser, std::string_view name, uint32_t hash) {
  for (const ParsedFont* font = parser.fonts.head; font != nullptr; font = font->next) {
    if (font->hash == hash && font->name == name) return true;
  }
  return false;
}

}  // namespace

Status AddFont(Parser& parser, const PpdEntry& entry) {
  const std::string_view name = entry.option.view();
  const uint16_t number = FontNumber(name);
  if (number == 0) return Status::kOk;
  const char* cursor = entry.value.c_str();
  const uint16_t encoding = EncodingOf(NextWord(&cursor));
  const uint16_t characterSet = encoding == kUnknownEncoding ? 0 : ReadCharacterSet(cursor);
  const uint32_t hash = NameHash(name);
  if (IsListed(parser, name, hash)) return Status::kOk;

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
  font->hash = hash;
  font->translation = translation;
  font->encoding = encoding;
  font->characterSet = characterSet;
  font->number = number;
  parser.fonts.Append(font);
  return Status::kOk;
}

}  // namespace kx::ppd
