#include "exchange.h"

#include <set>

namespace kx::settings_tool {
namespace {

constexpr char kFormat[] = "kx48t7-settings";
constexpr char kVersion[] = "1";

Outcome Malformed(const std::string& problem) {
  return Outcome::Fail(kExitUsage, "the import file is not an export: " + problem);
}

Json FieldsToJson(const std::vector<FieldValue>& fields) {
  Json object = Json::Object();
  for (const FieldValue& field : fields) {
    object.Add(field.name, field.number ? Json::Number(field.value) : Json::String(field.value));
  }
  return object;
}

Outcome ReadEntry(const Json& item, ImportedEntry* entry) {
  if (item.type() != Json::Type::kObject) return Malformed("an entry is not an object");
  const Json* name = item.Find("name");
  if (name == nullptr || name->type() != Json::Type::kString) {
    return Malformed("an entry has no name");
  }
  entry->name = name->text();
  if (const Json* kind = item.Find("kind")) {
    if (kind->type() != Json::Type::kString) return Malformed("\"kind\" is not a string");
    entry->changes.emplace_back("kind", kind->text());
  }
  const Json* fields = item.Find("fields");
  if (fields == nullptr || fields->type() != Json::Type::kObject) {
    return Malformed("entry \"" + entry->name + "\" has no fields");
  }
  for (const auto& [field, value] : fields->members()) {
    if (value.type() != Json::Type::kString && value.type() != Json::Type::kNumber) {
      return Malformed("field \"" + field + "\" of \"" + entry->name +
                       "\" is neither text nor a number");
    }
    entry->changes.emplace_back(field, value.text());
  }
  return Outcome::Ok();
}

}  // namespace

Json EntryToJson(const Entry& entry) {
  Json object = Json::Object();
  object.Add("name", Json::String(entry.name));
  if (!entry.kind.empty()) object.Add("kind", Json::String(entry.kind));
  object.Add("predefined", Json::Bool(entry.predefined));
  object.Add("stored", Json::Bool(entry.stored));
  if (!entry.fields.empty()) object.Add("fields", FieldsToJson(entry.fields));
  return object;
}

Json ExportDocument(const std::string& group, const std::vector<Entry>& entries) {
  Json document = Json::Object();
  document.Add("format", Json::String(kFormat));
  document.Add("version", Json::Number(kVersion));
  document.Add("group", Json::String(group));
  Json& list = document.Add("entries", Json::Array());
  for (const Entry& entry : entries) {
    Json item = Json::Object();
    item.Add("name", Json::String(entry.name));
    if (!entry.kind.empty()) item.Add("kind", Json::String(entry.kind));
    item.Add("fields", FieldsToJson(entry.fields));
    list.Push(std::move(item));
  }
  return document;
}

Outcome ReadExport(const std::string& text, const std::string& group,
                   std::vector<ImportedEntry>* entries) {
  Json document;
  std::string error;
  if (!ParseJson(text, &document, &error)) return Malformed(error);
  const Json* format = document.Find("format");
  const Json* version = document.Find("version");
  if (format == nullptr || format->text() != kFormat || version == nullptr ||
      version->type() != Json::Type::kNumber || version->text() != kVersion) {
    return Malformed("no \"format\": \"" + std::string(kFormat) + "\", \"version\": " + kVersion);
  }
  const Json* fileGroup = document.Find("group");
  if (fileGroup == nullptr || fileGroup->text() != group) {
    return Malformed("it holds no " + group + " entries");
  }
  const Json* list = document.Find("entries");
  if (list == nullptr || list->type() != Json::Type::kArray) {
    return Malformed("no \"entries\" list");
  }
  std::set<std::pair<std::string, std::string>> seen;
  for (const Json& item : list->items()) {
    ImportedEntry entry;
    if (Outcome read = ReadEntry(item, &entry); !read.ok()) return read;
    const Json* kind = item.Find("kind");
    if (!seen.emplace(kind ? kind->text() : "", entry.name).second) {
      return Malformed("\"" + entry.name + "\" appears twice");
    }
    entries->push_back(std::move(entry));
  }
  return Outcome::Ok();
}

}  // namespace kx::settings_tool
