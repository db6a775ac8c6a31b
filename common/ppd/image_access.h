// Bounds-checked access to records inside an image: a record is only ever handed out
// when it lies wholly after the header and inside the image, at its alignment.
#pragma once

#include <cstdint>

#include "ppd/ppd.h"

namespace kx::ppd {

inline bool RecordFits(const PpdImage* image, Ref ref, uint64_t size, uint32_t alignment) {
  return image != nullptr && ref >= sizeof(PpdImage) && ref % alignment == 0 &&
         uint64_t{ref} + size <= image->totalSize;
}

template <typename Record>
const Record* RecordAt(const PpdImage* image, Ref ref) {
  if (!RecordFits(image, ref, sizeof(Record), alignof(Record))) return nullptr;
  return reinterpret_cast<const Record*>(reinterpret_cast<const uint8_t*>(image) + ref);
}

template <typename Record>
Record* RecordAt(PpdImage* image, Ref ref) {
  if (!RecordFits(image, ref, sizeof(Record), alignof(Record))) return nullptr;
  return reinterpret_cast<Record*>(reinterpret_cast<uint8_t*>(image) + ref);
}

}  // namespace kx::ppd
