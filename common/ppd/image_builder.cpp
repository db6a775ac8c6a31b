#include "ppd/image_builder.h"

#include "ppd/block_cache.h"
#include "ppd/font_table.h"

namespace kx::ppd {

namespace {

// The layout, in order: header, path, header strings, the two tables, the features
// (each with its strings and options), the fonts. Every record follows the one linked
// before it and every reference lies inside the image, so the image is safe to walk as
// laid out (RelocateImage would change nothing in it).
void LayOut(const Parser& parser, std::u16string_view path, ImageWriter& writer) {
  const Ref headerAt = writer.Reserve(sizeof(PpdImage));
  PpdImage header = parser.header;
  header.path = writer.PutWide(path);
  header.nickName = writer.PutString(parser.nickName);
  header.password = writer.PutString(parser.password);
  header.exitServer = writer.PutString(parser.exitServer);
  header.customPageSizeCode = writer.PutString(parser.customPageSizeCode);
  header.jclBegin = writer.PutString(parser.jclBegin);
  header.jclToPsInterpreter = writer.PutString(parser.jclToPsInterpreter);
  header.jclEnd = writer.PutString(parser.jclEnd);
  header.orderDependencies = PutOrderTable(parser, writer);
  header.constraints = PutConstraintTable(parser, writer);
  for (Ref& slot : header.predefined) slot = 0;
  header.features = PutFeatures(parser, writer, header.predefined);
  header.fonts = PutFonts(parser, writer);
  header.totalSize = static_cast<uint32_t>(writer.size());
  header.format = kImageFormat;
  writer.Put(headerAt, header);
}

void Finalise(Parser& parser) {
  ApplyRequiresPageRegion(parser);
  ReorderFeatures(parser);
  RaiseFreeVm(parser);
  CheckCustomPageSize(parser);
  CleanPageSizes(parser);
}

// Images up to this size are laid out without being measured first.
constexpr size_t kLargestUnmeasuredImage = kLargestSpareRoom;

// Room for the image, usually ample: most strings of the image have a copy in the arena,
// padded there at least as much, and the image's records are smaller than the parse
// records they come from; the path and the font names (taken from the font table) are
// added. When it falls short the image is measured after all.
size_t GuessImageSize(const Parser& parser, std::u16string_view path) {
  constexpr size_t kFontNameRoom = (kLongestFontName + 1 + 3) / 4 * 4;
  return parser.arena.bytesUsed() + size_t{parser.fonts.count} * kFontNameRoom +
         (path.size() + 1) * sizeof(char16_t) + sizeof(PpdImage);
}

// Lays out the image once, straight into a block of the guessed size; null when it did
// not fit (the block is then given back) or memory failed.
PpdImage* BuildUnmeasured(const Parser& parser, std::u16string_view path, size_t guess) {
  size_t capacity = 0;
  void* block = TakeZeroedBlock(guess, &capacity);
  if (block == nullptr) return nullptr;
  ImageWriter writer(static_cast<uint8_t*>(block), capacity);
  LayOut(parser, path, writer);
  if (writer.size() <= capacity) return static_cast<PpdImage*>(block);
  GiveBlock(block, capacity);  // what fitted was written
  return nullptr;
}

// Once the room is known to fall short, or the image may be large, the image is
// measured first and laid out into a block of its exact size.
PpdImage* BuildFinalised(const Parser& parser, std::u16string_view path, size_t room) {
  if (room != 0 && room <= kLargestUnmeasuredImage) {
    if (PpdImage* image = BuildUnmeasured(parser, path, room)) return image;
  }
  ImageWriter measure(nullptr, 0);
  LayOut(parser, path, measure);
  if (!measure.fits()) return nullptr;
  size_t capacity = 0;
  void* block = TakeZeroedBlock(measure.size(), &capacity);
  if (block == nullptr) return nullptr;
  ImageWriter writer(static_cast<uint8_t*>(block), measure.size());
  LayOut(parser, path, writer);
  return static_cast<PpdImage*>(block);
}

}  // namespace

PpdImage* BuildImage(Parser& parser, std::u16string_view path) {
  Finalise(parser);
  return BuildFinalised(parser, path, GuessImageSize(parser, path));
}

PpdImage* BuildImageWithRoomForTesting(Parser& parser, std::u16string_view path, size_t room) {
  Finalise(parser);
  return BuildFinalised(parser, path, room);
}

}  // namespace kx::ppd
