// The features page's own state and handlers, one object per page window (kept in its
// GWLP_USERDATA from WM_INITDIALOG to WM_DESTROY). The page edits the job's private
// settings record as the user works; its snapshot is the record as last applied, which
// the sheet's Cancel puts back.
#pragma once

#include <memory>
#include <string>

#include "host/window.h"
#include "page_set.h"
#include "settings/record.h"

namespace kx::ui {

enum FeaturesPageControl : int {
  kFeaturesFrame = 1321,
  kResolutionList = 1322,
  kResolutionLabel = 1323,
  kGraphicsOptionsButton = 1324,
  kQuickColourGroup = 1325,
  kQuickColourLabel = 1326,
  kQuickColourList = 1327,
  kAdvancedColourButton = 1328,
  kPostScriptOptionsButton = 1329,
  kEmailNotificationButton = 1330,
  kCustomSettingsButton = 1331,
};

// What a monochrome printer's page does not show.
inline constexpr int kQuickColourControls[] = {kQuickColourLabel, kQuickColourGroup,
                                               kQuickColourList, kAdvancedColourButton};

class FeaturesPage {
 public:
  FeaturesPage(host::HWND page, PageSetContext* context, settings::PrivateRecord* record);
  FeaturesPage(const FeaturesPage&) = delete;
  FeaturesPage& operator=(const FeaturesPage&) = delete;

  void OnInit();
  void OnCommand(int id, host::UINT code);
  // A sheet notification; the answer to return.
  host::INT_PTR OnNotify(const host::NMHDR& header);
  // Shown or hidden by the sheet: the lists show the record again.
  void OnShowOrHide();

 private:
  // features_page_state.cpp
  void TakeSnapshot();
  void OnKillActive();
  host::INT_PTR OnApply();
  void OnReset();
  void RestoreFromSnapshot();
  void ReportResult(host::LONG_PTR page);
  void ReportChange();
  void SetMessageResult(host::LONG_PTR result);

  // features_page_buttons.cpp
  void OnButton(int id);
  void OnAdvancedColour();
  void OnPostScriptOptions();
  void OnCustomSettings();

  // features_page_lists.cpp
  void ReplaceUnusableUserSet();
  void FillResolutionList();
  void FillQuickColourPart();
  void AppendUserSets();
  void BringQuickColourUpToDate();
  void SelectQuickColourSet();
  void OnResolutionChanged();
  void OnQuickColourChanged();
  bool IsColourDevice() const;
  bool HasHardDisk() const;

  std::u16string PrinterName() const;
  host::HWND Item(int id) const;

  host::HWND page_;
  PageSetContext* context_;
  settings::PrivateRecord* record_;
  // Large (the whole record): kept off the stack of the dialog procedure.
  std::unique_ptr<settings::PrivateRecord> snapshot_;
};

}  // namespace kx::ui
