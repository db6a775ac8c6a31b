#include "ppd/load.h"

#include <limits>
#include <vector>

#include "ppd/checksum.h"
#include "ppd/dispatch.h"
#include "ppd/entry.h"
#include "ppd/font_lines.h"
#include "ppd/keyword_table.h"
#include "ppd/model.h"

namespace kx::ppd {

namespace {

// The records and strings of a load take about as many bytes as the file, up to half as
// many again when its options are many and short.
size_t ArenaEstimate(uint32_t fileBytes) {
  return size_t{fileBytes} + fileBytes / 2 + Arena::kBlockSize;
}

// Whether font list lines are read in one step (font_lines.h) or, like every other entry,
// through the tokenizer and the dispatcher; both come to the same.
enum class FontLines { kInOneStep, kThroughTheTokenizer };

bool ParseEntries(PpdStream& stream, Parser& parser, FontLines fontLines) {
  parser.arena.ReserveFirstBlock(ArenaEstimate(stream.remaining));
  PrepareKeywordTable(parser);
  ReserveOptionIndex(parser, stream.remaining);
  PpdEntry entry;
  bool inFontList = false;  // the last entry was a font line
  for (;;) {
    Status status = Status::kOk;
    if (!inFontList || !ReadFontLine(stream, parser, &status)) {
      status = ReadEntry(entry, stream);
      if (status == Status::kOk) status = Dispatch(parser, entry);
      inFontList = fontLines == FontLines::kInOneStep && IsFontEntry(entry);
    }
    if (status != Status::kOk && status != Status::kSyntax) return status == Status::kEof;
  }
}

// The checksum is taken over the file as it was read, before the tokenizer writes its NULs
// into the bytes.
bool ParseFileBytes(Parser& parser, FontLines fontLines = FontLines::kInOneStep) {
  platform::FileBytes& bytes = parser.fileBytes;
  if (bytes.size() > std::numeric_limits<uint32_t>::max()) return false;
  const auto size = static_cast<uint32_t>(bytes.size());
  parser.header.checksum = UpdateChecksum(parser.header.checksum, bytes.data(), size);
  PpdStream stream = MakeStream(bytes.data(), size);
  return ParseEntries(stream, parser, fontLines);
}

}  // namespace

bool ParseStream(PpdStream& stream, Parser& parser) {
  return ParseEntries(stream, parser, FontLines::kInOneStep);
}

bool ParseBytes(std::string_view bytes, Parser& parser) {
  parser.fileBytes.assign(bytes.begin(), bytes.end());
  return ParseFileBytes(parser);
}

bool ParseBytesEntryByEntryForTesting(std::string_view bytes, Parser& parser) {
  parser.fileBytes.assign(bytes.begin(), bytes.end());
  return ParseFileBytes(parser, FontLines::kThroughTheTokenizer);
}

bool LoadFile(std::u16string_view path, Parser& parser) {
  return ReadPpdFile(path, &parser.fileBytes) && ParseFileBytes(parser);
}

}  // namespace kx::ppd
