// The printer sheet's pages against the system's snmpd on loopback. Each page's part has
// its own section; the printer's port is named by the agent's address, which is where
// the pages find it.

// ---------------------------------------------------------------------------------------
// The device settings page: the options a printer answering over SNMP has.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "device/device_settings_page.h"
#include "device/device_settings_state.h"
#include "device/snmp_agent.h"
#include "hostsim/host_sheet.h"
#include "installable_options.h"
#include "page_set.h"
#include "platform/printer_setup.h"
#include "platform/text.h"
#include "ppd/ppd.h"
#include "settings/record.h"
#include "settings/record_ops.h"
#include "settings/record_text.h"
#include "support/code_pages.h"
#include "support/test_printer.h"

namespace kx::ui::device_settings_snmp {
namespace {

using Names = std::vector<std::u16string>;

// The objects the printer answers for a hard disk and for optional tray 2.
constexpr char kHardDiskObject[] = ".1.3.6.1.2.1.25.2.3.1.4.2";
constexpr char kTray2Object[] = ".1.3.6.1.2.1.43.8.2.1.2.1.4";
constexpr char kTray1Object[] = ".1.3.6.1.2.1.43.8.2.1.2.1.3";

class DeviceSettingsSnmpTest : public ::testing::Test {
 protected:
  void SetUp() override {
    image_ = ppd::PpdOpen(platform::Utf8ToUtf16(KX48T7_SAMPLE_PPD).c_str());
    ASSERT_NE(image_, nullptr);
    settings::DeviceOptions stored{};
    stored.installedOptions[kOptionalTray1Flag] = 1;  // the answer decides otherwise
    settings::StoreText(stored.snmpCommunity, u"kestra");
    ASSERT_EQ(settings::WriteStoredDeviceOptions(printer_.handle(), stored), 0u);
  }
  void TearDown() override {
    sheet_.reset();
    if (image_ != nullptr) ppd::PpdClose(image_);
  }

  // The printer's port, named by the address it answers at.
  void MovePort(const std::string& address) {
    platform::PrinterSetup setup;
    setup.name = printerName_;
    setup.portName = platform::Utf8ToUtf16(address);
    ASSERT_TRUE(platform::InstallPrinter(setup));
  }

  void Open() {
    param_.cbSize = sizeof(param_);
    param_.hPrinter = printer_.handle();
    param_.pPrinterName = printerName_.data();
    context_.commonUi = &param_;
    context_.ppd = image_;
    std::string error;
    sheet_ = hostsim::HostSheet::CreateWithPage(DeviceSettingsPageSpec(),
                                                DeviceSettingsPageProcedure,
                                                reinterpret_cast<host::LPARAM>(&context_), &error);
    ASSERT_NE(sheet_, nullptr) << error;
    sheet_->SetActive(0);
  }

  // The installed flags as leaving the page stores them.
  std::vector<uint8_t> StoredFlags() {
    sheet_->KillActive(0);
    settings::DeviceOptions stored{};
    EXPECT_TRUE(settings::ReadStoredDeviceOptions(printer_.handle(), &stored));
    return std::vector<uint8_t>(std::begin(stored.installedOptions),
                                std::end(stored.installedOptions));
  }

