// The PostScript options' controls, help topics, entry limits and balloon.
#pragma once

#include <cstddef>

#include "context_help.h"
#include "host/window.h"
#include "tips.h"

namespace kx::ui::postscript_options {

enum ControlId : int {
  kAppPostScriptBox = 1061,
  kErrorPageBox = 1062,
  kHeaderGroup = 1063,
  kExternalHeaderBox = 1064,
  kHeaderPathBox = 1065,
  kBrowseButton = 1066,
  kTimeoutBox = 1067,
  kHelpButton = 1068,
};

// The dialog's results.
inline constexpr host::INT_PTR kPostScriptOk = host::IDOK;
inline constexpr host::INT_PTR kPostScriptCancelled = host::IDCANCEL;

// What a user may type: four digits of seconds, and one character more of a header path
// than the record keeps, so that a path too long is seen and refused rather than cut.
inline constexpr int kTimeoutEntryLimit = 4;
inline constexpr int kHeaderPathEntryLimit = 65;
// The longest header path the record keeps.
inline constexpr size_t kMaxHeaderPath = 64;
inline constexpr unsigned kMaxJobTimeout = 3000;  // seconds

// The controls the balloon points at.
inline constexpr int kBalloonControls[] = {kTimeoutBox, kHeaderPathBox};

const DialogHelp& PostScriptOptionsHelp();

// The balloon of an open dialog: its window and the control it is shown at (0: none).
TipState PostScriptBalloonOf(host::HWND dialog);

}  // namespace kx::ui::postscript_options
