// The colour settings detail's controls: their ids, the template they are made from and
// the help topic of each.
#pragma once

#include "context_help.h"

namespace kx::ui::details {

enum ControlId : int {
  kOkButton = 1,
  kCancelButton = 2,
  kGrayRadio = 1381,
  kColourRadio = 1382,
  kGraphicsHalftoneList = 1383,
  kImageHalftoneList = 1384,
  kGraphicsIntentList = 1385,
  kImageIntentList = 1386,
  kGraphicsGrayList = 1387,
  kImageGrayList = 1388,
  kIntentsRadio = 1389,
  kRgbSourceList = 1390,
  kRgbSourceButton = 1391,
  kSimulationList = 1392,
  kSimulationButton = 1393,
  kDownloadButton = 1394,
  kHelpButton = 1395,
  kProfileRadio = 1396,
  kDestinationList = 1397,
  kDestinationButton = 1398,
};

const DialogHelp& DetailsHelp();

}  // namespace kx::ui::details
