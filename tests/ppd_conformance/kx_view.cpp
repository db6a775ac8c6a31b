#include "ppd_conformance/kx_view.h"

namespace kx::ppd::conformance {
namespace {

std::string Text(const PpdImage* image, Ref ref) {
  const char* text = String(image, ref);
  return text ? text : "";
}

std::optional<std::string> OptionalText(const PpdImage* image, Ref ref) {
  const char* text = String(image, ref);
  if (text == nullptr) return std::nullopt;
  return std::string(text);
}

void SetInvocation(KxOption& option, Invocation which, std::optional<std::string> text) {
  option.invocations[static_cast<int>(which)] = std::move(text);
}

// The extra strings live in the larger option records of the two predefined features;
// the feature's option size says whether the record really is the larger one.
void CopyExtraInvocations(const PpdImage* image, const PpdFeature& feature,
                          const PpdOption& option, KxOption& copy) {
  if (feature.number == kPageSize && feature.optionSize >= sizeof(PpdPageSizeOption)) {
    const auto& pageSize = static_cast<const PpdPageSizeOption&>(option);
    SetInvocation(copy, Invocation::kPageRegion, OptionalText(image, pageSize.pageRegion));
  }
  if (feature.number == kResolution && feature.optionSize >= sizeof(PpdResolutionOption)) {
    const auto& resolution = static_cast<const PpdResolutionOption&>(option);
    SetInvocation(copy, Invocation::kJclResolution, OptionalText(image, resolution.jclResolution));
    SetInvocation(copy, Invocation::kSetResolution, OptionalText(image, resolution.setResolution));
  }
}

KxOption CopyOption(const PpdImage* image, const PpdFeature& feature, const PpdOption& option) {
  KxOption copy;
  copy.keyword = Text(image, option.keyword);
  copy.translation = OptionalText(image, option.translation);
  SetInvocation(copy, Invocation::kInvocation, OptionalText(image, option.invocation));
  CopyExtraInvocations(image, feature, option, copy);
  return copy;
}

KxFeature CopyFeature(const PpdImage* image, const PpdFeature& feature) {
  KxFeature copy;
  copy.keyword = Text(image, feature.keyword);
  copy.translation = OptionalText(image, feature.translation);
  copy.uiType = feature.uiType;
  copy.flags = feature.flags;
  copy.installable = feature.installable != 0;
  copy.defaultIndex = feature.defaultIndex;
  for (const PpdOption* option = FirstOption(image, &feature); option != nullptr;
       option = NextOption(image, option)) {
    copy.options.push_back(CopyOption(image, feature, *option));
  }
  return copy;
}

}  // namespace

std::vector<KxFeature> ReadFeatures(const PpdImage* image) {
  std::vector<KxFeature> features;
  for (const PpdFeature* feature = FirstFeature(image); feature != nullptr;
       feature = NextFeature(image, feature)) {
    features.push_back(CopyFeature(image, *feature));
  }
  return features;
}

}  // namespace kx::ppd::conformance
