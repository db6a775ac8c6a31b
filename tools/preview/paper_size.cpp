#include "paper_size.h"

#include <memory>

#include "ppd/ppd.h"
#include "settings/record_text.h"

namespace kx::preview {
namespace {

using PpdHandle = std::unique_ptr<const ppd::PpdImage, decltype(&ppd::PpdClose)>;

constexpr int kFixedOne = 256;  // the PPD image's fixed-point 1.0

// The page-size record of the feature's default option: the default index followed that
// many links from its first option.
const ppd::PpdPageSizeOption* DefaultPageSize(const ppd::PpdImage* image) {
  const ppd::PpdFeature* feature = ppd::PredefinedFeature(image, ppd::kPageSize);
  if (feature == nullptr) return nullptr;
  const ppd::PpdOption* option = ppd::FirstOption(image, feature);
  for (uint32_t step = 0; option != nullptr && step < feature->defaultIndex; ++step) {
    option = ppd::NextOption(image, option);
  }
  if (option == nullptr) return nullptr;
  return ppd::OptionRecord<ppd::PpdPageSizeOption>(image, feature, option);
}

}  // namespace

PaperSize PpdDefaultPaper(const std::u16string& ppdPath) {
  if (ppdPath.empty()) return kFallbackPaper;
  const PpdHandle image(ppd::PpdOpen(ppdPath.c_str()), ppd::PpdClose);
  if (image == nullptr) return kFallbackPaper;
  const ppd::PpdPageSizeOption* size = DefaultPageSize(image.get());
  if (size == nullptr || size->paperWidth <= 0 || size->paperHeight <= 0) return kFallbackPaper;
  return {.width = (size->paperWidth + kFixedOne / 2) / kFixedOne,
          .height = (size->paperHeight + kFixedOne / 2) / kFixedOne};
}

PaperSize RecordPaper(const settings::PrivateRecord& record) {
  return PpdDefaultPaper(std::u16string(settings::FieldText(record.ppdFileName)));
}

}  // namespace kx::preview
