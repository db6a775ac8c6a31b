#include "colour/profile_store.h"

#include <algorithm>
#include <iterator>
#include <memory>

#include "platform/registry.h"
#include "platform/win32_errors.h"
#include "user_store.h"

namespace kx::ui {
namespace {

constexpr uint32_t kRecordSize = sizeof(ProfileRecord);
// The longest description the record holds whole with its terminator.
constexpr size_t kDescriptionCapacity = std::size(ProfileRecord{}.description) - 1;

// The kind's store of the printer, opened for this one operation and created when
// missing.
struct OpenStore {
  OpenStore(ProfileKind kind, std::u16string_view printer)
      : status(platform::CreateRegistryKey(platform::Hive::kCurrentUser,
                                           PrinterStorePath(printer, ProfileStoreName(kind)),
                                           &key, &created)) {}
  std::unique_ptr<platform::RegistryKey> key;
  bool created = false;
  uint32_t status;  // declared last: its initialiser fills key and created
};

// Only whole records are profiles: a value of another type or size would give the
// printer a file name made of bytes that mean something else.
bool IsRecordValue(uint32_t type, size_t size) {
  return type == platform::kRegBinary && size == kRecordSize;
}

// A description the record cannot hold whole would come back as another one.
bool FitsDescription(std::u16string_view description) {
  return !description.empty() && description.size() <= kDescriptionCapacity;
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
  std::vector<std::u16string> descriptions;
  const OpenStore store(kind, printer);
  // A store made just now holds nothing yet.
  if (store.key == nullptr || store.created) return descriptions;
  platform::RegistryValue value;
  for (uint32_t index = 0; store.key->EnumValue(index, &value) == platform::kErrorSuccess;
       ++index) {
    if (!IsRecordValue(value.type, value.data.size()) || !FitsDescription(value.name)) continue;
    descriptions.push_back(value.name);
  }
  return descriptions;
}

bool ReadProfile(ProfileKind kind, std::u16string_view printer, std::u16string_view description,
                 ProfileRecord* record) {
  if (record == nullptr || description.empty()) return false;
  const OpenStore store(kind, printer);
  if (store.key == nullptr) return false;
  ProfileRecord stored{};
  uint32_t type = 0;
  uint32_t size = kRecordSize;
  const uint32_t status = store.key->QueryValue(std::u16string(description), &type,
                                                reinterpret_cast<uint8_t*>(&stored), &size);
  if (status != platform::kErrorSuccess || !IsRecordValue(type, size)) return false;
  *record = stored;
  return true;
}

uint32_t WriteProfile(ProfileKind kind, std::u16string_view printer,
                      std::u16string_view description, std::u16string_view fileName) {
  // What the record cannot hold whole would be listed or sent to the printer cut short.
  if (!FitsDescription(description) || !FitsFileName(fileName)) {
    return platform::kErrorInvalidParameter;
  }
  ProfileRecord record{};
  PutText(record.description, description);
  PutText(record.fileName, fileName);
  OpenStore store(kind, printer);
  if (store.key == nullptr) return store.status;
  return store.key->SetValue(std::u16string(description), platform::kRegBinary,
                             reinterpret_cast<const uint8_t*>(&record), kRecordSize);
}

bool DeleteProfile(ProfileKind kind, std::u16string_view printer, std::u16string_view description) {
  if (description.empty()) return false;
  OpenStore store(kind, printer);
  return store.key != nullptr &&
         store.key->DeleteValue(std::u16string(description)) == platform::kErrorSuccess;
}

}  // namespace kx::ui
