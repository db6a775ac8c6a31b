// The set list of the advanced colour options and what its buttons do: the predefined
// sets (item data = id) followed by the user's stored sets (item data 0), choosing one,
// saving the job's colour settings as a set and deleting a set.
#pragma once

#include <string>

#include "colour/advanced_colour_state.h"
#include "host/window.h"

namespace kx::ui::advanced_colour {

// Fills the list and selects the set the job uses.
void FillSetList(host::HWND dialog, const AdvancedColourState& state);
// The job's set chosen from the list.
void OnSetChosen(host::HWND dialog, AdvancedColourState& state);
void OnSave(host::HWND dialog, AdvancedColourState& state);
void OnDelete(host::HWND dialog, AdvancedColourState& state);
// The job's colour settings become the user set "사용자", stored and selected in the list.
void StoreAsUserSet(host::HWND dialog, AdvancedColourState& state);

}  // namespace kx::ui::advanced_colour
