// Overlay file names: the forms live on the printer's disk, whose file system takes DOS
// names of eight characters and a three-character extension, stored in upper case.
#pragma once

#include <string>
#include <string_view>

namespace kx::ui {

// A path in the parts the system's path splitting gives (_wsplitpath): the drive ("X:"),
// the directory up to and including its last '\' or '/', the base name, and the extension
// from the file part's last '.' (the dot included).
struct PathParts {
  std::u16string_view drive;
  std::u16string_view directory;
  std::u16string_view baseName;
  std::u16string_view extension;
};
PathParts SplitPath(std::u16string_view path);

// Whether the character may stand in an overlay's base name or extension: an ASCII letter
// or digit, one of $%'-_@~`!()^#& (space included), or any character beyond ASCII.
bool IsOverlayNameCharacter(char16_t character);

// The name in upper case: ASCII and Latin-1 letters become capitals; other characters
// (Hangul among them) have no case and stay.
std::u16string UpperCaseName(std::u16string_view name);

// The 8.3 test: a base name of 1 to 8 characters and an extension of at most 4 (its dot
// included), every character after the dot and in the base name passing
// IsOverlayNameCharacter. On success the whole name is put in upper case and true
// returned; otherwise the name is left as it is.
bool MakeOverlayName(std::u16string* name);

}  // namespace kx::ui
