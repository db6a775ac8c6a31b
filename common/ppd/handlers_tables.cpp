// Handlers of the entries that fill records and lists beyond features and options:
// custom page size parameters, order dependencies and constraints.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "ppd/byte_scan.h"
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

// Words end at a blank (space or tab, char_class.h) or at a NUL, the value's own or the
// one after it, which stops a word as it stops NextWord.
WordSpan NextWordSpan(std::string_view value, size_t* cursor) {
  size_t start = *cursor;
  while (start < value.size() && HasClass(value[start], kClassBlank)) ++start;
  const auto* bytes = reinterpret_cast<const uint8_t*>(value.data());
  const size_t stop = static_cast<size_t>(
      FindFirstOf<' ', '\t', '\0'>(bytes + start, bytes + value.size()) - bytes);
  *cursor = stop;
  return {start, std::min<size_t>(stop - start, kWordCapacity - 1)};
}

WordSpan WithoutStar(std::string_view value, WordSpan word) {
  if (!word.empty() && value[word.at] == '*') return {word.at + 1, word.length - 1};
  return word;
}

// The word, ended with a NUL where it ends (a blank, the value's NUL, or the cut); null for
// an empty word. Words never overlap, so no word's NUL falls inside another.
const char* EndWordInPlace(char* value, WordSpan word) {
  if (word.empty()) return nullptr;
  value[word.at + word.length] = '\0';
  return value + word.at;
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
// The most numerous entry of many files: its words are ended in place in the file's bytes,
// which the load owns and keeps until the image is built, rather than copied.
Status AddUiConstraint(Parser& parser, const PpdEntry& entry) {
  const std::string_view value = entry.value.view();
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
  char* words = const_cast<char*>(entry.value.c_str());
  record->firstKeyword = EndWordInPlace(words, firstKeyword);
  record->firstOption = EndWordInPlace(words, firstOption);
  record->secondKeyword = EndWordInPlace(words, secondKeyword);
  record->secondOption = EndWordInPlace(words, secondOption);
  static_assert(kWordCapacity - 1 <= UINT8_MAX, "a word's length fits its length field");
  record->firstKeywordLength = static_cast<uint8_t>(firstKeyword.length);
  record->firstOptionLength = static_cast<uint8_t>(firstOption.length);
  record->secondKeywordLength = static_cast<uint8_t>(secondKeyword.length);
  record->secondOptionLength = static_cast<uint8_t>(secondOption.length);
  parser.constraints.Append(record);
  return Status::kOk;
}

}  // namespace kx::ppd
