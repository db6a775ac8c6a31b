// Quality and colour settings turned back into the PPD's own option code, and the
// printer-resident colour profiles, at the end of the document setup.
#pragma once

#include <string_view>

#include "job_writer.h"
#include "ppd/ppd.h"
#include "settings/name_tables.h"
#include "settings/record.h"

namespace kx::ps {

// Writes the invocation of the option of `feature` that `number` names through `table`,
// followed by CR LF; nothing when the number, the feature or the option is unknown.
void WriteFeature(const JobWriter& writer, const ppd::PpdImage* ppd, std::string_view feature,
                  uint32_t number, settings::NameTable table);

// Toner saving and smoothing (before the job timeout).
void WriteQualityFeatures(const JobWriter& writer, const ppd::PpdImage* ppd,
                          const settings::PrivateRecord& record);
// Halftones, then for colour jobs the intents or profiles and gray processing.
void WriteColourFeatures(const JobWriter& writer, const ppd::PpdImage* ppd,
                         const settings::PrivateRecord& record);

}  // namespace kx::ps
