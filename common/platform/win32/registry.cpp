#include "platform/registry.h"

#include <algorithm>

#include "platform/win32_errors.h"
#include "windows_support.h"

namespace kx::platform {

namespace {

constexpr DWORD kMaxKeyNameLength = 255;

HKEY RootOf(Hive hive) {
  return hive == Hive::kLocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
}

class Win32RegistryKey final : public RegistryKey {
 public:
  explicit Win32RegistryKey(HKEY key) : key_(key) {}

  uint32_t QueryValue(const std::u16string& name, uint32_t* type, uint8_t* data,
                      uint32_t* size) const override {
    DWORD valueType = 0;
    DWORD valueSize = size != nullptr ? *size : 0;
    const LONG result = ::RegQueryValueExW(key_.get(), win32::Wide(name), nullptr, &valueType,
                                           data, size != nullptr ? &valueSize : nullptr);
    if (result == ERROR_SUCCESS || result == ERROR_MORE_DATA) {
      if (type != nullptr) *type = valueType;
      if (size != nullptr) *size = valueSize;
    }
    return static_cast<uint32_t>(result);
  }

  uint32_t SetValue(const std::u16string& name, uint32_t type, const uint8_t* data,
                    uint32_t size) override {
    // advapi32 would read through the null pointer (and report 998 where it can).
    if (data == nullptr && size != 0) return kErrorInvalidParameter;
    return static_cast<uint32_t>(
        ::RegSetValueExW(key_.get(), win32::Wide(name), 0, type, data, size));
  }

  uint32_t DeleteValue(const std::u16string& name) override {
    return static_cast<uint32_t>(::RegDeleteValueW(key_.get(), win32::Wide(name)));
  }

  uint32_t EnumValue(uint32_t index, RegistryValue* value) const override {
    if (value == nullptr) return kErrorInvalidParameter;
    DWORD maxName = 0;
    DWORD maxData = 0;
    LONG result = ::RegQueryInfoKeyW(key_.get(), nullptr, nullptr, nullptr, nullptr, nullptr,
                                     nullptr, nullptr, &maxName, &maxData, nullptr, nullptr);
    if (result != ERROR_SUCCESS) return static_cast<uint32_t>(result);
    std::u16string name(maxName + 1, u'\0');
    // Never empty: a null data pointer would only ask for the size.
    std::vector<uint8_t> data(std::max<DWORD>(maxData, 1));
    for (;;) {
      DWORD nameLength = static_cast<DWORD>(name.size());
      DWORD dataSize = static_cast<DWORD>(data.size());
      DWORD type = 0;
      result = ::RegEnumValueW(key_.get(), index, win32::Wide(name.data()), &nameLength,
                               nullptr, &type, data.data(), &dataSize);
      if (result == ERROR_MORE_DATA) {
        // The value grew since the sizes were read.
        name.resize(name.size() * 2);
        data.resize(std::max<size_t>(data.size() * 2, dataSize));
        continue;
      }
      if (result != ERROR_SUCCESS) return static_cast<uint32_t>(result);
      name.resize(nameLength);
      data.resize(dataSize);
      value->name = std::move(name);
      value->type = type;
      value->data = std::move(data);
      return kErrorSuccess;
    }
  }

  uint32_t EnumSubKey(uint32_t index, std::u16string* name) const override {
    if (name == nullptr) return kErrorInvalidParameter;
    char16_t buffer[kMaxKeyNameLength + 1];
    DWORD length = kMaxKeyNameLength + 1;
    const LONG result = ::RegEnumKeyExW(key_.get(), index, win32::Wide(buffer), &length,
                                        nullptr, nullptr, nullptr, nullptr);
    if (result != ERROR_SUCCESS) return static_cast<uint32_t>(result);
    name->assign(buffer, length);
    return kErrorSuccess;
  }

 private:
  win32::UniqueRegistryKey key_;
};

// Windows limits each key name to 255 characters; Wine does not check when creating.
bool HasOverlongName(const std::u16string& path) {
  size_t start = 0;
  for (;;) {
    const size_t end = path.find(u'\\', start);
    const size_t length = (end == std::u16string::npos ? path.size() : end) - start;
    if (length > kMaxKeyNameLength) return true;
    if (end == std::u16string::npos) return false;
    start = end + 1;
  }
}

}  // namespace

uint32_t OpenRegistryKey(Hive hive, const std::u16string& path,
                         std::unique_ptr<RegistryKey>* key) {
  if (key == nullptr) return kErrorInvalidParameter;
  HKEY opened = nullptr;
  LONG result =
      ::RegOpenKeyExW(RootOf(hive), win32::Wide(path), 0, KEY_READ | KEY_WRITE, &opened);
  if (result == ERROR_ACCESS_DENIED) {
    // Machine keys are usually read-only to the user; writing then fails by itself.
    result = ::RegOpenKeyExW(RootOf(hive), win32::Wide(path), 0, KEY_READ, &opened);
  }
  if (result != ERROR_SUCCESS) return static_cast<uint32_t>(result);
  *key = std::make_unique<Win32RegistryKey>(opened);
  return kErrorSuccess;
}

uint32_t CreateRegistryKey(Hive hive, const std::u16string& path,
                           std::unique_ptr<RegistryKey>* key, bool* created) {
  if (key == nullptr || HasOverlongName(path)) return kErrorInvalidParameter;
  HKEY opened = nullptr;
  DWORD disposition = 0;
  const LONG result =
      ::RegCreateKeyExW(RootOf(hive), win32::Wide(path), 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_READ | KEY_WRITE, nullptr, &opened, &disposition);
  if (result != ERROR_SUCCESS) return static_cast<uint32_t>(result);
  *key = std::make_unique<Win32RegistryKey>(opened);
  if (created != nullptr) *created = disposition == REG_CREATED_NEW_KEY;
  return kErrorSuccess;
}

uint32_t DeleteRegistryTree(Hive hive, const std::u16string& path) {
  // Never the whole hive.
  if (path.find_first_not_of(u'\\') == std::u16string::npos) return kErrorInvalidParameter;
  return static_cast<uint32_t>(::RegDeleteTreeW(RootOf(hive), win32::Wide(path)));
}

}  // namespace kx::platform
