#include "ppd_option_map.h"

#include <cctype>
#include <cmath>
#include <optional>
#include <string_view>

#include "settings/name_tables.h"

namespace kx::filter {
namespace {

// How an option's value reaches the job's settings.
enum class Target {
  kRecordByTable,  // a record field: the number the field's name table gives the keyword
  kRecordByIndex,  // a record field: the option's place in the PPD (off before on)
  kPaperSize,      // the device mode's paper width and length, from the PPD's dimensions
  kInputSlot,      // the device mode's paper source: 257 + the option's place
  kMediaType,      // the device mode's media type: 256 + the option's place
  kDuplex,         // the device mode's duplex: None, DuplexNoTumble, DuplexTumble
  kSides,          // CUPS's sides: one-sided, two-sided-long-edge, two-sided-short-edge
  kOrientation,    // CUPS's orientation-requested: 3 portrait, 4 landscape
  kLandscape,      // CUPS's landscape (true: landscape)
};

struct OptionRow {
  const char* option;
  Target target;
  const char* field = nullptr;  // the record field, for the record targets
  const settings::NameTable* table = nullptr;
};

// Options the job's settings carry. Not carried, so passed over: Resolution (the record
// keeps QualityMode), OutputBin, TraySwitch (printer data, not the job's), Halftones,
// PrintQuality, Separations, collate and number-up (the host driver's own, not the
// plug-in's), and the installable options (the printer's DevOpts).
constexpr OptionRow kOptionRows[] = {
    {.option = "QualityMode", .target = Target::kRecordByTable, .field = "qualityMode",
     .table = &settings::kQualityTable},
    {.option = "MiserMode", .target = Target::kRecordByIndex, .field = "miserMode"},
    {.option = "Smoothing", .target = Target::kRecordByIndex, .field = "smoothing"},
    {.option = "ImageHalftone", .target = Target::kRecordByTable, .field = "imageHalftone",
     .table = &settings::kHalftoneTable},
    {.option = "GraphicsHalftone", .target = Target::kRecordByTable, .field = "graphicsHalftone",
     .table = &settings::kHalftoneTable},
    {.option = "ImageIntent", .target = Target::kRecordByTable, .field = "imageIntent",
     .table = &settings::kIntentTable},
    {.option = "GraphicsIntent", .target = Target::kRecordByTable, .field = "graphicsIntent",
     .table = &settings::kIntentTable},
    {.option = "ImageProcessGray", .target = Target::kRecordByTable, .field = "imageProcessGray",
     .table = &settings::kBooleanTable},
    {.option = "GraphicsProcessGray", .target = Target::kRecordByTable,
     .field = "graphicsProcessGray", .table = &settings::kBooleanTable},
    {.option = "HeaderPage", .target = Target::kRecordByIndex, .field = "headerPage"},
    {.option = "TrailerPage", .target = Target::kRecordByIndex, .field = "trailerPage"},
    {.option = "AutoContinue", .target = Target::kRecordByIndex, .field = "autoContinue"},
    {.option = "PageSize", .target = Target::kPaperSize},
    {.option = "PageRegion", .target = Target::kPaperSize},
    {.option = "media", .target = Target::kPaperSize},
    {.option = "InputSlot", .target = Target::kInputSlot},
    {.option = "MediaType", .target = Target::kMediaType},
    {.option = "Duplex", .target = Target::kDuplex},
    {.option = "sides", .target = Target::kSides},
    {.option = "orientation-requested", .target = Target::kOrientation},
    {.option = "landscape", .target = Target::kLandscape},
};

// The host numbers these PPD lists from a base, in the order the PPD gives them.
constexpr int kFirstInputSlot = 257;
constexpr int kFirstMediaType = 256;

// The device mode's values for portrait and landscape, and for the three duplex modes.
constexpr int kPortrait = 1;
constexpr int kLandscape = 2;
struct NamedNumber {
  std::string_view name;
  int number;
};
constexpr NamedNumber kDuplexModes[] = {
    {"None", 1}, {"DuplexNoTumble", 2}, {"DuplexTumble", 3},
    {"one-sided", 1}, {"two-sided-long-edge", 2}, {"two-sided-short-edge", 3},
};
// CUPS's orientation-requested values for portrait and landscape.
constexpr NamedNumber kOrientations[] = {{"3", kPortrait}, {"4", kLandscape}};

// The PPD's dimensions are points with 8 fraction bits; the device mode's are tenths of
// a millimetre.
constexpr double kTenthsOfMillimetrePerPoint = 254.0 / 72.0;

const OptionRow* FindRow(std::string_view name) {
  for (const OptionRow& row : kOptionRows) {
    if (name == row.option) return &row;
  }
  return nullptr;
}

std::optional<int> FindNumber(std::span<const NamedNumber> table, std::string_view name) {
  for (const NamedNumber& row : table) {
    if (row.name == name) return row.number;
  }
  return std::nullopt;
}

// CUPS hands option values as IPP keywords, which may differ from the PPD's in case
// ("true" for True), and matches them to the PPD ignoring case.
bool SameKeyword(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) !=
        std::tolower(static_cast<unsigned char>(b[i]))) {
      return false;
    }
  }
  return true;
}

