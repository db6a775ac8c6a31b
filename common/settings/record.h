// The private settings record: the plug-ins' part of the host's device mode. It is a
// persisted binary format (stored by the host per printer, per user and in every spooled
// job), so every offset and size below is fixed and pinned.
#pragma once

#include <cstddef>
#include <cstdint>

namespace kx::settings {

inline constexpr uint32_t kRecordSize = 5816;
inline constexpr uint32_t kRecordSignature = 0x4A57;  // "WJ"
inline constexpr uint32_t kRecordVersion = 1;
inline constexpr uint32_t kDeviceOptionsSize = 814;
inline constexpr uint32_t kInstalledOptionCount = 13;
inline constexpr uint32_t kOverlayCount = 5;

// One overlay stored on the printer's disk.
struct OverlayEntry {
  char16_t fileName[14];  // 8.3 name in upper case, at most 12 characters
  uint32_t enabled;
  uint32_t reserved;
  uint32_t firstPage;     // composite entry only: 1 to 99
  uint32_t period;        // composite entry only: 1 to 99
};
static_assert(offsetof(OverlayEntry, fileName) == 0);
static_assert(offsetof(OverlayEntry, enabled) == 28);
static_assert(offsetof(OverlayEntry, reserved) == 32);
static_assert(offsetof(OverlayEntry, firstPage) == 36);
static_assert(offsetof(OverlayEntry, period) == 40);
static_assert(sizeof(OverlayEntry) == 44);

enum OverlaySlot : uint32_t {
  kOverlayAllPages = 0,
  kOverlayFirstPage = 1,
  kOverlayEvenPages = 2,
  kOverlayOddPages = 3,
  kOverlayComposite = 4,
};

// A watermark; also the value stored byte for byte in the user's watermark library.
struct WatermarkRecord {
  char16_t name[32];
  char16_t text[64];
  char16_t fontName[64];
  uint32_t enabled;
  uint32_t firstPageOnly;
  uint32_t colourFlag;
  int32_t shadeOrColour;
  int32_t fontIndex;
  int32_t fontSize;
  uint32_t reserved;
  int32_t offsetX;
  int32_t offsetY;
  int32_t angle;
  uint32_t background;
  uint32_t outlineOnly;
};
static_assert(offsetof(WatermarkRecord, name) == 0);
static_assert(offsetof(WatermarkRecord, text) == 64);
static_assert(offsetof(WatermarkRecord, fontName) == 192);
static_assert(offsetof(WatermarkRecord, enabled) == 320);
static_assert(offsetof(WatermarkRecord, firstPageOnly) == 324);
static_assert(offsetof(WatermarkRecord, colourFlag) == 328);
static_assert(offsetof(WatermarkRecord, shadeOrColour) == 332);
static_assert(offsetof(WatermarkRecord, fontIndex) == 336);
static_assert(offsetof(WatermarkRecord, fontSize) == 340);
static_assert(offsetof(WatermarkRecord, reserved) == 344);
static_assert(offsetof(WatermarkRecord, offsetX) == 348);
static_assert(offsetof(WatermarkRecord, offsetY) == 352);
static_assert(offsetof(WatermarkRecord, angle) == 356);
static_assert(offsetof(WatermarkRecord, background) == 360);
static_assert(offsetof(WatermarkRecord, outlineOnly) == 364);
static_assert(sizeof(WatermarkRecord) == 368);

// The printer-wide device options; the same bytes are the printer data value "DevOpts".
struct DeviceOptions {
  uint8_t installedOptions[kInstalledOptionCount];  // [0] is hasHardDisk
  uint8_t padding13;
  char16_t userName[64];
  char16_t hostName[16];
  char16_t chargeNumber[8];
  char16_t snmpCommunity[32];
  char16_t printerAddress[16];
  char userNameAnsi[128];
  char hostNameAnsi[32];
  char chargeNumberAnsi[16];
  char userNameUtf8[256];
  char hostNameUtf8[64];
  char chargeNumberUtf8[32];
};
static_assert(offsetof(DeviceOptions, installedOptions) == 0);
static_assert(offsetof(DeviceOptions, userName) == 14);
static_assert(offsetof(DeviceOptions, hostName) == 142);
static_assert(offsetof(DeviceOptions, chargeNumber) == 174);
static_assert(offsetof(DeviceOptions, snmpCommunity) == 190);
static_assert(offsetof(DeviceOptions, printerAddress) == 254);
static_assert(offsetof(DeviceOptions, userNameAnsi) == 286);
static_assert(offsetof(DeviceOptions, hostNameAnsi) == 414);
static_assert(offsetof(DeviceOptions, chargeNumberAnsi) == 446);
static_assert(offsetof(DeviceOptions, userNameUtf8) == 462);
static_assert(offsetof(DeviceOptions, hostNameUtf8) == 718);
static_assert(offsetof(DeviceOptions, chargeNumberUtf8) == 782);
static_assert(sizeof(DeviceOptions) == kDeviceOptionsSize);

inline constexpr size_t kHasHardDisk = 0;  // index into installedOptions

struct PrivateRecord {
  // The host's extra header (OEM_DMEXTRAHEADER).
  uint32_t dwSize;
  uint32_t dwSignature;
  uint32_t dwVersion;

