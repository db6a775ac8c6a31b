// The features page's two lists: the resolution or quality mode the PPD offers, and the
// quick colour sets (the predefined ones, then the user's own that this printer can use).
#include <memory>
#include <string>

#include "colour/colour_sets.h"
#include "colour/features_page_state.h"
#include "dialog_routines.h"
#include "module_state.h"
#include "platform/dialogs.h"
#include "settings/name_tables.h"
#include "settings/record_text.h"

namespace kx::ui {

using namespace host;
using settings::PrivateRecord;

namespace {

// A printer whose PPD has quality modes offers them instead of resolutions.
constexpr char kQualityModeFeature[] = "QualityMode";
constexpr char kResolutionFeature[] = "Resolution";

// The colour device flag of the PPD image: the printer prints in colour.
constexpr uint32_t kColourDevice = 1;

constexpr LRESULT kNone = -1;

// A set that needs none of the printer disk's profiles: the default RGB source, no
// simulation, no destination profile.
bool UsesNoDiskProfile(const PrivateRecord& record) {
  return record.rgbSourceDefault == 1 && record.simulationNone == 1 &&
         record.destinationNone == 1;
}

// The first entry whose item data is `value`; kNone when there is none.
LRESULT FindValue(HWND list, uint32_t value) {
  const LRESULT count = platform::SendMessage(list, CB_GETCOUNT, 0, 0);
  for (LRESULT index = 0; index < count; ++index) {
    const LRESULT data = platform::SendMessage(list, CB_GETITEMDATA, static_cast<WPARAM>(index), 0);
    if (data != CB_ERR && static_cast<uint32_t>(data) == value) return index;
  }
  return kNone;
}

}  // namespace

bool FeaturesPage::IsColourDevice() const {
  return context_->ppd != nullptr && context_->ppd->colorDevice == kColourDevice;
}

bool FeaturesPage::HasHardDisk() const {
  return record_->devOpts.installedOptions[settings::kHasHardDisk] != 0;
}

// Without the printer's disk a user set that needs one of the profiles kept there cannot
// be printed: the job takes the automatic set instead.
void FeaturesPage::ReplaceUnusableUserSet() {
  if (HasHardDisk() || record_->quickColorSet != kUserColourSet || UsesNoDiskProfile(*record_)) {
    return;
  }
  record_->quickColorSet = 1;  // automatic
  ApplyPredefinedColourSet(record_);
  settings::StoreText(record_->colorSetName, u"");
}

void FeaturesPage::FillResolutionList() {
  const ppd::PpdImage* ppd = context_->ppd;
  const bool qualityModes = ppd != nullptr && ppd::PpdFindFeature(ppd, kQualityModeFeature);
  FillComboFromPpdFeature(Item(kResolutionList), ppd,
                          qualityModes ? kQualityModeFeature : kResolutionFeature,
                          settings::kQualityTable, record_->qualityMode);
}

void FeaturesPage::FillQuickColourPart() {
  if (!IsColourDevice()) {
    for (const int id : kQuickColourControls) platform::ShowWindow(Item(id), SW_HIDE);
    return;
  }
  FillComboWithValues(page_, kQuickColourList, kPredefinedColourSets, record_->quickColorSet);
  AppendUserSets();
}

// The user's sets follow in the store's order; without the printer's disk only those
// that need none of its profiles.
void FeaturesPage::AppendUserSets() {
  const HWND list = Item(kQuickColourList);
  const std::u16string printer = PrinterName();
  const auto stored = std::make_unique<PrivateRecord>();
  for (const std::u16string& name : ListColourSets(printer)) {
    const bool usable = HasHardDisk() || (LoadColourSet(name, printer, stored.get()) &&
                                          UsesNoDiskProfile(*stored));
    if (!usable) continue;
    const LRESULT index =
        platform::SendMessage(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    if (index >= 0) {
      platform::SendMessage(list, CB_SETITEMDATA, static_cast<WPARAM>(index),
                            static_cast<LPARAM>(kUserColourSet));
    }
  }
}

// A colour model chosen in the host's own colour item since makes the job's colour
// settings a user's own.
void FeaturesPage::BringQuickColourUpToDate() {
  const auto hostModel = static_cast<uint8_t>(Module().hostColourModel);
  if (hostModel != record_->colorMode) {
    record_->colorMode = hostModel;
    record_->quickColorSet = kUserColourSet;
    settings::StoreText(record_->colorSetName, UserColourSetName());
    ReportChange();
  }
  SelectQuickColourSet();
}

void FeaturesPage::SelectQuickColourSet() {
  const HWND list = Item(kQuickColourList);
  LRESULT chosen = kNone;
  if (record_->quickColorSet != kUserColourSet) {
    chosen = FindValue(list, record_->quickColorSet);
  } else {
    const std::u16string name(settings::FieldText(record_->colorSetName));
    chosen = platform::SendMessage(list, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                   reinterpret_cast<LPARAM>(name.c_str()));
    if (chosen < 0) chosen = FindValue(list, kUserColourSet);
  }
  platform::SendMessage(list, CB_SETCURSEL, static_cast<WPARAM>(chosen < 0 ? 0 : chosen), 0);
}

void FeaturesPage::OnResolutionChanged() {
  record_->qualityMode = static_cast<uint16_t>(SelectedValue(page_, kResolutionList));
}

void FeaturesPage::OnQuickColourChanged() {
  constexpr uint32_t kLowByte = 0xFF;
  record_->quickColorSet = SelectedValue(page_, kQuickColourList) & kLowByte;
  if (record_->quickColorSet != kUserColourSet) {
    ApplyPredefinedColourSet(record_);
    settings::StoreText(record_->colorSetName, u"");
    return;
  }
  const HWND list = Item(kQuickColourList);
  const LRESULT selected = platform::SendMessage(list, CB_GETCURSEL, 0, 0);
  if (selected < 0) return;
  const std::u16string name = ComboItemText(list, selected);
  if (LoadColourSet(name, PrinterName(), record_)) {
    settings::StoreText(record_->colorSetName, name);
  }
}

}  // namespace kx::ui
