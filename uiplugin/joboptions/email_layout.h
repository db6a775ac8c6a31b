// The e-mail notification's controls, its help topics and what its balloon shows.
#pragma once

#include "context_help.h"
#include "host/window.h"
#include "tips.h"

namespace kx::ui::email {

enum ControlId : int {
  kNotifyCheck = 1361,
  kAddressBox = 1362,
  kHelpButton = 1363,
};

// The longest address the box takes: the record's field holds it with its terminator.
inline constexpr int kAddressLimit = 259;

const DialogHelp& EmailHelp();

// The balloon of an open dialog: its window and the control it is shown at (0: none).
TipState EmailBalloonOf(host::HWND dialog);

}  // namespace kx::ui::email
