// The printer's installable options: which PPD feature stands for which installed flag of
// the device options block, and how the flags move between the PPD's defaults, the device
// settings page's two lists and the host's installable-option items.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "host/window.h"
#include "page_set.h"
#include "ppd/ppd.h"
#include "settings/record.h"

namespace kx::ui {

using InstalledFlags = uint8_t[settings::kInstalledOptionCount];

// What kind of keyword a table row has, which decides how callers may compare it.
enum class KeywordKind : uint8_t {
  kPlain,         // a keyword of its own
  kDuplexer,      // Optionalduplexer
  kBin,           // OptionalBin, the other name of optional tray 1
  kNumberedBin,   // OptionalBin1...OptionalBin5
};

// An installable option: the PPD feature keyword and the index of its installed flag.
struct InstallableOption {
  const char* keyword;
  size_t flag;
  KeywordKind kind;
};

// The fourteen keywords of the thirteen options, hard disk (flag 0) to the
// multiple-resolution option (flag 12); optional tray 1 goes by two keywords (OptionalBin
// and OptionalBin1).
extern const std::span<const InstallableOption> kInstallableOptions;

// How a feature keyword is compared with the table's. Each place that moves the flags
// compares in its own established way (the host's stored choices and its items must go on
// being recognised as they were), so the caller names the way.
enum class KeywordMatch : uint8_t {
  kWhole,             // every keyword whole
  kNumberedBinPrefix, // OptionalBin1...OptionalBin5 may be followed by more, the rest whole
  kDuplexerPrefix,    // Optionalduplexer may be followed by more, the rest whole
  kPrefixButBin,      // every keyword may be followed by more, except OptionalBin
};

// The device options block of a printer that has none stored: every installed flag 0
// except those of the hard disk, duplexer, optional trays 1 and 2 and feeder, which the
// PPD's default options decide (`ppd` may be null); the community "kestra", the other
// texts empty.
void DefaultDeviceOptions(settings::DeviceOptions* options, const ppd::PpdImage* ppd);

// Whether an option keyword says installed: True, or a keyword that begins with it.
bool IsInstalledOption(std::string_view optionKeyword);

// The table row of an installable feature, or null when the feature is none of the table's.
const InstallableOption* InstallableOptionOf(std::string_view featureKeyword,
                                             KeywordMatch match = KeywordMatch::kWhole);

// The PPD's installable features in its list order; empty without a PPD.
std::vector<const ppd::PpdFeature*> InstallableFeatures(const ppd::PpdImage* ppd);

// A feature's keyword; empty when the image gives none.
std::string_view KeywordOf(const ppd::PpdImage* ppd, const ppd::PpdFeature& feature);

// The device settings page's controls that the option lists fill.
inline constexpr int kHostNameEdit = 1002;
inline constexpr int kChargeNumberEdit = 1003;
inline constexpr int kPrinterAddressEdit = 1004;
inline constexpr int kAvailableOptionsList = 1007;  // "사용 가능한 옵션"
inline constexpr int kInstalledOptionsList = 1008;  // "설치된 옵션"
inline constexpr int kRemoveOptionButton = 1009;
inline constexpr int kAddOptionButton = 1010;

// The device settings page's lists (dialog 101) when it opens: its working copy's charge
// number, host name and address into the edit controls; every installable feature of the
// PPD that the table knows (Optionalduplexer as a prefix), in the PPD's order, shown by its
// translation in the installed list when its flag is set, else in the available list,
// with the address of its flag in `working` as item data; the Add and Remove buttons
// disabled. Without `working` the lists stay empty.
void FillOptionLists(host::HWND dialog, const ppd::PpdImage* ppd,
                     settings::DeviceOptions* working);

// In each of the host's items (the context's common-UI items) that shows an installable
// feature the table knows (OptionalBin1...OptionalBin5 as prefixes), selects the choice
// of the PPD option True when the flag is set, False when it is not, and marks the item
// changed; every item of an installable feature is then announced to the host.
void PutInstalledFlagsIntoHostItems(const PageSetContext& context, const ppd::PpdImage* ppd,
                                    const InstalledFlags& flags);

}  // namespace kx::ui
