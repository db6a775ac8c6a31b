// The font list's lines, read in one step.
#pragma once

#include <string_view>

#include "ppd/entry.h"
#include "ppd/parse_state.h"
#include "ppd/status.h"
#include "ppd/stream.h"

namespace kx::ppd {

// Reads the next entry when it is a font list line in the list's usual form,
//   *Font Name: Encoding "(Version)" CharacterSet Status
// and lists its font as the tokenizer and the dispatcher would have, leaving the cursor
// where the tokenizer would have left it; *status is then the font handler's. False,
// with nothing read, for anything else (another keyword, a translation, blanks before
// the colon, a quoted, symbol or empty value, a line the file ends in), which is the
// tokenizer's to read.
//
// Most files list dozens of fonts, and on a small file their lines are half of the load's
// work when each goes through the general tokenizer and the keyword lookup. The first font
// of a list comes through the tokenizer; each one after it is tried here. It is defined
// beside the font handler (handlers_font.cpp), whose work is inlined into it.
bool ReadFontLine(PpdStream& stream, Parser& parser, Status* status);

// Whether an entry just read by the tokenizer is a font line, after which the next line
// is tried as one: fonts come as a list, so that the other entries pay one compare.
inline bool IsFontEntry(const PpdEntry& entry) {
  return entry.keyword.view() == std::string_view("Font", 4);
}

}  // namespace kx::ppd
