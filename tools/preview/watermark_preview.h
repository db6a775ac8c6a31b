// A picture of a watermark before a job prints it: the watermark a settings record
// carries, drawn on a blank page by Ghostscript standing in for the printer.
#pragma once

#include <string>

#include "settings/record.h"

namespace kx::preview {

// Renders the watermark that `record` carries, exactly as a job with that record prints it
// (the rendering plug-in's own watermark procedure), on a blank page of the record's paper
// size, through Ghostscript, into a PNG at `pngPath`. False with *error set (Ghostscript
// missing or failing, the record carrying no watermark, the file not writable).
bool RenderWatermarkPreview(const settings::PrivateRecord& record, const std::string& pngPath,
                            std::string* error);

}  // namespace kx::preview
