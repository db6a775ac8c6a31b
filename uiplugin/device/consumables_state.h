// The consumables page's own state, one object per page window (kept in its GWLP_USERDATA
// from WM_INITDIALOG to WM_DESTROY): the page's copy of the device options, the address
// it asks at and the printer's last answer. Nothing of it is ever stored.
#pragma once

#include <memory>
#include <string>

#include "device/printer_answers.h"
#include "device/printer_query.h"
#include "host/window.h"
#include "page_set.h"
#include "settings/record.h"

namespace kx::ui {

class ConsumablesPage {
 public:
  ConsumablesPage(host::HWND page, PageSetContext* context);
  ConsumablesPage(const ConsumablesPage&) = delete;
  ConsumablesPage& operator=(const ConsumablesPage&) = delete;

  void OnInit();
  // Each time the page is shown: the device options afresh, then the printer is asked.
  void OnSetActive();
  void OnCommand(int id, host::UINT code);

 private:
  // consumables_state.cpp
  void ReadDeviceOptions();
  void Query();
  void Refresh();
  void OpenPrinterPage();
  std::u16string PrinterName() const;

  // consumables_rows.cpp
  void Show();
  void ShowTitle();
  // The rows the groups take, from row 0; the number of rows used.
  size_t ShowTonerGroup();
  size_t ShowPrintUnitGroup(size_t nextRow, bool tonerShown);
  void ShowTonerRow(size_t row, const device::SupplyRecord& record,
                    const device::SupplyDisplay& display);
  void ShowPrintUnitRow(size_t row, const device::SupplyRecord& record,
                        const device::SupplyDisplay& display);
  void ShowGroupLabel(const char* text);
  void ShowNoInformation();
  void ShowStateWord(int control, const std::u16string& word);
  void SetBar(int control, int64_t percent);
  void SetVisible(int control, bool visible);
  size_t SupplyCount() const;

  host::HWND page_;
  PageSetContext* context_;
  settings::DeviceOptions devOpts_{};
  // The address asked at: the stored one, or the one the port configuration gives, which
  // may be longer than the stored field holds.
  std::u16string address_;
  device::PrinterAnswer answer_;
};

}  // namespace kx::ui
