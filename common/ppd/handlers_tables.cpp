// Handlers of the entries that fill records and lists beyond features and options:
// custom page size parameters, order dependencies and constraints.
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "ppd/char_class.h"
#include "ppd/handlers.h"

namespace kx::ppd {

namespace {

std::string_view WithoutStar(std::string_view keyword) {
  if (keyword.starts_with('*')) keyword.remove_prefix(1);
  return keyword;
}

// Copies a word into the arena; an empty word leaves the slot null.
Status StoreWord(Parser& parser, const char** slot, std::string_view word) {
  if (word.empty()) return Status::kOk;
  return StoreString(slot, word, parser.arena, StringMode::kPlain);
}

// A word of an entry's value as NextWord finds it (cut to kWordCapacity - 1 characters),
// by its place in the value rather than as a copy.
struct WordSpan {
  size_t at = 0;
  size_t length = 0;
  bool empty() const { return length == 0; }
};

// The bytes that end a word: blanks (spaces and tabs, char_class.h) and the value's
// terminating NUL, which stops a word as it stops NextWord. One lookup a byte.
constexpr std::array<bool, 256> MakeWordEnds() {
  std::array<bool, 256> ends{};
  ends['\0'] = ends[' '] = ends['\t'] = true;
  return ends;
}
constexpr std::array<bool, 256> kWordEnds = MakeWordEnds();

WordSpan NextWordSpan(const char* value, size_t* cursor) {
  size_t start = *cursor;
  while (HasClass(value[start], kClassBlank)) ++start;
  size_t stop = start;
  while (!kWordEnds[static_cast<uint8_t>(value[stop])]) ++stop;
  *cursor = stop;
  return {start, std::min<size_t>(stop - start, kWordCapacity - 1)};
}

WordSpan WithoutStar(const char* value, WordSpan word) {
  if (!word.empty() && value[word.at] == '*') return {word.at + 1, word.length - 1};
  return word;
}

// The word within `copy`, a copy of the value, ended with a NUL where it ends (a blank,
// the end of the copy, or the cut); null for an empty word. Words never overlap, so no
// word's NUL falls inside another.
const char* EndWordInPlace(char* copy, WordSpan word) {
  if (word.empty()) return nullptr;
  copy[word.at + word.length] = '\0';
  return copy + word.at;
}

uint16_t SectionOf(const Word& word) {
  return LookupWord({{"ExitServer", kSectionExitServer},
                     {"Prolog", kSectionProlog},
                     {"DocumentSetup", kSectionDocumentSetup},
                     {"PageSetup", kSectionPageSetup},
                     {"JCLSetup", kSectionJclSetup},
                     {"AnySetup", kSectionAnySetup}},
                    word.view())
      .value_or(kSectionAnySetup);
}

}  // namespace

// *ParamCustomPageSize Name: Order Type Minimum Maximum
Status SetParamCustomPageSize(Parser& parser, const PpdEntry& entry) {
  const auto parameter = LookupWord(
      {{"Width", 0}, {"Height", 1}, {"WidthOffset", 2}, {"HeightOffset", 3}, {"Orientation", 4}},
      entry.option.view());
  if (!parameter) return Status::kOk;
  const char* cursor = entry.value.c_str();
  const Word order = NextWord(&cursor);
  const Word type = NextWord(&cursor);
  const Word minimum = NextWord(&cursor);
  const Word maximum = NextWord(&cursor);
  if (order.empty() || type.empty() || minimum.empty() || maximum.empty()) return Status::kSyntax;

  ParamCustomPageSize record{};
  if (ParseInteger(order.text, &record.order) != Status::kOk || record.order < 1 ||
      record.order > 5) {
    return Status::kSyntax;
  }
  const auto valueType = LookupWord({{"int", 0}, {"real", 1}, {"points", 2}}, type.view());
  if (!valueType) return Status::kOk;
  record.valueType = *valueType;
  if (ParseFixed(minimum.text, &record.minimum) != Status::kOk ||
      ParseFixed(maximum.text, &record.maximum) != Status::kOk) {
    return Status::kSyntax;
  }
  parser.header.customParams[*parameter] = record;
  return Status::kOk;
}

// *OrderDependency: Order Section *MainKeyword [OptionKeyword]
Status AddOrderDependency(Parser& parser, const PpdEntry& entry) {
  const char* cursor = entry.value.c_str();
  const Word orderWord = NextWord(&cursor);
  Fixed order = 0;
  if (orderWord.empty() || ParseFixed(orderWord.text, &order) != Status::kOk) {
    return Status::kSyntax;
  }
  const Word section = NextWord(&cursor);
  const Word keywordWord = NextWord(&cursor);
  const std::string_view keyword = WithoutStar(keywordWord.view());
  if (section.empty() || keyword.empty()) return Status::kSyntax;
  const Word option = NextWord(&cursor);

  auto* record = parser.arena.New<ParsedOrder>();
  if (record == nullptr) return Status::kNoRoom;
  Status status = StoreWord(parser, &record->keyword, keyword);
  if (status == Status::kOk) status = StoreWord(parser, &record->option, option.view());
  if (status != Status::kOk) return status;
  record->order = order;
  record->section = SectionOf(section);
  parser.orders.Append(record);
  return Status::kOk;
}

// *UIConstraints: *Keyword1 [Option1] *Keyword2 [Option2]
// The most numerous entry of many files: its words are found in the value without being
// copied, and the value is copied into the arena once, each word ended in place.
Status AddUiConstraint(Parser& parser, const PpdEntry& entry) {
  const char* value = entry.value.c_str();
  size_t cursor = 0;
  const WordSpan firstKeyword = WithoutStar(value, NextWordSpan(value, &cursor));
  if (firstKeyword.empty()) return Status::kSyntax;
  WordSpan firstOption;
  WordSpan secondWord = NextWordSpan(value, &cursor);
  if (!secondWord.empty() && value[secondWord.at] != '*') {
    firstOption = secondWord;
    secondWord = NextWordSpan(value, &cursor);
  }
  const WordSpan secondKeyword = WithoutStar(value, secondWord);
  if (secondKeyword.empty()) return Status::kSyntax;
  const WordSpan secondOption = NextWordSpan(value, &cursor);

  auto* record = parser.arena.New<ParsedConstraint>();
  if (record == nullptr) return Status::kNoRoom;
  char* copy = static_cast<char*>(parser.arena.Allocate(cursor + 1));
  if (copy == nullptr) return Status::kNoRoom;
  std::memcpy(copy, value, cursor);
  record->firstKeyword = EndWordInPlace(copy, firstKeyword);
  record->firstOption = EndWordInPlace(copy, firstOption);
  record->secondKeyword = EndWordInPlace(copy, secondKeyword);
  record->secondOption = EndWordInPlace(copy, secondOption);
  static_assert(kWordCapacity - 1 <= UINT8_MAX, "a word's length fits its length field");
  record->firstKeywordLength = static_cast<uint8_t>(firstKeyword.length);
  record->firstOptionLength = static_cast<uint8_t>(firstOption.length);
  record->secondKeywordLength = static_cast<uint8_t>(secondKeyword.length);
  record->secondOptionLength = static_cast<uint8_t>(secondOption.length);
  parser.constraints.Append(record);
  return Status::kOk;
}

}  // namespace kx::ppd
