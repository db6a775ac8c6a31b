// The overlay and watermark page's own state and handlers, one object per page window
// (kept in its GWLP_USERDATA from WM_INITDIALOG to WM_DESTROY). It writes the job's
// private settings record as the user works; Cancel of the sheet puts the overlay and
// watermark parts back as they were when the page opened.
#pragma once

#include <initializer_list>
#include <string>

#include "host/window.h"
#include "page_set.h"
#include "settings/record.h"
#include "tips.h"

namespace kx::ui {

enum OverlayPageControl : int {
  kWatermarkGroup = 1021,
  kWatermarkList = 1022,
  kFirstPageOnly = 1023,
  kEditWatermark = 1024,
  kAddWatermark = 1025,
  kDeleteWatermark = 1026,
  kOverlayGroup = 1027,
  kAllPagesCheck = 1028,
  kAllPagesName = 1029,
  kFirstPageCheck = 1030,
  kFirstPageName = 1031,
  kOddPagesCheck = 1032,
  kOddPagesName = 1033,
  kEvenPagesCheck = 1034,
  kEvenPagesName = 1035,
  kCompositeCheck = 1036,
  kCompositeName = 1037,
  kCompositeFirstLabel = 1038,
  kCompositeFirst = 1039,
  kCompositeFirstSpin = 1040,
  kCompositePeriodLabel = 1041,
  kCompositePeriod = 1042,
  kCompositePeriodSpin = 1043,
  kDownloadManager = 1394,
};

// One overlay's check box and name box, with its entry in the record.
struct OverlayControls {
  settings::OverlaySlot slot;
  int check;
  int name;
};
inline constexpr OverlayControls kOverlayControls[] = {
    {.slot = settings::kOverlayAllPages, .check = kAllPagesCheck, .name = kAllPagesName},
    {.slot = settings::kOverlayFirstPage, .check = kFirstPageCheck, .name = kFirstPageName},
    {.slot = settings::kOverlayEvenPages, .check = kEvenPagesCheck, .name = kEvenPagesName},
    {.slot = settings::kOverlayOddPages, .check = kOddPagesCheck, .name = kOddPagesName},
    {.slot = settings::kOverlayComposite, .check = kCompositeCheck, .name = kCompositeName},
};

// The composite overlay's name box and the controls that go with it (enabled together).
inline constexpr int kCompositeGroup[] = {kCompositeName,        kCompositeFirstLabel,
                                          kCompositeFirst,       kCompositeFirstSpin,
                                          kCompositePeriodLabel, kCompositePeriod,
                                          kCompositePeriodSpin};

// The boxes whose text shows in a balloon when it is refused, and the download manager.
inline constexpr int kBalloonControls[] = {kAllPagesName,   kFirstPageName, kEvenPagesName,
                                           kOddPagesName,   kCompositeName, kCompositeFirst,
                                           kCompositePeriod, kDownloadManager};

class OverlayPage {
 public:
  OverlayPage(host::HWND page, PageSetContext* context, settings::PrivateRecord* record);
  OverlayPage(const OverlayPage&) = delete;
  OverlayPage& operator=(const OverlayPage&) = delete;

  void OnInit();
  void OnCommand(int id, host::UINT code);
  // A sheet notification or the balloon's request for its text; the answer to return.
  host::INT_PTR OnNotify(host::NMHDR& header);
  // Shown or hidden by the sheet: the controls show the record again.
  void OnShowOrHide();
  void OnMouseMove() { tips_.Hide(host::WM_MOUSEMOVE, 0); }
  // While the application is inactive or the About box is open, losing the focus turns
  // nothing off.
  void SetAway(bool away) { away_ = away; }
  const Tips& balloon() const { return tips_; }

 private:
  struct DisplayCopy {
    settings::OverlayEntry overlays[settings::kOverlayCount];
    settings::WatermarkRecord watermark;
  };

  // overlay_page_state.cpp
  void TakeMessages();
  void RefreshAndFill();
  void ResetFromSnapshot();
  void AnswerTipText(host::NMTTDISPINFOW* request);
  void ReportChange();
  void Enable(int id, bool enable);
  void Check(int id, bool checked);
  bool IsChecked(int id) const;
  bool FocusIsOn(std::initializer_list<int> ids) const;
  std::u16string PrinterName() const;

  // overlay_page_watermark.cpp
  void BringWatermarkUpToDate();
  void FillWatermark();
  void ShowWatermarkCaption();
  void OnWatermarkChosen();
  void OnFirstPageOnly();
  void OnEdit();
  void OnAdd();
  void OnDelete();
  // The job's watermark off under the name "없음" (none), and the controls saying so.
  void TurnWatermarkOff();
  void ShowNoWatermarkChosen();
  void SelectWatermark(std::u16string_view name);
  int FindWatermark(std::u16string_view name) const;

  // overlay_page_overlays.cpp
  void FillOverlays();
  void OnOverlayChecked(const OverlayControls& overlay);
  void OnOverlayNameChanged(const OverlayControls& overlay);
  void OnCompositeNumberChanged(int id);
  void OnCompositeNumberLeft(int id);
  void OnDownloadManager();
  void EnableOverlayNames(const OverlayControls& overlay, bool enable);
  uint32_t& CompositeNumber(int id);

  host::HWND page_;
  PageSetContext* context_;
  settings::PrivateRecord* record_;
  settings::PrivateRecord snapshot_;
  DisplayCopy display_{};
  Tips tips_{TipHideRule::OtherControl};
  bool away_ = false;
  // Set while the page itself sets a box's text: that is no user's change.
  bool settingText_ = false;

  std::u16string watermarkCaption_;  // the group's own caption, from the template
  std::u16string noWatermarkName_;
  std::u16string nameMessage_;
  std::u16string rangeMessage_;
  std::u16string downloadMessage_;
  std::u16string noDiskCaption_;
  std::u16string negativeImageCaption_;
};

}  // namespace kx::ui
