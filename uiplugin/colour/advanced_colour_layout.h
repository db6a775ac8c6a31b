// The advanced colour options' controls: their ids, the template they are made from and
// the help topic of each.
#pragma once

#include "context_help.h"

namespace kx::ui::advanced_colour {

enum ControlId : int {
  kSetList = 1281,        // editable: a set's name can be typed
  kSaveButton = 1282,
  kDeleteButton = 1283,
  kModelText = 1285,
  kHalftoneText = 1286,
  kRgbSourceText = 1287,
  kGrayText = 1288,
  kDestinationText = 1290,
  kSimulationText = 1291,
  kChangeButton = 1292,
  kHelpButton = 1293,
};

// The entry limit of the set list, in characters.
inline constexpr int kSetNameLimit = 32;

// The controls a tip is shown at.
inline constexpr int kTipControls[] = {kSaveButton, kSetList, kDeleteButton};

// The summary texts that mean something only for a job printed in colour.
inline constexpr int kColourOnlyTexts[] = {kRgbSourceText, kGrayText, kDestinationText,
                                           kSimulationText};

const DialogHelp& AdvancedColourHelp();

}  // namespace kx::ui::advanced_colour
