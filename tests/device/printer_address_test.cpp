// The printer address lookup against the platform registry: the printer's port, then the
// port monitors' entries for it, in a temporary machine hive.
#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "device/printer_address.h"
#include "platform/printer_setup.h"
#include "platform/registry.h"
#include "platform/text.h"
#include "platform/win32_errors.h"
#include "support/temp_store.h"

namespace kx::device {
namespace {

using platform::Hive;

constexpr char16_t kMonitors[] = u"System\\CurrentControlSet\\Control\\Print\\Monitors\\";

// A value written as it is, so that values without a terminator and of other types can
// be stored too.
struct RawValue {
  std::u16string key;  // below the machine hive
  std::u16string name;
  uint32_t type;
  std::vector<uint8_t> data;
};

std::vector<uint8_t> StringBytes(const std::u16string& text, bool terminated = true) {
  const size_t units = text.size() + (terminated ? 1 : 0);
  const auto* bytes = reinterpret_cast<const uint8_t*>(text.c_str());
  return std::vector<uint8_t>(bytes, bytes + units * sizeof(char16_t));
}

RawValue MonitorValue(const std::u16string& monitor, const std::u16string& port,
                      const std::u16string& name, const std::u16string& text) {
  return {kMonitors + monitor + u"\\Ports\\" + port, name, platform::kRegSz, StringBytes(text)};
}

struct LookupCase {
  const char* what;
  std::optional<std::u16string> port;  // none: the printer is not installed
  std::vector<RawValue> values;
  std::u16string expected;
};

class PrinterAddressTest : public ::testing::Test {
 protected:
  void Install(const std::u16string& port) {
    platform::PrinterSetup setup;
    setup.name = u"Printer";
    setup.portName = port;
    ASSERT_TRUE(platform::InstallPrinter(setup));
  }
  void Store(const RawValue& value) {
    std::unique_ptr<platform::RegistryKey> key;
    ASSERT_EQ(platform::CreateRegistryKey(Hive::kLocalMachine, value.key, &key, nullptr),
              platform::kErrorSuccess);
    ASSERT_EQ(key->SetValue(value.name, value.type, value.data.data(),
                            static_cast<uint32_t>(value.data.size())),
              platform::kErrorSuccess);
  }

