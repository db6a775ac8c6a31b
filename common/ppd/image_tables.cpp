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

// Names already resolved, each in a slot picked by a cheap key of the name and its
// owner: the length and last two bytes tell apart the numbered names rows are full of
// (Tray1 to Tray5). A hit costs one compare; a miss, one search of the indexes, whose
// answer takes the slot.
template <typename Record>
class ResolvedNames {
 public:
  // The record named `name` under `owner` (null for none), found by `search` unless the
  // name's slot already holds it.
  template <typename Search>
  const Record* Find(const void* owner, std::string_view name, Search search) {
    Slot& slot = slots_[SlotOf(owner, name)];
    if (slot.name.data() != nullptr && slot.owner == owner && SameText(slot.name, name)) {
      return slot.record;
    }
    const Record* record = search();
    slot = Slot{.owner = owner, .name = name, .record = record};
    return record;
  }

 private:
  static constexpr size_t kSlots = 64;

  struct Slot {
    const void* owner = nullptr;
    std::string_view name;          // no data for an empty slot
    const Record* record = nullptr;  // null when there is none of that name
  };

  static size_t SlotOf(const void* owner, std::string_view name) {
    const size_t length = name.size();
    const auto byteBack = [&](size_t back) {
      return back < length ? size_t{static_cast<uint8_t>(name[length - 1 - back])} : 0;
    };
    const size_t key =
        length * 37 + byteBack(0) * 11 + byteBack(1) * 5 + (reinterpret_cast<uintptr_t>(owner) >> 4);
    return key % kSlots;
  }

  std::array<Slot, kSlots> slots_{};
};

// Finds the features and options the rows name. Rows name the same few dozen features and
// options over and over (each constraint often in both directions), so every name found
// is remembered.
class Resolver {
 public:
  explicit Resolver(const Parser& parser) : parser_(parser) {}

  // A feature beyond the positions a feature index can hold counts as unknown.
  Resolved Resolve(std::string_view keyword, std::string_view option) {
    const bool named = option.data() != nullptr;
    const ParsedFeature* feature =
        features_.Find(nullptr, keyword, [&] { return LookupFeature(parser_, keyword); });
    if (feature == nullptr || feature->position >= kUnresolvedFeature) {
      return {kUnresolvedFeature, named ? kUnresolvedOption : kNoOption};
    }
    const uint16_t optionIndex =
        named ? PositionOf(options_.Find(feature, option,
                                         [&] { return LookupOption(parser_, *feature, option); }))
              : kNoOption;
    return {static_cast<uint16_t>(feature->position), optionIndex};
  }

 private:
  const Parser& parser_;
  ResolvedNames<ParsedFeature> features_;
  ResolvedNames<ParsedOption> options_;
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
  if (rows == 0) return at;  // the resolver's memory is not worth clearing for no rows
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
  if (rows == 0) return at;
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
