// The watermark: a procedure, DrawWaterMark, defined once in the prolog from the job's
// copy of the watermark record, then run on each page either at its set-up (under the
// page's content) or at its showpage (over it). Booklet and n-up jobs get their own
// variants.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "host/devmode.h"
#include "job_writer.h"
#include "settings/record.h"

namespace kx::ps {

// The job prints its watermark: enabled, and no negative image.
bool WatermarkActive(const settings::PrivateRecord& record);

// The page's effective angle (0 to 360) from the watermark's angle, the orientation,
// 2-up and 6-up turning, and booklet sides.
int WatermarkAngle(const settings::PrivateRecord& record, const host::DEVMODEW& devMode,
                   uint32_t pageCounter);

// The font name as it stands after "/Font /": the narrow form of the wide name, cut at
// the first character that would end or break a PostScript name.
std::string WatermarkFontName(std::u16string_view fontName);

// In the prolog, after the flip procedure: the definition of DrawWaterMark.
void WriteWatermarkProcedure(const JobWriter& writer, const settings::PrivateRecord& record);
// At the end of the setup, after the header banner: background watermarks on n-up
// sheets ride on the host's n-up page start.
void WriteNupWatermarkHook(const JobWriter& writer, const settings::PrivateRecord& record,
                           const host::DEVMODEW& devMode);
// At each page set-up, after the rotation: the watermark under the page.
void WriteBackgroundWatermark(const JobWriter& writer, const settings::PrivateRecord& record,
                              const host::DEVMODEW& devMode);
// At the end of the first page set-up: a first-page-only n-up watermark gives the host
// its own page start back.
void WriteNupWatermarkUnhook(const JobWriter& writer, const settings::PrivateRecord& record);
// At each showpage: the watermark over the page.
void WriteForegroundWatermark(const JobWriter& writer, const settings::PrivateRecord& record,
                              const host::DEVMODEW& devMode);

}  // namespace kx::ps
