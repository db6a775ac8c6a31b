#include "ppd/image_builder.h"

#include "ppd/block_cache.h"

namespace kx::ppd {

namespace {

// The layout, in order: header, path, header strings, the two tables, the features
// (each with its strings and options), the fonts.
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
  header.features = PutFeatures(parser, writer);
  header.fonts = PutFonts(parser, writer);
  header.totalSize = static_cast<uint32_t>(writer.size());
  header.format = kImageFormat;
  for (Ref& slot : header.predefined) slot = 0;  // filled when the image is opened
  writer.Put(headerAt, header);
}

void Finalise(Parser& parser) {
  ApplyRequiresPageRegion(parser);
  ReorderFeatures(parser);
  RaiseFreeVm(parser);
  CheckCustomPageSize(parser);
  CleanPageSizes(parser);
}

}  // namespace

PpdImage* BuildImage(Parser& parser, std::u16string_view path) {
  Finalise(parser);
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

}  // namespace kx::ppd
