// One entry of a store as the tool shows, exports and imports it: its name and its fields
// as text, in the order the stored value holds them.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace kx::settings_tool {

struct FieldValue {
  std::string name{};
  std::string value{};  // numbers in decimal, text as UTF-8
  bool number = false;  // written as a JSON number rather than a string
};

struct Entry {
  std::string name{};
  std::string kind{};       // the profile kind; empty for the other groups
  bool predefined = false;  // offered by the system rather than stored by the user
  bool stored = true;       // false for a predefined entry nobody has saved
  std::vector<FieldValue> fields{};
};

// FIELD=VALUE pairs from the command line or an import file, in order.
using Changes = std::vector<std::pair<std::string, std::string>>;

}  // namespace kx::settings_tool
