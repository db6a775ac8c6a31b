#include "cups_options.h"

namespace kx::filter {
namespace {

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

// Reads one value from `at`: quoted parts lose their quotes, a backslash keeps the next
// character as it is; a space outside quotes ends the value.
std::string ReadValue(std::string_view text, size_t* at) {
  std::string value;
  char quote = '\0';
  while (*at < text.size()) {
    const char c = text[*at];
    if (quote == '\0' && IsSpace(c)) break;
    ++*at;
    if (c == '\\' && *at < text.size()) {
      value.push_back(text[(*at)++]);
    } else if (quote != '\0' && c == quote) {
      quote = '\0';
    } else if (quote == '\0' && (c == '\'' || c == '"')) {
      quote = c;
    } else {
      value.push_back(c);
    }
  }
  return value;
}

}  // namespace

std::vector<CupsOption> ParseCupsOptions(std::string_view text) {
  std::vector<CupsOption> options;
  size_t at = 0;
  while (at < text.size()) {
    if (IsSpace(text[at])) {
      ++at;
      continue;
    }
    const size_t start = at;
    while (at < text.size() && text[at] != '=' && !IsSpace(text[at])) ++at;
    std::string name(text.substr(start, at - start));
    if (at < text.size() && text[at] == '=') {
      ++at;
      options.emplace_back(std::move(name), ReadValue(text, &at));
    } else if (name.size() > 2 && name.starts_with("no")) {
      options.emplace_back(name.substr(2), "false");
    } else {
      options.emplace_back(std::move(name), "true");
    }
  }
  return options;
}

}  // namespace kx::filter
