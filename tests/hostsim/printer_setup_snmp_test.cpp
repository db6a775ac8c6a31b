// Printer set-up through the exported PrinterEvent with the printer answering over SNMP:
// snmpd on loopback serves the objects of the printer's scalar query.
#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "device/snmp_agent.h"
#include "hostsim/ui_session.h"
#include "ui_session_fixture.h"
#include "platform/printer_setup.h"
#include "platform/registry.h"
#include "platform/spooler.h"
#include "platform/text.h"
#include "platform/win32_errors.h"
#include "settings/record.h"
#include "settings/record_text.h"
#include "support/installed_options.h"
#include "support/test_printer.h"

namespace kx::hostsim {
namespace {

using namespace host;
using namespace std::string_literals;
using test::AgentObject;
using test::Bytes;
using test::Flags;
using test::FlagsOf;
using test::StoredChoice;

constexpr char16_t kPrinterName[] = u"Answering Printer";

// The objects whose answers decide installed options (the query's rows 2-5 and 7-9).
constexpr char kHardDisk[] = ".1.3.6.1.2.1.25.2.3.1.4.2";
constexpr char kMultiResolution[] = ".1.3.6.1.4.1.480.1.1.1011.0";
constexpr char kDuplexer[] = ".1.3.6.1.2.1.43.13.4.1.2.1.2";
constexpr char kFinisher[] = ".1.3.6.1.4.1.480.1.304.1015.0";
constexpr char kTray1[] = ".1.3.6.1.2.1.43.8.2.1.2.1.3";
constexpr char kTray2[] = ".1.3.6.1.2.1.43.8.2.1.2.1.4";
constexpr char kFeeder[] = ".1.3.6.1.2.1.43.8.2.1.2.1.5";

constexpr size_t kScalarRows = 11;

const std::string kStoredChoices = "OptionalDisk\0False\0Optionalmultires\0False\0"s;

class PrinterSetupSnmpTest : public UiSessionFixture {
 protected:
  PrinterSetupSnmpTest() : UiSessionFixture(kPrinterName) {}
  void SetUp() override {
    OpenSession();
  }

