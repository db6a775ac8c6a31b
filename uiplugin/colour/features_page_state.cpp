#include "colour/features_page_state.h"

#include <algorithm>
#include <cstring>
#include <iterator>

#include "colour/colour_sets.h"
#include "colour/features_page.h"
#include "colour/features_page_host.h"
#include "document_items.h"
#include "module_state.h"
#include "platform/dialogs.h"
#include "settings/record_text.h"

namespace kx::ui {

using namespace host;
using settings::PrivateRecord;

namespace {

template <typename Field>
void Restore(Field& field, const Field& saved) {
  field = saved;
}
template <typename Unit, size_t N>
void Restore(Unit (&field)[N], const Unit (&saved)[N]) {
  std::copy(std::begin(saved), std::end(saved), std::begin(field));
}

void RestoreColourBlock(PrivateRecord* record, const PrivateRecord& saved) {
  std::memcpy(reinterpret_cast<uint8_t*>(record) + kColourBlockOffset,
              reinterpret_cast<const uint8_t*>(&saved) + kColourBlockOffset, kColourBlockSize);
}

}  // namespace

FeaturesPage::FeaturesPage(HWND page, PageSetContext* context, PrivateRecord* record)
    : page_(page), context_(context), record_(record),
      snapshot_(std::make_unique<PrivateRecord>(*record)) {}

void FeaturesPage::OnInit() {
  platform::ApplyControlLimits(page_, FeaturesPageSpec());
  ReplaceUnusableUserSet();
  TakeSnapshot();
  FillResolutionList();
  FillQuickColourPart();
  BringQuickColourUpToDate();
  AlignErrorHandlerItem(*context_->commonUi, *record_);
}

void FeaturesPage::OnCommand(int id, UINT code) {
  switch (id) {
    case kResolutionList:
      if (code != CBN_SELCHANGE && code != CBN_KILLFOCUS) return;
      OnResolutionChanged();
      ReportChange();
      return;
    case kQuickColourList:
      if (code != CBN_SELCHANGE && code != CBN_KILLFOCUS) return;
      OnQuickColourChanged();
      ReportChange();
      return;
    default:
      if (code != BN_CLICKED) return;
      OnButton(id);
      ReportChange();
      return;
  }
}

void FeaturesPage::OnShowOrHide() {
  SelectByValue(page_, kResolutionList, record_->qualityMode);
  BringQuickColourUpToDate();
}

INT_PTR FeaturesPage::OnNotify(const NMHDR& header) {
  switch (header.code) {
    case PSN_KILLACTIVE:
      OnKillActive();
      return 1;
    case PSN_APPLY:
      return OnApply();
    case PSN_RESET:
      OnReset();
      return 0;
    default:
      return 0;
  }
}

void FeaturesPage::TakeSnapshot() { *snapshot_ = *record_; }

// The host's own items show what the page chose; the page is never refused leaving.
void FeaturesPage::OnKillActive() {
  Module().hostColourModel = static_cast<HostColourModel>(record_->colorMode);
  ResynchroniseHostItems(*context_);
  SetMessageResult(PSNRET_NOERROR);
}

INT_PTR FeaturesPage::OnApply() {
  ResynchroniseHostItems(*context_);
  ReportResult(context_->firstPage);
  platform::SendMessage(platform::GetParent(page_), PSM_UNCHANGED,
                        reinterpret_cast<WPARAM>(page_), 0);
  SetMessageResult(PSNRET_NOERROR);
  TakeSnapshot();
  return 1;
}

// Cancel of the sheet: the settings of this page and of the dialogs it opens go back to
// the last applied ones. A user set edited in the advanced colour options since is stored
// again as it was, so that the store matches the job that keeps its name.
void FeaturesPage::OnReset() {
  RestoreFromSnapshot();
  if (IsColourDevice() && record_->quickColorSet == kUserColourSet) {
    SaveColourSet(settings::FieldText(record_->colorSetName), PrinterName(), *record_);
  }
  Module().hostColourModel = static_cast<HostColourModel>(record_->colorMode);
  ResynchroniseHostItems(*context_);
  ReportResult(0);
}

void FeaturesPage::RestoreFromSnapshot() {
  const PrivateRecord& saved = *snapshot_;
  // The graphics options.
  Restore(record_->qualityMode, saved.qualityMode);
  Restore(record_->miserMode, saved.miserMode);
  Restore(record_->smoothing, saved.smoothing);
  Restore(record_->negativeImage, saved.negativeImage);
  Restore(record_->mirrorImage, saved.mirrorImage);
  Restore(record_->rotation, saved.rotation);
  // The colour settings.
  RestoreColourBlock(record_, saved);
  Restore(record_->colorSetName, saved.colorSetName);
  // The PostScript options.
  Restore(record_->allowAppPostScript, saved.allowAppPostScript);
  Restore(record_->printPsErrors, saved.printPsErrors);
  Restore(record_->useExternalHeader, saved.useExternalHeader);
  Restore(record_->externalHeaderFile, saved.externalHeaderFile);
  Restore(record_->jobTimeout, saved.jobTimeout);
  Restore(record_->fieldAt4692, saved.fieldAt4692);
  // The e-mail notification.
  Restore(record_->emailNotify, saved.emailNotify);
  Restore(record_->emailAddress, saved.emailAddress);
}

void FeaturesPage::ReportResult(LONG_PTR page) {
  if (context_->addPage == nullptr) return;
  context_->addPage(context_->propertySheet, CPSFUNC_SET_RESULT, static_cast<LPARAM>(page),
                    static_cast<LPARAM>(CPSUI_OK));
}

void FeaturesPage::ReportChange() {
  platform::SendMessage(platform::GetParent(page_), PSM_CHANGED, reinterpret_cast<WPARAM>(page_),
                        0);
}

void FeaturesPage::SetMessageResult(LONG_PTR result) {
  platform::SetWindowLongPtr(page_, DWLP_MSGRESULT, result);
}

std::u16string FeaturesPage::PrinterName() const { return PrinterNameOfContext(*context_); }

HWND FeaturesPage::Item(int id) const { return platform::GetDlgItem(page_, id); }

}  // namespace kx::ui
