// What the document items' build, callback and resynchronisation share: the PPD features
// whose host items the plug-in hides or keeps in step with the private settings record,
// the selections of the host's fixed items, and the tray-switch value the printer keeps.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "host/oemui.h"
#include "platform/spooler.h"
#include "ppd/ppd.h"
#include "settings/name_tables.h"
#include "settings/record.h"

namespace kx::ui {

inline constexpr char kTraySwitchFeature[] = "TraySwitch";
inline constexpr char kQualityModeFeature[] = "QualityMode";
inline constexpr char kResolutionFeature[] = "Resolution";

// The host's error-handler item ("send the PostScript error handler") in the section
// before the PPD's features; its choices are yes (send) and no.
inline constexpr host::DWORD kErrorHandlerHelpIndex = 1042;
inline constexpr host::LONG kErrorHandlerSend = 0;
inline constexpr host::LONG kErrorHandlerOmit = 1;

// The host's pages-per-sheet item: the choices from this one on print a booklet.
inline constexpr host::LONG kNupFirstBookletChoice = 6;
// The host's colour item: grayscale, then colour (any choice but colour reads as
// grayscale).
inline constexpr host::LONG kColourItemGrayscaleChoice = 0;
inline constexpr host::LONG kColourItemColourChoice = 1;
// The banner and continue-on-error features list off before on.
inline constexpr host::LONG kFeatureOnChoice = 1;

// A colour feature whose host item shows a byte of the record, through a name table.
struct ColourFeature {
  const char* keyword;
  uint8_t settings::PrivateRecord::*field;
  const settings::NameTable* table;
};
// The six, in the order a host item is matched against them.
extern const std::span<const ColourFeature> kColourFeatures;

// A feature whose host item's on/off choice the record takes when the user applies.
struct AppliedFeature {
  const char* keyword;
  uint32_t settings::PrivateRecord::*field;
};
extern const std::span<const AppliedFeature> kAppliedFeatures;

// The features whose host items the plug-in's own pages replace, on a colour printer and
// on a grayscale one (which leaves the intents and gray processing to the host).
extern const std::span<const char* const> kHiddenOnColourDevice;
extern const std::span<const char* const> kHiddenOnGrayscaleDevice;

// The record the host passes in the parameter block; null when it passes none.
settings::PrivateRecord* RecordOf(const host::OEMCUIPPARAM& param);

// Whether the PPD says the printer prints colour (false without a PPD).
bool IsColourDevice(const ppd::PpdImage* ppd);

// The host's driver interface, which the build left with the document sheet's context in
// the parameter block; null when there is none.
host::IPrintOemDriverUI* DriverInterfaceOf(const host::OEMCUIPPARAM& param);

// The tray-switch selection kept as printer data under the item's display name: four
// bytes, binary. A value of another size or type, or none, is not taken (false).
bool ReadTraySwitch(platform::PrinterHandle printer, const std::u16string& valueName,
                    host::LONG* selection);
void WriteTraySwitch(platform::PrinterHandle printer, const std::u16string& valueName,
                     host::LONG selection);

}  // namespace kx::ui
