// The user's watermark library for one printer: one 368-byte watermark record per name in
// the per-user store, and the seven predefined names that are always offered.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "dialog_routines.h"
#include "host/window.h"
#include "settings/record.h"

namespace kx::ui {

// The store under the printer's key (see PrinterStorePath).
inline constexpr char16_t kWatermarkStore[] = u"Watermarks";

// The predefined watermarks: value = index, text = name (code page 949), "없음" (none)
// first; choosing it turns the job's watermark off.
extern const TextTable kPredefinedWatermarks;
inline constexpr uint32_t kNoWatermark = 0;
// The name of kNoWatermark as UTF-16.
std::u16string NoWatermarkName();

// The editor's colours: value = colour code, text = label (code page 949), in the order
// they are added; black (code 0) is the one whose shade applies.
extern const TextTable kWatermarkColours;
inline constexpr uint32_t kBlackColourCode = 0;

// Writes the record under its name; the store's status (kErrorSuccess on success).
uint32_t StoreWatermark(const settings::WatermarkRecord& record, std::u16string_view printer);

// The stored record of that name; when there is none (or the stored value is no record:
// another type or size), the new-record default with name and text set to `name`.
settings::WatermarkRecord LoadWatermark(std::u16string_view name, std::u16string_view printer);

// Empties the combo box (sorted), adds the predefined names, then the stored names that
// the box does not hold yet (case ignored). Nothing is selected.
void ListWatermarks(host::HWND combo, std::u16string_view printer);

// Deletes the stored record; true when it existed and is gone.
bool RemoveWatermark(std::u16string_view name, std::u16string_view printer);

// Whether the name is one of the seven predefined names, case ignored.
bool IsPredefinedWatermark(std::u16string_view name);

// The record a new watermark starts from (enabled, empty name and text).
settings::WatermarkRecord NewWatermarkRecord();

// Starts the download manager, found through the system's registered application paths
// (App Paths\VXDownMgr.exe, value "Path"), with one argument ("1" from the overlay page,
// "0" from the colour settings); false when it is not registered or cannot be started.
bool StartDownloadManager(std::u16string_view argument);

}  // namespace kx::ui
