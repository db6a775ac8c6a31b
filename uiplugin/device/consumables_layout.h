// The consumables page's controls: a title, a message line, a column heading, a group
// label and fifteen display rows of four controls each, then the buttons.
#pragma once

#include <cstddef>

namespace kx::ui {

enum ConsumablesControl : int {
  kConsumablesTitle = 1101,
  kConsumablesMessage = 1102,    // "no consumables information"
  kFirstRowControl = 1103,       // row k's controls follow from 1103 + 4k
  kBrowserButton = 1163,         // the printer's own web page
  kShopButton = 1164,            // never shown
  kRefreshButton = 1165,
  kColumnHeading = 1166,
  kGroupLabel = 1167,
};

inline constexpr size_t kSupplyRowCount = 15;
inline constexpr int kControlsPerRow = 4;

// One display row: the supply's name, a state word in place of the number, a bar of the
// remaining percent (range 0 to 100) and the percent or unit text beside it.
struct SupplyRowControls {
  int name;
  int number;
  int bar;
  int units;
};

constexpr SupplyRowControls SupplyRow(size_t row) {
  const int first = kFirstRowControl + kControlsPerRow * static_cast<int>(row);
  return {.name = first, .number = first + 1, .bar = first + 2, .units = first + 3};
}

static_assert(SupplyRow(kSupplyRowCount - 1).units + 1 == kBrowserButton);

// The bar's range.
inline constexpr int kBarMinimum = 0;
inline constexpr int kBarMaximum = 100;

// The size, in pixels, of a number label that shows a state word.
inline constexpr int kStateWordWidth = 145;
inline constexpr int kStateWordHeight = 13;

}  // namespace kx::ui
