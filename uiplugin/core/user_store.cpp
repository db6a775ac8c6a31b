#include "user_store.h"

#include <algorithm>
#include <cstring>

#include "platform/text.h"
#include "platform/win32_errors.h"

namespace kx::ui {

std::u16string PrinterStorePath(std::u16string_view printerName, std::u16string_view store) {
  std::u16string printer(printerName);
  std::replace(printer.begin(), printer.end(), u'\\', u',');
  return u"Software\\" + platform::Utf8ToUtf16(KX_COMPANY_NAME) + u"\\" + printer + u"\\" +
         std::u16string(store);
}

PrinterRecordStore::PrinterRecordStore(std::u16string_view printer, std::u16string_view store,
                                       uint32_t recordSize, size_t maxNameLength)
    : status_(platform::CreateRegistryKey(platform::Hive::kCurrentUser,
                                          PrinterStorePath(printer, store), &key_, &created_)),
      recordSize_(recordSize),
      maxNameLength_(maxNameLength) {}

std::vector<std::u16string> PrinterRecordStore::Names() const {
  std::vector<std::u16string> names;
  if (key_ == nullptr || created_) return names;
  platform::RegistryValue value;
  for (uint32_t index = 0; key_->EnumValue(index, &value) == platform::kErrorSuccess; ++index) {
    if (value.type == platform::kRegBinary && value.data.size() == recordSize_ &&
        Fits(value.name)) {
      names.push_back(value.name);
    }
  }
  return names;
}

bool PrinterRecordStore::Read(std::u16string_view name, void* record) const {
  if (key_ == nullptr || record == nullptr || !Fits(name)) return false;
  std::vector<uint8_t> stored(recordSize_);
  uint32_t type = 0;
  uint32_t size = recordSize_;
  if (key_->QueryValue(std::u16string(name), &type, stored.data(), &size) !=
          platform::kErrorSuccess ||
      type != platform::kRegBinary || size != recordSize_) {
    return false;
  }
  std::memcpy(record, stored.data(), recordSize_);
  return true;
}

uint32_t PrinterRecordStore::Write(std::u16string_view name, const void* record) {
  if (!Fits(name) || record == nullptr) return platform::kErrorInvalidParameter;
  if (key_ == nullptr) return status_;
  return key_->SetValue(std::u16string(name), platform::kRegBinary,
                        static_cast<const uint8_t*>(record), recordSize_);
}

bool PrinterRecordStore::Delete(std::u16string_view name) {
  return key_ != nullptr && Fits(name) &&
         key_->DeleteValue(std::u16string(name)) == platform::kErrorSuccess;
}

}  // namespace kx::ui
