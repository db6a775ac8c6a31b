// Laying out the features with their options, and the fonts.
#include <algorithm>
#include <cstddef>
#include <iterator>

#include "ppd/font_table.h"
#include "ppd/image_builder.h"
#include "ppd/model.h"

namespace kx::ppd {

namespace {

// Keeps the previous record's next field so that each record can be linked to the one
// placed after it.
class ChainLinker {
 public:
  explicit ChainLinker(ImageWriter& writer) : writer_(writer) {}
  void Add(Ref at) {
    if (first_ == 0) {
      first_ = at;
    } else {
      writer_.Link(previous_, at);  // next is each record's first field
    }
    previous_ = at;
  }
  Ref first() const { return first_; }

 private:
  ImageWriter& writer_;
  Ref first_ = 0;
  Ref previous_ = 0;
};

// The common part's strings, in field order.
void PutCommon(PpdOption& record, const ParsedOption& option, ImageWriter& writer) {
  record.keyword = writer.PutString(option.keyword);
  record.hash = option.hash;
  record.translation = writer.PutString(option.translation);
  record.invocation = writer.PutString(option.invocation);
}

Ref PutPageSizeOption(const ParsedOption& option, ImageWriter& writer) {
  PpdPageSizeOption record{};
  const Ref at = writer.Reserve(sizeof record);
  PutCommon(record, option, writer);
  record.pageRegion = writer.PutString(option.pageRegion);
  record.paperWidth = option.paperWidth;
  record.paperHeight = option.paperHeight;
  std::copy(std::begin(option.imageableArea), std::end(option.imageableArea), record.imageableArea);
  writer.Put(at, record);
  return at;
}

Ref PutInputSlotOption(const ParsedOption& option, ImageWriter& writer) {
  PpdInputSlotOption record{};
  const Ref at = writer.Reserve(sizeof record);
  PutCommon(record, option, writer);
  record.requiresPageRegion = option.requiresPageRegion;
  writer.Put(at, record);
  return at;
}

Ref PutResolutionOption(const ParsedOption& option, ImageWriter& writer) {
  PpdResolutionOption record{};
  const Ref at = writer.Reserve(sizeof record);
  PutCommon(record, option, writer);
  record.jclResolution = writer.PutString(option.jclResolution);
  record.setResolution = writer.PutString(option.setResolution);
  record.resScreenAngle = option.resScreenAngle;
  record.resScreenFreq = option.resScreenFreq;
  writer.Put(at, record);
  return at;
}

Ref PutVmOption(const ParsedOption& option, ImageWriter& writer) {
  PpdVmOption record{};
  const Ref at = writer.Reserve(sizeof record);
  PutCommon(record, option, writer);
  record.freeVm = option.freeVm;
  writer.Put(at, record);
  return at;
}

Ref PutPlainOption(const ParsedOption& option, ImageWriter& writer) {
  PpdOption record{};
  const Ref at = writer.Reserve(sizeof record);
  PutCommon(record, option, writer);
  writer.Put(at, record);
  return at;
}

// The record kind follows the feature's number, as its option size does.
Ref PutOption(uint16_t featureNumber, const ParsedOption& option, ImageWriter& writer) {
  switch (featureNumber) {
    case kPageSize:
      return PutPageSizeOption(option, writer);
    case kInputSlot:
      return PutInputSlotOption(option, writer);
    case kResolution:
      return PutResolutionOption(option, writer);
    case kVmOption:
      return PutVmOption(option, writer);
    default:
      return PutPlainOption(option, writer);
  }
}

Ref PutOptions(const ParsedFeature& feature, ImageWriter& writer) {
  ChainLinker chain(writer);
  for (const ParsedOption* option = feature.options; option != nullptr; option = option->next) {
    chain.Add(PutOption(feature.number, *option, writer));
  }
  return chain.first();
}

// The position of the default option, 0 when there is none or it names no option.
uint32_t DefaultIndex(const Parser& parser, const ParsedFeature& feature) {
  if (feature.defaultOption == nullptr) return 0;
  const ParsedOption* option = LookupOption(parser, feature, feature.defaultOption);
  return option != nullptr ? option->position : 0;
}

Ref PutFeature(const Parser& parser, const ParsedFeature& feature, ImageWriter& writer) {
  PpdFeature record{};
  const Ref at = writer.Reserve(sizeof record);
  record.keyword = writer.PutString(feature.keyword);
  record.hash = feature.hash;
  record.translation = writer.PutString(feature.translation);
  if (writer.writing()) record.defaultIndex = DefaultIndex(parser, feature);  // not measured
  record.optionSize = feature.optionSize;
  record.number = feature.number;
  record.flags = feature.flags;
  record.uiType = feature.uiType;
  record.index = feature.index;
  record.installable = feature.installable;
  record.options = PutOptions(feature, writer);
  writer.Put(at, record);
  return at;
}

// A listed font is one of the table's: its name is moved in one piece from its padded
// row. The NULs past the name's own land in space not yet filled, which the block holds
// zeroed; only a name too near the block's end is copied byte by byte.
Ref PutFontName(const ParsedFont& font, ImageWriter& writer) {
  if (font.number < 1 || font.number > kFontTableSize) return writer.PutString(font.name);
  const std::string_view name = kFontNames[font.number - 1];
  const Ref at = writer.Reserve(name.size() + 1);
  if (FontNameBytes* bytes = writer.RecordToFill<FontNameBytes>(at)) {
    *bytes = kPaddedFontNames[font.number - 1];
    return at;
  }
  for (size_t offset = 0; offset < name.size(); ++offset) {
    if (char* byte = writer.RecordToFill<char>(static_cast<Ref>(at + offset))) *byte = name[offset];
  }
  return at;
}

// Fonts come by the dozen, so their records are filled in place; the chain too, through
// the record just filled, instead of a copy of its offset into the block.
Ref PutFont(const ParsedFont& font, ImageWriter& writer, PpdFont** filled) {
  const Ref at = writer.Reserve(sizeof(PpdFont));
  const Ref name = PutFontName(font, writer);
  const Ref translation = writer.PutString(font.translation);
  PpdFont* record = writer.RecordToFill<PpdFont>(at);
  if (record != nullptr) {
    record->name = name;
    record->hash = font.hash;
    record->translation = translation;
    record->encoding = font.encoding;
    record->characterSet = font.characterSet;
    record->number = font.number;
  }
  *filled = record;
  return at;
}

static_assert(offsetof(PpdOption, next) == 0 && offsetof(PpdFont, next) == 0);

}  // namespace

Ref PutFeatures(const Parser& parser, ImageWriter& writer,
                Ref (&predefined)[kPredefinedFeatureCount]) {
  ChainLinker chain(writer);
  for (const ParsedFeature* feature = parser.features.head; feature != nullptr;
       feature = feature->next) {
    const Ref at = PutFeature(parser, *feature, writer);
    chain.Add(at);
    if (feature->number < kPredefinedFeatureCount && predefined[feature->number] == 0) {
      predefined[feature->number] = at;
    }
  }
  return chain.first();
}

Ref PutFonts(const Parser& parser, ImageWriter& writer) {
  Ref first = 0;
  PpdFont* previous = nullptr;  // null too when the previous record lies past the block
  for (const ParsedFont* font = parser.fonts.head; font != nullptr; font = font->next) {
    PpdFont* record = nullptr;
    const Ref at = PutFont(*font, writer, &record);
    if (first == 0) {
      first = at;
    } else if (previous != nullptr) {
      previous->next = at;
    }
    previous = record;
  }
  return first;
}

}  // namespace kx::ppd
