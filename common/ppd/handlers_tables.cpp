// Handlers of the entries that fill records and lists beyond features and options:
// custom page size parameters, order dependencies and constraints.
#include <string_view>

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
  record->hash = NameHash(keyword);
  record->order = order;
  record->section = SectionOf(section);
  parser.orders.Append(record);
  return Status::kOk;
}

// *UIConstraints: *Keyword1 [Option1] *Keyword2 [Option2]
Status AddUiConstraint(Parser& parser, const PpdEntry& entry) {
  const char* cursor = entry.value.c_str();
  const Word firstWord = NextWord(&cursor);
  const std::string_view firstKeyword = WithoutStar(firstWord.view());
  if (firstKeyword.empty()) return Status::kSyntax;
  Word firstOption;
  Word secondWord = NextWord(&cursor);
  if (!secondWord.empty() && !secondWord.view().starts_with('*')) {
    firstOption = secondWord;
    secondWord = NextWord(&cursor);
  }
  const std::string_view secondKeyword = WithoutStar(secondWord.view());
  if (secondKeyword.empty()) return Status::kSyntax;
  const Word secondOption = NextWord(&cursor);

  auto* record = parser.arena.New<ParsedConstraint>();
  if (record == nullptr) return Status::kNoRoom;
  Status status = StoreWord(parser, &record->firstKeyword, firstKeyword);
  if (status == Status::kOk) status = StoreWord(parser, &record->firstOption, firstOption.view());
  if (status == Status::kOk) status = StoreWord(parser, &record->secondKeyword, secondKeyword);
  if (status == Status::kOk) status = StoreWord(parser, &record->secondOption, secondOption.view());
  if (status != Status::kOk) return status;
  record->hash = NameHash(firstKeyword);
  parser.constraints.Append(record);
  return Status::kOk;
}

}  // namespace kx::ppd
