// The summary of the colour settings the advanced colour options show: one short text per
// part of the colour settings block, in the words the colour settings detail uses.
#pragma once

#include <string>

#include "settings/record.h"

namespace kx::ui {

struct ColourSummary {
  std::u16string colourModel;
  std::u16string halftone;
  std::u16string rgbSource;
  std::u16string grayTreatment;
  std::u16string simulation;
  std::u16string destination;
  // The profiles and the gray treatment apply only to a job printed in colour.
  bool colourParts = false;
};

ColourSummary SummarizeColourSettings(const settings::PrivateRecord& record);

}  // namespace kx::ui
