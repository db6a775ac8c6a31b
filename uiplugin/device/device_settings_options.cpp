// The device settings page's two option lists: the options the printer's answer decides,
// the selection rules, and Add and Remove with the rule that keeps the optional trays in
// order.
#include <string>

#include "device/device_settings_state.h"
#include "device/printer_answers.h"
#include "installable_options.h"
#include "platform/dialogs.h"

namespace kx::ui {
namespace {

using namespace host;

// The list the other button works on.
int OtherList(int listId) {
  return listId == kAvailableOptionsList ? kInstalledOptionsList : kAvailableOptionsList;
}

std::u16string ItemText(HWND list, LRESULT index) {
  const auto at = static_cast<WPARAM>(index);
  const LRESULT length = platform::SendMessage(list, LB_GETTEXTLEN, at, 0);
  if (length < 0) return std::u16string();
  std::u16string text(static_cast<size_t>(length) + 1, u'\0');
  platform::SendMessage(list, LB_GETTEXT, at, reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<size_t>(length));
  return text;
}

}  // namespace

// The printer says which options it has; the user can no longer change them here, and
// the host's own installable-option items and settings follow at once.
void DeviceSettingsPage::TakeAnsweredOptions() {
  device::ApplyAnsweredOptions(answer_.scalars, working_.installedOptions);
  RefillLists();  // also leaves Add and Remove disabled
  PutFlagsIntoHostItems();
  if (context_->addPage != nullptr) {
    context_->addPage(context_->propertySheet, kDoApplyCommonUi,
                      static_cast<LPARAM>(context_->firstPage), kApplyOkCancelButton);
  }
}

void DeviceSettingsPage::OnSelectionChanged(int listId) {
  if (status_ == device::kStatusAnswered) return;
  const bool available = listId == kAvailableOptionsList;
  EnableButton(kAddOptionButton, available);
  EnableButton(kRemoveOptionButton, !available);
  platform::SendDlgItemMessage(page_, OtherList(listId), LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
}

void DeviceSettingsPage::OnAdd() {
  const uint8_t* flag = MoveSelected(kAvailableOptionsList, kInstalledOptionsList, 1);
  uint8_t* tray1 = &working_.installedOptions[kOptionalTray1Flag];
  if (flag == &working_.installedOptions[kOptionalTray2Flag] && *tray1 == 0) {
    *tray1 = 1;
    RefillLists();
  }
  EnableButton(kAddOptionButton, false);
  platform::SetFocus(Item(kAvailableOptionsList));
  PutFlagsIntoHostItems();
}

void DeviceSettingsPage::OnRemove() {
  const uint8_t* flag = MoveSelected(kInstalledOptionsList, kAvailableOptionsList, 0);
  uint8_t* tray2 = &working_.installedOptions[kOptionalTray2Flag];
  if (flag == &working_.installedOptions[kOptionalTray1Flag] && *tray2 != 0) {
    *tray2 = 0;
    RefillLists();
  }
  EnableButton(kRemoveOptionButton, false);
  platform::SetFocus(Item(kInstalledOptionsList));
  PutFlagsIntoHostItems();
}

uint8_t* DeviceSettingsPage::MoveSelected(int fromList, int toList, uint8_t installed) {
  const HWND from = Item(fromList);
  const LRESULT selected = platform::SendMessage(from, LB_GETCURSEL, 0, 0);
  if (selected < 0) return nullptr;
  const auto at = static_cast<WPARAM>(selected);
  auto* flag = reinterpret_cast<uint8_t*>(platform::SendMessage(from, LB_GETITEMDATA, at, 0));
  const std::u16string text = ItemText(from, selected);
  platform::SendMessage(from, LB_DELETESTRING, at, 0);
  const LRESULT added = platform::SendDlgItemMessage(page_, toList, LB_ADDSTRING, 0,
                                                     reinterpret_cast<LPARAM>(text.c_str()));
  if (added >= 0) {
    platform::SendDlgItemMessage(page_, toList, LB_SETITEMDATA, static_cast<WPARAM>(added),
                                 reinterpret_cast<LPARAM>(flag));
  }
  if (flag != nullptr) *flag = installed;
  return flag;
}

void DeviceSettingsPage::RefillLists() { FillOptionLists(page_, context_->ppd, &working_); }

void DeviceSettingsPage::PutFlagsIntoHostItems() {
  PutInstalledFlagsIntoHostItems(*context_, context_->ppd, working_.installedOptions);
}

void DeviceSettingsPage::EnableButton(int id, bool enable) {
  platform::EnableWindow(Item(id), enable);
}

}  // namespace kx::ui
