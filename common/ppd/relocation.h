// Making a freshly built image safe to walk.
#pragma once

#include "ppd/ppd.h"

namespace kx::ppd {

// Every reference beyond the image's total size becomes 0; a next link that does not
// lead forward is cut, so that every walk ends; the seven predefined feature slots are
// filled from the feature list.
void RelocateImage(PpdImage* image);

}  // namespace kx::ppd