  uint32_t spare;
  uint16_t pageCounter;
  char16_t ppdFileName[260];
  uint16_t qualityMode;
  uint32_t miserMode;
  uint16_t smoothing;
  uint8_t padding546[2];
  uint32_t negativeImage;
  uint32_t mirrorImage;
  uint16_t rotation;
  uint16_t watermarkCodePage;
  uint16_t fieldAt560;
  uint8_t padding562[2];
  uint32_t singleUserMode;
  uint16_t nupCode;
  uint16_t booklet;
  uint32_t overlayPageValue;
  OverlayEntry overlays[kOverlayCount];
  WatermarkRecord watermark;
  char watermarkTextAnsi[520];
  DeviceOptions devOpts;
  uint8_t padding2498[2];

  // The colour settings block (stored whole as a quick colour set) runs from colorMode
  // to imageProcessGray.
  uint8_t colorMode;
  uint8_t padding2501[3];
  uint32_t quickColorSet;
  uint32_t fieldAt2508;
  uint32_t useColorIntents;
  uint8_t rgbSourceDefault;
  uint8_t padding2517;
  char16_t rgbSourceName[65];
  char16_t rgbSourceFile[260];
  uint8_t simulationNone;
  uint8_t padding3169;
  char16_t simulationName[65];
  char16_t simulationFile[260];
  uint8_t destinationNone;
  uint8_t padding3821;
  char16_t destinationName[65];
  char16_t destinationFile[260];
  uint8_t graphicsHalftone;
  uint8_t imageHalftone;
  uint8_t graphicsIntent;
  uint8_t imageIntent;
  uint8_t graphicsProcessGray;
  uint8_t imageProcessGray;
  uint8_t padding4478[2];

