// Printer profile management's controls, its help topics and what its balloon shows.
#pragma once

#include "context_help.h"
#include "host/window.h"
#include "tips.h"

namespace kx::ui::profiles {

enum ControlId : int {
  kDescriptionCombo = 1301,
  kFileNameBox = 1302,
  kDeleteButton = 1303,
  kAddButton = 1304,
  kStatusLine = 1305,
  kDoneButton = 1306,
  kHelpButton = 1307,
};

// The dialog's results.
inline constexpr host::INT_PTR kProfilesDone = 1;
inline constexpr host::INT_PTR kProfilesCancelled = 2;  // IDCANCEL

// The controls the balloon points at.
inline constexpr int kTipControls[] = {kFileNameBox, kDescriptionCombo};

const DialogHelp& ProfileHelp();

// The balloon of an open dialog: its window and the control it is shown at (0: none).
TipState ProfileBalloonOf(host::HWND dialog);

}  // namespace kx::ui::profiles
