// Fuzzes PpdOpen: each input becomes a PPD file, is opened, and every record and string
// of the image is read through the accessors, as callers walk it. Each input is also
// parsed with font list lines read in one step and through the tokenizer, which must give
// the same image.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "platform/files.h"
#include "platform/text.h"
#include "ppd/image_builder.h"
#include "ppd/load.h"
#include "ppd/ppd.h"

namespace {

using namespace kx::ppd;

// One file per fuzzing process, in the temporary folder, removed when the process ends.
class InputFile {
 public:
  InputFile() {
    std::random_device random;
    file_ = std::filesystem::temp_directory_path() /
            ("ppd_open_fuzzer_" + std::to_string(random()) + ".ppd");
    path_ = kx::platform::Utf8ToUtf16(file_.string());
  }
  ~InputFile() {
    std::error_code error;
    std::filesystem::remove(file_, error);
  }
  const std::u16string& path() const { return path_; }

 private:
  std::filesystem::path file_;
  std::u16string path_;
};

const std::u16string& InputPath() {
  static const InputFile file;
  return file.path();
}

// Reads every byte of a string, so that the sanitizers see any read past its end.
size_t Touch(const char* text) {
  if (text == nullptr) return 0;
  size_t sum = 0;
  for (const char* p = text; *p != '\0'; ++p) sum += static_cast<unsigned char>(*p);
  return sum + std::strlen(text);
}

size_t TouchRef(const PpdImage* image, Ref ref) { return Touch(String(image, ref)); }

size_t WalkOption(const PpdImage* image, const PpdFeature* feature, const PpdOption* option) {
  size_t sum = TouchRef(image, option->keyword) + TouchRef(image, option->translation) +
               TouchRef(image, option->invocation) + option->hash;
  if (const auto* page = OptionRecord<PpdPageSizeOption>(image, feature, option)) {
    sum += TouchRef(image, page->pageRegion) + static_cast<uint32_t>(page->paperWidth) +
           static_cast<uint32_t>(page->imageableArea[3]);
  }
  if (const auto* slot = OptionRecord<PpdInputSlotOption>(image, feature, option)) {
    sum += slot->requiresPageRegion;
  }
  if (const auto* resolution = OptionRecord<PpdResolutionOption>(image, feature, option)) {
    sum += TouchRef(image, resolution->jclResolution) + TouchRef(image, resolution->setResolution);
  }
  if (const auto* memory = OptionRecord<PpdVmOption>(image, feature, option)) sum += memory->freeVm;
  return sum;
}

size_t WalkFeatures(const PpdImage* image) {
  size_t sum = 0;
  for (const PpdFeature* feature = FirstFeature(image); feature != nullptr;
       feature = NextFeature(image, feature)) {
    sum += TouchRef(image, feature->keyword) + TouchRef(image, feature->translation);
    sum += feature->defaultIndex + feature->uiType + feature->index;
    for (const PpdOption* option = FirstOption(image, feature); option != nullptr;
         option = NextOption(image, option)) {
      sum += WalkOption(image, feature, option);
    }
    // The queries walk the same lists.
    if (const char* keyword = String(image, feature->keyword)) {
      sum += PpdFindFeature(image, keyword) != nullptr;
      sum += PpdFindOptions(image, keyword) != nullptr;
    }
  }
  for (uint32_t number = 0; number < kPredefinedFeatureCount; ++number) {
    sum += PredefinedFeature(image, static_cast<FeatureNumber>(number)) != nullptr;
  }
  return sum;
}

size_t WalkFontsAndTables(const PpdImage* image) {
  size_t sum = 0;
  for (const PpdFont* font = FirstFont(image); font != nullptr; font = NextFont(image, font)) {
    sum += TouchRef(image, font->name) + TouchRef(image, font->translation) + font->number;
  }
  if (const PpdTableHeader* table = OrderDependencies(image)) {
    for (uint32_t i = 0; i < table->rowCount; ++i) {
      const PpdOrderRow* row = OrderDependency(image, i);
      sum += row->featureIndex + row->optionIndex + row->sections;
    }
  }
  if (const PpdTableHeader* table = Constraints(image)) {
    for (uint32_t i = 0; i < table->rowCount; ++i) {
      const PpdConstraintRow* row = Constraint(image, i);
      sum += row->firstFeatureIndex + row->secondOptionIndex;
    }
  }
  return sum;
}

size_t WalkHeader(const PpdImage* image) {
  size_t sum = 0;
  for (Ref ref : {image->nickName, image->password, image->exitServer, image->customPageSizeCode,
                  image->jclBegin, image->jclEnd, image->jclToPsInterpreter}) {
    sum += TouchRef(image, ref);
  }
  if (const char16_t* path = WideString(image, image->path)) {
    while (*path != u'\0') sum += *path++;
  }
  return sum;
}

// The image of the input's bytes, or null when the parse or the build refuses them.
const PpdImage* ImageOf(std::string_view bytes, bool (*parse)(std::string_view, Parser&)) {
  Parser parser;
  if (!parse(bytes, parser)) return nullptr;
  return BuildImage(parser, u"/fuzz.ppd");
}

// Font list lines read in one step must come to what the tokenizer and the dispatcher
// make of them.
void CompareFontLineReading(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const PpdImage* inOneStep = ImageOf(bytes, &ParseBytes);
  const PpdImage* entryByEntry = ImageOf(bytes, &ParseBytesEntryByEntryForTesting);
  if ((inOneStep == nullptr) != (entryByEntry == nullptr)) __builtin_trap();
  if (inOneStep != nullptr &&
      (inOneStep->totalSize != entryByEntry->totalSize ||
       std::memcmp(inOneStep, entryByEntry, inOneStep->totalSize) != 0)) {
    __builtin_trap();
  }
  PpdClose(inOneStep);
  PpdClose(entryByEntry);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  CompareFontLineReading(data, size);
  const std::vector<uint8_t> bytes(data, data + size);
  if (!kx::platform::WriteWholeFile(InputPath(), bytes)) __builtin_trap();
  const PpdImage* image = PpdOpen(InputPath().c_str());
  if (image != nullptr) {
    volatile size_t sink = WalkHeader(image) + WalkFeatures(image) + WalkFontsAndTables(image);
    (void)sink;
    PpdClose(image);
  }
  return 0;
}
