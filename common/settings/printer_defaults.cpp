#include "settings/printer_defaults.h"

#include <memory>
#include <vector>

#include "platform/last_error.h"
#include "platform/win32_errors.h"
#include "ppd/ppd.h"
#include "settings/name_tables.h"
#include "settings/record_text.h"

namespace kx::settings {
namespace {

constexpr uint16_t kDefaultQualityMode = 2;

// The name-table number of the feature's default option: the default index d, followed
// d links from the first option the prefix search gives.
uint32_t DefaultOptionValue(const ppd::PpdImage* image, const ppd::PpdFeature& feature,
                            const char* keyword, NameTable table) {
  const ppd::PpdOption* option = ppd::PpdFindOptions(image, keyword);
  for (uint32_t step = 0; option != nullptr && step < feature.defaultIndex; ++step) {
    option = ppd::NextOption(image, option);
  }
  const char* optionKeyword = option != nullptr ? ppd::String(image, option->keyword) : nullptr;
  return optionKeyword != nullptr ? OptionValue(table, optionKeyword) : 0;
}

uint16_t QualityModeOf(const ppd::PpdImage* image) {
  for (const char* keyword : {"QualityMode", "Resolution"}) {
    if (const ppd::PpdFeature* feature = ppd::PpdFindFeature(image, keyword)) {
      return static_cast<uint16_t>(DefaultOptionValue(image, *feature, keyword, kQualityTable));
    }
  }
  return kDefaultQualityMode;
}

// A disk is installed when the PPD's default option says so (True...), whatever the
// order in which the PPD lists its options.
uint8_t HardDiskOf(const ppd::PpdImage* image) {
  const char* keyword = "OptionalDisk";
  const ppd::PpdFeature* feature = ppd::PpdFindFeature(image, keyword);
  return feature != nullptr
             ? static_cast<uint8_t>(DefaultOptionValue(image, *feature, keyword, kBooleanTable))
             : 0;
}

uint32_t DefaultIndexOf(const ppd::PpdImage* image, const char* keyword) {
  const ppd::PpdFeature* feature = ppd::PpdFindFeature(image, keyword);
  return feature != nullptr ? feature->defaultIndex : 0;
}

void TakePpdDefaults(const ppd::PpdImage* image, PrivateRecord* record) {
  record->qualityMode = QualityModeOf(image);
  record->miserMode = DefaultIndexOf(image, "MiserMode");
  record->devOpts.installedOptions[kHasHardDisk] = HardDiskOf(image);
  // The PPD's timeout is read as a signed 16-bit number.
  record->jobTimeout = static_cast<uint32_t>(
      static_cast<int32_t>(static_cast<int16_t>(image->suggestedJobTimeout & 0xFFFF)));
  record->printPsErrors = image->printPsError;
  record->singleUserMode = image->singleUserMode;
}

}  // namespace

bool GetPrinterDataFile(platform::PrinterHandle printer, std::u16string* dataFile) {
  constexpr uint32_t kLevel = 3;
  uint32_t needed = 0;
  if (platform::GetPrinterDriver(printer, kLevel, nullptr, 0, &needed) ||
      platform::GetLastErrorCode() != platform::kErrorInsufficientBuffer ||
      needed < sizeof(platform::DriverInfo3)) {
    return false;
  }
  std::vector<uint8_t> buffer(needed, 0);
  if (!platform::GetPrinterDriver(printer, kLevel, buffer.data(), needed, &needed)) {
    return false;
  }
  const auto* info = reinterpret_cast<const platform::DriverInfo3*>(buffer.data());
  dataFile->assign(info->dataFile != nullptr ? info->dataFile : u"");
  return true;
}

PpdHandle OpenPrinterPpd(platform::PrinterHandle printer) {
  std::u16string dataFile;
  if (!GetPrinterDataFile(printer, &dataFile)) return PpdHandle(nullptr, ppd::PpdClose);
  return PpdHandle(ppd::PpdOpen(dataFile.c_str()), ppd::PpdClose);
}

void CompletePrinterDefaults(PrivateRecord* record, platform::PrinterHandle printer) {
  record->devOpts.installedOptions[kHasHardDisk] = 0;
  std::u16string dataFile;
  if (!GetPrinterDataFile(printer, &dataFile)) return;
  // The path is kept whether or not the PPD opens.
  StoreText(record->ppdFileName, dataFile);
  const PpdHandle image(ppd::PpdOpen(dataFile.c_str()), ppd::PpdClose);
  if (image != nullptr) TakePpdDefaults(image.get(), record);
}

}  // namespace kx::settings
