// How the printer's answer is shown: the toner group, then the print units, one display
// row each, at most fifteen rows in all.
#include <algorithm>

#include "device/consumables_layout.h"
#include "device/consumables_state.h"
#include "dialog_routines.h"
#include "platform/dialogs.h"

namespace kx::ui {

namespace {

using device::SupplyDisplay;
using device::SupplyGroup;
using device::SupplyRecord;

// 프린터용 소모품 정보
constexpr char kTitle[] =
    "\xC7\xC1\xB8\xB0\xC5\xCD\xBF\xEB \xBC\xD2\xB8\xF0\xC7\xB0 \xC1\xA4\xBA\xB8";
// 토너
constexpr char kTonerLabel[] = "\xC5\xE4\xB3\xCA";
// 프린트 유닛:
constexpr char kPrintUnitLabel[] = "\xC7\xC1\xB8\xB0\xC6\xAE \xC0\xAF\xB4\xD6:";
// 소모품 정보 없음
constexpr char kNoInformation[] =
    "\xBC\xD2\xB8\xF0\xC7\xB0 \xC1\xA4\xBA\xB8 \xBE\xF8\xC0\xBD";

}  // namespace

void ConsumablesPage::Show() {
  ShowTitle();
  for (size_t row = 0; row < kSupplyRowCount; ++row) {
    const SupplyRowControls controls = SupplyRow(row);
    for (const int control : {controls.name, controls.number, controls.bar, controls.units}) {
      SetVisible(control, true);
    }
  }
  size_t used = 0;
  if (answer_.status == device::kStatusAnswered) {
    used = ShowTonerGroup();
    used = ShowPrintUnitGroup(used, used > 0);
  }
  if (used == 0) ShowNoInformation();
  for (size_t row = used; row < kSupplyRowCount; ++row) {
    const SupplyRowControls controls = SupplyRow(row);
    for (const int control : {controls.name, controls.number, controls.bar, controls.units}) {
      SetVisible(control, false);
    }
  }
}

void ConsumablesPage::ShowTitle() {
  platform::SetDlgItemText(page_, kConsumablesTitle, ToUtf16(kTitle) + PrinterName());
}

size_t ConsumablesPage::ShowTonerGroup() {
  size_t row = 0;
  for (size_t i = 0; i < SupplyCount() && row < kSupplyRowCount; ++i) {
    const SupplyRecord& record = answer_.supplies[i];
    const SupplyDisplay display = device::DescribeSupply(record);
    if (display.group != SupplyGroup::kToner) continue;
    if (row == 0) ShowGroupLabel(kTonerLabel);
    ShowTonerRow(row++, record, display);
  }
  return row;
}

// Below the toners the print units get a heading row of their own; alone they take the
// group label.
size_t ConsumablesPage::ShowPrintUnitGroup(size_t nextRow, bool tonerShown) {
  size_t row = nextRow;
  bool headed = false;
  for (size_t i = 0; i < SupplyCount(); ++i) {
    const SupplyRecord& record = answer_.supplies[i];
    const SupplyDisplay display = device::DescribeSupply(record);
    if (display.group != SupplyGroup::kPrintUnit) continue;
    if (!tonerShown) {
      ShowGroupLabel(kPrintUnitLabel);
    } else if (!headed && row < kSupplyRowCount) {
      const SupplyRowControls heading = SupplyRow(row++);
      platform::SetDlgItemText(page_, heading.name, ToUtf16(kPrintUnitLabel));
      for (const int control : {heading.number, heading.bar, heading.units}) {
        SetVisible(control, false);
      }
      headed = true;
    }
    if (row >= kSupplyRowCount) break;
    ShowPrintUnitRow(row++, record, display);
  }
  return row;
}

void ConsumablesPage::ShowTonerRow(size_t row, const SupplyRecord& record,
                                   const SupplyDisplay& display) {
  const SupplyRowControls controls = SupplyRow(row);
  platform::SetDlgItemText(page_, controls.name,
                           device::SupplyText(record.description, device::kSupplyNameCharacters));
  switch (display.kind) {
    case SupplyDisplay::Kind::kPercent:
      SetVisible(controls.number, false);
      SetBar(controls.bar, display.percent);
      platform::SetDlgItemText(page_, controls.units, display.text);
      return;
    case SupplyDisplay::Kind::kStateWord:
      ShowStateWord(controls.number, display.text);
      break;
    case SupplyDisplay::Kind::kNothing:
    case SupplyDisplay::Kind::kUnitText:
      SetVisible(controls.number, false);
      break;
  }
  SetVisible(controls.bar, false);
  SetVisible(controls.units, false);
}

void ConsumablesPage::ShowPrintUnitRow(size_t row, const SupplyRecord& record,
                                       const SupplyDisplay& display) {
  const SupplyRowControls controls = SupplyRow(row);
  platform::SetDlgItemText(page_, controls.name,
                           device::SupplyText(record.description, device::kSupplyNameCharacters));
  SetVisible(controls.number, false);
  if (display.kind == SupplyDisplay::Kind::kPercent) {
    SetBar(controls.bar, display.percent);
  } else {
    SetVisible(controls.bar, false);
  }
  platform::SetDlgItemText(page_, controls.units, display.text);
}

void ConsumablesPage::ShowGroupLabel(const char* text) {
  platform::SetDlgItemText(page_, kGroupLabel, ToUtf16(text));
  SetVisible(kGroupLabel, true);
  SetVisible(kColumnHeading, true);
  SetVisible(kConsumablesMessage, false);
}

void ConsumablesPage::ShowNoInformation() {
  platform::SetDlgItemText(page_, kConsumablesMessage, ToUtf16(kNoInformation));
  SetVisible(kConsumablesMessage, true);
  SetVisible(kColumnHeading, false);
  SetVisible(kGroupLabel, false);
}

// The word takes the width of the bar and its text, keeping the label's place on the page.
// The page's client origin is found by moving the label there once.
void ConsumablesPage::ShowStateWord(int control, const std::u16string& word) {
  const host::HWND label = platform::GetDlgItem(page_, control);
  host::RECT placed{};
  host::RECT origin{};
  if (label != nullptr && platform::GetWindowRect(label, &placed) &&
      platform::MoveWindow(label, 0, 0, kStateWordWidth, kStateWordHeight, false) &&
      platform::GetWindowRect(label, &origin)) {
    platform::MoveWindow(label, placed.left - origin.left, placed.top - origin.top,
                         kStateWordWidth, kStateWordHeight, true);
  }
  platform::SetDlgItemText(page_, control, word);
  SetVisible(control, true);
}

// The text tells the real percent; the bar cannot go beyond its range.
void ConsumablesPage::SetBar(int control, int64_t percent) {
  const int64_t position = std::clamp<int64_t>(percent, kBarMinimum, kBarMaximum);
  platform::SendDlgItemMessage(page_, control, host::PBM_SETPOS,
                               static_cast<host::WPARAM>(position), 0);
}

void ConsumablesPage::SetVisible(int control, bool visible) {
  platform::ShowWindow(platform::GetDlgItem(page_, control),
                       visible ? host::SW_SHOW : host::SW_HIDE);
}

// The walk stores at most fifteen records; a count beyond them shows no more.
size_t ConsumablesPage::SupplyCount() const {
  if (answer_.supplyCount <= 0) return 0;
  return std::min(static_cast<size_t>(answer_.supplyCount), answer_.supplies.size());
}

}  // namespace kx::ui
