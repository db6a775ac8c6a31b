// A store of named entries as the tool's verbs see it. Each group (watermarks, colour
// sets, profiles, custom settings) keeps its entries in its own per-user store of the
// printer, through the same functions the printer's dialogs use.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "command_line.h"
#include "entry.h"
#include "outcome.h"

namespace kx::settings_tool {

// Where a written entry starts from and what must already exist.
enum class WriteMode {
  kAdd,      // from the defaults; the name must not be stored yet
  kEdit,     // from the stored entry, which must exist
  kReplace,  // from the defaults, whether or not the name is stored (import)
};

class Group {
 public:
  virtual ~Group() = default;

  // The group's name on the command line and in export files.
  virtual const char* name() const = 0;
  // Predefined entries first, then the stored ones, without their fields.
  virtual std::vector<Entry> List() = 0;
  // The entry with its fields; kExitUnknownName when there is none.
  virtual Outcome Read(const std::string& name, Entry* entry) = 0;
  // The entry of a line of List() with its fields (a profile is found under its kind).
  virtual Outcome ReadListed(const Entry& listed, Entry* entry) { return Read(listed.name, entry); }
  // Builds the entry from the start `mode` says with `changes` applied, checks it as the
  // dialogs do and, unless `checkOnly`, stores it.
  virtual Outcome Write(const std::string& name, const Changes& changes, WriteMode mode,
                        bool checkOnly) = 0;
  virtual Outcome Remove(const std::string& name) = 0;
};

// The group the command names, working on the command's printer; null for devopts.
std::unique_ptr<Group> MakeGroup(const Command& command);

std::unique_ptr<Group> MakeWatermarkGroup(const std::u16string& printer);
std::unique_ptr<Group> MakeColourSetGroup(const std::u16string& printer);
std::unique_ptr<Group> MakeCustomSettingGroup(const std::u16string& printer);
// `kind` empty: every kind (list, export and import only).
std::unique_ptr<Group> MakeProfileGroup(const std::u16string& printer, const std::string& kind);
// kExitUsage unless `kind` names a profile kind.
Outcome CheckProfileKind(const std::string& kind);

// Refusals every group words the same way.
Outcome UnknownName(const std::string& group, const std::string& name);
Outcome PredefinedName(const std::string& group, const std::string& name);
Outcome AlreadyStored(const std::string& group, const std::string& name);
Outcome StoreFailure(const std::string& what, uint32_t status);

}  // namespace kx::settings_tool
