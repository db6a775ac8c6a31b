// The library's outward operations and the accessors callers walk the image with.
#include <cstdlib>
#include <cstring>
#include <string>

#include "ppd/block_cache.h"
#include "ppd/image_access.h"
#include "ppd/image_builder.h"
#include "ppd/load.h"
#include "ppd/ppd.h"

namespace kx::ppd {

const PpdImage* PpdOpen(const char16_t* path) {
  if (path == nullptr) return nullptr;
  const std::u16string_view filePath(path);
  Parser parser;
  if (!LoadFile(filePath, parser)) return nullptr;
  return BuildImage(parser, filePath);
}

// The image's block is kept for the next load; nothing past totalSize was written.
void PpdClose(const PpdImage* image) {
  if (image != nullptr) GiveBlock(const_cast<PpdImage*>(image), image->totalSize);
}

const PpdFeature* PpdFindFeature(const PpdImage* image, std::string_view keyword) {
  if (image == nullptr) return nullptr;
  for (const PpdFeature* feature = FirstFeature(image); feature != nullptr;
       feature = NextFeature(image, feature)) {
    const char* name = String(image, feature->keyword);
    if (name != nullptr && name == keyword) return feature;
  }
  return nullptr;
}

// The first feature whose keyword begins with the prefix decides, options or not.
const PpdOption* PpdFindOptions(const PpdImage* image, std::string_view keywordPrefix) {
  if (image == nullptr) return nullptr;
  for (const PpdFeature* feature = FirstFeature(image); feature != nullptr;
       feature = NextFeature(image, feature)) {
    const char* name = String(image, feature->keyword);
    if (name != nullptr && std::string_view(name).starts_with(keywordPrefix)) {
      return FirstOption(image, feature);
    }
  }
  return nullptr;
}

const char* String(const PpdImage* image, Ref ref) {
  if (!RecordFits(image, ref, 1, 1)) return nullptr;
  const char* text = reinterpret_cast<const char*>(image) + ref;
  return std::memchr(text, '\0', image->totalSize - ref) != nullptr ? text : nullptr;
}

const char16_t* WideString(const PpdImage* image, Ref ref) {
  if (!RecordFits(image, ref, sizeof(char16_t), alignof(char16_t))) return nullptr;
  const auto* text =
      reinterpret_cast<const char16_t*>(reinterpret_cast<const uint8_t*>(image) + ref);
  const size_t units = (image->totalSize - ref) / sizeof(char16_t);
  for (size_t i = 0; i < units; ++i) {
    if (text[i] == u'\0') return text;
  }
  return nullptr;
}

const PpdFeature* Feature(const PpdImage* image, Ref ref) {
  return RecordAt<PpdFeature>(image, ref);
}
const PpdOption* Option(const PpdImage* image, Ref ref) { return RecordAt<PpdOption>(image, ref); }
const PpdFont* Font(const PpdImage* image, Ref ref) { return RecordAt<PpdFont>(image, ref); }

namespace {

// A table whose rows, each at least as large as Row and keeping its alignment, all lie
// inside the image.
template <typename Row>
const PpdTableHeader* Table(const PpdImage* image, Ref ref) {
  const auto* table = RecordAt<PpdTableHeader>(image, ref);
  if (table == nullptr || table->rowSize < sizeof(Row) || table->rowSize % alignof(Row) != 0) {
    return nullptr;
  }
  const uint64_t rows = uint64_t{table->rowCount} * table->rowSize;
  return RecordFits(image, ref, sizeof(PpdTableHeader) + rows, alignof(PpdTableHeader)) ? table
                                                                                        : nullptr;
}

template <typename Row>
const Row* TableRow(const PpdTableHeader* table, uint32_t index) {
  if (table == nullptr || index >= table->rowCount) return nullptr;
  const auto* rows = reinterpret_cast<const uint8_t*>(table) + sizeof(PpdTableHeader);
  return reinterpret_cast<const Row*>(rows + uint64_t{index} * table->rowSize);
}

}  // namespace

const PpdTableHeader* OrderDependencies(const PpdImage* image) {
  return image ? Table<PpdOrderRow>(image, image->orderDependencies) : nullptr;
}

const PpdTableHeader* Constraints(const PpdImage* image) {
  return image ? Table<PpdConstraintRow>(image, image->constraints) : nullptr;
}

const PpdOrderRow* OrderDependency(const PpdImage* image, uint32_t index) {
  return TableRow<PpdOrderRow>(OrderDependencies(image), index);
}

const PpdConstraintRow* Constraint(const PpdImage* image, uint32_t index) {
  return TableRow<PpdConstraintRow>(Constraints(image), index);
}

const PpdOption* CheckedOptionRecord(const PpdImage* image, const PpdFeature* feature,
                                     const PpdOption* option, FeatureNumber number, size_t size) {
  if (image == nullptr || feature == nullptr || option == nullptr) return nullptr;
  if (feature->number != number || feature->optionSize != size) return nullptr;
  const auto start = reinterpret_cast<uintptr_t>(image);
  const auto at = reinterpret_cast<uintptr_t>(option);
  if (at < start || at - start > image->totalSize) return nullptr;
  return RecordFits(image, static_cast<Ref>(at - start), size, alignof(PpdOption)) ? option
                                                                                   : nullptr;
}

}  // namespace kx::ppd
