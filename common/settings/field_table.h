// Every field of the private settings record by name, with its place and encoding, so
// that tools and tests can read and set a record field by field. Names are the record's
// own: `qualityMode`, `watermark.text`, `overlays[2].enabled`, the device options by their
// own names (`userName`, `installedOptions[3]`, `hasHardDisk`).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "settings/record.h"

namespace kx::settings {

enum class FieldKind {
  kUnsigned,  // little-endian unsigned integer of `size` bytes
  kSigned,    // little-endian signed integer of `size` bytes
  kWideText,  // UTF-16, `size` units with the NUL
  kAnsiText,  // the ANSI code page, `size` bytes with the NUL
  kUtf8Text,  // UTF-8, `size` bytes with the NUL
};

struct RecordField {
  std::string name;
  size_t offset;
  FieldKind kind;
  size_t size;
  bool alias = false;  // a second name for a field listed under its own name too
};

// In record order.
const std::vector<RecordField>& RecordFields();
const RecordField* FindRecordField(std::string_view name);

// `value` is decimal or 0x-hexadecimal for numbers and UTF-8 for text; text is stored in
// the field's own encoding. On failure nothing changes and *error names the problem.
bool SetRecordField(PrivateRecord* record, const RecordField& field, std::string_view value,
                    std::string* error);
// The value as `SetRecordField` takes it.
std::string FormatRecordField(const PrivateRecord& record, const RecordField& field);

// The device texts that have ANSI and UTF-8 copies beside the wide string.
enum class DeviceText { kUserName, kHostName, kChargeNumber };

// Writes the ANSI and UTF-8 copies of one device text from its wide string, as the
// device settings are stored.
void FillDeviceTextCopies(DeviceOptions* options, DeviceText which);

}  // namespace kx::settings
