// What a job takes from a printer's own stores before it is rendered: the printer's PPD and
// device options, and the entries of the user's libraries that the UI plug-in keeps for
// the printer (a watermark, a custom document setting). Everything here only reads.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "settings/record.h"

namespace kx::render {

struct StoredJobSettings {
  std::u16string ppdPath;             // the printer driver's data file
  std::vector<uint8_t> devOpts;       // the printer data "DevOpts"; empty when it has none
  std::optional<settings::WatermarkRecord> watermark;  // the chosen watermark's record
  std::optional<settings::PrivateRecord> customSetting;
};

// Whether the current store holds the printer.
bool PrinterInStore(const std::string& printer);

// Reads what `printer` (a printer of the current store) gives the job; the names may be
// empty (not asked for). The error names the printer or the entry that is missing, or the
// stored custom setting that is no record this driver can print with.
std::optional<std::string> ReadStoredJobSettings(const std::string& printer,
                                                 const std::string& watermark,
                                                 const std::string& customSetting,
                                                 StoredJobSettings* stored);

// Puts the stored entries into the job's record as the UI plug-in's pages do when the
// entry is chosen: a custom setting replaces the whole record except the printer's device
// options; a watermark replaces the record's watermark and its code page copy.
void ApplyStoredJobSettings(const StoredJobSettings& stored, settings::PrivateRecord* record);

}  // namespace kx::render
