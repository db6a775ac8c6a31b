// The PostScript of a preview page: the paper, the rendering plug-in's watermark
// procedure as a job with the record defines it, and the page's call of it.
#pragma once

#include <string>

#include "paper_size.h"
#include "settings/record.h"

namespace kx::preview {

enum class PageStatus {
  kReady,
  kWatermarkOff,    // the record's watermark is not enabled
  kNegativeImage,   // negative images print no watermark
  kNoText,          // the procedure is defined but never run: nothing to draw
};

struct PreviewPage {
  PageStatus status = PageStatus::kReady;
  // As the plug-in writes them into the job: the prolog's definition, and the page's call
  // of it (at its set-up or its showpage).
  std::string procedure;
  std::string invocation;
  std::string postscript;  // the whole one-page program when the status is kReady
};

// The first page of a 1-up job with `record`, portrait, on `paper`. The n-up and booklet
// placements come from the host's own page layout, which a single page does not have.
PreviewPage BuildPreviewPage(const settings::PrivateRecord& record, PaperSize paper);

// Why a page could not be made, for a person.
std::string PageStatusMessage(PageStatus status);

}  // namespace kx::preview
