#include "ppd/stream.h"

#include "platform/files.h"

namespace kx::ppd {

bool ReadPpdFile(std::u16string_view path, platform::FileBytes* bytes) {
  platform::FileBytes read;
  if (!platform::ReadRegularFile(path, kLargestPpdFile, &read) || read.empty()) return false;
  *bytes = std::move(read);
  return true;
}

}  // namespace kx::ppd
