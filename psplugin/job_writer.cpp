#include "job_writer.h"

namespace kx::ps {

void JobWriter::Write(std::string_view text) const {
  host::DWORD written = 0;
  host_->DrvWriteSpoolBuf(devobj_, const_cast<char*>(text.data()),
                          static_cast<host::DWORD>(text.size()), &written);
}

}  // namespace kx::ps
