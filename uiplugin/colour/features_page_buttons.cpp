// The features page's buttons: each opens one of the option dialogs modally over the
// page's record.
#include <algorithm>
#include <array>
#include <cstring>
#include <iterator>
#include <memory>

#include "colour/advanced_colour_dialog.h"
#include "colour/colour_sets.h"
#include "colour/features_page_host.h"
#include "colour/features_page_state.h"
#include "colour/graphics_options_dialog.h"
#include "joboptions/custom_settings_dialog.h"
#include "joboptions/email_dialog.h"
#include "joboptions/postscript_options_dialog.h"
#include "module_state.h"
#include "platform/dialogs.h"

namespace kx::ui {

using namespace host;

namespace {

constexpr INT_PTR kDialogOk = IDOK;
// The custom settings dialog's answer when the user applied a stored setting.
constexpr INT_PTR kCustomSettingApplied = 1;

// The colour settings and the set's name as they were before the advanced colour
// options opened.
struct ColourCopy {
  std::array<uint8_t, kColourBlockSize> block{};
  std::array<char16_t, std::size(settings::PrivateRecord{}.colorSetName)> name{};

  explicit ColourCopy(const settings::PrivateRecord& record) {
    std::memcpy(block.data(), reinterpret_cast<const uint8_t*>(&record) + kColourBlockOffset,
                block.size());
    std::copy(std::begin(record.colorSetName), std::end(record.colorSetName), name.begin());
  }
  void PutBack(settings::PrivateRecord* record) const {
    std::memcpy(reinterpret_cast<uint8_t*>(record) + kColourBlockOffset, block.data(),
                block.size());
    std::copy(name.begin(), name.end(), std::begin(record->colorSetName));
  }
};

}  // namespace

void FeaturesPage::OnButton(int id) {
  switch (id) {
    case kGraphicsOptionsButton:
      ShowGraphicsOptions(page_, context_);
      break;
    case kAdvancedColourButton:
      OnAdvancedColour();
      break;
    case kPostScriptOptionsButton:
      OnPostScriptOptions();
      break;
    case kEmailNotificationButton:
      ShowEmailNotification(page_, context_);
      break;
    case kCustomSettingsButton:
      OnCustomSettings();
      break;
    default:
      break;
  }
}

// The dialog stores and deletes sets as it goes: the list is made again from the store.
void FeaturesPage::OnAdvancedColour() {
  const auto copy = std::make_unique<ColourCopy>(*record_);
  if (ShowAdvancedColourOptions(page_, context_) != kDialogOk) copy->PutBack(record_);
  Module().hostColourModel = static_cast<HostColourModel>(record_->colorMode);
  FillQuickColourPart();
  BringQuickColourUpToDate();
}

// The PostScript error pages may have changed: the host's item follows them.
void FeaturesPage::OnPostScriptOptions() {
  ShowPostScriptOptions(page_, context_);
  AlignErrorHandlerItem(*context_->commonUi, *record_);
}

// An applied setting brings its own quality and colour settings.
void FeaturesPage::OnCustomSettings() {
  if (ShowCustomSettings(page_, context_) != kCustomSettingApplied) return;
  FillResolutionList();
  FillQuickColourPart();
  BringQuickColourUpToDate();
}

}  // namespace kx::ui
