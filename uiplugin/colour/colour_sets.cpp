#include "colour/colour_sets.h"

namespace kx::ui {
// Placeholders until the sets are written.
const TextTable kPredefinedColourSets;
std::u16string UserColourSetName() { return {}; }
void ApplyPredefinedColourSet(settings::PrivateRecord*) {}
std::vector<std::u16string> ListColourSets(std::u16string_view) { return {}; }
bool LoadColourSet(std::u16string_view, std::u16string_view, settings::PrivateRecord*) {
  return false;
}
uint32_t SaveColourSet(std::u16string_view, std::u16string_view, const settings::PrivateRecord&) {
  return 1;
}
bool DeleteColourSet(std::u16string_view, std::u16string_view) { return false; }
}  // namespace kx::ui
