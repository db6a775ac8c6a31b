// The colour profiles on the printer's disk, kept per printer in the per-user store, one
// list per kind: a description shown to the user and the 8.3 file name on the printer.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kx::ui {

// A kind of profile, by the button of the colour settings dialog that manages it.
enum class ProfileKind : int { kRgbSource = 1391, kSimulation = 1393, kDestination = 1398 };

// The store of a kind under the printer's key (see PrinterStorePath), e.g.
// "Printer Resident\RGB Source Profiles".
std::u16string ProfileStoreName(ProfileKind kind);

// One stored profile (716 bytes, the stored value).
struct ProfileRecord {
  uint32_t reserved;             // 0
  char16_t description[64];      // zero-terminated, zero-filled behind
  char16_t fileName[292];        // zero-terminated, zero-filled behind
};
static_assert(offsetof(ProfileRecord, description) == 4);
static_assert(offsetof(ProfileRecord, fileName) == 132);
static_assert(sizeof(ProfileRecord) == 716);

inline constexpr size_t kMaxProfileDescription = 64;
inline constexpr size_t kMaxProfileFileName = 32;

// The descriptions of a kind, in the store's order; none when the store was only just
// made. Values of another type or size are left out.
std::vector<std::u16string> ListProfiles(ProfileKind kind, std::u16string_view printer);
// False when there is no such profile or the stored value is not one.
bool ReadProfile(ProfileKind kind, std::u16string_view printer, std::u16string_view description,
                 ProfileRecord* record);
// Stores the profile under its description; the store's status.
uint32_t WriteProfile(ProfileKind kind, std::u16string_view printer,
                      std::u16string_view description, std::u16string_view fileName);
bool DeleteProfile(ProfileKind kind, std::u16string_view printer, std::u16string_view description);

}  // namespace kx::ui
