#include "preview_page.h"

#include <utility>

#include "host/devmode.h"
#include "host/oemcore.h"
#include "hostsim/driver_interface.h"
#include "job_writer.h"
#include "watermark.h"

namespace kx::preview {
namespace {

// Collects what the plug-in's watermark functions write, the way the host's spool does.
class CollectedText {
 public:
  CollectedText() { devobj_.hEngine = &sink_; }
  CollectedText(const CollectedText&) = delete;
  CollectedText& operator=(const CollectedText&) = delete;

  ps::JobWriter Writer() { return ps::JobWriter(&driver_, &devobj_); }
  // What was written since the last call.
  std::string Take() { return std::exchange(sink_.bytes, {}); }

 private:
  hostsim::DriverInterface driver_;
  hostsim::SpoolSink sink_;
  host::DEVOBJ devobj_{};
};

host::DEVMODEW PortraitSimplex(PaperSize paper) {
  constexpr int kTenthsOfMillimetrePerInch = 254;
  constexpr int kPointsPerInch = 72;
  host::DEVMODEW devMode{};
  devMode.dmOrientation = host::DMORIENT_PORTRAIT;
  devMode.dmDuplex = host::DMDUP_SIMPLEX;
  devMode.dmCopies = 1;
  devMode.dmPaperWidth =
      static_cast<host::SHORT>(paper.width * kTenthsOfMillimetrePerInch / kPointsPerInch);
  devMode.dmPaperLength =
      static_cast<host::SHORT>(paper.height * kTenthsOfMillimetrePerInch / kPointsPerInch);
  return devMode;
}

// The record as the first page of a 1-up job sees it.
settings::PrivateRecord FirstOneUpPage(const settings::PrivateRecord& record) {
  settings::PrivateRecord page = record;
  page.pageCounter = 1;
  page.nupCode = 0;
  page.booklet = 0;
  return page;
}

PreviewPage Refused(PageStatus status) {
  PreviewPage page;
  page.status = status;
  return page;
}

std::string PaperSetup(PaperSize paper) {
  return "%!PS\n<< /PageSize [" + std::to_string(paper.width) + " " +
         std::to_string(paper.height) + "] >> setpagedevice\n";
}

}  // namespace

PreviewPage BuildPreviewPage(const settings::PrivateRecord& record, PaperSize paper) {
  if (record.watermark.enabled == 0) return Refused(PageStatus::kWatermarkOff);
  if (!ps::WatermarkActive(record)) return Refused(PageStatus::kNegativeImage);

  const settings::PrivateRecord page = FirstOneUpPage(record);
  const host::DEVMODEW devMode = PortraitSimplex(paper);
  CollectedText text;
  // The prolog's definition, then the page: under its content (at its set-up) or over it
  // (at its showpage), whichever the record asks for; the other writes nothing.
  ps::WriteWatermarkProcedure(text.Writer(), page);
  const std::string procedure = text.Take();
  ps::WriteBackgroundWatermark(text.Writer(), page, devMode);
  ps::WriteForegroundWatermark(text.Writer(), page, devMode);
  const std::string invocation = text.Take();
  if (invocation.empty()) return Refused(PageStatus::kNoText);

  return {.status = PageStatus::kReady,
          .procedure = procedure,
          .invocation = invocation,
          .postscript = PaperSetup(paper) + procedure + invocation + "showpage\n"};
}

std::string PageStatusMessage(PageStatus status) {
  switch (status) {
    case PageStatus::kReady: return {};
    case PageStatus::kWatermarkOff: return "the record carries no watermark (it is not enabled)";
    case PageStatus::kNegativeImage:
      return "the record asks for a negative image, which prints no watermark";
    case PageStatus::kNoText: return "the watermark has no text to print";
  }
  return "the watermark cannot be drawn";
}

}  // namespace kx::preview
