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

constexpr uint32_t kHighestPort = 65535;
constexpr size_t kLongestPortNumber = 5;

// The local device ports that are named by their kind and a number, and the DOS device
// names, which could otherwise pass for host names.
constexpr std::u16string_view kNumberedDevicePorts[] = {u"LPT", u"COM", u"USB", u"TS"};
constexpr std::u16string_view kDeviceNames[] = {u"NUL", u"CON", u"PRN", u"AUX"};
constexpr std::u16string_view kWsdPortPrefix = u"WSD-";

bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }
bool IsLetter(char16_t c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); }
char16_t ToUpper(char16_t c) { return c >= u'a' && c <= u'z' ? char16_t(c - u'a' + u'A') : c; }

bool StartsWithIgnoringCase(std::u16string_view text, std::u16string_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (size_t i = 0; i < prefix.size(); ++i) {
    if (ToUpper(text[i]) != prefix[i]) return false;
  }
  return true;
}

bool AllDigits(std::u16string_view text) {
  return !text.empty() && std::all_of(text.begin(), text.end(), IsDigit);
}

// A port number 1 to 65535.
bool IsPortNumber(std::u16string_view text) {
  if (!AllDigits(text) || text.size() > kLongestPortNumber) return false;
  uint32_t number = 0;
  for (char16_t c : text) number = number * 10 + static_cast<uint32_t>(c - u'0');
  return number >= 1 && number <= kHighestPort;
}

// One label of a host name: letters, digits and '-', not at either end.
bool IsHostLabel(std::u16string_view label) {
  if (label.empty() || label.front() == u'-' || label.back() == u'-') return false;
  return std::all_of(label.begin(), label.end(),
                     [](char16_t c) { return IsLetter(c) || IsDigit(c) || c == u'-'; });
}

bool IsHostName(std::u16string_view host) {
  for (;;) {
    const size_t dot = host.find(u'.');
    if (!IsHostLabel(host.substr(0, dot))) return false;
    if (dot == std::u16string_view::npos) return true;
    host.remove_prefix(dot + 1);
  }
}

bool IsLocalDeviceName(std::u16string_view host) {
  if (StartsWithIgnoringCase(host, kWsdPortPrefix)) return true;
  for (std::u16string_view name : kDeviceNames) {
    if (host.size() == name.size() && StartsWithIgnoringCase(host, name)) return true;
  }
  for (std::u16string_view kind : kNumberedDevicePorts) {
    if (StartsWithIgnoringCase(host, kind) && AllDigits(host.substr(kind.size()))) return true;
  }
  return false;
}

}  // namespace

bool PortNameIsAddress(std::u16string_view portName) {
  std::u16string_view host = portName;
  const size_t colon = portName.find(u':');
  if (colon != std::u16string_view::npos) {
    // Whatever follows the colon must be a port: "LPT1:" and "FILE:" end there.
    if (!IsPortNumber(portName.substr(colon + 1))) return false;
    host = portName.substr(0, colon);
  }
  return IsHostName(host) && !IsLocalDeviceName(host);
}

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
  if (!PortNameIsAddress(port)) return std::u16string();
  return port;
}

}  // namespace kx::device