// The option's place among the feature's options in the PPD, and the option itself.
std::optional<uint32_t> OptionIndex(const ppd::PpdImage* ppd, std::string_view feature,
                                    std::string_view keyword, const ppd::PpdOption** found) {
  const ppd::PpdFeature* entry = ppd != nullptr ? ppd::PpdFindFeature(ppd, feature) : nullptr;
  if (entry == nullptr) return std::nullopt;
  uint32_t index = 0;
  for (const ppd::PpdOption* option = ppd::FirstOption(ppd, entry); option != nullptr;
       option = ppd::NextOption(ppd, option), ++index) {
    const char* name = ppd::String(ppd, option->keyword);
    if (name != nullptr && SameKeyword(keyword, name)) {
      if (found != nullptr) *found = option;
      return index;
    }
  }
  return std::nullopt;
}

void SetField(render::RenderOptions* options, const char* field, uint32_t value) {
  options->fieldSettings.emplace_back(field, std::to_string(value));
}

bool ApplyPaperSize(const ppd::PpdImage* ppd, const std::string& value,
                    render::RenderOptions* options) {
  const ppd::PpdOption* option = nullptr;
  if (!OptionIndex(ppd, "PageSize", value, &option)) return false;
  const ppd::PpdFeature* feature = ppd::PpdFindFeature(ppd, "PageSize");
  const auto* size = ppd::OptionRecord<ppd::PpdPageSizeOption>(ppd, feature, option);
  if (size == nullptr) return false;
  const auto tenths = [](ppd::Fixed points) {
    return static_cast<short>(std::lround(points / ppd::kFixedOne * kTenthsOfMillimetrePerPoint));
  };
  options->deviceMode.paperWidth = tenths(size->paperWidth);
  options->deviceMode.paperLength = tenths(size->paperHeight);
  return true;
}

bool Apply(const OptionRow& row, const ppd::PpdImage* ppd, const std::string& value,
           render::RenderOptions* options) {
  auto& mode = options->deviceMode;
  switch (row.target) {
    case Target::kRecordByTable: {
      const ppd::PpdOption* option = nullptr;
      if (!OptionIndex(ppd, row.option, value, &option)) return false;
      const char* keyword = ppd::String(ppd, option->keyword);
      SetField(options, row.field, settings::OptionValue(*row.table, keyword));
      return true;
    }
    case Target::kRecordByIndex: {
      const auto index = OptionIndex(ppd, row.option, value, nullptr);
      if (index) SetField(options, row.field, *index);
      return index.has_value();
    }
    case Target::kPaperSize:
      return ApplyPaperSize(ppd, value, options);
    case Target::kInputSlot:
    case Target::kMediaType: {
      const auto index = OptionIndex(ppd, row.option, value, nullptr);
      const int base = row.target == Target::kInputSlot ? kFirstInputSlot : kFirstMediaType;
      if (!index) return false;
      if (row.target == Target::kInputSlot) {
        mode.defaultSource = static_cast<short>(base + static_cast<int>(*index));
      } else {
        mode.mediaType = static_cast<uint32_t>(base) + *index;
      }
      return true;
    }
    case Target::kDuplex:
    case Target::kSides: {
      const auto duplex = FindNumber(kDuplexModes, value);  // IPP and PPD spellings alike
      if (duplex) mode.duplex = static_cast<short>(*duplex);
      return duplex.has_value();
    }
    case Target::kOrientation: {
      const auto orientation = FindNumber(kOrientations, value);
      if (orientation) mode.orientation = static_cast<short>(*orientation);
      return orientation.has_value();
    }
    case Target::kLandscape:
      mode.orientation = static_cast<short>(value == "false" ? kPortrait : kLandscape);
      return true;
  }
  return false;
}

}  // namespace

OptionOutcome ApplyJobOption(const ppd::PpdImage* ppd, const std::string& name,
                             const std::string& value, render::RenderOptions* options) {
  const OptionRow* row = FindRow(name);
  if (row == nullptr) return OptionOutcome::kNotMapped;
  return Apply(*row, ppd, value, options) ? OptionOutcome::kApplied : OptionOutcome::kUnknownValue;
}

}  // namespace kx::filter
