// The paper a preview page has: the default page size of the PPD the record names.
#pragma once

#include <string>

#include "settings/record.h"

namespace kx::preview {

// PostScript points (1/72 inch), portrait.
struct PaperSize {
  int width = 0;
  int height = 0;
};

// A4, the host's paper when the printer's PPD gives none.
inline constexpr PaperSize kFallbackPaper{.width = 595, .height = 842};

// The default PageSize of the PPD at `ppdPath` (its PaperDimension); the fallback when
// the file does not parse or has no usable default.
PaperSize PpdDefaultPaper(const std::u16string& ppdPath);

// The paper of the PPD the record names.
PaperSize RecordPaper(const settings::PrivateRecord& record);

}  // namespace kx::preview
