// The custom document settings dialog's controls, results and help topics.
#pragma once

#include "context_help.h"
#include "host/window.h"

namespace kx::ui::custom_settings {

enum ControlId : int {
  kNameCombo = 1341,
  kSaveButton = 1342,
  kDeleteButton = 1343,
  kHelpButton = 1344,
};

// The dialog's results: the features page refills its lists after kApplied.
inline constexpr host::INT_PTR kApplied = 1;    // IDOK
inline constexpr host::INT_PTR kCancelled = 2;  // IDCANCEL

const DialogHelp& CustomSettingsHelp();

}  // namespace kx::ui::custom_settings
