#include "ppd/load.h"

#include <limits>

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

bool ParseBytes(std::string_view bytes, Parser& parser) {
  if (bytes.size() > std::numeric_limits<uint32_t>::max()) return false;
  PpdStream stream = MakeStream(reinterpret_cast<const uint8_t*>(bytes.data()),
                                static_cast<uint32_t>(bytes.size()), &parser.header.checksum);
  return ParseStream(stream, parser);
}

bool LoadFile(const std::u16string& path, Parser& parser) {
  MappedFile file;
  if (!file.Map(path)) return false;
  PpdStream stream = file.Stream(&parser.header.checksum);
  const bool parsed = ParseStream(stream, parser);
  file.Unmap();
  return parsed;
}

}  // namespace kx::ppd
