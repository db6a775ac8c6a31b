#include "document_features.h"

#include <cstring>

#include "page_set.h"
#include "platform/registry.h"
#include "platform/win32_errors.h"

namespace kx::ui {

using namespace host;
using settings::PrivateRecord;

namespace {

// First match wins: a host item is compared with these in this order.
constexpr ColourFeature kColourFeatureRows[] = {
    {"ImageHalftone", &PrivateRecord::imageHalftone, &settings::kHalftoneTable},
    {"GraphicsHalftone", &PrivateRecord::graphicsHalftone, &settings::kHalftoneTable},
    {"ImageIntent", &PrivateRecord::imageIntent, &settings::kIntentTable},
    {"GraphicsIntent", &PrivateRecord::graphicsIntent, &settings::kIntentTable},
    {"ImageProcessGray", &PrivateRecord::imageProcessGray, &settings::kBooleanTable},
    {"GraphicsProcessGray", &PrivateRecord::graphicsProcessGray, &settings::kBooleanTable},
};

constexpr AppliedFeature kAppliedFeatureRows[] = {
    {"HeaderPage", &PrivateRecord::headerPage},
    {"TrailerPage", &PrivateRecord::trailerPage},
    {"AutoContinue", &PrivateRecord::autoContinue},
};

// The features page, the colour settings dialog and the advanced graphics options show
// these instead of the host.
constexpr const char* kHiddenOnColourDeviceRows[] = {
    "ImageHalftone", "GraphicsHalftone", "ImageIntent", "GraphicsIntent",
    "ImageProcessGray", "GraphicsProcessGray", "Smoothing", "MiserMode",
    "Halftones", "PrintQuality", "Separations", "QualityMode",
};
constexpr const char* kHiddenOnGrayscaleDeviceRows[] = {
    "ImageHalftone", "GraphicsHalftone", "Halftones", "MiserMode", "QualityMode", "Smoothing",
};

constexpr uint32_t kTraySwitchSize = 4;

}  // namespace

const std::span<const ColourFeature> kColourFeatures{kColourFeatureRows};
const std::span<const AppliedFeature> kAppliedFeatures{kAppliedFeatureRows};
const std::span<const char* const> kHiddenOnColourDevice{kHiddenOnColourDeviceRows};
const std::span<const char* const> kHiddenOnGrayscaleDevice{kHiddenOnGrayscaleDeviceRows};

PrivateRecord* RecordOf(const OEMCUIPPARAM& param) {
  return static_cast<PrivateRecord*>(param.pOEMDM);
}

bool IsColourDevice(const ppd::PpdImage* ppd) { return ppd != nullptr && ppd->colorDevice != 0; }

IPrintOemDriverUI* DriverInterfaceOf(const OEMCUIPPARAM& param) {
  const auto* context = static_cast<const PageSetContext*>(param.pOEMUserData);
  return context != nullptr ? context->driverInterface : nullptr;
}

bool ReadTraySwitch(platform::PrinterHandle printer, const std::u16string& valueName,
                    LONG* selection) {
  uint8_t bytes[kTraySwitchSize] = {};
  uint32_t type = 0;
  uint32_t size = 0;
  if (platform::GetPrinterData(printer, valueName, &type, bytes, sizeof(bytes), &size) !=
          platform::kErrorSuccess ||
      type != platform::kRegBinary || size != kTraySwitchSize) {
    return false;
  }
  uint32_t value = 0;
  std::memcpy(&value, bytes, sizeof(value));
  *selection = static_cast<LONG>(value);
  return true;
}

void WriteTraySwitch(platform::PrinterHandle printer, const std::u16string& valueName,
                     LONG selection) {
  const auto value = static_cast<uint32_t>(selection);
  uint8_t bytes[kTraySwitchSize] = {};
  std::memcpy(bytes, &value, sizeof(bytes));
  // Nothing to do when the spooler refuses: the host's item still shows the choice.
  platform::SetPrinterData(printer, valueName, platform::kRegBinary, bytes, sizeof(bytes));
}

}  // namespace kx::ui