  // Stores the block (community "kestra", the address given) and the host's choices,
  // then sets the printer up.
  void SetUpPrinter(const test::FlagList& flags, const std::u16string& address) {
    settings::DeviceOptions stored{};
    std::copy(flags.begin(), flags.end(), stored.installedOptions);
    settings::StoreText(stored.snmpCommunity, u"kestra");
    settings::StoreText(stored.printerAddress, address);
    Store(u"DevOpts", reinterpret_cast<const uint8_t*>(&stored), sizeof(stored));
    const std::vector<uint8_t> choices = Bytes(kStoredChoices);
    Store(u"FeatureKeyword", choices.data(), static_cast<uint32_t>(choices.size()));
    ASSERT_EQ(session_->PrinterEvent(PRINTER_EVENT_INITIALIZE), S_OK);
  }
  void Store(const std::u16string& name, const uint8_t* bytes, uint32_t size) {
    ASSERT_EQ(platform::SetPrinterData(printer_.handle(), name, platform::kRegBinary, bytes, size),
              platform::kErrorSuccess);
  }
  settings::DeviceOptions StoredBlock() {
    settings::DeviceOptions block{};
    uint32_t type = 0;
    uint32_t needed = 0;
    EXPECT_EQ(platform::GetPrinterData(printer_.handle(), u"DevOpts", &type,
                                       reinterpret_cast<uint8_t*>(&block), sizeof(block), &needed),
              platform::kErrorSuccess);
    EXPECT_EQ(needed, sizeof(block));
    return block;
  }
  std::string StoredChoices() {
    std::vector<uint8_t> bytes(1024);
    uint32_t type = 0;
    uint32_t needed = 0;
    EXPECT_EQ(platform::GetPrinterData(printer_.handle(), u"FeatureKeyword", &type, bytes.data(),
                                       static_cast<uint32_t>(bytes.size()), &needed),
              platform::kErrorSuccess);
    return std::string(bytes.begin(), bytes.begin() + needed);
  }

};

TEST_F(PrinterSetupSnmpTest, AnsweredRowsDecideTheirOptions) {
  struct Case {
    const char* what;
    std::vector<AgentObject> objects;
    test::FlagList stored;
    test::FlagList expected;
    std::string choices;  // FeatureKeyword afterwards
  };
  const Case cases[] = {
      {"multiple resolution answered 1, nothing else: every decided flag clears, the "
       "others (tray 3, envelope feeder) keep theirs",
       {{kMultiResolution, "integer", "1"}, {kHardDisk, "string", "4096"}},
       Flags({0, 1, 2, 3, 4, 7, 8, 10, 12}),
       Flags({4, 8}),
       StoredChoice("OptionalDisk", "False") + StoredChoice("Optionalmultires", "False") + "\0\0"s},
      {"multiple resolution answered 2 and every other deciding row answered, 0 included",
       {{kMultiResolution, "integer", "2"},
        {kHardDisk, "integer", "4096"},
        {kDuplexer, "integer", "0"},
        {kFinisher, "integer", "1"},
        {kTray1, "integer", "4"},
        {kTray2, "integer", "4"},
        {kFeeder, "integer", "0"}},
       Flags({}),
       Flags({0, 1, 2, 3, 7, 10, 12}),
       StoredChoice("OptionalDisk", "True") + StoredChoice("Optionalmultires", "True") + "\0\0"s},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    test::SnmpAgent agent(c.objects, "kestra");
    ASSERT_TRUE(agent.running());
    SetUpPrinter(c.stored, platform::Utf8ToUtf16(agent.address()));
    EXPECT_EQ(agent.Requests().size(), kScalarRows);
    EXPECT_EQ(FlagsOf(StoredBlock()), c.expected);
    EXPECT_EQ(StoredChoices(), c.choices);
  }
}

// snmpd does not answer a request with another community: the query fails and the
// stored flags stay as they were.
TEST_F(PrinterSetupSnmpTest, APrinterThatDoesNotAnswerLeavesTheFlags) {
  test::SnmpAgent agent({{kMultiResolution, "integer", "2"}}, "public");
  ASSERT_TRUE(agent.running());
  SetUpPrinter(Flags({0, 12}), platform::Utf8ToUtf16(agent.address()));
  EXPECT_EQ(FlagsOf(StoredBlock()), Flags({0, 12}));
  EXPECT_EQ(StoredChoices(),
            StoredChoice("OptionalDisk", "True") + StoredChoice("Optionalmultires", "True") + "\0\0"s);
}

// Without an address of its own the printer is asked at the address its port
// configuration gives, which the spooler keeps under the printer's name (the driver's
// name would find nothing).
TEST_F(PrinterSetupSnmpTest, AnEmptyAddressIsLookedUpByThePrintersName) {
  test::SnmpAgent agent({{kMultiResolution, "integer", "3"}, {kHardDisk, "integer", "1"}},
                        "kestra");
  ASSERT_TRUE(agent.running());
  platform::PrinterSetup setup;
  setup.name = kPrinterName;
  setup.dataFile = platform::Utf8ToUtf16(KX48T7_SAMPLE_PPD);
  setup.portName = u"IP_kx";
  ASSERT_TRUE(platform::InstallPrinter(setup));
  std::unique_ptr<platform::RegistryKey> port;
  ASSERT_EQ(platform::CreateRegistryKey(
                platform::Hive::kLocalMachine,
                u"System\\CurrentControlSet\\Control\\Print\\Monitors\\Standard TCP/IP Port\\"
                u"Ports\\IP_kx",
                &port, nullptr),
            platform::kErrorSuccess);
  const std::u16string address = platform::Utf8ToUtf16(agent.address());
  ASSERT_EQ(port->SetValue(u"IPAddress", platform::kRegSz,
                           reinterpret_cast<const uint8_t*>(address.c_str()),
                           static_cast<uint32_t>((address.size() + 1) * sizeof(char16_t))),
            platform::kErrorSuccess);

  SetUpPrinter(Flags({}), u"");

  EXPECT_EQ(agent.Requests().size(), kScalarRows);
  EXPECT_EQ(FlagsOf(StoredBlock()), Flags({0, 12}));
  // The looked-up address is not stored: the block goes on following the port.
  EXPECT_TRUE(settings::FieldText(StoredBlock().printerAddress).empty());
}

}  // namespace
}  // namespace kx::hostsim
