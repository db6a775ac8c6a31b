#include "feature_keyword.h"

namespace kx::ui {

std::vector<uint8_t> RewriteFeatureKeyword(std::span<const uint8_t>, const InstalledFlags&) {
  return {};
}

}  // namespace kx::ui
