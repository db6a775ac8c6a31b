// The one way text reaches the job: each Write is one call of the host's
// DrvWriteSpoolBuf with the text's exact length.
#pragma once

#include <string_view>

#include "host/oemps.h"

namespace kx::ps {

class JobWriter {
 public:
  JobWriter(host::IPrintOemDriverPS* hostInterface, host::DEVOBJ* devobj)
      : host_(hostInterface), devobj_(devobj) {}

  // The host's result is not examined: a failed write is the spooler's to report.
  void Write(std::string_view text) const;

 private:
  host::IPrintOemDriverPS* host_;
  host::DEVOBJ* devobj_;
};

}  // namespace kx::ps
