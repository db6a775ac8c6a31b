// The upper part of the overlay and watermark page: the job's watermark, chosen from the
// printer's library, edited, added or deleted, and limited to the first page.
#include "dialog_routines.h"
#include "platform/dialogs.h"
#include "settings/record_text.h"
#include "watermarks/overlay_page_state.h"
#include "watermarks/watermark_editor.h"
#include "watermarks/watermark_store.h"

namespace kx::ui {

using namespace host;
using settings::FieldText;
using settings::WatermarkRecord;

// Edits made to the library entry since the job was set up reach the job; whether only
// the first page is marked is the job's own choice and stays.
void OverlayPage::BringWatermarkUpToDate() {
  WatermarkRecord& job = record_->watermark;
  const std::u16string name(FieldText(job.name));
  if (name.empty()) return;
  if (name == noWatermarkName_) {
    job.enabled = 0;
    return;
  }
  const uint32_t firstPageOnly = job.firstPageOnly;
  job = LoadWatermark(name, PrinterName());
  job.firstPageOnly = firstPageOnly;
}

void OverlayPage::FillWatermark() {
  ListWatermarks(platform::GetDlgItem(page_, kWatermarkList), PrinterName());
  const WatermarkRecord& shown = display_.watermark;
  Check(kFirstPageOnly, shown.firstPageOnly != 0);
  const std::u16string name(FieldText(shown.name));
  const bool negative = record_->negativeImage != 0;
  const int found = shown.enabled != 0 && name != noWatermarkName_ ? FindWatermark(name)
                                                                   : static_cast<int>(CB_ERR);
  if (found >= 0) {
    platform::SendDlgItemMessage(page_, kWatermarkList, CB_SETCURSEL, static_cast<WPARAM>(found),
                                 0);
    Enable(kFirstPageOnly, !negative);
    Enable(kEditWatermark, !negative);
    Enable(kDeleteWatermark, !negative && !IsPredefinedWatermark(name));
  } else {
    ShowNoWatermarkChosen();
    // An enabled watermark the list does not offer keeps printing, but on every page.
    if (shown.enabled != 0) {
      Check(kFirstPageOnly, false);
      display_.watermark.firstPageOnly = 0;
      record_->watermark.firstPageOnly = 0;
    }
  }
  ShowWatermarkCaption();
}

// A negative image prints no watermark: the group says so and offers nothing to choose.
void OverlayPage::ShowWatermarkCaption() {
  const bool negative = record_->negativeImage != 0;
  platform::SetDlgItemText(page_, kWatermarkGroup,
                           negative ? negativeImageCaption_ : watermarkCaption_);
  Enable(kWatermarkList, !negative);
  Enable(kAddWatermark, !negative);
}

void OverlayPage::OnWatermarkChosen() {
  const LRESULT index = platform::SendDlgItemMessage(page_, kWatermarkList, CB_GETCURSEL, 0, 0);
  if (index < 0) return;
  const std::u16string name =
      ComboItemText(platform::GetDlgItem(page_, kWatermarkList), index);

  WatermarkRecord& job = record_->watermark;
  if (name == noWatermarkName_) {
    job = NewWatermarkRecord();
    job.enabled = 0;
    Enable(kEditWatermark, false);
    Enable(kDeleteWatermark, false);
    Enable(kFirstPageOnly, false);
    Check(kFirstPageOnly, job.firstPageOnly != 0);
    return;
  }
  job = LoadWatermark(name, PrinterName());
  job.firstPageOnly = 0;
  Enable(kEditWatermark, true);
  Enable(kFirstPageOnly, true);
  Enable(kDeleteWatermark, !IsPredefinedWatermark(name));
  Check(kFirstPageOnly, false);
}

void OverlayPage::OnFirstPageOnly() {
  record_->watermark.firstPageOnly = IsChecked(kFirstPageOnly) ? 1 : 0;
}

// The editor changes the job's record in place; only its Save keeps the changes.
void OverlayPage::OnEdit() {
  const WatermarkRecord kept = record_->watermark;
  if (ShowWatermarkEditor(page_, context_) != kEditorSaved) record_->watermark = kept;
}

// A new watermark starts from the library's defaults; when it is not saved the job has
// no watermark at all, whatever was chosen before.
void OverlayPage::OnAdd() {
  record_->watermark = NewWatermarkRecord();
  if (ShowWatermarkEditor(page_, context_) != kEditorSaved) {
    TurnWatermarkOff();
    return;
  }
  ListWatermarks(platform::GetDlgItem(page_, kWatermarkList), PrinterName());
  SelectWatermark(FieldText(record_->watermark.name));
  Enable(kEditWatermark, true);
  Enable(kDeleteWatermark, true);
  Enable(kFirstPageOnly, true);
  Check(kFirstPageOnly, false);
  record_->watermark.firstPageOnly = 0;
}

// A delete the library refuses leaves the name listed; the job's watermark goes off
// either way.
void OverlayPage::OnDelete() {
  const std::u16string name(FieldText(record_->watermark.name));
  if (RemoveWatermark(name, PrinterName())) {
    const int index = FindWatermark(name);
    if (index >= 0) {
      platform::SendDlgItemMessage(page_, kWatermarkList, CB_DELETESTRING,
                                   static_cast<WPARAM>(index), 0);
    }
  }
  TurnWatermarkOff();
}

void OverlayPage::TurnWatermarkOff() {
  WatermarkRecord& job = record_->watermark;
  job = NewWatermarkRecord();
  job.enabled = 0;
  settings::StoreText(job.name, noWatermarkName_);
  ShowNoWatermarkChosen();
  Check(kFirstPageOnly, false);
}

void OverlayPage::ShowNoWatermarkChosen() {
  SelectWatermark(noWatermarkName_);
  Enable(kEditWatermark, false);
  Enable(kDeleteWatermark, false);
  Enable(kFirstPageOnly, false);
}

void OverlayPage::SelectWatermark(std::u16string_view name) {
  platform::SendDlgItemMessage(page_, kWatermarkList, CB_SETCURSEL,
                               static_cast<WPARAM>(FindWatermark(name)), 0);
}

// The list's own search: the whole text, case ignored; -1 when it is not listed.
int OverlayPage::FindWatermark(std::u16string_view name) const {
  const std::u16string text(name);
  return static_cast<int>(platform::SendDlgItemMessage(page_, kWatermarkList, CB_FINDSTRINGEXACT,
                                                       static_cast<WPARAM>(-1),
                                                       reinterpret_cast<LPARAM>(text.c_str())));
}

}  // namespace kx::ui
