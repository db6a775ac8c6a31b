// What the consumables page shows, read from its controls the way a user reads the page.
#pragma once

#include <string>
#include <vector>

#include "device/consumables_layout.h"
#include "hostsim/host_sheet.h"
#include "platform/dialogs.h"
#include "platform/text.h"

namespace kx::test {

inline std::string ConsumablesText(const hostsim::HostSheet& sheet, int id) {
  return platform::Utf16ToUtf8(sheet.Text(0, id));
}

// Each visible row of the sheet's first page as "name|word W|bar N|text", leaving out the
// controls the row hides: "Black|bar 80|80 %", "Waste|word 준비됨", "Drum|pages".
inline std::vector<std::string> ShownSupplyRows(const hostsim::HostSheet& sheet) {
  std::vector<std::string> rows;
  for (size_t row = 0; row < ui::kSupplyRowCount; ++row) {
    const ui::SupplyRowControls ids = ui::SupplyRow(row);
    if (!sheet.Visible(0, ids.name)) continue;
    std::string shown = ConsumablesText(sheet, ids.name);
    if (sheet.Visible(0, ids.number)) shown += "|word " + ConsumablesText(sheet, ids.number);
    if (sheet.Visible(0, ids.bar)) {
      const auto position =
          platform::SendMessage(sheet.Control(0, ids.bar), host::PBM_GETPOS, 0, 0);
      shown += "|bar " + std::to_string(position);
    }
    if (sheet.Visible(0, ids.units)) shown += "|" + ConsumablesText(sheet, ids.units);
    rows.push_back(shown);
  }
  return rows;
}

// The row controls shown, counted over all fifteen rows.
inline size_t VisibleSupplyRowControls(const hostsim::HostSheet& sheet) {
  size_t visible = 0;
  for (size_t row = 0; row < ui::kSupplyRowCount; ++row) {
    const ui::SupplyRowControls ids = ui::SupplyRow(row);
    for (const int id : {ids.name, ids.number, ids.bar, ids.units}) {
      visible += sheet.Visible(0, id) ? 1 : 0;
    }
  }
  return visible;
}

}  // namespace kx::test
