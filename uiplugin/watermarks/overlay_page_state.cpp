#include "watermarks/overlay_page_state.h"

#include <algorithm>

#include "dialog_routines.h"
#include "platform/codepage.h"
#include "settings/record_ops.h"
#include "platform/dialog_template.h"
#include "platform/dialogs.h"
#include "settings/record_text.h"
#include "watermarks/overlay_page.h"
#include "watermarks/watermark_store.h"

namespace kx::ui {
namespace {

using namespace host;
using settings::PrivateRecord;

// The page's messages, stored as code page 949 text.
// "프린터 디스크가 없으면 오버레이를 사용할 수 없습니다" (overlays need the printer's disk)
constexpr char kNoDiskMessage[] =
    "\xC7\xC1\xB8\xB0\xC5\xCD \xB5\xF0\xBD\xBA\xC5\xA9\xB0\xA1 \xBE\xF8\xC0\xB8\xB8\xE9 "
    "\xBF\xC0\xB9\xF6\xB7\xB9\xC0\xCC\xB8\xA6 \xBB\xE7\xBF\xEB\xC7\xD2 \xBC\xF6 "
    "\xBE\xF8\xBD\xC0\xB4\xCF\xB4\xD9";
// "음화 이미지 인쇄중 워터마크를 인쇄할 수 없습니다." (no watermark on a negative image)
constexpr char kNegativeImageMessage[] =
    "\xC0\xBD\xC8\xAD \xC0\xCC\xB9\xCC\xC1\xF6 \xC0\xCE\xBC\xE2\xC1\xDF "
    "\xBF\xF6\xC5\xCD\xB8\xB6\xC5\xA9\xB8\xA6 \xC0\xCE\xBC\xE2\xC7\xD2 \xBC\xF6 "
    "\xBE\xF8\xBD\xC0\xB4\xCF\xB4\xD9.";
// "오버레이 파일이름은 일반 DOS 이름짓기 규약(8.3)과 일치해야 됩니다. 재입력하십시오."
constexpr char kNameMessage[] =
    "\xBF\xC0\xB9\xF6\xB7\xB9\xC0\xCC \xC6\xC4\xC0\xCF\xC0\xCC\xB8\xA7\xC0\xBA "
    "\xC0\xCF\xB9\xDD DOS \xC0\xCC\xB8\xA7\xC1\xFE\xB1\xE2 \xB1\xD4\xBE\xE0(8.3)\xB0\xFA "
    "\xC0\xCF\xC4\xA1\xC7\xD8\xBE\xDF \xB5\xCB\xB4\xCF\xB4\xD9. "
    "\xC0\xE7\xC0\xD4\xB7\xC2\xC7\xCF\xBD\xCA\xBD\xC3\xBF\xC0.";
// "범위 값은 1 와 99 사이여야 합니다" (the value must lie between 1 and 99)
constexpr char kRangeMessage[] =
    "\xB9\xFC\xC0\xA7 \xB0\xAA\xC0\xBA 1 \xBF\xCD 99 \xBB\xE7\xC0\xCC\xBF\xA9\xBE\xDF "
    "\xC7\xD5\xB4\xCF\xB4\xD9";
// "다운로드 관리자 시작할 수 없음.\n 유틸리티를 설치, 또는 재설치 하십시오"
constexpr char kDownloadMessage[] =
    "\xB4\xD9\xBF\xEE\xB7\xCE\xB5\xE5 \xB0\xFC\xB8\xAE\xC0\xDA \xBD\xC3\xC0\xDB\xC7\xD2 "
    "\xBC\xF6 \xBE\xF8\xC0\xBD.\n \xC0\xAF\xC6\xBF\xB8\xAE\xC6\xBC\xB8\xA6 "
    "\xBC\xB3\xC4\xA1, \xB6\xC7\xB4\xC2 \xC0\xE7\xBC\xB3\xC4\xA1 \xC7\xCF\xBD\xCA\xBD\xC3\xBF\xC0";

bool ClosesBalloon(UINT code) {
  return code == EN_CHANGE || code == EN_KILLFOCUS || code == CBN_SELCHANGE ||
         code == CBN_KILLFOCUS;
}

bool IsCompositeNumber(int id) { return id == kCompositeFirst || id == kCompositePeriod; }

const OverlayControls* OverlayOfCheck(int id) {
  for (const OverlayControls& overlay : kOverlayControls) {
    if (overlay.check == id) return &overlay;
  }
  return nullptr;
}

const OverlayControls* OverlayOfName(int id) {
  for (const OverlayControls& overlay : kOverlayControls) {
    if (overlay.name == id) return &overlay;
  }
  return nullptr;
}

}  // namespace

OverlayPage::OverlayPage(HWND page, PageSetContext* context, PrivateRecord* record)
    : page_(page), context_(context), record_(record), snapshot_(*record) {}

void OverlayPage::OnInit() {
  platform::ApplyControlLimits(page_, OverlayPageSpec());
  TakeMessages();
  watermarkCaption_ = platform::GetDlgItemText(page_, kWatermarkGroup);
  BringWatermarkUpToDate();
  RefreshAndFill();
  tips_.Create(page_, kBalloonControls);
}

// Converted once: the conversion's buffer is the module's and the next call overwrites it.
void OverlayPage::TakeMessages() {
  noWatermarkName_ = NoWatermarkName();
  nameMessage_ = ConvertMessage(kNameMessage);
  rangeMessage_ = ConvertMessage(kRangeMessage);
  downloadMessage_ = ConvertMessage(kDownloadMessage);
  noDiskCaption_ = ConvertMessage(kNoDiskMessage);
  negativeImageCaption_ = ConvertMessage(kNegativeImageMessage);
}

void OverlayPage::OnShowOrHide() { RefreshAndFill(); }

void OverlayPage::RefreshAndFill() {
  std::copy(std::begin(record_->overlays), std::end(record_->overlays),
            std::begin(display_.overlays));
  display_.watermark = record_->watermark;
  // Setting the boxes' texts is not the user typing: nothing is checked or turned off.
  settingText_ = true;
  FillOverlays();
  FillWatermark();
  settingText_ = false;
}

void OverlayPage::OnCommand(int id, UINT code) {
  if (ClosesBalloon(code)) tips_.Hide(WM_COMMAND, id);
  if (code == BN_CLICKED) {
    switch (id) {
      case kFirstPageOnly: OnFirstPageOnly(); break;
      case kEditWatermark: OnEdit(); break;
      case kAddWatermark: OnAdd(); break;
      case kDeleteWatermark: OnDelete(); break;
      case kDownloadManager: OnDownloadManager(); break;
      default:
        if (const OverlayControls* overlay = OverlayOfCheck(id)) OnOverlayChecked(*overlay);
        break;
    }
    ReportChange();
  } else if (code == CBN_SELCHANGE && id == kWatermarkList) {
    OnWatermarkChosen();
    ReportChange();
  } else if (code == EN_KILLFOCUS) {
    if (IsCompositeNumber(id)) OnCompositeNumberLeft(id);
    ReportChange();
  } else if (code == EN_CHANGE && !settingText_) {
    if (IsCompositeNumber(id)) {
      OnCompositeNumberChanged(id);
    } else if (const OverlayControls* overlay = OverlayOfName(id)) {
      OnOverlayNameChanged(*overlay);
    }
  }
}

INT_PTR OverlayPage::OnNotify(NMHDR& header) {
  switch (header.code) {
    case TTN_GETDISPINFOW:
      AnswerTipText(reinterpret_cast<NMTTDISPINFOW*>(&header));
      return 0;
    case PSN_SETACTIVE:
    case PSN_KILLACTIVE:
    case PSN_APPLY:
      // The page never refuses to be entered, left or applied.
      settings::StoreAnsiWatermarkText(record_);
      platform::SetWindowLongPtr(page_, DWLP_MSGRESULT, PSNRET_NOERROR);
      return 1;
    case PSN_RESET:
      ResetFromSnapshot();
      return 0;
    default:
      return 0;
  }
}

// Cancel of the sheet: the job's overlays and watermark as they were when the page
// opened, and the library entry of that watermark too (an Edit and Save since stored it).
void OverlayPage::ResetFromSnapshot() {
  record_->overlayPageValue = snapshot_.overlayPageValue;
  std::copy(std::begin(snapshot_.overlays), std::end(snapshot_.overlays),
            std::begin(record_->overlays));
  record_->watermark = snapshot_.watermark;
  if (record_->watermark.enabled != 0) StoreWatermark(record_->watermark, PrinterName());
}

void OverlayPage::AnswerTipText(NMTTDISPINFOW* request) {
  const int id = platform::GetDlgCtrlID(reinterpret_cast<HWND>(request->hdr.idFrom));
  std::u16string* text = nullptr;
  if (id == kDownloadManager) {
    text = &downloadMessage_;
  } else if (IsCompositeNumber(id)) {
    text = &rangeMessage_;
  } else if (OverlayOfName(id) != nullptr) {
    text = &nameMessage_;
  }
  if (text != nullptr) request->lpszText = text->data();
}

void OverlayPage::ReportChange() {
  platform::SendMessage(platform::GetParent(page_), PSM_CHANGED, reinterpret_cast<WPARAM>(page_),
                        0);
}

void OverlayPage::Enable(int id, bool enable) {
  platform::EnableWindow(platform::GetDlgItem(page_, id), enable);
}

void OverlayPage::Check(int id, bool checked) {
  platform::SendDlgItemMessage(page_, id, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool OverlayPage::IsChecked(int id) const {
  return platform::SendDlgItemMessage(page_, id, BM_GETCHECK, 0, 0) ==
         static_cast<LRESULT>(BST_CHECKED);
}

bool OverlayPage::FocusIsOn(std::initializer_list<int> ids) const {
  const HWND focus = platform::GetFocus();
  if (focus == nullptr) return false;
  return std::any_of(ids.begin(), ids.end(),
                     [&](int id) { return platform::GetDlgItem(page_, id) == focus; });
}

std::u16string OverlayPage::PrinterName() const { return PrinterNameOfContext(*context_); }

}  // namespace kx::ui
