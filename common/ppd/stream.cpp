#include "ppd/stream.h"

#include "platform/files.h"

namespace kx::ppd {

PpdStream MakeStream(const uint8_t* bytes, uint32_t size, uint16_t* checksum) {
  return PpdStream{bytes, bytes, size, checksum, bytes};
}

bool MappedFile::Map(const std::u16string& path) {
  std::vector<uint8_t> bytes;
  if (!platform::ReadRegularFile(path, kLargestPpdFile, &bytes)) return false;
  // A file of zero length cannot be mapped.
  if (bytes.empty()) return false;
  bytes_ = std::move(bytes);
  return true;
}

void MappedFile::Unmap() {
  bytes_.clear();
  bytes_.shrink_to_fit();
}

PpdStream MappedFile::Stream(uint16_t* checksum) const {
  return MakeStream(bytes_.data(), static_cast<uint32_t>(bytes_.size()), checksum);
}

}  // namespace kx::ppd
