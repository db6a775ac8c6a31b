#include "device/printer_address.h"

#include <algorithm>
#include <memory>

#include "platform/registry.h"
#include "platform/win32_errors.h"

namespace kx::device {

namespace {

constexpr char16_t kPrintersKey[] = u"System\\CurrentControlSet\\Control\\Print\\Printers\\";
constexpr char16_t kMonitorsKey[] = u"System\\CurrentControlSet\\Control\\Print\\Monitors\\";
constexpr char16_t kPortsSubKey[] = u"\\Ports\\";
constexpr char16_t kPortValue[] = u"Port";
constexpr uint32_t kRegExpandSz = 2;

// A string value of at most kLookupValueBytes bytes, its terminator included. The text
// ends at its first NUL or at the end of what was read, whichever comes first, so a value
// stored without a terminator is still bounded.
bool ReadBoundedString(platform::Hive hive, const std::u16string& path, const char16_t* valueName,
                       std::u16string* text) {
  std::unique_ptr<platform::RegistryKey> key;
  if (platform::OpenRegistryKey(hive, path, &key) != platform::kErrorSuccess) return false;
  char16_t buffer[kLookupValueBytes / sizeof(char16_t)] = {};
  uint32_t type = 0;
  uint32_t size = kLookupValueBytes;
  if (key->QueryValue(valueName, &type, reinterpret_cast<uint8_t*>(buffer), &size) !=
      platform::kErrorSuccess) {
    return false;
  }
  if (type != platform::kRegSz && type != kRegExpandSz) return false;
  size_t length = 0;
  const size_t units = std::min<size_t>(size, kLookupValueBytes) / sizeof(char16_t);
  while (length < units && buffer[length] != u'\0') ++length;
  text->assign(buffer, length);
  return true;
}

}  // namespace

std::u16string LookUpPrinterAddress(const std::u16string& printerName) {
  constexpr platform::Hive kMachine = platform::Hive::kLocalMachine;
  std::u16string port;
  if (!ReadBoundedString(kMachine, kPrintersKey + printerName, kPortValue, &port)) {
    return std::u16string();
  }
  for (const PortMonitor& monitor : kPortMonitors) {
    std::u16string address;
    if (ReadBoundedString(kMachine,
                          kMonitorsKey + std::u16string(monitor.name) + kPortsSubKey + port,
                          monitor.addressValue, &address) &&
        !address.empty()) {
      return address;
    }
  }
  return port;
}

}  // namespace kx::device
