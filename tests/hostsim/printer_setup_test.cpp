// Printer set-up through the UI plug-in's exported PrinterEvent, the printer sheet's host
// items, and a job rendered for a printer that was set up.
#include <gtest/gtest.h>

#include <cstring>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "hostsim/document_copier.h"
#include "hostsim/host_device.h"
#include "hostsim/host_items.h"
#include "hostsim/render_session.h"
#include "hostsim/ui_session.h"
#include "ui_session_fixture.h"
#include "hostsim/warning_log.h"
#include "platform/module.h"
#include "platform/registry.h"
#include "platform/spooler.h"
#include "platform/text.h"
#include "platform/win32_errors.h"
#include "ppd/ppd.h"
#include "settings/record.h"
#include "settings/record_text.h"
#include "support/installed_options.h"
#include "support/test_ppd.h"
#include "support/test_printer.h"

namespace kx::hostsim {
namespace {

using namespace host;
using namespace std::string_literals;

constexpr char16_t kPrinterName[] = u"Setup Printer";
constexpr char16_t kFeatureKeyword[] = u"FeatureKeyword";
constexpr char16_t kFeatureKeywordSize[] = u"FeatureKeywordSize";
constexpr char16_t kDevOpts[] = u"DevOpts";

using test::Bytes;
using test::InstallableGroup;
using test::PickOneFeature;
using test::StoredChoice;

template <typename Block>
std::vector<uint8_t> BytesOf(const Block& block) {
  const auto* bytes = reinterpret_cast<const uint8_t*>(&block);
  return std::vector<uint8_t>(bytes, bytes + sizeof(block));
}

// A device options block with the flags given and the community; every text else empty.
settings::DeviceOptions Block(std::initializer_list<size_t> flags, std::u16string_view community) {
  settings::DeviceOptions block{};
  for (const size_t flag : flags) block.installedOptions[flag] = 1;
  settings::StoreText(block.snmpCommunity, community);
  return block;
}

// Wine's SNMP manager library (mgmtapi) has stubs only, which end the process when they
// are called, so a test that lets the plug-in ask the printer cannot run there.
bool SnmpManagerIsAStub() {
#ifdef _WIN32
  const platform::ModuleHandle ntdll = platform::LoadModule("ntdll.dll", nullptr);
  const bool wine = ntdll != nullptr && platform::FindExport(ntdll, "wine_get_version") != nullptr;
  if (ntdll != nullptr) platform::UnloadModule(ntdll);
  return wine;
#else
  return false;
#endif
}

// One printer data value as the spooler gives it.
struct StoredValue {
  uint32_t status = 0;
  uint32_t type = 0;
  std::vector<uint8_t> bytes;
};

class PrinterSetupTest : public UiSessionFixture {
 protected:
  PrinterSetupTest() : UiSessionFixture(kPrinterName) {}
  void SetUp() override {
    OpenSession();
  }