  test::SystemCodePages codePages_{nullptr, nullptr};  // 949, on POSIX systems always
  std::u16string printerName_ = u"Device Settings over SNMP";
  test::TestPrinter printer_{printerName_};
  const ppd::PpdImage* image_ = nullptr;
  host::OEMCUIPPARAM param_{};
  PageSetContext context_;
  std::unique_ptr<hostsim::HostSheet> sheet_;
};

TEST_F(DeviceSettingsSnmpTest, AnsweredRowsInstallTheirOptions) {
  test::SnmpAgent agent({{kHardDiskObject, "integer", "4096"}, {kTray2Object, "integer", "21"}},
                        "kestra");
  ASSERT_TRUE(agent.running());
  MovePort(agent.address());
  Open();
  EXPECT_EQ(sheet_->Text(0, kPrinterAddressEdit), platform::Utf8ToUtf16(agent.address()));
  EXPECT_EQ(sheet_->Text(0, kCommunicationStatus), u"양방향 프린터 통신이 설정되었습니다");
  EXPECT_EQ(sheet_->Items(0, kInstalledOptionsList),
            (Names{u"Hard Disk", u"Optional Tray 2 (Tray 4)"}));
  EXPECT_FALSE(sheet_->Enabled(0, kAddOptionButton));
  EXPECT_FALSE(sheet_->Enabled(0, kRemoveOptionButton));
  std::vector<uint8_t> expected(settings::kInstalledOptionCount, 0);
  expected[settings::kHasHardDisk] = 1;
  expected[kOptionalTray2Flag] = 1;
  EXPECT_EQ(StoredFlags(), expected);
  EXPECT_EQ(agent.RequestCount(kTray1Object), 1u);
}

// A printer that never answers: the failure text, and the lists are the user's at once.
TEST_F(DeviceSettingsSnmpTest, SilentPrinterLeavesTheListsToTheUser) {
  test::SilentUdpPort silent;
  MovePort(silent.address());
  Open();
  EXPECT_GT(silent.datagrams(), 0);
  EXPECT_EQ(sheet_->Text(0, kCommunicationStatus), u"양방향 프린터 통신을 설정할 수 없습니다");
  EXPECT_EQ(sheet_->Items(0, kInstalledOptionsList), Names{u"Optional Tray 1 (Tray 3)"});
  ASSERT_TRUE(sheet_->ChooseText(0, kAvailableOptionsList, u"Hard Disk"));
  EXPECT_TRUE(sheet_->Enabled(0, kAddOptionButton));
  ASSERT_TRUE(sheet_->Click(0, kAddOptionButton));
  EXPECT_EQ(sheet_->Items(0, kInstalledOptionsList),
            (Names{u"Optional Tray 1 (Tray 3)", u"Hard Disk"}));
}

}  // namespace
}  // namespace kx::ui::device_settings_snmp

// ---------------------------------------------------------------------------------------
// The consumables page asking snmpd on loopback: the printer's port is named by the
// agent's address, which is where the page finds it.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "consumables_view.h"
#include "device/consumables_layout.h"
#include "device/consumables_page.h"
#include "device/snmp_agent.h"
#include "hostsim/host_sheet.h"
#include "page_set.h"
#include "platform/printer_setup.h"
#include "platform/text.h"
#include "settings/record.h"
#include "settings/record_text.h"
#include "support/code_pages.h"
#include "support/test_printer.h"

namespace kx::ui::consumables_snmp {
namespace {

using test::AgentObject;
using Rows = std::vector<std::string>;

// prtMarkerSuppliesDescription, Level, MaxCapacity, SupplyUnit and Type of entry `index`.
std::vector<AgentObject> SupplyEntry(int index, const std::string& name, int level, int maximum,
                                     const std::string& unit, int type) {
  const std::string at = ".1." + std::to_string(index);
  return {{".1.3.6.1.2.1.43.11.1.1.6" + at, "string", name},
          {".1.3.6.1.2.1.43.11.1.1.9" + at, "integer", std::to_string(level)},
          {".1.3.6.1.2.1.43.11.1.1.8" + at, "integer", std::to_string(maximum)},
          {".1.3.6.1.2.1.43.11.1.1.7" + at, "string", unit},
          {".1.3.6.1.2.1.43.11.1.1.5" + at, "integer", std::to_string(type)}};
}

// Four toners, a waste toner without capacity and two print units.
std::vector<AgentObject> PrinterSupplies() {
  const std::vector<std::vector<AgentObject>> entries = {
      SupplyEntry(1, "Cyan", 80, 100, "percent", 3),
      SupplyEntry(2, "Magenta", 55, 100, "percent", 3),
      SupplyEntry(3, "Yellow", 0, 100, "percent", 3),
      SupplyEntry(4, "Black", 100, 100, "percent", 3),
      SupplyEntry(5, "Waste", -3, -2, "percent", 4),
      SupplyEntry(6, "Drum", 30, 100, "percent", 9),
      SupplyEntry(7, "Belt", 0, 0, "pages", 9),
  };
  std::vector<AgentObject> objects;
  for (const auto& entry : entries) objects.insert(objects.end(), entry.begin(), entry.end());
  return objects;
}

const Rows kPrinterRows = {"Cyan|bar 80|80 %",   "Magenta|bar 55|55 %", "Yellow|bar 0|0 %",
                           "Black|bar 100|100 %", "Waste|word 준비됨",    "프린트 유닛:",
                           "Drum|bar 30|30 %",    "Belt|pages"};

class ConsumablesSnmpTest : public ::testing::Test {
 protected:
  void SetUp() override {
    settings::DeviceOptions stored{};
    settings::StoreText(stored.snmpCommunity, u"kestra");
    const auto* bytes = reinterpret_cast<const uint8_t*>(&stored);
    printer_.SetDevOpts(std::vector<uint8_t>(bytes, bytes + sizeof(stored)));
  }

