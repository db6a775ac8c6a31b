#include "hostsim/host_items.h"

#include "platform/codepage.h"

namespace kx::hostsim {

using namespace host;

struct HostItems::Plan {
  std::u16string name;
  BYTE level = 2;
  BYTE dmPubId = DMPUB_NONE;
  DWORD helpIndex = 0;
  LONG selection = 0;
  BYTE type = TVOT_LISTBOX;
  std::vector<std::u16string> choices{};  // none: a section header
};

namespace {

constexpr BYTE kSectionLevel = 1;
constexpr BYTE kItemLevel = 2;

// The host's own texts.
constexpr char16_t kGraphicSection[] = u"Graphic";
constexpr char16_t kDocumentOptionsSection[] = u"Document Options";
constexpr char16_t kPostScriptOptionsSection[] = u"PostScript Options";
constexpr char16_t kPrinterFeaturesSection[] = u"Printer Features";
constexpr char16_t kInstallableOptionsSection[] = u"Installable Options";
constexpr char16_t kPrintQualityName[] = u"Print Quality";
constexpr char16_t kColourName[] = u"Color Appearance";
constexpr char16_t kNupName[] = u"Pages per Sheet Layout";
constexpr char16_t kOutputOptionName[] = u"PostScript Output Option";
constexpr char16_t kErrorHandlerName[] = u"Send PostScript Error Handler";

// Choices in the order the item's selection counts them (see the position constants in
// the header).
const std::vector<std::u16string> kColourChoices = {u"Grayscale", u"Color"};
const std::vector<std::u16string> kNupChoices = {u"1", u"2", u"4", u"6", u"9", u"16", u"Booklet"};
const std::vector<std::u16string> kOutputOptionChoices = {
    u"Optimize for Speed", u"Optimize for Portability", u"Encapsulated PostScript (EPS)",
    u"Archive Format"};
const std::vector<std::u16string> kErrorHandlerChoices = {u"Yes", u"No"};

// PPD text is in the system's ANSI code page.
std::u16string FromAnsi(const char* text) {
  if (text == nullptr || *text == '\0') return {};
  const int size = platform::MultiByteToWideChar(platform::kCpAcp, platform::kMbPrecomposed, text,
                                                 -1, nullptr, 0);
  if (size <= 0) return {};
  std::u16string wide(static_cast<size_t>(size), u'\0');
  platform::MultiByteToWideChar(platform::kCpAcp, platform::kMbPrecomposed, text, -1, wide.data(),
                                size);
  wide.resize(static_cast<size_t>(size - 1));
  return wide;
}

// What the host shows for a feature or option: its translation, else its keyword.
std::u16string DisplayName(const ppd::PpdImage* image, ppd::Ref translation, ppd::Ref keyword) {
  std::u16string name = FromAnsi(ppd::String(image, translation));
  return name.empty() ? FromAnsi(ppd::String(image, keyword)) : name;
}

HostItems::Plan Section(const char16_t* name) { return {.name = name, .level = kSectionLevel}; }

HostItems::Plan Fixed(const char16_t* name, BYTE dmPubId,
                      const std::vector<std::u16string>& choices, LONG selection) {
  return {.name = name, .dmPubId = dmPubId, .selection = selection, .choices = choices};
}

HostItems::Plan FeatureItem(const ppd::PpdImage* image, const ppd::PpdFeature& feature,
                            std::u16string name, BYTE dmPubId) {
  HostItems::Plan plan{.name = std::move(name), .dmPubId = dmPubId};
  for (const ppd::PpdOption* option = ppd::FirstOption(image, &feature); option != nullptr;
       option = ppd::NextOption(image, option)) {
    plan.choices.push_back(DisplayName(image, option->translation, option->keyword));
  }
  if (feature.defaultIndex < plan.choices.size()) {
    plan.selection = static_cast<LONG>(feature.defaultIndex);
  }
  if (feature.uiType == ppd::kUiBoolean && plan.choices.size() == 2) plan.type = TVOT_2STATES;
  return plan;
}

// The feature the host's print quality item lists: the resolutions, or the quality
// modes of a printer that has no Resolution feature.
const ppd::PpdFeature* PrintQualityFeature(const ppd::PpdImage* image) {
  if (image == nullptr) return nullptr;
  if (const ppd::PpdFeature* feature = ppd::PredefinedFeature(image, ppd::kResolution)) {
    return feature;
  }
  if (const ppd::PpdFeature* feature = ppd::PpdFindFeature(image, "Resolution")) return feature;
  return ppd::PpdFindFeature(image, "QualityMode");
}

template <typename Visit>
void ForEachFeature(const ppd::PpdImage* image, Visit visit) {
  if (image == nullptr) return;
  for (const ppd::PpdFeature* feature = ppd::FirstFeature(image); feature != nullptr;
       feature = ppd::NextFeature(image, feature)) {
    visit(*feature);
  }
}

std::vector<HostItems::Plan> DocumentTree(const ppd::PpdImage* image) {
  std::vector<HostItems::Plan> plans;
  plans.push_back(Section(kGraphicSection));
  if (const ppd::PpdFeature* quality = PrintQualityFeature(image)) {
    plans.push_back(FeatureItem(image, *quality, kPrintQualityName, DMPUB_PRINTQUALITY));
  }
  const bool colourDevice = image != nullptr && image->colorDevice != 0;
  plans.push_back(Fixed(kColourName, DMPUB_COLOR, kColourChoices,
                        colourDevice ? kColourColourChoice : kColourGrayscaleChoice));
  plans.push_back(Section(kDocumentOptionsSection));
  plans.push_back(Fixed(kNupName, DMPUB_NUP, kNupChoices, 0));
  plans.push_back(Section(kPostScriptOptionsSection));
  plans.push_back(Fixed(kOutputOptionName, DMPUB_NONE, kOutputOptionChoices, 0));
  HostItems::Plan errorHandler = Fixed(kErrorHandlerName, DMPUB_NONE, kErrorHandlerChoices, 0);
  errorHandler.helpIndex = kErrorHandlerHelpIndex;
  plans.push_back(std::move(errorHandler));
  plans.push_back(Section(kPrinterFeaturesSection));
  ForEachFeature(image, [&](const ppd::PpdFeature& feature) {
    plans.push_back(FeatureItem(
        image, feature, DisplayName(image, feature.translation, feature.keyword), DMPUB_NONE));
  });
  return plans;
}

std::vector<HostItems::Plan> PrinterTree(const ppd::PpdImage* image) {
  std::vector<HostItems::Plan> plans;
  plans.push_back(Section(kInstallableOptionsSection));
  ForEachFeature(image, [&](const ppd::PpdFeature& feature) {
    if (feature.installable == 0) return;
    plans.push_back(FeatureItem(
        image, feature, DisplayName(image, feature.translation, feature.keyword), DMPUB_NONE));
  });
  return plans;
}

}  // namespace

HostItems::HostItems(const ppd::PpdImage* image, Tree tree) : image_(image) {
  Lay(tree == Tree::Document ? DocumentTree(image) : PrinterTree(image));
}

// Every block is sized before the first address is taken, so no address moves later.
void HostItems::Lay(const std::vector<Plan>& plans) {
  size_t typed = 0;
  for (const Plan& plan : plans) typed += plan.choices.empty() ? 0 : 1;
  items_.assign(plans.size(), OPTITEM{});
  types_.reserve(typed);
  choices_.reserve(typed);
  auto keep = [this](const std::u16string& name) {
    names_.push_back(std::make_unique<std::u16string>(name));
    return names_.back()->data();
  };
  for (size_t i = 0; i < plans.size(); ++i) {
    const Plan& plan = plans[i];
    OPTITEM& item = items_[i];
    item.cbSize = sizeof(OPTITEM);
    item.Level = plan.level;
    item.pName = keep(plan.name);
    item.Sel = plan.selection;
    item.HelpIndex = plan.helpIndex;
    item.DMPubID = plan.dmPubId;
    if (plan.choices.empty()) continue;
    std::vector<OPTPARAM>& params = choices_.emplace_back(plan.choices.size(), OPTPARAM{});
    for (size_t c = 0; c < plan.choices.size(); ++c) {
      params[c].cbSize = sizeof(OPTPARAM);
      params[c].pData = keep(plan.choices[c]);
    }
    OPTTYPE& type = types_.emplace_back();
    type.cbSize = sizeof(OPTTYPE);
    type.Type = plan.type;
    type.Count = static_cast<WORD>(params.size());
    type.pOptParam = params.data();
    item.pOptType = &type;
  }
}

std::span<OPTITEM> HostItems::SectionFromEnd(size_t n) {
  std::vector<size_t> headers;
  for (size_t i = 0; i < items_.size(); ++i) {
    if (items_[i].Level == kSectionLevel) headers.push_back(i);
  }
  if (n >= headers.size()) return {};
  const size_t header = headers[headers.size() - 1 - n];
  const size_t end = n == 0 ? items_.size() : headers[headers.size() - n];
  return std::span<OPTITEM>(items_).subspan(header + 1, end - header - 1);
}

OPTITEM* HostItems::Find(std::u16string_view name) {
  for (OPTITEM& item : items_) {
    if (item.pName != nullptr && name == item.pName) return &item;
  }
  return nullptr;
}

OPTITEM* HostItems::FindByDmPub(BYTE id) {
  for (OPTITEM& item : items_) {
    if (item.DMPubID == id) return &item;
  }
  return nullptr;
}

OPTITEM* HostItems::FindByHelpIndex(DWORD helpIndex) {
  for (OPTITEM& item : items_) {
    if (item.HelpIndex == helpIndex) return &item;
  }
  return nullptr;
}

std::u16string HostItems::Name(const OPTITEM& item) {
  return item.pName != nullptr ? std::u16string(item.pName) : std::u16string();
}

std::vector<std::u16string> HostItems::Choices(const OPTITEM& item) {
  std::vector<std::u16string> names;
  if (item.pOptType == nullptr || item.pOptType->pOptParam == nullptr) return names;
  for (WORD i = 0; i < item.pOptType->Count; ++i) {
    const LPWSTR data = item.pOptType->pOptParam[i].pData;
    names.push_back(data != nullptr ? std::u16string(data) : std::u16string());
  }
  return names;
}


std::u16string HostItems::SelectedChoice(const OPTITEM& item) {
  const std::vector<std::u16string> choices = Choices(item);
  return item.Sel >= 0 && static_cast<size_t>(item.Sel) < choices.size()
             ? choices[static_cast<size_t>(item.Sel)]
             : std::u16string();
}

OPTITEM* HostItems::FeatureItem(std::string_view keyword) {
  const ppd::PpdFeature* feature = image_ != nullptr ? ppd::PpdFindFeature(image_, keyword) : nullptr;
  if (feature == nullptr) return nullptr;
  const std::u16string name = DisplayName(image_, feature->translation, feature->keyword);
  for (OPTITEM& item : SectionFromEnd(0)) {
    if (item.Level == kItemLevel && Name(item) == name) return &item;
  }
  return nullptr;
}

LONG HostItems::ChoiceOf(std::string_view keyword, std::string_view option) {
  const OPTITEM* item = FeatureItem(keyword);
  if (item == nullptr) return -1;
  const ppd::PpdFeature* feature = ppd::PpdFindFeature(image_, keyword);
  const std::vector<std::u16string> choices = Choices(*item);
  for (const ppd::PpdOption* entry = ppd::FirstOption(image_, feature); entry != nullptr;
       entry = ppd::NextOption(image_, entry)) {
    const char* entryKeyword = ppd::String(image_, entry->keyword);
    if (entryKeyword == nullptr || option != entryKeyword) continue;
    const std::u16string shown = DisplayName(image_, entry->translation, entry->keyword);
    for (size_t i = 0; i < choices.size(); ++i) {
      if (choices[i] == shown) return static_cast<LONG>(i);
    }
  }
  return -1;
}

}  // namespace kx::hostsim
