// Printer-resident colour profiles: per kind, a description and the profile's 8.3 file
// name on the printer's disk. Kinds are named as their stores are ("RGB Source Profiles"
// is the kind "RGB Source", written rgb-source on the command line).
#include <algorithm>
#include <array>
#include <cctype>
#include <iterator>
#include <optional>

#include "colour/profile_store.h"
#include "group.h"
#include "platform/text.h"
#include "settings/record_text.h"
#include "watermarks/overlay_names.h"

namespace kx::settings_tool {
namespace {

using ui::ProfileKind;

constexpr char kGroup[] = "profile";
constexpr char kFileNameField[] = "fileName";
constexpr char kKindField[] = "kind";
constexpr std::array kKinds = {ProfileKind::kRgbSource, ProfileKind::kSimulation,
                               ProfileKind::kDestination};
// The longest description the stored record holds whole with its terminator.
constexpr size_t kDescriptionCapacity = std::size(ui::ProfileRecord{}.description) - 1;

// The kind's name taken from its store's: the last part of the path, less " Profiles",
// in lower case with hyphens for spaces.
std::string KindName(ProfileKind kind) {
  std::string store = platform::Utf16ToUtf8(ui::ProfileStoreName(kind));
  store = store.substr(store.rfind('\\') + 1);
  constexpr std::string_view kSuffix = " Profiles";
  if (store.ends_with(kSuffix)) store.resize(store.size() - kSuffix.size());
  std::string name;
  for (const char c : store) {
    name.push_back(c == ' ' ? '-' : static_cast<char>(std::tolower(static_cast<unsigned char>(c))));
  }
  return name;
}

// Either spelling: "rgb-source" or the store's "RGB Source", case ignored.
std::optional<ProfileKind> ParseKind(std::string text) {
  for (char& c : text) {
    c = c == ' ' ? '-' : static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  }
  for (const ProfileKind kind : kKinds) {
    if (KindName(kind) == text) return kind;
  }
  return std::nullopt;
}

std::string KindList() {
  std::string list;
  for (const ProfileKind kind : kKinds) list += (list.empty() ? "" : ", ") + KindName(kind);
  return list;
}

class ProfileGroup final : public Group {
 public:
  ProfileGroup(std::u16string printer, std::string kind)
      : printer_(std::move(printer)), kind_(std::move(kind)) {}

  const char* name() const override { return kGroup; }

  std::vector<Entry> List() override {
    std::vector<Entry> entries;
    std::vector<ProfileKind> kinds(kKinds.begin(), kKinds.end());
    if (const std::optional<ProfileKind> chosen = ParseKind(kind_); chosen) kinds = {*chosen};
    for (const ProfileKind kind : kinds) {
      for (const std::u16string& description : ui::ListProfiles(kind, printer_)) {
        entries.push_back({.name = platform::Utf16ToUtf8(description), .kind = KindName(kind)});
      }
    }
    return entries;
  }

  Outcome Read(const std::string& name, Entry* entry) override {
    return ReadOfKind(kind_, name, entry);
  }

  Outcome ReadListed(const Entry& listed, Entry* entry) override {
    return ReadOfKind(listed.kind, listed.name, entry);
  }

  Outcome ReadOfKind(const std::string& kindText, const std::string& name, Entry* entry) {
    ProfileKind kind{};
    if (Outcome chosen = ChosenKind(kindText, &kind); !chosen.ok()) return chosen;
    ui::ProfileRecord record{};
    if (!ui::ReadProfile(kind, printer_, platform::Utf8ToUtf16(name), &record)) {
      return UnknownName(kGroup, name + "\" of kind \"" + KindName(kind));
    }
    *entry = {.name = name, .kind = KindName(kind),
              .fields = {{kFileNameField,
                          platform::Utf16ToUtf8(settings::FieldText(record.fileName)), false}}};
    return Outcome::Ok();
  }

