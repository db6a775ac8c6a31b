// The rules that need the whole file: applied to the parse state before it is laid out.
#include "ppd/image_builder.h"
#include "ppd/keyword_table.h"

namespace kx::ppd {

namespace {

constexpr uint32_t kMinimumFreeVm = 102400;

bool WasGiven(const Parser& parser, std::string_view keyword) {
  const uint32_t row = LookupKeyword(keyword);
  return row != kNoKeywordRow && ((parser.processedRows >> row) & 1) != 0;
}

// Each feature's place in the list as the image will hold it.
void NumberPositions(RecordList<ParsedFeature>& features) {
  uint32_t position = 0;
  for (ParsedFeature* feature = features.head; feature != nullptr; feature = feature->next) {
    feature->position = position++;
  }
}

}  // namespace

// RequiresPageRegion All: True or False overrides every tray's own value.
void ApplyRequiresPageRegion(Parser& parser) {
  ParsedFeature* inputSlot = parser.predefined[kInputSlot];
  if (inputSlot == nullptr) return;
  const uint16_t flags = inputSlot->flags;
  if ((flags & (kRequiresPageRegionAllTrue | kRequiresPageRegionAllFalse)) == 0) return;
  const uint32_t required = (flags & kRequiresPageRegionAllTrue) ? 1 : 0;
  for (ParsedOption* option = inputSlot->options; option != nullptr; option = option->next) {
    option->requiresPageRegion = required;
  }
}

// Ordinary features first, then installable ones, each group in file order and
// numbered from 0.
void ReorderFeatures(Parser& parser) {
  RecordList<ParsedFeature> groups[2];
  for (ParsedFeature* feature = parser.features.head; feature != nullptr;) {
    ParsedFeature* next = feature->next;
    feature->next = nullptr;
    RecordList<ParsedFeature>& group = groups[feature->installable ? 1 : 0];
    feature->index = static_cast<uint16_t>(group.count);
    group.Append(feature);
    feature = next;
  }
  parser.header.ordinaryFeatureCount = static_cast<uint16_t>(groups[0].count);
  parser.header.installableFeatureCount = static_cast<uint16_t>(groups[1].count);
  if (groups[0].tail != nullptr) {
    groups[0].tail->next = groups[1].head;
    parser.features = {groups[0].head, groups[1].tail ? groups[1].tail : groups[0].tail,
                       groups[0].count + groups[1].count};
  } else {
    parser.features = groups[1];
  }
  NumberPositions(parser.features);
}

void RaiseFreeVm(Parser& parser) {
  if (parser.header.freeVm < kMinimumFreeVm) parser.header.freeVm = kMinimumFreeVm;
}

// Custom page sizes need a maximum media size to mean anything.
void CheckCustomPageSize(Parser& parser) {
  if (parser.header.customPageSize != 0 && !WasGiven(parser, "MaxMediaWidth") &&
      !WasGiven(parser, "MaxMediaHeight")) {
    parser.header.customPageSize = 0;
  }
}

// A paper without both dimensions has none; the imageable area is clipped to the paper
// and becomes the whole paper when it is empty. The comparisons are unsigned.
void CleanPageSizes(Parser& parser) {
  const ParsedFeature* pageSize = parser.predefined[kPageSize];
  if (pageSize == nullptr) return;
  for (ParsedOption* option = pageSize->options; option != nullptr; option = option->next) {
    if (option->paperWidth == 0 || option->paperHeight == 0) {
      option->paperWidth = 0;
      option->paperHeight = 0;
    }
    const auto width = static_cast<uint32_t>(option->paperWidth);
    const auto height = static_cast<uint32_t>(option->paperHeight);
    Fixed* area = option->imageableArea;
    if (static_cast<uint32_t>(area[2]) > width) area[2] = option->paperWidth;
    if (static_cast<uint32_t>(area[3]) > height) area[3] = option->paperHeight;
    if (static_cast<uint32_t>(area[0]) >= static_cast<uint32_t>(area[2]) ||
        static_cast<uint32_t>(area[1]) >= static_cast<uint32_t>(area[3])) {
      area[0] = 0;
      area[1] = 0;
      area[2] = option->paperWidth;
      area[3] = option->paperHeight;
    }
  }
}

}  // namespace kx::ppd
