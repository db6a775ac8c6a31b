// Where the plug-in keeps its per-user stores (watermark library, colour sets, profiles,
// saved settings): keys of the user's registry under the vendor's key, one per printer.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/registry.h"

namespace kx::ui {

// "Software\<company>\<printer>\<store>". A printer connected from a print server is named
// "\\server\printer"; its backslashes become commas in the key name, as the system names
// printer connections in the user's registry, so the name stays one key. Names without
// backslashes are used as they are.
std::u16string PrinterStorePath(std::u16string_view printerName, std::u16string_view store);

// One of the printer's stores of fixed-size records, one binary value per name, opened
// (and created when missing) for as long as the object lives. Only a binary value of
// exactly the record's size is a record: anything else (written by other software, or
// damaged) would fill a record with bytes that mean something else. A name longer than
// the records' name field holds could not be chosen again by its name, so it is neither
// listed nor read nor written.
class PrinterRecordStore {
 public:
  PrinterRecordStore(std::u16string_view printer, std::u16string_view store, uint32_t recordSize,
                     size_t maxNameLength);

  // The names of the records, in the store's order; none when the store was only just made.
  std::vector<std::u16string> Names() const;
  // Fills `record` (recordSize bytes) and returns true only for a whole record.
  bool Read(std::u16string_view name, void* record) const;
  // The store's status; kErrorInvalidParameter for an empty name or one too long.
  uint32_t Write(std::u16string_view name, const void* record);
  // True when the record existed and is gone.
  bool Delete(std::u16string_view name);

 private:
  bool Fits(std::u16string_view name) const {
    return !name.empty() && name.size() <= maxNameLength_;
  }

  std::unique_ptr<platform::RegistryKey> key_;
  bool created_ = false;
  uint32_t status_;
  uint32_t recordSize_;
  size_t maxNameLength_;
};

}  // namespace kx::ui
