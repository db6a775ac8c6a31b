// The printer's installable options: which PPD feature stands for which installed flag of
// the device options block, and how the flags move between the PPD's defaults, the device
// settings page's two lists and the host's installable-option items.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "host/window.h"
#include "page_set.h"
#include "ppd/ppd.h"
#include "settings/record.h"

namespace kx::ui {

using InstalledFlags = uint8_t[settings::kInstalledOptionCount];

// An installable option: the PPD feature keyword and the index of its installed flag.
struct InstallableOption {
  const char* keyword;
  size_t flag;
};

// The thirteen options, hard disk (flag 0) to the multiple-resolution option (flag 12);
// optional tray 1 goes by two keywords (OptionalBin and OptionalBin1).
extern const std::span<const InstallableOption> kInstallableOptions;

// The device options block of a printer that has none stored: every installed flag 0
// except those of the hard disk, duplexer, optional trays 1 and 2 and feeder, which the
// PPD's default options decide (`ppd` may be null); the community "kestra", the other
// texts empty.
void DefaultDeviceOptions(settings::DeviceOptions* options, const ppd::PpdImage* ppd);

// Whether an option keyword says installed: True, or a keyword that begins with it.
bool IsInstalledOption(std::string_view optionKeyword);

// The flag of an installable feature, or null when the feature is none of the table's.
// `prefixForTrays` also takes OptionalBin1...OptionalBin5 followed by more letters.
const InstallableOption* InstallableOptionOf(std::string_view featureKeyword);

// The device settings page's lists (dialog 101) when it opens: its working copy's charge
// number, host name and address into the edit controls, every installable feature of the
// PPD that the table knows into the installed list (1008) when its flag is set, else into
// the available list (1007), each with the address of its flag as item data; the Add and
// Remove buttons disabled.
void FillOptionLists(host::HWND dialog, const ppd::PpdImage* ppd,
                     settings::DeviceOptions* working);

// Selects, in each host installable-option item, the choice that says installed or not
// installed by the flag, marks it changed and tells the host.
void PutInstalledFlagsIntoHostItems(const PageSetContext& context, const ppd::PpdImage* ppd,
                                    const InstalledFlags& flags);

}  // namespace kx::ui