  test::TempStore store_;
};

TEST_F(PrinterAddressTest, PortAndMonitors) {
  const std::u16string name30(30, u'p');  // 62 bytes with the terminator
  const std::u16string name31(31, u'p');  // 64 bytes
  const std::u16string address31 = u"10.0.0.5" + std::u16string(23, u' ');
  const LookupCase cases[] = {
      {"the standard TCP/IP monitor's address", u"IP_10.0.0.5",
       {MonitorValue(u"Standard TCP/IP Port", u"IP_10.0.0.5", u"IPAddress", u"10.0.0.5")},
       u"10.0.0.5"},
      {"a port named by its address without monitor entry is its own address", u"10.0.0.9",
       {}, u"10.0.0.9"},
      {"a local port without monitor entry has no address", u"LPT1:", {}, u""},
      {"a port name of 62 bytes is read", name30, {}, name30},
      {"a port name needing more than 62 bytes gives nothing", name31,
       {MonitorValue(u"Standard TCP/IP Port", name31, u"IPAddress", u"10.0.0.5")}, u""},
      {"a printer that is not installed gives nothing", std::nullopt, {}, u""},
      {"monitors are asked in order: the second one's address", u"P1",
       {MonitorValue(u"LPR Port", u"P1", u"Server Name", u"10.9.9.9"),
        MonitorValue(u"ZELT Port", u"P1", u"IPAddress", u"10.2.2.2")},
       u"10.2.2.2"},
      {"an empty address passes to the next monitor", u"P1",
       {MonitorValue(u"Standard TCP/IP Port", u"P1", u"IPAddress", u""),
        MonitorValue(u"Marrow Port", u"P1", u"IPAddress", u"10.3.3.3")},
       u"10.3.3.3"},
      {"the LPR monitor keeps the host as \"Server Name\", beside the queue's name", u"P1",
       {MonitorValue(u"LPR Port", u"P1", u"IPAddress", u"10.8.8.8"),
        MonitorValue(u"LPR Port", u"P1", u"Printer Name", u"lp"),
        MonitorValue(u"LPR Port", u"P1", u"Server Name", u"10.4.4.4")},
       u"10.4.4.4"},
      {"the LPR queue's name is no address", u"10.6.6.6:lp",
       {MonitorValue(u"LPR Port", u"10.6.6.6:lp", u"Printer Name", u"lp")}, u""},
      {"an address needing more than 62 bytes passes to the next monitor", u"P1",
       {MonitorValue(u"Standard TCP/IP Port", u"P1", u"IPAddress", address31 + u"x"),
        MonitorValue(u"LPR Port", u"P1", u"Server Name", u"10.5.5.5")},
       u"10.5.5.5"},
      {"an address of 62 bytes without terminator is read up to its end", u"P1",
       {{kMonitors + std::u16string(u"Standard TCP/IP Port\\Ports\\P1"), u"IPAddress",
         platform::kRegSz, StringBytes(address31, false)}},
       address31},
      {"an address that is not a string passes to the next monitor", u"P1",
       {{kMonitors + std::u16string(u"Standard TCP/IP Port\\Ports\\P1"), u"IPAddress",
         platform::kRegDword, {10, 0, 0, 7}}},
       u"P1"},
  };
  for (const LookupCase& c : cases) {
    SCOPED_TRACE(c.what);
    test::TempStore store;  // a fresh machine hive for each case
    if (c.port) Install(*c.port);
    for (const RawValue& value : c.values) Store(value);
    EXPECT_EQ(platform::Utf16ToUtf8(LookUpPrinterAddress(u"Printer")),
              platform::Utf16ToUtf8(c.expected));
  }
}

// A port without monitor entry is its own address only when it names a host; the
// spooler's local ports give no address, so they are never asked of a resolver.
TEST_F(PrinterAddressTest, PortNamesThatAreAddresses) {
  struct Case {
    std::u16string port;
    bool isAddress;
  };
  const Case cases[] = {
      {u"10.0.0.5", true},
      {u"10.0.0.5:161", true},
      {u"printer-3.example.com", true},
      {u"kx48t7:1161", true},
      {u"localhost", true},
      {u"LPT1:", false},
      {u"COM2:", false},
      {u"com3", false},
      {u"USB001", false},
      {u"TS002", false},
      {u"FILE:", false},
      {u"nul:", false},
      {u"NUL", false},
      {u"WSD-3a1c9e0b-77d2-4c1e", false},
      {u"PORTPROMPT:", false},
      {u"XPSPort:", false},
      {u"SHRFAX:", false},
      {u"IP_10.0.0.5", false},  // a monitor's port without its entry
      {u"\\\\server\\queue", false},
      {u"Office printer", false},
      {u"10.0.0.5:", false},
      {u"10.0.0.5:0", false},
      {u"10.0.0.5:65536", false},
      {u"10.0.0.5:161:1", false},
      {u"-printer", false},
      {u"printer.", false},
      {u"printer..example", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(platform::Utf16ToUtf8(c.port));
    EXPECT_EQ(PortNameIsAddress(c.port), c.isAddress);
    test::TempStore store;
    Install(c.port);
    EXPECT_EQ(platform::Utf16ToUtf8(LookUpPrinterAddress(u"Printer")),
              c.isAddress ? platform::Utf16ToUtf8(c.port) : "");
  }
}

TEST_F(PrinterAddressTest, PrinterWithoutPortValue) {
  std::unique_ptr<platform::RegistryKey> key;
  ASSERT_EQ(platform::CreateRegistryKey(
                Hive::kLocalMachine, u"System\\CurrentControlSet\\Control\\Print\\Printers\\Bare",
                &key, nullptr),
            platform::kErrorSuccess);
  EXPECT_EQ(LookUpPrinterAddress(u"Bare"), u"");
}

}  // namespace
}  // namespace kx::device