  void UsePpd(const std::string& body) {
    printer_.SetPpd(test::WriteTestPpd(printer_.directory(), "setup.ppd", body));
  }
  void Store(const std::u16string& name, uint32_t type, const std::vector<uint8_t>& bytes) {
    ASSERT_EQ(platform::SetPrinterData(printer_.handle(), name, type, bytes.data(),
                                       static_cast<uint32_t>(bytes.size())),
              platform::kErrorSuccess);
  }
  StoredValue Read(const std::u16string& name) {
    StoredValue value;
    uint32_t needed = 0;
    value.status = platform::GetPrinterData(printer_.handle(), name, &value.type, nullptr, 0,
                                            &needed);
    if (value.status != platform::kErrorMoreData) return value;
    value.bytes.resize(needed);
    value.status = platform::GetPrinterData(printer_.handle(), name, &value.type,
                                            value.bytes.data(), needed, &needed);
    return value;
  }
  void ExpectFeatureKeyword(const std::string& expected) {
    const StoredValue keyword = Read(kFeatureKeyword);
    EXPECT_EQ(keyword.status, platform::kErrorSuccess);
    EXPECT_EQ(keyword.type, platform::kRegBinary);
    EXPECT_EQ(std::string(keyword.bytes.begin(), keyword.bytes.end()), expected);
    const StoredValue size = Read(kFeatureKeywordSize);
    EXPECT_EQ(size.status, platform::kErrorSuccess);
    EXPECT_EQ(size.type, platform::kRegDword);
    ASSERT_EQ(size.bytes.size(), sizeof(uint32_t));
    uint32_t recorded = 0;
    std::memcpy(&recorded, size.bytes.data(), sizeof(recorded));
    EXPECT_EQ(recorded, expected.size());
  }
  HRESULT Initialise() { return session_->PrinterEvent(PRINTER_EVENT_INITIALIZE); }

};

const std::string kStoredChoices =
    "OptionalDisk\0False\0Optionalduplexer\0False\0OptionalBin2\0True\0"
    "OptionalMemory\0" "256MB\0"s;

// Without stored device options the PPD's defaults decide, whichever way round the PPD
// lists its options; the printer is asked (community "kestra", the address of its port)
// but does not answer.
TEST_F(PrinterSetupTest, InitialiseStoresDefaultsFromThePpdAndRewritesTheChoices) {
  if (SnmpManagerIsAStub()) GTEST_SKIP() << "the default block's community makes the plug-in ask";
  for (const bool trueFirst : {false, true}) {
    SCOPED_TRACE(trueFirst ? "True listed first" : "False listed first");
    const std::vector<std::string> options =
        trueFirst ? std::vector<std::string>{"True/Installed", "False/Not Installed"}
                  : std::vector<std::string>{"False/Not Installed", "True/Installed"};
    UsePpd(InstallableGroup(PickOneFeature("OptionalDisk/Hard Disk", "True", options) +
                       PickOneFeature("Optionalduplexer/Duplex Unit", "True", options) +
                       PickOneFeature("OptionalBin2/Tray 4", "False", options) +
                       PickOneFeature("Optionalenvelope/Envelope Feeder", "True", options)));
    Store(kFeatureKeyword, platform::kRegBinary, Bytes(kStoredChoices));
    Store(kDevOpts, platform::kRegBinary, Bytes("too short"));  // not a block: not taken

    EXPECT_EQ(Initialise(), S_OK);

    const StoredValue devOpts = Read(kDevOpts);
    EXPECT_EQ(devOpts.status, platform::kErrorSuccess);
    EXPECT_EQ(devOpts.type, platform::kRegBinary);
    EXPECT_EQ(devOpts.bytes, BytesOf(Block({0, 1}, u"kestra")));
    ExpectFeatureKeyword(StoredChoice("OptionalDisk", "True") + StoredChoice("Optionalduplexer", "True") +
                         StoredChoice("OptionalBin2", "False") + StoredChoice("OptionalMemory", "256MB") +
                         "\0\0"s);
  }
}

// The stored block decides and is kept. The host's choices of all fifteen installable
// features of the sample PPD are longer than a fixed buffer of a few hundred bytes.
TEST_F(PrinterSetupTest, StoredDeviceOptionsDecideAndAreKept) {
  struct Row {
    const char* feature;
    const char* stored;
    const char* expected;
  };
  const Row rows[] = {
      {"OptionalDisk", "False", "True"},       {"Optionalduplexer", "True", "False"},
      {"OptionalBin1", "False", "True"},       {"OptionalBin2", "True", "False"},
      {"OptionalBin3", "False", "True"},       {"OptionalBin4", "False", "False"},
      {"OptionalBin5", "False", "True"},       {"Optionalfeeder", "True", "False"},
      {"Optionalenvelope", "False", "True"},   {"Optionalstacker", "False", "False"},
      {"Optionalfinisher", "False", "True"},   {"OptionalMailbox", "False", "False"},
      {"Optionalmultires", "False", "True"},   {"OptionalMemory", "None", "None"},
      {"InstalledMemory", "512MB", "False"},
  };
  settings::DeviceOptions stored = Block({0, 2, 4, 6, 8, 10, 12}, u"");  // nobody is asked
  settings::StoreText(stored.hostName, u"DESK-7");
  Store(kDevOpts, platform::kRegBinary, BytesOf(stored));
  std::string choices;
  std::string expected;
  for (const Row& row : rows) {
    choices += std::string(row.feature) + '\0' + row.stored + '\0';
    expected += StoredChoice(row.feature, row.expected);
  }
  ASSERT_GT(choices.size(), 300u);
  Store(kFeatureKeyword, platform::kRegBinary, Bytes(choices));

  EXPECT_EQ(Initialise(), S_OK);

  EXPECT_EQ(Read(kDevOpts).bytes, BytesOf(stored));
  ExpectFeatureKeyword(expected + "\0\0"s);
}

TEST_F(PrinterSetupTest, WithoutStoredChoicesNothingIsWritten) {
  struct Case {
    const char* what;
    bool storeChoices;  // an empty FeatureKeyword
  };
  for (const Case c : {Case{"no FeatureKeyword", false}, Case{"an empty FeatureKeyword", true}}) {
    SCOPED_TRACE(c.what);
    if (c.storeChoices) Store(kFeatureKeyword, platform::kRegBinary, {});
    EXPECT_EQ(Initialise(), S_OK);
    EXPECT_EQ(Read(kDevOpts).status, platform::kErrorFileNotFound);
    EXPECT_EQ(Read(kFeatureKeywordSize).status, platform::kErrorFileNotFound);
  }
  // A stored block is not touched either.
  Store(kDevOpts, platform::kRegBinary, Bytes("short"));
  EXPECT_EQ(Initialise(), S_OK);
  EXPECT_EQ(Read(kDevOpts).bytes, Bytes("short"));
}

TEST_F(PrinterSetupTest, OtherEventsAndUnknownPrintersDoNothing) {
  Store(kFeatureKeyword, platform::kRegBinary, Bytes(kStoredChoices));
  for (const INT event : {PRINTER_EVENT_ADD_CONNECTION, PRINTER_EVENT_DELETE_CONNECTION,
                          PRINTER_EVENT_DELETE, 0, 99}) {
    SCOPED_TRACE(event);
    EXPECT_EQ(session_->PrinterEvent(event), S_OK);
  }
  EXPECT_EQ(session_->plugin()->PrinterEvent(nullptr, PRINTER_EVENT_INITIALIZE, 0, 0), S_OK);
  std::u16string unknown = u"No Such Printer";
  EXPECT_EQ(session_->plugin()->PrinterEvent(unknown.data(), PRINTER_EVENT_INITIALIZE, 0, 0), S_OK);

  EXPECT_EQ(Read(kFeatureKeyword).bytes, Bytes(kStoredChoices));
  EXPECT_EQ(Read(kDevOpts).status, platform::kErrorFileNotFound);
  EXPECT_EQ(Read(kFeatureKeywordSize).status, platform::kErrorFileNotFound);
}

// ---- The printer sheet's host items ----

class PrinterItemsTest : public PrinterSetupTest {
 protected:
  void SetUp() override {
    PrinterSetupTest::SetUp();
    image_ = ppd::PpdOpen(platform::Utf8ToUtf16(KX48T7_SAMPLE_PPD).c_str());
    ASSERT_NE(image_, nullptr);
  }
  void TearDown() override {
    if (image_ != nullptr) ppd::PpdClose(image_);
  }
  const ppd::PpdImage* image_ = nullptr;
};

TEST_F(PrinterItemsTest, TheTableOptionsAreHiddenTheMemoryIsNot) {
  HostItems items(image_, HostItems::Tree::Printer);
  ASSERT_EQ(session_->CommonUIProp(OEMCUIP_PRNPROP, &items), S_OK);
  std::vector<std::u16string> shown;
  size_t hidden = 0;
  for (const OPTITEM& item : items.SectionFromEnd(0)) {
    if ((item.Flags & OPTIF_HIDE) != 0) {
      ++hidden;
    } else {
      shown.push_back(HostItems::Name(item));
    }
  }
  EXPECT_EQ(hidden, 13u);
  EXPECT_EQ(shown, (std::vector<std::u16string>{u"Memory Expansion", u"Total Printer Memory"}));
  EXPECT_EQ(items.Find(u"Installable Options")->Flags & OPTIF_HIDE, 0u);
}

TEST_F(PrinterItemsTest, WithoutPpdNothingIsHiddenButTheCallbackIsInstalled) {
  printer_.SetPpd(printer_.directory() + "/missing.ppd");
  HostItems items(image_, HostItems::Tree::Printer);
  ASSERT_EQ(session_->CommonUIProp(OEMCUIP_PRNPROP, &items), S_OK);
  for (const OPTITEM& item : items.items()) EXPECT_EQ(item.Flags & OPTIF_HIDE, 0u);
  EXPECT_TRUE(session_->ItemsCallback(SheetKind::Printer, CPSUICB_REASON_SETACTIVE).installed);
}

TEST_F(PrinterItemsTest, TheCallbackAppliesAndRefreshes) {
  HostItems items(image_, HostItems::Tree::Printer);
  ASSERT_EQ(session_->CommonUIProp(OEMCUIP_PRNPROP, &items), S_OK);
  struct Case {
    WORD reason;
    LONG action;
    ULONG_PTR result;
  };
  const Case cases[] = {
      {CPSUICB_REASON_APPLYNOW, CPSUICB_ACTION_ITEMS_APPLIED, static_cast<ULONG_PTR>(CPSUI_OK)},
      {CPSUICB_REASON_SETACTIVE, CPSUICB_ACTION_OPTIF_CHANGED, UISession::kUntouchedResult},
      {CPSUICB_REASON_SEL_CHANGED, CPSUICB_ACTION_NONE, UISession::kUntouchedResult},
      {CPSUICB_REASON_KILLACTIVE, CPSUICB_ACTION_NONE, UISession::kUntouchedResult},
      {CPSUICB_REASON_PUSHBUTTON, CPSUICB_ACTION_NONE, UISession::kUntouchedResult},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.reason);
    const UISession::ItemsCallbackAnswer answer =
        session_->ItemsCallback(SheetKind::Printer, c.reason);
    ASSERT_TRUE(answer.installed);
    EXPECT_EQ(answer.action, c.action);
    EXPECT_EQ(answer.result, c.result);
  }
}

// ---- A job for a printer that was set up ----

TEST_F(PrinterSetupTest, AJobForThePrinterCarriesTheStoredAccountingLines) {
  settings::DeviceOptions stored = Block({0}, u"");
  settings::StoreText(stored.userName, u"kim");
  std::strcpy(stored.userNameUtf8, "kim");
  settings::StoreText(stored.hostName, u"DESK-7");
  std::strcpy(stored.hostNameUtf8, "DESK-7");
  settings::StoreText(stored.chargeNumber, u"0042");
  std::strcpy(stored.chargeNumberUtf8, "0042");
  Store(kDevOpts, platform::kRegBinary, BytesOf(stored));
  Store(kFeatureKeyword, platform::kRegBinary, Bytes(kStoredChoices));
  ASSERT_EQ(Initialise(), S_OK);
  ASSERT_EQ(Read(kDevOpts).bytes, BytesOf(stored));

#ifdef _WIN32
  WarningLog warnings;  // answers the rendering plug-in's message boxes, if any
#endif
  std::string error;
  auto psModule = PluginModule::Load(KX48T7PS_MODULE_PATH, &error);
  ASSERT_NE(psModule, nullptr) << error;
  auto render = RenderSession::Create(*psModule, &error);
  ASSERT_NE(render, nullptr) << error;
  std::string job;
  {
    HostDevice device(*render, printer_.handle(), DeviceModeSettings{});
    ASSERT_TRUE(device.PrepareRecord(nullptr, &error)) << error;
    ASSERT_TRUE(device.Enable(&error)) << error;
    ASSERT_TRUE(CopyDocument(device, SampleDocument(1), &error)) << error;
    job = device.spool().bytes;
  }
  const size_t user = job.find("@PJL SET USERNAME = \"kim\"\r\n");
  const size_t host = job.find("@PJL SET HOST = \"DESK-7\"\r\n");
  const size_t charge = job.find("@PJL SET CHARGENUMBER = \"0042\"\r\n");
  ASSERT_NE(user, std::string::npos) << job.substr(0, 300);
  ASSERT_NE(host, std::string::npos) << job.substr(0, 300);
  ASSERT_NE(charge, std::string::npos) << job.substr(0, 300);
  EXPECT_LT(user, host);
  EXPECT_LT(host, charge);
  EXPECT_LT(charge, job.find("%!PS"));
}

}  // namespace
}  // namespace kx::hostsim
