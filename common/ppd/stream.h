// The file being loaded and the read cursor over its bytes.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "platform/files.h"

namespace kx::ppd {

// The bytes of the file being loaded, which are the load's own: the tokenizer ends each
// token it hands out by writing a NUL over the delimiter after it (a byte it has already
// read past), so that handlers can take tokens where they lie.
struct PpdStream {
  uint8_t* position = nullptr;
  uint32_t remaining = 0;
};

// Over `size` bytes at `bytes`.
inline PpdStream MakeStream(uint8_t* bytes, uint32_t size) { return PpdStream{bytes, size}; }

// Marks the next `count` bytes (at most `remaining`) as read.
inline void Consume(PpdStream& stream, uint32_t count) {
  stream.position += count;
  stream.remaining -= count;
}

// The largest PPD file a load reads. The largest PPDs printers come with are a few
// megabytes (many fonts, constraints and translations); sixteen times that leaves room
// for any real one while a path to something else, named by mistake or on purpose,
// costs at most this much memory.
inline constexpr uint32_t kLargestPpdFile = 64u << 20;

// Reads the whole file into `bytes`. False when the path names no regular file (a folder,
// a device or a pipe is refused without waiting on it), or the file is missing,
// unreadable, empty or larger than kLargestPpdFile; nothing is read then.
bool ReadPpdFile(std::u16string_view path, platform::FileBytes* bytes);

}  // namespace kx::ppd
