// The operations on the private settings record that both plug-ins share: defaults,
// convert/merge and header repair.
#pragma once

#include "platform/spooler.h"
#include "settings/record.h"

namespace kx::settings {

// Built-in defaults, then the values the printer's driver information gives. Always
// succeeds (false only for a missing record).
bool SetRecordDefaults(PrivateRecord* record, platform::PrinterHandle printer);

// Copies the settings of `source` over `destination` and re-reads the printer's device
// options. False only when a record is missing.
bool MergeRecord(const PrivateRecord* source, PrivateRecord* destination,
                 platform::PrinterHandle printer);

// Repairs the header and keeps `spare` within its range. False only for a missing record.
bool ValidateRecord(PrivateRecord* record);

// The watermark a fresh record carries: none.
// The copy of the watermark text that the rendering plug-in writes, in the ANSI code page
// (named beside it): composite characters checked and their accents kept as characters of
// their own. The copy is cleared first, so that it never keeps an earlier watermark's
// text.
void StoreAnsiWatermarkText(PrivateRecord* record);

void SetWatermarkJobDefault(WatermarkRecord* watermark);
// The watermark the library gives a new entry: the job default, enabled.
void SetWatermarkNewDefault(WatermarkRecord* watermark);

// The printer data "DevOpts" into `options`: true when it is a binary value of exactly the
// block's size; otherwise `options` is left as it was.
bool ReadStoredDeviceOptions(platform::PrinterHandle printer, DeviceOptions* options);
// Stores the block as the printer data "DevOpts"; the spooler's status.
uint32_t WriteStoredDeviceOptions(platform::PrinterHandle printer, const DeviceOptions& options);
// The device options used when the printer has none stored.
void SetDeviceOptionsDefaults(DeviceOptions* options);

}  // namespace kx::settings
