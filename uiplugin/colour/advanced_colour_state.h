// What the advanced colour options keep while they are open: the job's colour settings as
// they were at opening (Cancel brings them back), whether the user set was changed since
// it was last stored, and the dialog's tip. One such dialog is open at a time, on the UI
// thread.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "colour/colour_sets.h"
#include "host/window.h"
#include "page_set.h"
#include "settings/record.h"
#include "tips.h"

namespace kx::ui {

struct AdvancedColourState {
  PageSetContext* context = nullptr;
  settings::PrivateRecord* record = nullptr;  // the job's, edited in place
  std::u16string printer;
  std::array<uint8_t, kColourBlockSize> savedBlock{};
  std::array<char16_t, std::size(settings::PrivateRecord{}.colorSetName)> savedName{};
  // The details of the user set were changed and not stored since.
  bool userSetChanged = false;
  Tips tips{TipHideRule::OtherControl};
  // The text of the tip last shown; the tip asks for it (TTN_GETDISPINFOW).
  std::u16string tipText;
};

AdvancedColourState& AdvancedColour();

// The tip of the open dialog: its window, the control it is shown at (0: hidden) and the
// text it shows.
struct AdvancedColourTip {
  host::HWND window = nullptr;
  int shownAt = 0;
  std::u16string text;
};
AdvancedColourTip AdvancedColourTipNow();

}  // namespace kx::ui
