// Laying out the order-dependency and constraint tables, with their rows resolved to
// feature and option positions in the image.
#include <algorithm>
#include <array>
#include <cstdint>
#include <string_view>

#include "ppd/image_builder.h"
#include "ppd/model.h"
#include "ppd/text_compare.h"

namespace kx::ppd {

namespace {

constexpr uint32_t kMaxRows = 0xFFFF;
constexpr uint16_t kUnresolvedOption = 0xFFFF;

// kNoOption when no option is named; kUnresolvedOption when the feature lacks it or has
// it beyond the positions an option index can hold.
uint16_t PositionOf(const ParsedOption* option) {
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

// A name of a row, or none (a null data pointer) when the entry named none.
std::string_view NameOf(const char* text) {
  return text != nullptr ? std::string_view(text) : std::string_view();
}
std::string_view NameOf(const char* text, uint8_t length) {
  return text != nullptr ? std::string_view(text, length) : std::string_view();
}

// Finds the features and options the rows name. Rows come in runs that name the same
// few features over and over (each constraint often in both directions), so the last
// names found are remembered and compared before the indexes are searched.
class Resolver {
 public:
  explicit Resolver(const Parser& parser) : parser_(parser) {}

  // A feature beyond the positions a feature index can hold counts as unknown.
  Resolved Resolve(std::string_view keyword, std::string_view option) {
    const bool named = option.data() != nullptr;
    const ParsedFeature* feature = Feature(keyword);
    if (feature == nullptr || feature->position >= kUnresolvedFeature) {
      return {kUnresolvedFeature, named ? kUnresolvedOption : kNoOption};
    }
    const uint16_t optionIndex = named ? PositionOf(Option(*feature, option)) : kNoOption;
    return {static_cast<uint16_t>(feature->position), optionIndex};
  }

 private:
  static constexpr size_t kRemembered = 4;

  // The newest remembered names are compared first: they are the likeliest to recur.
  const ParsedFeature* Feature(std::string_view keyword) {
    for (size_t age = 1; age <= kRemembered; ++age) {
      const RecentFeature& recent = features_[(nextFeature_ + kRemembered - age) % kRemembered];
      if (recent.keyword.data() != nullptr && SameText(recent.keyword, keyword)) {
        return recent.feature;
      }
    }
    const ParsedFeature* feature = LookupFeature(parser_, keyword);
    features_[nextFeature_] = {keyword, feature};
    nextFeature_ = (nextFeature_ + 1) % kRemembered;
    return feature;
  }

  const ParsedOption* Option(const ParsedFeature& feature, std::string_view name) {
    for (size_t age = 1; age <= kRemembered; ++age) {
      const RecentOption& recent = options_[(nextOption_ + kRemembered - age) % kRemembered];
      if (recent.feature == &feature && SameText(recent.name, name)) return recent.option;
    }
    const ParsedOption* option = LookupOption(parser_, feature, name);
    options_[nextOption_] = {&feature, name, option};
    nextOption_ = (nextOption_ + 1) % kRemembered;
    return option;
  }

  struct RecentFeature {
    std::string_view keyword;
    const ParsedFeature* feature;  // null when there is none of that name
  };
  struct RecentOption {
    const ParsedFeature* feature;
    std::string_view name;
    const ParsedOption* option;  // null when the feature has none of that name
  };

  const Parser& parser_;
  std::array<RecentFeature, kRemembered> features_{};
  std::array<RecentOption, kRemembered> options_{};
  size_t nextFeature_ = 0;
  size_t nextOption_ = 0;
};

PpdOrderRow OrderRow(Resolver& resolver, const ParsedOrder& order) {
  const Resolved resolved = resolver.Resolve(NameOf(order.keyword), NameOf(order.option));
  PpdOrderRow row{};
  row.featureIndex = resolved.complete() ? resolved.featureIndex : kUnresolvedFeature;
  row.optionIndex = resolved.optionIndex;
  row.order = order.order;
  row.sections = order.section;
  return row;
}

// The first feature index marks the whole row unresolved.
PpdConstraintRow ConstraintRow(Resolver& resolver, const ParsedConstraint& constraint) {
  const Resolved first =
      resolver.Resolve(NameOf(constraint.firstKeyword, constraint.firstKeywordLength),
                       NameOf(constraint.firstOption, constraint.firstOptionLength));
  const Resolved second =
      resolver.Resolve(NameOf(constraint.secondKeyword, constraint.secondKeywordLength),
                       NameOf(constraint.secondOption, constraint.secondOptionLength));
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
  Resolver resolver(parser);
  const ParsedOrder* order = parser.orders.head;
  for (uint32_t row = 0; row < rows; ++row, order = order->next, rowAt += sizeof(PpdOrderRow)) {
    writer.Put(rowAt, OrderRow(resolver, *order));
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
  Resolver resolver(parser);
  const ParsedConstraint* constraint = parser.constraints.head;
  for (uint32_t row = 0; row < rows;
       ++row, constraint = constraint->next, rowAt += sizeof(PpdConstraintRow)) {
    writer.Put(rowAt, ConstraintRow(resolver, *constraint));
  }
  return at;
}

}  // namespace kx::ppd
