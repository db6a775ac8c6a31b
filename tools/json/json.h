// The JSON the command-line tools write (--json output, export files) and read (import
// files): a small tree of values. Numbers keep their text, since every number here is a record field that
// is parsed again by the field's own rules. Strings are UTF-8.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kx {

class Json {
 public:
  enum class Type { kNull, kBool, kNumber, kString, kArray, kObject };

  static Json Bool(bool value);
  static Json Number(std::string text);
  static Json String(std::string text);
  static Json Array();
  static Json Object();

  Type type() const { return type_; }
  bool boolean() const { return boolean_; }
  // The number's text or the string's value.
  const std::string& text() const { return text_; }
  const std::vector<Json>& items() const { return items_; }
  const std::vector<std::pair<std::string, Json>>& members() const { return members_; }
  // The member of that key; null when there is none.
  const Json* Find(std::string_view key) const;

  Json& Push(Json value);
  Json& Add(std::string key, Json value);

 private:
  Type type_ = Type::kNull;
  bool boolean_ = false;
  std::string text_;
  std::vector<Json> items_;
  std::vector<std::pair<std::string, Json>> members_;
};

// The text as a JSON string, quotes included: quotes, backslashes and control characters
// escaped, other bytes (UTF-8) as they are.
std::string JsonQuoted(std::string_view text);

// Indented by two spaces per level, ending with a line end.
std::string WriteJson(const Json& value);

// The whole text must be one value (surrounding white space allowed); false with *error
// saying where it went wrong. A duplicate key in an object is an error.
bool ParseJson(std::string_view text, Json* value, std::string* error);

}  // namespace kx
