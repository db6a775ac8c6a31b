// The file being loaded and the read cursor over its bytes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "ppd/checksum.h"
#include "ppd/status.h"

namespace kx::ppd {

// Every byte read updates the checksum, so after a complete load it covers the file.
struct PpdStream {
  const uint8_t* base = nullptr;
  const uint8_t* position = nullptr;
  uint32_t remaining = 0;
  uint16_t* checksum = nullptr;
};

// Over `size` bytes at `bytes`; the checksum starts where `checksum` points.
PpdStream MakeStream(const uint8_t* bytes, uint32_t size, uint16_t* checksum);

inline Status ReadChar(PpdStream& stream, uint8_t* byte) {
  if (stream.remaining == 0) return Status::kEof;
  *byte = *stream.position++;
  --stream.remaining;
  *stream.checksum = UpdateChecksum(*stream.checksum, *byte);
  return Status::kOk;
}

// The whole file in memory for the length of one load.
class MappedFile {
 public:
  // False when the file is missing or unreadable, empty, or too large for the cursor.
  bool Map(const std::u16string& path);
  void Unmap();

  PpdStream Stream(uint16_t* checksum) const;

 private:
  std::vector<uint8_t> bytes_;
};

}  // namespace kx::ppd
