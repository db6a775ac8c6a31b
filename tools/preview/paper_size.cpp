#include "paper_size.h"

#include <memory>

#include "ppd/ppd.h"
#include "settings/printer_defaults.h"
#include "settings/record_text.h"

namespace kx::preview {
namespace {

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
  const settings::PpdHandle image(ppd::PpdOpen(ppdPath.c_str()), ppd::PpdClose);
  if (image == nullptr) return kFallbackPaper;
  const ppd::PpdPageSizeOption* size = DefaultPageSize(image.get());
  if (size == nullptr || size->paperWidth <= 0 || size->paperHeight <= 0) return kFallbackPaper;
  return {.width = (size->paperWidth + ppd::kFixedOne / 2) / ppd::kFixedOne,
          .height = (size->paperHeight + ppd::kFixedOne / 2) / ppd::kFixedOne};
}

PaperSize RecordPaper(const settings::PrivateRecord& record) {
  return PpdDefaultPaper(std::u16string(settings::FieldText(record.ppdFileName)));
}

}  // namespace kx::preview
