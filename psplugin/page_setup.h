// The injections that shape the page and the job rather than draw on it.
#pragma once

#include "host/devmode.h"
#include "job_writer.h"
#include "ppd/ppd.h"
#include "settings/record.h"

namespace kx::ps {

using settings::PrivateRecord;

// At the comments: the media type, for printers in single-user mode.
void WriteMediaType(const JobWriter& writer, const PrivateRecord& record,
                    const host::DEVMODEW& devMode);
// The most of the external header file a job carries. The file is read inside the spooler
// for every job; a header is a few kilobytes of definitions, so a larger file is a wrong
// choice whose whole copy would only swell the job.
inline constexpr size_t kExternalHeaderLimit = 1 << 20;
// At the start of the prolog: the user's own PostScript header file, unchanged, or its
// first kExternalHeaderLimit bytes and a comment that says it was cut. A path that names
// no regular file (a folder, a device, a pipe) is skipped without waiting on it.
void WriteExternalHeader(const JobWriter& writer, const PrivateRecord& record);
// In the prolog: colour on colour printers in colour mode, gray otherwise.
void WriteProcessColorModel(const JobWriter& writer, const PrivateRecord& record,
                            const ppd::PpdImage* ppd);
// In the prolog: the procedure that mirrors and sizes the page for rotation.
void WriteFlipProcedure(const JobWriter& writer, const PrivateRecord& record,
                        const host::DEVMODEW& devMode);
// At the start of the setup: one copy asked for explicitly.
void WriteSingleCopy(const JobWriter& writer, const host::DEVMODEW& devMode);
// At the end of the setup.
void WriteJobTimeout(const JobWriter& writer, const PrivateRecord& record);
void WriteNupRotationHook(const JobWriter& writer, const PrivateRecord& record);
// At each page set-up.
void WritePageRotation(const JobWriter& writer, const PrivateRecord& record);
void WriteNegativeImage(const JobWriter& writer, const PrivateRecord& record);

}  // namespace kx::ps