  // The printer's port, named by the address it answers at.
  void MovePort(const std::string& address) {
    platform::PrinterSetup setup;
    setup.name = printerName_;
    setup.portName = platform::Utf8ToUtf16(address);
    ASSERT_TRUE(platform::InstallPrinter(setup));
  }

  void Open() {
    param_.cbSize = sizeof(param_);
    param_.hPrinter = printer_.handle();
    param_.pPrinterName = printerName_.data();
    context_.commonUi = &param_;
    std::string error;
    sheet_ = hostsim::HostSheet::CreateWithPage(ConsumablesPageSpec(), ConsumablesPageProcedure,
                                                reinterpret_cast<host::LPARAM>(&context_),
                                                &error);
    ASSERT_NE(sheet_, nullptr) << error;
    sheet_->SetActive(0);
  }

  void ExpectPrinterRows() {
    EXPECT_EQ(test::ShownSupplyRows(*sheet_), kPrinterRows);
    EXPECT_EQ(test::ConsumablesText(*sheet_, kGroupLabel), "토너");
    EXPECT_TRUE(sheet_->Visible(0, kColumnHeading));
    EXPECT_FALSE(sheet_->Visible(0, kConsumablesMessage));
    EXPECT_TRUE(sheet_->Enabled(0, kBrowserButton));
  }
  void ExpectNoInformation() {
    EXPECT_EQ(test::ConsumablesText(*sheet_, kConsumablesMessage), "소모품 정보 없음");
    EXPECT_TRUE(sheet_->Visible(0, kConsumablesMessage));
    EXPECT_FALSE(sheet_->Visible(0, kColumnHeading));
    EXPECT_FALSE(sheet_->Visible(0, kGroupLabel));
    EXPECT_EQ(test::VisibleSupplyRowControls(*sheet_), 0u);
    EXPECT_FALSE(sheet_->Enabled(0, kBrowserButton));
  }

  test::SystemCodePages codePages_{nullptr, nullptr};  // 949, on POSIX systems always
  std::u16string printerName_ = u"Consumables over SNMP";
  test::TestPrinter printer_{printerName_};
  host::OEMCUIPPARAM param_{};
  PageSetContext context_;
  std::unique_ptr<hostsim::HostSheet> sheet_;
};

TEST_F(ConsumablesSnmpTest, AnsweredSuppliesShowAsRows) {
  test::SnmpAgent agent(PrinterSupplies(), "kestra");
  ASSERT_TRUE(agent.running());
  MovePort(agent.address());
  Open();
  ExpectPrinterRows();
  // The walk read every column of the seven entries.
  EXPECT_EQ(agent.RequestCount(".1.3.6.1.2.1.43.11.1.1.5.1.7"), 1u);
}

// A printer that does not answer leaves the message; once it answers, Refresh shows its
// supplies on the same page.
TEST_F(ConsumablesSnmpTest, SilentPrinterThenRefresh) {
  test::SilentUdpPort silent;
  MovePort(silent.address());
  Open();
  ExpectNoInformation();
  EXPECT_GT(silent.datagrams(), 0);

  test::SnmpAgent agent(PrinterSupplies(), "kestra");
  ASSERT_TRUE(agent.running());
  MovePort(agent.address());
  ASSERT_TRUE(sheet_->Click(0, kRefreshButton));
  ExpectPrinterRows();
}

}  // namespace
}  // namespace kx::ui::consumables_snmp
