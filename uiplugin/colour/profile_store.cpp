#include "colour/profile_store.h"

#include <algorithm>
#include <iterator>

#include "platform/registry.h"
#include "platform/win32_errors.h"
#include "user_store.h"

namespace kx::ui {
namespace {

constexpr uint32_t kRecordSize = sizeof(ProfileRecord);
// The longest description the record holds whole with its terminator.
constexpr size_t kDescriptionCapacity = std::size(ProfileRecord{}.description) - 1;

// The kind's store of the printer, opened for one operation (created when missing).
PrinterRecordStore Profiles(ProfileKind kind, std::u16string_view printer) {
  return PrinterRecordStore(printer, ProfileStoreName(kind), kRecordSize, kDescriptionCapacity);
}

bool FitsFileName(std::u16string_view fileName) {
  return !fileName.empty() && fileName.size() <= kMaxProfileFileName;
}

// Copies the text and leaves the rest of the field zero (the field starts zeroed).
template <size_t N>
void PutText(char16_t (&field)[N], std::u16string_view text) {
  std::copy_n(text.begin(), std::min(text.size(), N - 1), field);
}

}  // namespace

std::u16string ProfileStoreName(ProfileKind kind) {
  constexpr char16_t kResident[] = u"Printer Resident\\";
  switch (kind) {
    case ProfileKind::kRgbSource:
      return std::u16string(kResident) + u"RGB Source Profiles";
    case ProfileKind::kSimulation:
      return std::u16string(kResident) + u"Simulation Profiles";
    case ProfileKind::kDestination:
      return std::u16string(kResident) + u"Destination Profiles";
  }
  return {};
}

std::vector<std::u16string> ListProfiles(ProfileKind kind, std::u16string_view printer) {
  return Profiles(kind, printer).Names();
}

bool ReadProfile(ProfileKind kind, std::u16string_view printer, std::u16string_view description,
                 ProfileRecord* record) {
  return record != nullptr && Profiles(kind, printer).Read(description, record);
}

uint32_t WriteProfile(ProfileKind kind, std::u16string_view printer,
                      std::u16string_view description, std::u16string_view fileName) {
  // A file name the record cannot hold whole would be sent to the printer cut short; the
  // store refuses a description that does not fit.
  if (!FitsFileName(fileName)) return platform::kErrorInvalidParameter;
  ProfileRecord record{};
  PutText(record.description, description);
  PutText(record.fileName, fileName);
  return Profiles(kind, printer).Write(description, &record);
}

bool DeleteProfile(ProfileKind kind, std::u16string_view printer, std::u16string_view description) {
  return Profiles(kind, printer).Delete(description);
}

}  // namespace kx::ui
