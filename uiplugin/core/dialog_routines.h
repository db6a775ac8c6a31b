// Routines every dialog and page of the plug-in shares: the conversion of the stored
// message texts (code page 949 bytes, converted through the system's ANSI code page) and
// the combo box fills and reads over those texts, item data and the PPD's options.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "host/window.h"
#include "ppd/ppd.h"
#include "settings/name_tables.h"

namespace kx::ui {

// A value and its display text (8-bit text in code page 949).
struct TextRow {
  uint32_t value = 0;
  const char* text = "";
};
using TextTable = std::span<const TextRow>;

// The 8-bit text as UTF-16 (ANSI code page, precomposed); empty when it cannot be
// converted.
std::u16string ToUtf16(const char* text);

// The text converted into the module's message buffer, which the next call overwrites:
// use or copy it at once. A text longer than the buffer is cut to fit; the result is
// always terminated.
const char16_t* ConvertMessage(const char* text);

// Empties the combo box, adds the table's texts in order and selects the one that
// matches `select` whole (case ignored, as the control compares); its index, or -1.
int FillComboByText(host::HWND dialog, int controlId, TextTable table, std::u16string_view select);

// Empties the combo box, adds the texts with their values as item data and selects the
// item of `select`, else item 0; the index selected.
int FillComboWithValues(host::HWND dialog, int controlId, TextTable table, uint32_t select);

// The item data of the selected item (item 0 when none is selected); 0 when it cannot be
// read.
uint32_t SelectedValue(host::HWND dialog, int controlId);

// The text of the combo box's item `index`; empty when there is no such item.
std::u16string ComboItemText(host::HWND combo, host::LRESULT index);

// Selects the first item whose data is `value`, else item 0; the index selected.
int SelectByValue(host::HWND dialog, int controlId, uint32_t value);

// Whether `name` is one of the table's texts, case ignored (refuses the names of the
// predefined entries).
bool NameInTable(TextTable table, std::u16string_view name);

// Fills the combo box with the options of a PPD feature that the pairs name: an option is
// shown, with its translation, when its keyword begins with a pair's prefix (the first
// such pair gives the item data); the others are left out. Then the item of `select` (else
// item 0) is selected. Without a PPD the box stays empty (true); without the feature it is
// disabled (false).
bool FillComboFromPpdFeature(host::HWND combo, const ppd::PpdImage* ppd, std::string_view keyword,
                             settings::NameTable pairs, uint32_t select);

}  // namespace kx::ui
