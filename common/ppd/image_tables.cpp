// Laying out the order-dependency and constraint tables, with their rows resolved to
// feature and option positions in the image.
#include <algorithm>
#include <optional>
#include <string_view>

#include "ppd/image_builder.h"
#include "ppd/lexical.h"

namespace kx::ppd {

namespace {

constexpr uint32_t kMaxRows = 0xFFFF;
constexpr uint16_t kUnresolvedOption = 0xFFFF;

struct FeaturePosition {
  const ParsedFeature* feature;
  uint16_t index;  // in the image's feature list
};

std::optional<FeaturePosition> FindFeaturePosition(const Parser& parser, std::string_view keyword,
                                                   uint32_t hash) {
  uint32_t index = 0;
  for (const ParsedFeature* feature = parser.features.head;
       feature != nullptr && index < kUnresolvedFeature; feature = feature->next, ++index) {
    if (feature->hash == hash && feature->keyword == keyword) {
      return FeaturePosition{feature, static_cast<uint16_t>(index)};
    }
  }
  return std::nullopt;
}

// kNoOption when no option is named; kUnresolvedOption when the feature lacks it.
uint16_t OptionPosition(const ParsedFeature& feature, const char* name) {
  if (name == nullptr) return kNoOption;
  const std::string_view wanted = name;
  const uint32_t hash = NameHash(wanted);
  uint16_t index = 0;
  for (const ParsedOption* option = feature.options; option != nullptr && index < kNoOption;
       option = option->next, ++index) {
    if (option->hash == hash && option->keyword == wanted) return index;
  }
  return kUnresolvedOption;
}

// The indexes found; an unknown feature or option leaves kUnresolvedFeature or
// kUnresolvedOption in its place.
struct Resolved {
  uint16_t featureIndex;
  uint16_t optionIndex;

  bool complete() const {
    return featureIndex != kUnresolvedFeature && optionIndex != kUnresolvedOption;
  }
};

Resolved Resolve(const Parser& parser, const char* keyword, uint32_t hash, const char* option) {
  const auto position = FindFeaturePosition(parser, keyword, hash);
  if (!position) return {kUnresolvedFeature, option == nullptr ? kNoOption : kUnresolvedOption};
  return {position->index, OptionPosition(*position->feature, option)};
}

PpdOrderRow OrderRow(const Parser& parser, const ParsedOrder& order) {
  const Resolved resolved = Resolve(parser, order.keyword, order.hash, order.option);
  PpdOrderRow row{};
  row.featureIndex = resolved.complete() ? resolved.featureIndex : kUnresolvedFeature;
  row.optionIndex = resolved.optionIndex;
  row.order = order.order;
  row.sections = order.section;
  return row;
}

// The first feature index marks the whole row unresolved.
PpdConstraintRow ConstraintRow(const Parser& parser, const ParsedConstraint& constraint) {
  const Resolved first =
      Resolve(parser, constraint.firstKeyword, constraint.hash, constraint.firstOption);
  const Resolved second = Resolve(parser, constraint.secondKeyword,
                                  NameHash(constraint.secondKeyword), constraint.secondOption);
  PpdConstraintRow row{first.featureIndex, first.optionIndex, second.featureIndex,
                       second.optionIndex};
  if (!first.complete() || !second.complete()) row.firstFeatureIndex = kUnresolvedFeature;
  return row;
}

}  // namespace

Ref PutOrderTable(const Parser& parser, ImageWriter& writer) {
  const uint32_t rows = std::min(parser.orders.count, kMaxRows);
  const Ref at = writer.Reserve(sizeof(PpdTableHeader) + uint64_t{rows} * sizeof(PpdOrderRow));
  if (!writer.writing()) return at;
  writer.Put(at, PpdTableHeader{static_cast<uint16_t>(rows), sizeof(PpdOrderRow)});
  Ref rowAt = at + sizeof(PpdTableHeader);
  const ParsedOrder* order = parser.orders.head;
  for (uint32_t row = 0; row < rows; ++row, order = order->next, rowAt += sizeof(PpdOrderRow)) {
    writer.Put(rowAt, OrderRow(parser, *order));
  }
  return at;
}

// Space is reserved for rows of 12 bytes, as for the order table; the rows are 8.
Ref PutConstraintTable(const Parser& parser, ImageWriter& writer) {
  constexpr uint32_t kReservedRowSize = sizeof(PpdOrderRow);
  const uint32_t rows = std::min(parser.constraints.count, kMaxRows);
  const Ref at = writer.Reserve(sizeof(PpdTableHeader) + uint64_t{rows} * kReservedRowSize);
  if (!writer.writing()) return at;
  writer.Put(at, PpdTableHeader{static_cast<uint16_t>(rows), sizeof(PpdConstraintRow)});
  Ref rowAt = at + sizeof(PpdTableHeader);
  const ParsedConstraint* constraint = parser.constraints.head;
  for (uint32_t row = 0; row < rows;
       ++row, constraint = constraint->next, rowAt += sizeof(PpdConstraintRow)) {
    writer.Put(rowAt, ConstraintRow(parser, *constraint));
  }
  return at;
}

}  // namespace kx::ppd
