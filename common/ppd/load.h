// The load loop: feeds a file's entries to the keyword dispatcher.
#pragma once

#include <string>
#include <string_view>

#include "ppd/parse_state.h"
#include "ppd/stream.h"

namespace kx::ppd {

// Parses the whole stream into the parser, ending tokens in place in the stream's bytes.
// True exactly when the loop ended at the end of the file: malformed entries are dropped,
// an overflowing token or exhausted memory fails the load.
bool ParseStream(PpdStream& stream, Parser& parser);

// The same over a copy of bytes in memory, which the parser keeps; the checksum goes to
// the parser's header.
bool ParseBytes(std::string_view bytes, Parser& parser);

// Test hook: ParseBytes with font list lines read through the tokenizer and the
// dispatcher, as every other entry is, rather than in one step.
bool ParseBytesEntryByEntryForTesting(std::string_view bytes, Parser& parser);

// Reads the file into the parser and parses it; false also when the file is missing,
// unreadable, empty, not a regular file or larger than kLargestPpdFile (those are refused
// before reading).
bool LoadFile(std::u16string_view path, Parser& parser);

}  // namespace kx::ppd
