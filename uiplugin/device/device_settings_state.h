// The device settings page's state and handlers, one object per page window (kept in its
// GWLP_USERDATA from WM_INITDIALOG to WM_DESTROY). The page edits a working copy of the
// printer's device options block; the saved copy is the block as last read from or
// written to the printer data "DevOpts", which the sheet's Cancel puts back.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "device/printer_query.h"
#include "host/window.h"
#include "installable_options.h"
#include "page_set.h"
#include "settings/record.h"

namespace kx::ui {

// The page's controls besides those the option lists fill (installable_options.h).
enum DeviceSettingsControl : int {
  kUserNameEdit = 1001,         // read-only: the system's default logon user name
  kCommunicationStatus = 1006,  // what the communication check found
};

// The host's common property-sheet functions the page calls besides SET_RESULT.
inline constexpr host::UINT kDoApplyCommonUi = 25;        // CPSFUNC_DO_APPLY_CPSUI
inline constexpr host::LPARAM kApplyOkCancelButton = 2;   // APPLYCPSUI_OK_CANCEL_BUTTON

// The optional trays whose flags go together: tray 2 cannot be installed without tray 1.
inline constexpr size_t kOptionalTray1Flag = 2;
inline constexpr size_t kOptionalTray2Flag = 3;

// Longest text an edit is read with when it loses the focus.
inline constexpr size_t kEditReadCharacters = 128;

// The machine's default logon user name, at most this many bytes.
inline constexpr uint32_t kLogonNameBytes = 128;

// The status text shown for a communication status.
std::u16string CommunicationStatusText(uint32_t status);

// The system's default logon user name; empty when it is not set or cannot be read.
std::u16string DefaultLogonUserName();

class DeviceSettingsPage {
 public:
  DeviceSettingsPage(host::HWND page, PageSetContext* context);
  DeviceSettingsPage(const DeviceSettingsPage&) = delete;
  DeviceSettingsPage& operator=(const DeviceSettingsPage&) = delete;

  void OnInit();
  void OnCommand(int id, host::UINT code);
  // A sheet notification; the answer to return.
  host::INT_PTR OnNotify(const host::NMHDR& header);

 private:
  // device_settings_state.cpp
  void ReadSavedCopy();
  void ShowDefaultUserName();
  void OnSetActive();
  void OnEditLeft(int id);
  host::INT_PTR OnApply();
  void StoreWorkingCopy();
  void ReportChange();

  // device_settings_status.cpp
  void CheckCommunication();
  void ShowStatus();

  // device_settings_options.cpp
  void TakeAnsweredOptions();
  void OnSelectionChanged(int listId);
  void OnAdd();
  void OnRemove();
  // Moves the selected item of one list to the other and sets its flag; the flag moved,
  // or null when nothing was selected.
  uint8_t* MoveSelected(int fromList, int toList, uint8_t installed);
  void RefillLists();
  void PutFlagsIntoHostItems();
  void EnableButton(int id, bool enable);

  host::HWND Item(int id) const;

  host::HWND page_;
  PageSetContext* context_;
  settings::DeviceOptions saved_{};
  settings::DeviceOptions working_{};
  uint32_t status_ = device::kStatusChecking;
  // The last answer, with the supply records gathered for the consumables.
  device::PrinterAnswer answer_;
};

}  // namespace kx::ui
