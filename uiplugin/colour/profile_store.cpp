#include "colour/profile_store.h"

namespace kx::ui {
// Placeholders until the store is written.
std::u16string ProfileStoreName(ProfileKind) { return {}; }
std::vector<std::u16string> ListProfiles(ProfileKind, std::u16string_view) { return {}; }
bool ReadProfile(ProfileKind, std::u16string_view, std::u16string_view, ProfileRecord*) {
  return false;
}
uint32_t WriteProfile(ProfileKind, std::u16string_view, std::u16string_view, std::u16string_view) {
  return 1;
}
bool DeleteProfile(ProfileKind, std::u16string_view, std::u16string_view) { return false; }
}  // namespace kx::ui
