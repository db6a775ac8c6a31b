#include "colour/advanced_colour_state.h"

namespace kx::ui {

AdvancedColourState& AdvancedColour() {
  static AdvancedColourState state;
  return state;
}

AdvancedColourTip AdvancedColourTipNow() {
  const AdvancedColourState& state = AdvancedColour();
  return {.window = state.tips.window(), .shownAt = state.tips.shownControl(),
          .text = state.tipText};
}

}  // namespace kx::ui
