#include "ppd/relocation.h"

#include "ppd/image_access.h"

namespace kx::ppd {

namespace {

class Relocator {
 public:
  explicit Relocator(PpdImage* image) : image_(image), total_(image->totalSize) {}

  void Run() {
    for (Ref* ref : {&image_->path, &image_->nickName, &image_->password, &image_->exitServer,
                     &image_->customPageSizeCode, &image_->jclBegin, &image_->jclEnd,
                     &image_->jclToPsInterpreter, &image_->features, &image_->fonts,
                     &image_->orderDependencies, &image_->constraints}) {
      Drop(*ref);
    }
    for (Ref& slot : image_->predefined) slot = 0;
    RelocateFeatures();
    RelocateFonts();
  }

 private:
  void Drop(Ref& ref) const {
    if (ref > total_) ref = 0;
  }
  // Records are laid out in list order, so a next link always points forward.
  void DropNext(Ref& next, Ref at) const {
    Drop(next);
    if (next != 0 && next <= at) next = 0;
  }

  void RelocateFeatures() {
    Ref at = image_->features;
    while (PpdFeature* feature = RecordAt<PpdFeature>(image_, at)) {
      DropNext(feature->next, at);
      Drop(feature->keyword);
      Drop(feature->translation);
      Drop(feature->options);
      if (feature->number < kPredefinedFeatureCount && image_->predefined[feature->number] == 0) {
        image_->predefined[feature->number] = at;
      }
      RelocateOptions(*feature);
      at = feature->next;
    }
  }

  void RelocateOptions(const PpdFeature& feature) {
    Ref at = feature.options;
    while (PpdOption* option = RecordAt<PpdOption>(image_, at)) {
      DropNext(option->next, at);
      Drop(option->keyword);
      Drop(option->translation);
      Drop(option->invocation);
      RelocateExtraStrings(feature, at);
      at = option->next;
    }
  }

  void RelocateExtraStrings(const PpdFeature& feature, Ref at) {
    if (feature.number == kPageSize && feature.optionSize == sizeof(PpdPageSizeOption)) {
      if (auto* option = RecordAt<PpdPageSizeOption>(image_, at)) Drop(option->pageRegion);
    } else if (feature.number == kResolution && feature.optionSize == sizeof(PpdResolutionOption)) {
      if (auto* option = RecordAt<PpdResolutionOption>(image_, at)) {
        Drop(option->jclResolution);
        Drop(option->setResolution);
      }
    }
  }

  void RelocateFonts() {
    Ref at = image_->fonts;
    while (PpdFont* font = RecordAt<PpdFont>(image_, at)) {
      DropNext(font->next, at);
      Drop(font->name);
      Drop(font->translation);
      at = font->next;
    }
  }

  PpdImage* image_;
  uint32_t total_;
};

}  // namespace

void RelocateImage(PpdImage* image) {
  if (image != nullptr) Relocator(image).Run();
}

}  // namespace kx::ppd
