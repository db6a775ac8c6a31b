// What a stored setting must hold before it becomes a job's record. The record's header
// says whose record it is; the texts and numbers checked are those the rendering plug-in
// prints, indexes tables with or lets pass into PostScript and PJL, so that a record from
// another version, or one damaged in the store, never reaches a job.
#include <algorithm>
#include <cstring>

#include "joboptions/custom_settings_store.h"
#include "settings/field_table.h"

namespace kx::ui {
namespace {

using settings::PrivateRecord;

bool HeaderIsOurs(const PrivateRecord& record) {
  return record.dwSize == settings::kRecordSize &&
         record.dwSignature == settings::kRecordSignature &&
         record.dwVersion == settings::kRecordVersion;
}

// Whether the text field holds its terminating NUL within its array.
bool Terminated(const PrivateRecord& record, const settings::RecordField& field) {
  const auto* bytes = reinterpret_cast<const uint8_t*>(&record) + field.offset;
  if (field.kind == settings::FieldKind::kWideText) {
    for (size_t i = 0; i < field.size; ++i) {
      char16_t unit = 0;
      std::memcpy(&unit, bytes + i * sizeof(unit), sizeof(unit));
      if (unit == 0) return true;
    }
    return false;
  }
  return std::find(bytes, bytes + field.size, uint8_t{0}) != bytes + field.size;
}

bool TextsTerminated(const PrivateRecord& record) {
  for (const settings::RecordField& field : settings::RecordFields()) {
    const bool text = field.kind == settings::FieldKind::kWideText ||
                      field.kind == settings::FieldKind::kAnsiText ||
                      field.kind == settings::FieldKind::kUtf8Text;
    if (text && !Terminated(record, field)) return false;
  }
  return true;
}

template <typename T>
bool Within(T value, T low, T high) {
  return value >= low && value <= high;
}

// The ranges of the settings the dialogs offer. qualityMode 0 is what a PPD without a
// known quality option gives.
constexpr uint16_t kLastQuality = 10;
constexpr uint8_t kLastHalftone = 2;
constexpr uint8_t kLastIntent = 4;
constexpr uint8_t kLastBoolean = 1;
// 0 until the host has reported its own colour item; the job then prints in gray.
constexpr uint8_t kColourModeUnknown = 0, kColour = 2;
constexpr uint32_t kLastColourSet = 6;
constexpr uint16_t kLastNupCode = 5;
constexpr uint16_t kRotations[] = {0, 90, 180, 270};

bool JobNumbersInRange(const PrivateRecord& r) {
  return Within<uint16_t>(r.qualityMode, 0, kLastQuality) &&
         std::find(std::begin(kRotations), std::end(kRotations), r.rotation) !=
             std::end(kRotations) &&
         Within<uint16_t>(r.nupCode, 0, kLastNupCode);
}

bool ColourNumbersInRange(const PrivateRecord& r) {
  return Within<uint8_t>(r.colorMode, kColourModeUnknown, kColour) &&
         Within<uint32_t>(r.quickColorSet, 0, kLastColourSet) &&
         Within<uint8_t>(r.graphicsHalftone, 0, kLastHalftone) &&
         Within<uint8_t>(r.imageHalftone, 0, kLastHalftone) &&
         Within<uint8_t>(r.graphicsIntent, 0, kLastIntent) &&
         Within<uint8_t>(r.imageIntent, 0, kLastIntent) &&
         Within<uint8_t>(r.graphicsProcessGray, 0, kLastBoolean) &&
         Within<uint8_t>(r.imageProcessGray, 0, kLastBoolean);
}

// The watermark's values as its editor bounds them; the font size and the shade or colour
// are printed into the job's PostScript.
constexpr int32_t kSmallestFont = 4, kLargestFont = 350;
constexpr int32_t kDarkestShade = 100;
constexpr int32_t kFirstColour = 1, kLastColour = 4;
constexpr int32_t kHalfPageWidth = 306, kHalfPageHeight = 396;
constexpr int32_t kFullTurn = 360;
constexpr int32_t kNoFontChosen = -1;

bool WatermarkInRange(const settings::WatermarkRecord& w) {
  const bool shadeOrColour = w.colourFlag != 0
                                 ? Within(w.shadeOrColour, kFirstColour, kLastColour)
                                 : Within(w.shadeOrColour, 0, kDarkestShade);
  return shadeOrColour && Within(w.fontSize, kSmallestFont, kLargestFont) &&
         w.fontIndex >= kNoFontChosen && Within(w.offsetX, -kHalfPageWidth, kHalfPageWidth) &&
         Within(w.offsetY, -kHalfPageHeight, kHalfPageHeight) && Within(w.angle, 0, kFullTurn);
}

// The composite overlay recurs from its first page every `period` pages; a period of 0
// would put it on one page only and a page past 99 is not one the editor offers.
constexpr uint32_t kFirstPageLimit = 99;

bool OverlaysInRange(const PrivateRecord& r) {
  const settings::OverlayEntry& composite = r.overlays[settings::kOverlayComposite];
  return Within<uint32_t>(composite.firstPage, 1, kFirstPageLimit) &&
         Within<uint32_t>(composite.period, 1, kFirstPageLimit);
}

}  // namespace

bool IsUsableStoredRecord(const PrivateRecord& record) {
  return HeaderIsOurs(record) && TextsTerminated(record) && JobNumbersInRange(record) &&
         ColourNumbersInRange(record) && WatermarkInRange(record.watermark) &&
         OverlaysInRange(record);
}

}  // namespace kx::ui
