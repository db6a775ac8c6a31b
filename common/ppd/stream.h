// The file being loaded and the read cursor over its bytes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "ppd/checksum.h"

namespace kx::ppd {

// The checksum takes in the bytes read in long runs rather than one at a time: it
// covers every byte read whenever it has been brought up to date, and the tokenizer
// does that when it stops reading (at the end of the file, or when a token overflows).
struct PpdStream {
  const uint8_t* base = nullptr;
  const uint8_t* position = nullptr;
  uint32_t remaining = 0;
  uint16_t* checksum = nullptr;
  const uint8_t* checksummed = nullptr;  // the checksum covers the bytes before this one
};

// Over `size` bytes at `bytes`; the checksum starts where `checksum` points.
PpdStream MakeStream(const uint8_t* bytes, uint32_t size, uint16_t* checksum);

// Marks the next `count` bytes (at most `remaining`) as read.
inline void Consume(PpdStream& stream, uint32_t count) {
  stream.position += count;
  stream.remaining -= count;
}

// Makes the checksum cover every byte read so far.
inline void UpdateStreamChecksum(PpdStream& stream) {
  *stream.checksum = UpdateChecksum(*stream.checksum, stream.checksummed,
                                    static_cast<size_t>(stream.position - stream.checksummed));
  stream.checksummed = stream.position;
}

// The largest PPD file a load reads. The largest PPDs printers come with are a few
// megabytes (many fonts, constraints and translations); sixteen times that leaves room
// for any real one while a path to something else, named by mistake or on purpose,
// costs at most this much memory.
inline constexpr uint32_t kLargestPpdFile = 64u << 20;

// The whole file in memory for the length of one load.
class MappedFile {
 public:
  // False when the path names no regular file (a folder, a device or a pipe is refused
  // without waiting on it), or the file is missing, unreadable, empty or larger than
  // kLargestPpdFile; nothing is read then.
  bool Map(const std::u16string& path);
  void Unmap();

  PpdStream Stream(uint16_t* checksum) const;

 private:
  std::vector<uint8_t> bytes_;
};

}  // namespace kx::ppd