  char16_t colorSetName[32];
  uint32_t allowAppPostScript;
  uint32_t printPsErrors;
  uint32_t useExternalHeader;
  char16_t externalHeaderFile[66];
  uint32_t jobTimeout;
  uint16_t fieldAt4692;
  uint8_t padding4694[2];
  uint32_t emailNotify;
  char16_t emailAddress[260];
  char16_t customSettingName[32];
  uint32_t headerPage;
  uint32_t trailerPage;
  uint32_t autoContinue;
  char16_t jobName[260];
};
static_assert(offsetof(PrivateRecord, dwSize) == 0);
static_assert(offsetof(PrivateRecord, dwSignature) == 4);
static_assert(offsetof(PrivateRecord, dwVersion) == 8);
static_assert(offsetof(PrivateRecord, spare) == 12);
static_assert(offsetof(PrivateRecord, pageCounter) == 16);
static_assert(offsetof(PrivateRecord, ppdFileName) == 18);
static_assert(offsetof(PrivateRecord, qualityMode) == 538);
static_assert(offsetof(PrivateRecord, miserMode) == 540);
static_assert(offsetof(PrivateRecord, smoothing) == 544);
static_assert(offsetof(PrivateRecord, negativeImage) == 548);
static_assert(offsetof(PrivateRecord, mirrorImage) == 552);
static_assert(offsetof(PrivateRecord, rotation) == 556);
static_assert(offsetof(PrivateRecord, watermarkCodePage) == 558);
static_assert(offsetof(PrivateRecord, fieldAt560) == 560);
static_assert(offsetof(PrivateRecord, singleUserMode) == 564);
static_assert(offsetof(PrivateRecord, nupCode) == 568);
static_assert(offsetof(PrivateRecord, booklet) == 570);
static_assert(offsetof(PrivateRecord, overlayPageValue) == 572);
static_assert(offsetof(PrivateRecord, overlays) == 576);
static_assert(offsetof(PrivateRecord, watermark) == 796);
static_assert(offsetof(PrivateRecord, watermarkTextAnsi) == 1164);
static_assert(offsetof(PrivateRecord, devOpts) == 1684);
static_assert(offsetof(PrivateRecord, colorMode) == 2500);
static_assert(offsetof(PrivateRecord, quickColorSet) == 2504);
static_assert(offsetof(PrivateRecord, fieldAt2508) == 2508);
static_assert(offsetof(PrivateRecord, useColorIntents) == 2512);
static_assert(offsetof(PrivateRecord, rgbSourceDefault) == 2516);
static_assert(offsetof(PrivateRecord, rgbSourceName) == 2518);
static_assert(offsetof(PrivateRecord, rgbSourceFile) == 2648);
static_assert(offsetof(PrivateRecord, simulationNone) == 3168);
static_assert(offsetof(PrivateRecord, simulationName) == 3170);
static_assert(offsetof(PrivateRecord, simulationFile) == 3300);
static_assert(offsetof(PrivateRecord, destinationNone) == 3820);
static_assert(offsetof(PrivateRecord, destinationName) == 3822);
static_assert(offsetof(PrivateRecord, destinationFile) == 3952);
static_assert(offsetof(PrivateRecord, graphicsHalftone) == 4472);
static_assert(offsetof(PrivateRecord, imageHalftone) == 4473);
static_assert(offsetof(PrivateRecord, graphicsIntent) == 4474);
static_assert(offsetof(PrivateRecord, imageIntent) == 4475);
static_assert(offsetof(PrivateRecord, graphicsProcessGray) == 4476);
static_assert(offsetof(PrivateRecord, imageProcessGray) == 4477);
static_assert(offsetof(PrivateRecord, colorSetName) == 4480);
static_assert(offsetof(PrivateRecord, allowAppPostScript) == 4544);
static_assert(offsetof(PrivateRecord, printPsErrors) == 4548);
static_assert(offsetof(PrivateRecord, useExternalHeader) == 4552);
static_assert(offsetof(PrivateRecord, externalHeaderFile) == 4556);
static_assert(offsetof(PrivateRecord, jobTimeout) == 4688);
static_assert(offsetof(PrivateRecord, fieldAt4692) == 4692);
static_assert(offsetof(PrivateRecord, emailNotify) == 4696);
static_assert(offsetof(PrivateRecord, emailAddress) == 4700);
static_assert(offsetof(PrivateRecord, customSettingName) == 5220);
static_assert(offsetof(PrivateRecord, headerPage) == 5284);
static_assert(offsetof(PrivateRecord, trailerPage) == 5288);
static_assert(offsetof(PrivateRecord, autoContinue) == 5292);
static_assert(offsetof(PrivateRecord, jobName) == 5296);
static_assert(sizeof(PrivateRecord) == kRecordSize);

}  // namespace kx::settings
