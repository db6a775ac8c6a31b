// Laying out the order-dependency and constraint tables, with their rows resolved to
// feature and option positions in the image.
#include <algorithm>
#include <string_view>

#include "ppd/image_builder.h"
#include "ppd/model.h"

namespace kx::ppd {

namespace {

constexpr uint32_t kMaxRows = 0xFFFF;
constexpr uint16_t kUnresolvedOption = 0xFFFF;

// kNoOption when no option is named; kUnresolvedOption when the feature lacks it or has
// it beyond the positions an option index can hold.
uint16_t OptionPosition(const Parser& parser, const ParsedFeature& feature, const char* name) {
  if (name == nullptr) return kNoOption;
  const ParsedOption* option = LookupOption(parser, feature, name);
  if (option == nullptr || option->position >= kNoOption) return kUnresolvedOption;
  return static_cast<uint16_t>(option->position);
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

// A feature beyond the positions a feature index can hold counts as unknown.
Resolved Resolve(const Parser& parser, const char* keyword, const char* option) {
  const ParsedFeature* feature = LookupFeature(parser, keyword);
  if (feature == nullptr || feature->position >= kUnresolvedFeature) {
    return {kUnresolvedFeature, option == nullptr ? kNoOption : kUnresolvedOption};
  }
  return {static_cast<uint16_t>(feature->position), OptionPosition(parser, *feature, option)};
}

PpdOrderRow OrderRow(const Parser& parser, const ParsedOrder& order) {
  const Resolved resolved = Resolve(parser, order.keyword, order.option);
  PpdOrderRow row{};
  row.featureIndex = resolved.complete() ? resolved.featureIndex : kUnresolvedFeature;
  row.optionIndex = resolved.optionIndex;
  row.order = order.order;
  row.sections = order.section;
  return row;
}

// The first feature index marks the whole row unresolved.
PpdConstraintRow ConstraintRow(const Parser& parser, const ParsedConstraint& constraint) {
  const Resolved first = Resolve(parser, constraint.firstKeyword, constraint.firstOption);
  const Resolved second = Resolve(parser, constraint.secondKeyword, constraint.secondOption);
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
