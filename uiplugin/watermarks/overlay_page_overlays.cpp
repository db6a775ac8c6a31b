// The lower part of the overlay and watermark page: five overlays (forms on the printer's
// disk), each with its 8.3 file name, the composite one with its first page and period,
// and the download manager that puts the forms on the disk.
#include <optional>
#include <string>

#include "platform/dialogs.h"
#include "settings/record_text.h"
#include "watermarks/overlay_names.h"
#include "watermarks/overlay_page_state.h"
#include "watermarks/watermark_store.h"

namespace kx::ui {
namespace {

using namespace host;
using settings::OverlayEntry;

constexpr size_t kMaxOverlayName = 12;
constexpr uint32_t kCompositeNumberMin = 1;
constexpr uint32_t kCompositeNumberMax = 99;
// More digits than this read as "too large" without overflowing.
constexpr size_t kMaxDigits = 9;
constexpr uint32_t kTooLarge = 1000000000;
constexpr char16_t kDownloadFromOverlays[] = u"1";

std::u16string Decimal(uint32_t value) {
  const std::string digits = std::to_string(value);
  return std::u16string(digits.begin(), digits.end());
}

// The box's text as an unsigned decimal number: digits only, at least one.
std::optional<uint32_t> ReadNumber(const std::u16string& text) {
  if (text.empty()) return std::nullopt;
  uint32_t value = 0;
  for (const char16_t c : text) {
    if (c < u'0' || c > u'9') return std::nullopt;
  }
  if (text.size() > kMaxDigits) return kTooLarge;
  for (const char16_t c : text) value = value * 10 + static_cast<uint32_t>(c - u'0');
  return value;
}

bool InCompositeRange(uint32_t value) {
  return value >= kCompositeNumberMin && value <= kCompositeNumberMax;
}

const OverlayControls& CompositeControls() { return kOverlayControls[settings::kOverlayComposite]; }

}  // namespace

// Without the printer's disk there is nowhere to keep a form: the whole group is off.
void OverlayPage::FillOverlays() {
  const bool disk = record_->devOpts.installedOptions[settings::kHasHardDisk] != 0;
  if (!disk) platform::SetDlgItemText(page_, kOverlayGroup, noDiskCaption_);
  Enable(kOverlayGroup, disk);
  for (const OverlayControls& overlay : kOverlayControls) {
    const OverlayEntry& entry = display_.overlays[overlay.slot];
    Enable(overlay.check, disk);
    EnableOverlayNames(overlay, disk && entry.enabled != 0);
    Check(overlay.check, entry.enabled != 0);
    platform::SetDlgItemText(page_, overlay.name,
                             std::u16string(settings::FieldText(entry.fileName)));
  }
  const OverlayEntry& composite = display_.overlays[settings::kOverlayComposite];
  platform::SetDlgItemText(page_, kCompositeFirst, Decimal(composite.firstPage));
  platform::SetDlgItemText(page_, kCompositePeriod, Decimal(composite.period));
  Enable(kDownloadManager, disk);
}

// The user goes on to the name of an overlay just turned on.
void OverlayPage::OnOverlayChecked(const OverlayControls& overlay) {
  const bool on = IsChecked(overlay.check);
  record_->overlays[overlay.slot].enabled = on ? 1 : 0;
  EnableOverlayNames(overlay, on);
  if (on) platform::SetFocus(platform::GetDlgItem(page_, overlay.name));
}

// Every keystroke: a valid name is stored in upper case, an invalid one as typed (the
// balloon says why), and clearing the name turns the overlay off.
void OverlayPage::OnOverlayNameChanged(const OverlayControls& overlay) {
  OverlayEntry& entry = record_->overlays[overlay.slot];
  std::u16string name = platform::GetDlgItemText(page_, overlay.name).substr(0, kMaxOverlayName);
  const bool valid = MakeOverlayName(&name);
  settings::StoreText(entry.fileName, name);
  if (valid) return;
  if (!name.empty()) {
    tips_.ShowAt(overlay.name);
    return;
  }
  // Its own controls have the focus while the page itself sets the overlay's state.
  const bool composite = overlay.slot == settings::kOverlayComposite;
  const bool onOwnControls = composite
                                 ? FocusIsOn({kCompositeCheck, kCompositeFirst, kCompositePeriod})
                                 : FocusIsOn({overlay.check});
  if (onOwnControls || away_) return;
  entry.enabled = 0;
  Check(overlay.check, false);
  platform::SetFocus(platform::GetDlgItem(page_, overlay.check));
  EnableOverlayNames(overlay, false);
}

// A number out of range never stays in the box: the stored one comes back, selected, so
// that the next keystroke replaces it.
void OverlayPage::OnCompositeNumberChanged(int id) {
  const std::optional<uint32_t> value = ReadNumber(platform::GetDlgItemText(page_, id));
  if (!value || InCompositeRange(*value)) return;
  tips_.ShowAt(id);
  settingText_ = true;
  platform::SetDlgItemText(page_, id, Decimal(CompositeNumber(id)));
  settingText_ = false;
  platform::SendDlgItemMessage(page_, id, EM_SETSEL, 0, -1);
}

// Leaving the box takes its number. A box that holds no number from 1 to 99 keeps the
// focus, unless the user is away (another application or the About box has it) or the
// page is being hidden.
void OverlayPage::OnCompositeNumberLeft(int id) {
  const std::optional<uint32_t> value = ReadNumber(platform::GetDlgItemText(page_, id));
  const HWND box = platform::GetDlgItem(page_, id);
  if (!value || !InCompositeRange(*value)) {
    if (!away_ && platform::IsWindowVisible(page_) && platform::IsWindowEnabled(box)) {
      platform::SetFocus(box);
    }
    return;
  }
  CompositeNumber(id) = *value;
  OverlayEntry& composite = record_->overlays[settings::kOverlayComposite];
  if (!settings::FieldText(composite.fileName).empty()) return;
  // A composite overlay without a name prints nothing: once the user has left its
  // controls, it is turned off.
  const int other = id == kCompositeFirst ? kCompositePeriod : kCompositeFirst;
  if (FocusIsOn({kCompositeCheck, kCompositeName, other}) || away_) return;
  composite.enabled = 0;
  Check(kCompositeCheck, false);
  EnableOverlayNames(CompositeControls(), false);
}

void OverlayPage::OnDownloadManager() {
  if (!StartDownloadManager(kDownloadFromOverlays)) tips_.ShowAt(kDownloadManager);
}

void OverlayPage::EnableOverlayNames(const OverlayControls& overlay, bool enable) {
  if (overlay.slot != settings::kOverlayComposite) {
    Enable(overlay.name, enable);
    return;
  }
  for (const int id : kCompositeGroup) Enable(id, enable);
}

uint32_t& OverlayPage::CompositeNumber(int id) {
  OverlayEntry& composite = record_->overlays[settings::kOverlayComposite];
  return id == kCompositeFirst ? composite.firstPage : composite.period;
}

}  // namespace kx::ui
