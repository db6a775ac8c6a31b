// The PJL that frames a job: the job header with the accounting and notification
// settings before any PostScript, and the universal exit at the very end.
#pragma once

#include "job_writer.h"
#include "settings/record.h"

namespace kx::ps {

void WriteJobHeader(const JobWriter& writer, const settings::PrivateRecord& record);
void WriteUniversalExit(const JobWriter& writer);

}  // namespace kx::ps
