#include "ppd/load.h"

#include <limits>
#include <vector>

#include "ppd/checksum.h"
#include "ppd/dispatch.h"
#include "ppd/entry.h"
#include "ppd/keyword_table.h"
#include "ppd/model.h"

namespace kx::ppd {

namespace {

// The records and strings of a load take about as many bytes as the file, up to half as
// many again when its options are many and short.
size_t ArenaEstimate(uint32_t fileBytes) {
  return size_t{fileBytes} + fileBytes / 2 + Arena::kBlockSize;
}

}  // namespace

bool ParseStream(PpdStream& stream, Parser& parser) {
  parser.arena.ReserveFirstBlock(ArenaEstimate(stream.remaining));
  PrepareKeywordTable(parser);
  ReserveOptionIndex(parser, stream.remaining);
  PpdEntry entry;
  for (;;) {
    Status status = ReadEntry(entry, stream);
    if (status == Status::kOk) status = Dispatch(parser, entry);
    if (status != Status::kOk && status != Status::kSyntax) return status == Status::kEof;
  }
}

namespace {

// The checksum is taken over the file as it was read, before the tokenizer writes its NULs
// into the bytes.
bool ParseFileBytes(Parser& parser) {
  std::vector<uint8_t>& bytes = parser.fileBytes;
  if (bytes.size() > std::numeric_limits<uint32_t>::max()) return false;
  const auto size = static_cast<uint32_t>(bytes.size());
  parser.header.checksum = UpdateChecksum(parser.header.checksum, bytes.data(), size);
  PpdStream stream = MakeStream(bytes.data(), size);
  return ParseStream(stream, parser);
}

}  // namespace

bool ParseBytes(std::string_view bytes, Parser& parser) {
  parser.fileBytes.assign(bytes.begin(), bytes.end());
  return ParseFileBytes(parser);
}

bool LoadFile(const std::u16string& path, Parser& parser) {
  return ReadPpdFile(path, &parser.fileBytes) && ParseFileBytes(parser);
}

}  // namespace kx::ppd
