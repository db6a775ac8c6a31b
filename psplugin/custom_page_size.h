// The check of a custom page against what the printer can feed, with the warning the
// user sees and the page size that replaces the application's.
#pragma once

#include <string>

#include "host/devmode.h"
#include "job_values.h"
#include "job_writer.h"

namespace kx::ps {

// Applies the printer's limits to the device mode's paper size and keeps the result
// in `job`. True when the limits changed it.
bool CheckCustomPageSize(const host::DEVMODEW& devMode, JobValues* job);

// The warning's text for the adjusted size.
std::string CustomPageSizeWarning(const host::DEVMODEW& devMode, const JobValues& job);
inline constexpr char kCustomPageSizeTitle[] = "VRX48T7-PSN PostScript";

// Shows the warning when the size was adjusted.
void WarnAboutCustomPageSize(const host::DEVMODEW& devMode, const JobValues& job);

// Asks for the adjusted size in place of the document's.
void WritePageSizeOverride(const JobWriter& writer, const JobValues& job);

}  // namespace kx::ps
