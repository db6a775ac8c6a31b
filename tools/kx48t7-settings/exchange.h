// Entries as JSON: the --json output of list and show, and the export file, which import
// reads back. An export file names its group, so that a file of one group is never
// written into another's store.
#pragma once

#include <string>
#include <vector>

#include "entry.h"
#include "json.h"
#include "outcome.h"

namespace kx::settings_tool {

// {"name", "kind" (profiles), "predefined", "stored", "fields": {FIELD: value}}; fields
// only when the entry has them.
Json EntryToJson(const Entry& entry);

// {"format": "kx48t7-settings", "version": 1, "group": ..., "entries": [...]}
Json ExportDocument(const std::string& group, const std::vector<Entry>& entries);

// An entry of an import file: its name and its fields as FIELD=VALUE (the profile kind
// as the field "kind").
struct ImportedEntry {
  std::string name;
  Changes changes;
};

// The entries of an export file of `group`; kExitUsage for a file that is not one.
Outcome ReadExport(const std::string& text, const std::string& group,
                   std::vector<ImportedEntry>* entries);

}  // namespace kx::settings_tool
