// Overlays: PostScript files on the printer's disk run on top of chosen pages.
#pragma once

#include "job_values.h"
#include "job_writer.h"
#include "settings/record.h"

namespace kx::ps {

// At the end of each page set-up; only printers with a hard disk hold overlays.
void WriteOverlays(const JobWriter& writer, const settings::PrivateRecord& record,
                   JobValues* job);

}  // namespace kx::ps
