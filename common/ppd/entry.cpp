#include "ppd/entry.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <new>

namespace kx::ppd {

ValueText::ValueText()
    : storage_(new (std::nothrow) char[kInitialCapacity + 1]()),
      capacity_(storage_ ? kInitialCapacity : 0) {}

bool ValueText::Append(const uint8_t* bytes, size_t count) {
  if (!Reserve(uint64_t{length_} + count)) return false;
  if (count > 0) std::memcpy(storage_.get() + length_, bytes, count);
  length_ += static_cast<uint32_t>(count);
  storage_[length_] = '\0';
  return true;
}

void ValueText::Clear() {
  length_ = 0;
  if (storage_) storage_[0] = '\0';
}

// Also when nothing is wanted: a buffer whose first allocation failed gets one here.
bool ValueText::Reserve(uint64_t wanted) {
  if (!storage_ && !Grow()) return false;
  while (capacity_ < wanted) {
    if (!Grow()) return false;
  }
  return true;
}

// Grows by at least 1024 characters and by doubling beyond that, so that a value of
// many megabytes costs a few dozen copies rather than thousands.
bool ValueText::Grow() {
  constexpr uint64_t kLimit = std::numeric_limits<uint32_t>::max() - 1;
  const uint64_t wanted = uint64_t{capacity_} + std::max<uint64_t>(capacity_, kInitialCapacity);
  const uint64_t capacity = std::min(wanted, kLimit);
  if (capacity <= capacity_) return false;
  std::unique_ptr<char[]> grown(new (std::nothrow) char[capacity + 1]());
  if (!grown) return false;
  if (length_ > 0) std::memcpy(grown.get(), storage_.get(), length_);
  storage_ = std::move(grown);
  capacity_ = static_cast<uint32_t>(capacity);
  return true;
}

void PpdEntry::Clear() {
  keyword.Clear();
  option.Clear();
  translation.Clear();
  value.Clear();
  valueType = ValueType::kNone;
}

}  // namespace kx::ppd