  Outcome Write(const std::string& name, const Changes& changes, WriteMode mode,
                bool checkOnly) override {
    std::string kindText = kind_;
    std::optional<std::u16string> fileName;
    for (const auto& [field, value] : changes) {
      if (field == kKindField && kind_.empty()) {
        kindText = value;
      } else if (field == kFileNameField) {
        fileName = platform::Utf8ToUtf16(value);
      } else {
        return Outcome::Fail(kExitUsage, "no field \"" + field + "\" here (profiles have " +
                                             kFileNameField + ")");
      }
    }
    ProfileKind kind{};
    if (Outcome chosen = ChosenKind(kindText, &kind); !chosen.ok()) return chosen;
    const std::u16string description = platform::Utf8ToUtf16(name);
    if (description.empty() || description.size() > kDescriptionCapacity) {
      return Outcome::Fail(kExitOutOfRange, "description: \"" + name + "\" must have 1 to " +
                                                std::to_string(kDescriptionCapacity) +
                                                " characters");
    }
    ui::ProfileRecord stored{};
    const bool exists = ui::ReadProfile(kind, printer_, description, &stored);
    if (mode == WriteMode::kAdd && exists) return AlreadyStored(kGroup, name);
    if (mode == WriteMode::kEdit && !exists) {
      return UnknownName(kGroup, name + "\" of kind \"" + KindName(kind));
    }
    if (!fileName) {
      if (mode != WriteMode::kEdit) {
        return Outcome::Fail(kExitUsage, "a profile needs fileName=NAME");
      }
      fileName = std::u16string(settings::FieldText(stored.fileName));
    }
    // The profile dialog's rule: a DOS 8.3 name, kept in upper case.
    if (fileName->size() > ui::kMaxProfileFileName || !ui::MakeOverlayName(&*fileName)) {
      return Outcome::Fail(kExitOutOfRange,
                           std::string(kFileNameField) + ": \"" + platform::Utf16ToUtf8(*fileName) +
                               "\" is no DOS file name (1 to 8 characters, then at most a dot "
                               "and 3 more)");
    }
    if (checkOnly) return Outcome::Ok();
    const uint32_t status = ui::WriteProfile(kind, printer_, description, *fileName);
    return status == 0 ? Outcome::Ok() : StoreFailure("profile \"" + name + "\"", status);
  }

  Outcome Remove(const std::string& name) override {
    ProfileKind kind{};
    if (Outcome chosen = ChosenKind(kind_, &kind); !chosen.ok()) return chosen;
    ui::ProfileRecord record{};
    const std::u16string description = platform::Utf8ToUtf16(name);
    if (!ui::ReadProfile(kind, printer_, description, &record)) {
      return UnknownName(kGroup, name + "\" of kind \"" + KindName(kind));
    }
    if (!ui::DeleteProfile(kind, printer_, description)) {
      return StoreFailure("profile \"" + name + "\"", 0);
    }
    return Outcome::Ok();
  }

 // Public for CheckProfileKind.
  static Outcome ChosenKind(const std::string& text, ProfileKind* kind) {
    if (text.empty()) return Outcome::Fail(kExitUsage, "profiles need --kind (" + KindList() + ")");
    const std::optional<ProfileKind> parsed = ParseKind(text);
    if (!parsed) {
      return Outcome::Fail(kExitUsage, "no profile kind \"" + text + "\" (" + KindList() + ")");
    }
    *kind = *parsed;
    return Outcome::Ok();
  }

 private:
  std::u16string printer_;
  std::string kind_;
};

}  // namespace

Outcome CheckProfileKind(const std::string& kind) {
  ProfileKind parsed{};
  return ProfileGroup::ChosenKind(kind, &parsed);
}

std::unique_ptr<Group> MakeProfileGroup(const std::u16string& printer, const std::string& kind) {
  return std::make_unique<ProfileGroup>(printer, kind);
}

}  // namespace kx::settings_tool
