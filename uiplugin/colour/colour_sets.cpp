#include "colour/colour_sets.h"

#include <cstring>
#include <iterator>

#include "platform/registry.h"
#include "platform/win32_errors.h"
#include "settings/record_text.h"
#include "user_store.h"

namespace kx::ui {
namespace {

constexpr TextRow kPredefinedRows[] = {
    {.value = 1, .text = "\xC0\xDA\xB5\xBF"},                                  // 자동 (automatic)
    {.value = 2, .text = "\xC7\xC1\xB8\xAE\xC1\xA8\xC5\xD7\xC0\xCC\xBC\xC7"},  // 프리젠테이션
    {.value = 3, .text = "Photo"},
    {.value = 4, .text = "SRGB"},
    {.value = 5, .text = "\xBE\xF8\xC0\xBD"},  // 없음 (none)
    {.value = 6, .text = "ICM"},
};

// 사용자 (user)
constexpr char kUserSetName[] = "\xBB\xE7\xBF\xEB\xC0\xDA";

// What choosing a predefined set writes, besides turning every profile off.
struct PresetValues {
  uint32_t id;
  uint8_t colorMode;
  uint8_t graphicsHalftone;
  uint8_t imageHalftone;
  uint8_t graphicsIntent;
  uint8_t imageIntent;
  uint8_t graphicsProcessGray;
  uint8_t imageProcessGray;
};

constexpr uint8_t kColour = 2;

constexpr PresetValues kPresets[] = {
    {.id = 1, .colorMode = kColour, .graphicsHalftone = 2, .imageHalftone = 0,
     .graphicsIntent = 2, .imageIntent = 3, .graphicsProcessGray = 0, .imageProcessGray = 1},
    {.id = 2, .colorMode = kColour, .graphicsHalftone = 2, .imageHalftone = 2,
     .graphicsIntent = 2, .imageIntent = 2, .graphicsProcessGray = 0, .imageProcessGray = 0},
    {.id = 3, .colorMode = kColour, .graphicsHalftone = 0, .imageHalftone = 0,
     .graphicsIntent = 1, .imageIntent = 1, .graphicsProcessGray = 1, .imageProcessGray = 1},
    {.id = 4, .colorMode = kColour, .graphicsHalftone = 1, .imageHalftone = 1,
     .graphicsIntent = 3, .imageIntent = 3, .graphicsProcessGray = 1, .imageProcessGray = 1},
    {.id = 5, .colorMode = kColour, .graphicsHalftone = 2, .imageHalftone = 0,
     .graphicsIntent = 0, .imageIntent = 0, .graphicsProcessGray = 1, .imageProcessGray = 1},
    {.id = 6, .colorMode = kColour, .graphicsHalftone = 1, .imageHalftone = 1,
     .graphicsIntent = 0, .imageIntent = 0, .graphicsProcessGray = 1, .imageProcessGray = 1},
};

const PresetValues* PresetOf(uint32_t id) {
  for (const PresetValues& preset : kPresets) {
    if (preset.id == id) return &preset;
  }
  return nullptr;
}

// The longest set name: the record's colorSetName holds it with its terminator.
constexpr size_t kMaxNameLength = std::size(settings::PrivateRecord{}.colorSetName) - 1;

uint8_t* BlockOf(settings::PrivateRecord* record) {
  return reinterpret_cast<uint8_t*>(record) + kColourBlockOffset;
}
const uint8_t* BlockOf(const settings::PrivateRecord& record) {
  return reinterpret_cast<const uint8_t*>(&record) + kColourBlockOffset;
}

// The printer's store of sets, opened for one operation (created when missing).
PrinterRecordStore Sets(std::u16string_view printer) {
  return PrinterRecordStore(printer, kColourSetStore, kColourBlockSize, kMaxNameLength);
}

}  // namespace

const TextTable kPredefinedColourSets{kPredefinedRows};

std::u16string UserColourSetName() { return ToUtf16(kUserSetName); }

void ApplyPredefinedColourSet(settings::PrivateRecord* record) {
  const PresetValues* preset = PresetOf(record->quickColorSet);
  if (preset == nullptr) return;
  record->colorMode = preset->colorMode;
  record->fieldAt2508 = 0;
  record->useColorIntents = 1;
  record->rgbSourceDefault = 1;
  record->simulationNone = 1;
  record->destinationNone = 1;
  settings::StoreText(record->rgbSourceName, u"");
  settings::StoreText(record->rgbSourceFile, u"");
  settings::StoreText(record->simulationName, u"");
  settings::StoreText(record->simulationFile, u"");
  settings::StoreText(record->destinationName, u"");
  settings::StoreText(record->destinationFile, u"");
  record->graphicsHalftone = preset->graphicsHalftone;
  record->imageHalftone = preset->imageHalftone;
  record->graphicsIntent = preset->graphicsIntent;
  record->imageIntent = preset->imageIntent;
  record->graphicsProcessGray = preset->graphicsProcessGray;
  record->imageProcessGray = preset->imageProcessGray;
}

std::vector<std::u16string> ListColourSets(std::u16string_view printer) {
  return Sets(printer).Names();
}

bool LoadColourSet(std::u16string_view name, std::u16string_view printer,
                   settings::PrivateRecord* record) {
  return record != nullptr && Sets(printer).Read(name, BlockOf(record));
}

uint32_t SaveColourSet(std::u16string_view name, std::u16string_view printer,
                       const settings::PrivateRecord& record) {
  // A set that could not be listed again would be lost to the user: the store refuses it.
  return Sets(printer).Write(name, BlockOf(record));
}

bool DeleteColourSet(std::u16string_view name, std::u16string_view printer) {
  return Sets(printer).Delete(name);
}

}  // namespace kx::ui
