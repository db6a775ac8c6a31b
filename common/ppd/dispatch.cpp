#include "ppd/dispatch.h"

#include <string_view>

#include "ppd/handlers.h"
#include "ppd/keyword_table.h"
#include "ppd/lexical.h"
#include "ppd/text_compare.h"

namespace kx::ppd {

namespace {

constexpr std::string_view kDefaultPrefix = "Default";

// Entries of an open feature are held to the shapes of the rows they stand for: options
// need an option keyword, defaults an unquoted word.
constexpr uint16_t kOpenFeatureOptionShape = kNeedsOption | kAnyValue;
constexpr uint16_t kOpenFeatureDefaultShape = kNonEmptyStringValue;

bool IsDefaultOf(std::string_view keyword, std::string_view featureKeyword) {
  return keyword.size() == kDefaultPrefix.size() + featureKeyword.size() &&
         StartsWith(keyword, kDefaultPrefix) &&
         SameText(keyword.substr(kDefaultPrefix.size()), featureKeyword);
}

// An option or the default of the feature opened with OpenUI or JCLOpenUI; nothing when
// the entry belongs to neither.
bool DispatchToOpenFeature(Parser& parser, const PpdEntry& entry, Status* status) {
  const std::string_view featureKeyword = KeywordOf(*parser.openFeature);
  const std::string_view keyword = entry.keyword.view();
  if (SameText(keyword, featureKeyword)) {
    *status = ShapeFits(kOpenFeatureOptionShape, entry) ? AddOpenFeatureOption(parser, entry)
                                                        : Status::kSyntax;
    return true;
  }
  if (IsDefaultOf(keyword, featureKeyword)) {
    *status =
        ShapeFits(kOpenFeatureDefaultShape, entry) ? SetDefault(parser, entry) : Status::kSyntax;
    return true;
  }
  return false;
}

bool IsProcessed(const Parser& parser, uint32_t row) { return (parser.processedRows >> row) & 1; }

uint32_t FindRow(Parser& parser, std::string_view keyword) {
  const uint32_t recent = parser.recentKeywordRow;
  if (recent != kNoKeywordRow && SameName(KeywordRows()[recent].keyword, keyword)) return recent;
  const uint32_t row = LookupKeyword(keyword);
  if (row != kNoKeywordRow) parser.recentKeywordRow = row;
  return row;
}

}  // namespace

Status Dispatch(Parser& parser, const PpdEntry& entry) {
  if (entry.keyword.c_str()[0] == '?') return Status::kOk;  // a query keyword
  Status status = Status::kOk;
  if (parser.openFeature != nullptr && DispatchToOpenFeature(parser, entry, &status)) {
    return status;
  }
  const uint32_t row = FindRow(parser, entry.keyword.view());
  if (row == kNoKeywordRow || KeywordRows()[row].handler == nullptr) return Status::kOk;
  const KeywordRow& keyword = KeywordRows()[row];
  if (!ShapeFits(keyword.shape, entry)) return Status::kSyntax;
  const bool onceOnly = (keyword.shape & (kNeedsOption | kRepeatable)) == 0;
  if (onceOnly && IsProcessed(parser, row)) return Status::kOk;  // the first one wins
  status = keyword.handler(parser, entry);
  if (status == Status::kOk) parser.processedRows |= uint64_t{1} << row;
  return status;
}

}  // namespace kx::ppd
