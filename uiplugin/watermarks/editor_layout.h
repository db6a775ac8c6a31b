// The watermark editor's controls: their ids, the template they are made from and the
// help topic of each.
#pragma once

#include <span>

#include "context_help.h"

namespace kx::ui::editor {

enum ControlId : int {
  kNameBox = 1221,
  kTextBox = 1222,
  kFontList = 1223,
  kSizeBox = 1224,
  kSizeSpin = 1225,
  kAngleBox = 1226,
  kAngleSpin = 1227,
  kColourList = 1228,
  kShadeBox = 1229,
  kShadeSpin = 1230,
  kBackgroundCheck = 1231,
  kOutlineCheck = 1232,
  kCentreRadio = 1233,
  kRelativeRadio = 1234,
  kXLabel = 1235,
  kXBox = 1236,
  kXSpin = 1237,
  kYLabel = 1238,
  kYBox = 1239,
  kYSpin = 1240,
  kSaveButton = 1241,
  kCancelButton = 1242,
  kHelpButton = 1243,
  kDefaultsButton = 1244,
};

// The x and y boxes with their labels and spins, enabled only for a position relative
// to the centre.
inline constexpr int kPositionGroup[] = {kXLabel, kXBox, kXSpin, kYLabel, kYBox, kYSpin};

// The boxes whose entries are checked; the balloon is shown at them.
inline constexpr int kCheckedBoxes[] = {kNameBox,  kTextBox, kAngleBox, kShadeBox,
                                        kXBox,     kYBox,    kSizeBox};

const DialogHelp& EditorHelp();

}  // namespace kx::ui::editor
