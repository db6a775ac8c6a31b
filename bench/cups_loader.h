// libcups's PPD loader, behind a declaration free of libcups's deprecation marks.
#pragma once

namespace kx::ppd::bench {

// Opens `path` with ppdOpenFile and closes it with ppdClose; false when libcups refuses it.
bool CupsOpenAndClose(const char* path);

}  // namespace kx::ppd::bench
