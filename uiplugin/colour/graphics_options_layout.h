// The advanced graphics options' controls and help topics.
#pragma once

#include <cstdint>

#include "context_help.h"
#include "host/window.h"

namespace kx::ui::graphics_options {

enum ControlId : int {
  kTonerSaveBox = 1080,
  kSmoothingBox = 1081,
  kNegativeImageBox = 1082,
  kMirrorImageBox = 1083,
  kRotate0Radio = 1084,
  kRotate90Radio = 1085,
  kRotate180Radio = 1086,
  kRotate270Radio = 1087,
  kHelpButton = 1088,
};

// The dialog's results.
inline constexpr host::INT_PTR kGraphicsOk = host::IDOK;
inline constexpr host::INT_PTR kGraphicsCancelled = host::IDCANCEL;

// A rotation button and the page rotation it stands for, in the order OK reads them.
struct RotationButton {
  int id = 0;
  uint16_t degrees = 0;
};
inline constexpr RotationButton kRotationButtons[] = {
    {kRotate0Radio, 0}, {kRotate90Radio, 90}, {kRotate180Radio, 180}, {kRotate270Radio, 270}};

const DialogHelp& GraphicsOptionsHelp();

}  // namespace kx::ui::graphics_options
