// Copying entry text into the arena. A slot that already holds a string keeps it, so the
// first occurrence in the file wins.
#pragma once

#include <string_view>

#include "ppd/arena.h"
#include "ppd/status.h"

namespace kx::ppd {

enum class StringMode {
  kPlain,      // copied unchanged
  kHexDecode,  // <1B> and the like become bytes; text outside the brackets is copied
};

// kOk when stored or when the slot was already filled; kSyntax for bad hex (nothing
// stored); kNoRoom when the arena is exhausted. Takes text.size() + 1 bytes of arena.
Status StoreString(const char** slot, std::string_view text, Arena& arena, StringMode mode);

// Decodes hexadecimal groups in place into `out` (at least text.size() bytes); the
// decoded length, or nothing for bad hex: a non-hex character or a blank between the
// brackets, an odd number of digits, or an unclosed bracket.
bool DecodeHex(std::string_view text, char* out, size_t* length);

// Whether the text would decode; lets a handler refuse an entry before it changes anything.
bool HexDecodes(std::string_view text);

}  // namespace kx::ppd
