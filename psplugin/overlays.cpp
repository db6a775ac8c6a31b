#include "overlays.h"

#include <string>

#include "nup.h"
#include "postscript_text.h"
#include "settings/record_text.h"

namespace kx::ps {
namespace {

using settings::OverlayEntry;

bool Usable(const OverlayEntry& overlay) {
  return overlay.enabled != 0 && !settings::FieldText(overlay.fileName).empty();
}

// Runs the file from the disk with showpage disabled; a file that is missing there
// fails inside `stopped` and leaves the page as it was.
void RunOverlay(const JobWriter& writer, const OverlayEntry& overlay) {
  const std::string name =
      PostScriptStringBody(NarrowLatin1Prefix(settings::FieldText(overlay.fileName)));
  writer.Write("save\r\n/showpage {} def\r\ninitgraphics\r\n{(/ata0a/ps/" + name +
               ") run} stopped {pop} if\r\nrestore\r\n");
}

void RunIfUsable(const JobWriter& writer, const OverlayEntry& overlay) {
  if (Usable(overlay)) RunOverlay(writer, overlay);
}

// The composite overlay starts at its first page and recurs every `period` pages
// (sheets when pages are printed n-up).
void RunComposite(const JobWriter& writer, const OverlayEntry& overlay, uint16_t page,
                  uint32_t pagesPerSheet, bool nup, JobValues* job) {
  if (overlay.enabled == 0) return;
  if (page == 1) job->nextCompositePage = overlay.firstPage;
  if (settings::FieldText(overlay.fileName).empty()) return;
  const uint32_t position = nup ? page / pagesPerSheet + 1 : page;
  if (static_cast<uint16_t>(position) != static_cast<uint16_t>(job->nextCompositePage)) return;
  RunOverlay(writer, overlay);
  job->nextCompositePage += overlay.period;
}

}  // namespace

void WriteOverlays(const JobWriter& writer, const settings::PrivateRecord& record,
                   JobValues* job) {
  if (record.devOpts.installedOptions[settings::kHasHardDisk] == 0) return;
  const uint16_t page = record.pageCounter;
  const uint32_t perSheet = PagesPerSheet(record.nupCode);
  const bool nup = record.nupCode != 0;
  if (nup && page % perSheet != 1) return;

  const OverlayEntry* overlays = record.overlays;
  RunIfUsable(writer, overlays[settings::kOverlayAllPages]);
  if (page == 1) RunIfUsable(writer, overlays[settings::kOverlayFirstPage]);
  const bool oddSlot = nup ? (page / perSheet) % 2 == 0 : page % 2 == 1;
  RunIfUsable(writer, overlays[oddSlot ? settings::kOverlayOddPages : settings::kOverlayEvenPages]);
  RunComposite(writer, overlays[settings::kOverlayComposite], page, perSheet, nup, job);
}

}  // namespace kx::ps
