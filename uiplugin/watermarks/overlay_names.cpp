#include "watermarks/overlay_names.h"

namespace kx::ui {
namespace {

constexpr size_t kMaxBaseName = 8;
constexpr size_t kMaxExtension = 4;  // the dot and three characters
constexpr std::u16string_view kNameSymbols = u"$%'-_@~`!()^#& ";

constexpr char16_t kLastAscii = 0x7F;
// Latin-1 small letters à..þ lie 0x20 above their capitals; ÷ (U+00F7) is no letter and
// ÿ's capital lies outside the block.
constexpr char16_t kFirstLatin1Small = 0x00E0;
constexpr char16_t kLastLatin1Small = 0x00FE;
constexpr char16_t kDivisionSign = 0x00F7;
constexpr char16_t kSmallYDiaeresis = 0x00FF;
constexpr char16_t kCapitalYDiaeresis = 0x0178;
constexpr char16_t kCaseDistance = 0x20;

bool IsPathSeparator(char16_t c) { return c == u'\\' || c == u'/'; }

bool IsAsciiAlphanumeric(char16_t c) {
  return (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
}

char16_t UpperCase(char16_t c) {
  if (c >= u'a' && c <= u'z') return static_cast<char16_t>(c - kCaseDistance);
  if (c >= kFirstLatin1Small && c <= kLastLatin1Small && c != kDivisionSign) {
    return static_cast<char16_t>(c - kCaseDistance);
  }
  if (c == kSmallYDiaeresis) return kCapitalYDiaeresis;
  return c;
}

bool AllNameCharacters(std::u16string_view text) {
  for (const char16_t c : text) {
    if (!IsOverlayNameCharacter(c)) return false;
  }
  return true;
}

}  // namespace

PathParts SplitPath(std::u16string_view path) {
  PathParts parts;
  if (path.size() >= 2 && path[1] == u':') {
    parts.drive = path.substr(0, 2);
    path.remove_prefix(2);
  }
  size_t fileStart = 0;
  for (size_t i = 0; i < path.size(); ++i) {
    if (IsPathSeparator(path[i])) fileStart = i + 1;
  }
  parts.directory = path.substr(0, fileStart);
  const std::u16string_view file = path.substr(fileStart);
  const size_t dot = file.rfind(u'.');
  if (dot == std::u16string_view::npos) {
    parts.baseName = file;
  } else {
    parts.baseName = file.substr(0, dot);
    parts.extension = file.substr(dot);
  }
  return parts;
}

bool IsOverlayNameCharacter(char16_t character) {
  return IsAsciiAlphanumeric(character) || kNameSymbols.find(character) != kNameSymbols.npos ||
         character > kLastAscii;
}

std::u16string UpperCaseName(std::u16string_view name) {
  std::u16string upper(name);
  for (char16_t& c : upper) c = UpperCase(c);
  return upper;
}

bool MakeOverlayName(std::u16string* name) {
  const PathParts parts = SplitPath(*name);
  const bool valid = !parts.baseName.empty() && parts.baseName.size() <= kMaxBaseName &&
                     parts.extension.size() <= kMaxExtension &&
                     AllNameCharacters(parts.baseName) &&
                     (parts.extension.empty() || AllNameCharacters(parts.extension.substr(1)));
  if (valid) *name = UpperCaseName(*name);
  return valid;
}

}  // namespace kx::ui
