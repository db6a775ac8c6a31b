#include "ppd/entry.h"

namespace kx::ppd {

void PpdEntry::Clear() {
  keyword.Clear();
  option.Clear();
  translation.Clear();
  value.Clear();
  valueType = ValueType::kNone;
}

}  // namespace kx::ppd
