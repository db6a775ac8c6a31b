// The host's stored choices for the installable features (printer data "FeatureKeyword"):
// NUL- or line-feed-ended 8-bit strings, feature keyword and option keyword in turn.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "installable_options.h"

namespace kx::ui {

// The sequence as printer setup writes it back, for any length of input: each feature
// whose flag is set (compared as a prefix, OptionalBin whole) as `keyword NUL True NUL LF`,
// OptionalMemory with its own option, every other feature with False; empty strings and a
// lone False dropped; two NULs at the end. Bytes after the last NUL or line feed are a
// string too. Its size is what "FeatureKeywordSize" records.
std::vector<uint8_t> RewriteFeatureKeyword(std::span<const uint8_t> stored,
                                           const InstalledFlags& flags);

}  // namespace kx::ui
