#include "store_verbs.h"

#include <fstream>
#include <iterator>

#include "exchange.h"

namespace kx::settings_tool {
namespace {

void PrintList(const std::vector<Entry>& entries, bool json, std::ostream& out) {
  if (json) {
    Json list = Json::Array();
    for (const Entry& entry : entries) list.Push(EntryToJson(entry));
    out << WriteJson(list);
    return;
  }
  for (const Entry& entry : entries) {
    if (!entry.kind.empty()) out << entry.kind << '\t';
    out << entry.name << (entry.predefined ? "\t(predefined)" : "") << '\n';
  }
}

void PrintEntry(const Entry& entry, bool json, std::ostream& out) {
  if (json) {
    out << WriteJson(EntryToJson(entry));
    return;
  }
  out << "name: " << entry.name << '\n';
  if (!entry.kind.empty()) out << "kind: " << entry.kind << '\n';
  if (entry.predefined) out << (entry.stored ? "predefined, stored\n" : "predefined\n");
  for (const FieldValue& field : entry.fields) out << field.name << '=' << field.value << '\n';
}

Outcome Export(Group& group, const Command& command) {
  std::vector<Entry> entries;
  if (command.name) {
    Entry entry;
    if (Outcome read = group.Read(*command.name, &entry); !read.ok()) return read;
    entries.push_back(std::move(entry));
  } else {
    // Predefined entries are the system's: a file carries only what import may write.
    for (const Entry& listed : group.List()) {
      if (listed.predefined) continue;
      Entry entry;
      if (Outcome read = group.ReadListed(listed, &entry); !read.ok()) return read;
      entries.push_back(std::move(entry));
    }
  }
  std::ofstream file(*command.file, std::ios::binary | std::ios::trunc);
  file << WriteJson(ExportDocument(group.name(), entries));
  file.close();
  if (!file) return Outcome::Fail(kExitStoreFailure, "cannot write " + *command.file);
  return Outcome::Ok();
}

// Every entry is checked before the first is written, so a file with one bad entry
// changes nothing.
Outcome Import(Group& group, const Command& command) {
  std::ifstream file(*command.file, std::ios::binary);
  if (!file) return Outcome::Fail(kExitUsage, "cannot read " + *command.file);
  const std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  std::vector<ImportedEntry> entries;
  if (Outcome read = ReadExport(text, group.name(), &entries); !read.ok()) return read;
  for (const ImportedEntry& entry : entries) {
    Outcome checked = group.Write(entry.name, entry.changes, WriteMode::kReplace, true);
    if (!checked.ok()) {
      checked.message = "\"" + entry.name + "\": " + checked.message + "; nothing imported";
      return checked;
    }
  }
  for (const ImportedEntry& entry : entries) {
    if (Outcome written = group.Write(entry.name, entry.changes, WriteMode::kReplace, false);
        !written.ok()) {
      return written;
    }
  }
  return Outcome::Ok();
}

}  // namespace

Outcome RunStoreVerb(Group& group, const Command& command, std::ostream& out) {
  const std::string& verb = command.verb;
  if (verb == "list") {
    PrintList(group.List(), command.json, out);
    return Outcome::Ok();
  }
  if (verb == "show") {
    Entry entry;
    Outcome read = group.Read(*command.name, &entry);
    if (read.ok()) PrintEntry(entry, command.json, out);
    return read;
  }
  if (verb == "add" || verb == "edit") {
    return group.Write(*command.name, command.changes,
                       verb == "add" ? WriteMode::kAdd : WriteMode::kEdit, false);
  }
  if (verb == "delete") return group.Remove(*command.name);
  if (verb == "export") return Export(group, command);
  if (verb == "import") return Import(group, command);
  return Outcome::Fail(kExitUsage, "no verb \"" + verb + "\"");
}

}  // namespace kx::settings_tool
