#include "ppd/stream.h"

#include "platform/files.h"

namespace kx::ppd {

bool ReadPpdFile(const std::u16string& path, std::vector<uint8_t>* bytes) {
  std::vector<uint8_t> read;
  if (!platform::ReadRegularFile(path, kLargestPpdFile, &read) || read.empty()) return false;
  *bytes = std::move(read);
  return true;
}

}  // namespace kx::ppd
