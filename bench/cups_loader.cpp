// libcups marks its whole PPD API deprecated; this file is compiled with
// -Wno-deprecated-declarations for that reason alone.
#include "bench/cups_loader.h"

#include <cups/ppd.h>

namespace kx::ppd::bench {

bool CupsOpenAndClose(const char* path) {
  ppd_file_t* ppd = ppdOpenFile(path);
  if (ppd == nullptr) return false;
  ppdClose(ppd);
  return true;
}

}  // namespace kx::ppd::bench
