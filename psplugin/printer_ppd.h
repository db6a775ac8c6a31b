// The printer's PPD image as the rendering plug-in uses it: one kept for each device
// instance, and one for each injection call, taken when a step of that call first
// needs it and released when the call returns.
//
// Opening a PPD means parsing it, and a long job makes several calls per page. Images
// are immutable, so calls share one parsed image for as long as the file stays the
// same: the cache is keyed by the file's path and identity, which every call checks, so
// a changed or removed PPD is seen at the next call exactly as a fresh open would see it.
#pragma once

#include <memory>
#include <string>

#include "platform/spooler.h"
#include "ppd/ppd.h"

namespace kx::ps {

using SharedPpd = std::shared_ptr<const ppd::PpdImage>;

// The printer's PPD image through its driver information; null when the printer has no
// driver information or its PPD cannot be opened.
SharedPpd OpenPrinterPpd(platform::PrinterHandle printer);

// The image of one injection call.
class CallPpd {
 public:
  explicit CallPpd(platform::PrinterHandle printer) : printer_(printer) {}

  // Null when the printer has no PPD that opens.
  const ppd::PpdImage* get() {
    if (!opened_) {
      image_ = OpenPrinterPpd(printer_);
      opened_ = true;
    }
    return image_.get();
  }

 private:
  platform::PrinterHandle printer_;
  bool opened_ = false;
  SharedPpd image_;
};

}  // namespace kx::ps
