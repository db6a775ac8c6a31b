#include "settings/record_ops.h"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <string>

#include "platform/codepage.h"
#include "platform/registry.h"
#include "platform/win32_errors.h"
#include "settings/printer_defaults.h"
#include "settings/record_text.h"

namespace kx::settings {
namespace {

constexpr char16_t kDefaultCommunity[] = u"kestra";
constexpr char16_t kDevOptsValueName[] = u"DevOpts";
constexpr int32_t kSpareLimit = 100;

// Japanese systems get a font that has their glyphs; everything else gets Courier.
std::u16string_view DefaultWatermarkFont() {
  platform::CodePageInfoEx info{};
  if (platform::GetCodePageInfoEx(platform::kCpOemCp, &info) && info.codePage == 932) {
    return u"HeiseiMin-W3-90ms-RKSJ-H";
  }
  return u"Courier";
}

void SetHeader(PrivateRecord* record) {
  record->dwSize = kRecordSize;
  record->dwSignature = kRecordSignature;
  record->dwVersion = kRecordVersion;
}

void SetOverlayDefaults(OverlayEntry (&overlays)[kOverlayCount]) {
  for (OverlayEntry& overlay : overlays) {
    overlay = OverlayEntry{};
    overlay.firstPage = 1;
    overlay.period = 1;
  }
}

void SetColourDefaults(PrivateRecord* record) {
  record->colorMode = 2;
  record->quickColorSet = 1;
  record->useColorIntents = 1;
  record->rgbSourceDefault = 1;
  record->simulationNone = 1;
  record->destinationNone = 1;
  record->graphicsHalftone = 2;
  record->imageHalftone = 0;
  record->graphicsIntent = 2;
  record->imageIntent = 3;
  record->graphicsProcessGray = 0;
  record->imageProcessGray = 1;
}

void SetJobOptionDefaults(PrivateRecord* record) {
  record->allowAppPostScript = 1;
  record->printPsErrors = 1;
  record->useExternalHeader = 0;
  record->jobTimeout = 0;
  record->fieldAt4692 = 3;
  record->emailNotify = 0;
  record->headerPage = 0;
  record->trailerPage = 0;
  record->autoContinue = 1;
}

// Everything that is not named here is zero or empty.
void SetBuiltInDefaults(PrivateRecord* record) {
  std::memset(record, 0, sizeof(*record));
  SetHeader(record);
  record->qualityMode = 2;
  record->fieldAt560 = 8;
  SetOverlayDefaults(record->overlays);
  SetWatermarkJobDefault(&record->watermark);
  SetDeviceOptionsDefaults(&record->devOpts);
  SetColourDefaults(record);
  SetJobOptionDefaults(record);
}

// Keeps what the record carried in the block except the printer-specific values.
void ResetPrinterDeviceOptions(DeviceOptions* options) {
  std::fill(std::begin(options->installedOptions), std::end(options->installedOptions), 0);
  StoreText(options->userName, u"");
  StoreText(options->hostName, u"");
  StoreText(options->chargeNumber, u"");
  StoreText(options->printerAddress, u"");
  StoreText(options->snmpCommunity, kDefaultCommunity);
  std::memset(options->userNameAnsi, 0, sizeof(options->userNameAnsi));
  std::memset(options->hostNameAnsi, 0, sizeof(options->hostNameAnsi));
  std::memset(options->chargeNumberAnsi, 0, sizeof(options->chargeNumberAnsi));
  std::memset(options->userNameUtf8, 0, sizeof(options->userNameUtf8));
  std::memset(options->hostNameUtf8, 0, sizeof(options->hostNameUtf8));
  std::memset(options->chargeNumberUtf8, 0, sizeof(options->chargeNumberUtf8));
}

}  // namespace

void StoreAnsiWatermarkText(PrivateRecord* record) {
  constexpr uint32_t kAnsiCopyFlags = platform::kWcCompositeCheck | platform::kWcSepChars;
  constexpr int kAnsiCopySize = sizeof(PrivateRecord::watermarkTextAnsi);
  std::fill(std::begin(record->watermarkTextAnsi), std::end(record->watermarkTextAnsi), '\0');
  const std::u16string text(FieldText(record->watermark.text));
  platform::WideCharToMultiByte(platform::kCpAcp, kAnsiCopyFlags, text.c_str(), -1,
                                record->watermarkTextAnsi, kAnsiCopySize, nullptr, nullptr);
  record->watermarkCodePage = static_cast<uint16_t>(platform::AnsiCodePage());
}

void SetWatermarkJobDefault(WatermarkRecord* watermark) {
  *watermark = WatermarkRecord{};
  StoreText(watermark->fontName, DefaultWatermarkFont());
  watermark->enabled = 0;
  watermark->shadeOrColour = 50;
  watermark->fontSize = 72;
  watermark->angle = 45;
  watermark->background = 1;
}

void SetWatermarkNewDefault(WatermarkRecord* watermark) {
  SetWatermarkJobDefault(watermark);
  watermark->enabled = 1;
}

bool ReadStoredDeviceOptions(platform::PrinterHandle printer, DeviceOptions* options) {
  DeviceOptions stored{};
  uint32_t type = 0;
  uint32_t needed = 0;
  const uint32_t status =
      platform::GetPrinterData(printer, kDevOptsValueName, &type, reinterpret_cast<uint8_t*>(&stored),
                               kDeviceOptionsSize, &needed);
  // A shorter value would leave the rest of the block as it was, and a value of another
  // type is no block at all: neither is taken.
  if (status != platform::kErrorSuccess || type != platform::kRegBinary ||
      needed != kDeviceOptionsSize) {
    return false;
  }
  *options = stored;
  return true;
}

uint32_t WriteStoredDeviceOptions(platform::PrinterHandle printer, const DeviceOptions& options) {
  return platform::SetPrinterData(printer, kDevOptsValueName, platform::kRegBinary,
                                  reinterpret_cast<const uint8_t*>(&options), kDeviceOptionsSize);
}

void SetDeviceOptionsDefaults(DeviceOptions* options) {
  std::memset(options, 0, sizeof(*options));
  StoreText(options->snmpCommunity, kDefaultCommunity);
}

bool SetRecordDefaults(PrivateRecord* record, platform::PrinterHandle printer) {
  if (record == nullptr) return false;
  SetBuiltInDefaults(record);
  CompletePrinterDefaults(record, printer);
  return true;
}

bool MergeRecord(const PrivateRecord* source, PrivateRecord* destination,
                 platform::PrinterHandle printer) {
  if (source == nullptr || destination == nullptr) return false;
  if (source->dwSignature != destination->dwSignature) {
    SetHeader(destination);
    destination->spare = 0;
    return true;
  }
  destination->spare = 0;
  // The sizes come from the records themselves: a damaged or hostile one may claim more
  // than a record holds, so the copy never goes beyond one record.
  const size_t count = std::min({source->dwSize, destination->dwSize, kRecordSize});
  std::memmove(destination, source, count);
  destination->dwSize = kRecordSize;
  destination->dwVersion = kRecordVersion;
  if (!ReadStoredDeviceOptions(printer, &destination->devOpts)) {
    ResetPrinterDeviceOptions(&destination->devOpts);
  }
  return true;
}

bool ValidateRecord(PrivateRecord* record) {
  if (record == nullptr) return false;
  SetHeader(record);
  if (static_cast<int32_t>(record->spare) > kSpareLimit) record->spare = 0;
  return true;
}

}  // namespace kx::settings
