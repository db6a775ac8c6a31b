// From the printer sheet to the job: what the user applies on the device settings page
// of the UI plug-in module, as the host shows it, reaches the PJL header of the next job
// the rendering plug-in writes for that printer (which reads "DevOpts" when it merges
// the job's settings).
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "device/device_settings_state.h"
#include "hostsim/document_copier.h"
#include "hostsim/host_device.h"
#include "hostsim/host_items.h"
#include "hostsim/host_sheet.h"
#include "hostsim/plugin_module.h"
#include "hostsim/render_session.h"
#include "hostsim/ui_session.h"
#include "hostsim/ui_session_fixture.h"
#include "hostsim/warning_log.h"
#include "installable_options.h"
#include "platform/registry.h"
#include "platform/text.h"
#include "platform/win32_errors.h"
#include "ppd/ppd.h"
#include "settings/record.h"
#include "settings/record_ops.h"
#include "settings/record_text.h"

namespace kx::ui {
namespace {

using namespace host;
using hostsim::HostItems;
using hostsim::SheetKind;

constexpr char16_t kPrinterName[] = u"Device Settings Job Printer";
constexpr char16_t kWinlogonKey[] = u"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon";
constexpr char16_t kDefaultUserName[] = u"DefaultUserName";

class DeviceSettingsJobTest : public hostsim::UiSessionFixture {
 protected:
  DeviceSettingsJobTest() : UiSessionFixture(kPrinterName) {}
  void SetUp() override {
    OpenSession();
    image_ = ppd::PpdOpen(platform::Utf8ToUtf16(KX48T7_SAMPLE_PPD).c_str());
    ASSERT_NE(image_, nullptr);
    items_ = std::make_unique<HostItems>(image_, HostItems::Tree::Printer);
  }
  void TearDown() override {
    sheet_.reset();
    if (session_ != nullptr) session_->DestroySheet(SheetKind::Printer);
    session_.reset();
    items_.reset();
    if (image_ != nullptr) ppd::PpdClose(image_);
    if (logonKey_ != nullptr) logonKey_->DeleteValue(kDefaultUserName);
  }

  void SetLogonName(const std::u16string& name) {
    bool created = false;
    ASSERT_EQ(platform::CreateRegistryKey(platform::Hive::kLocalMachine, kWinlogonKey, &logonKey_,
                                          &created),
              platform::kErrorSuccess);
    ASSERT_EQ(logonKey_->SetValue(kDefaultUserName, platform::kRegSz,
                                  reinterpret_cast<const uint8_t*>(name.c_str()),
                                  static_cast<uint32_t>((name.size() + 1) * sizeof(char16_t))),
              platform::kErrorSuccess);
  }

  // The module's printer sheet as the host shows it; the device settings page's index.
  size_t OpenPrinterSheet() {
    EXPECT_EQ(session_->CommonUIProp(OEMCUIP_PRNPROP, items_.get()), S_OK);
    EXPECT_EQ(session_->InitSheet(SheetKind::Printer), S_OK);
    std::string error;
    sheet_ = hostsim::HostSheet::Create(session_->PagesOf(SheetKind::Printer), &error);
    EXPECT_NE(sheet_, nullptr) << error;
    if (sheet_ == nullptr) return 0;
    size_t page = 0;
    while (page < sheet_->pageCount() && sheet_->Control(page, kUserNameEdit) == nullptr) ++page;
    return page;
  }

  // The job the rendering plug-in writes for a document whose stored settings are the
  // session's record, as the host merges them.
  std::string RenderJob() {
#ifdef _WIN32
    hostsim::WarningLog warnings;  // answers the rendering plug-in's message boxes, if any
#endif
    std::string error;
    auto psModule = hostsim::PluginModule::Load(KX48T7PS_MODULE_PATH, &error);
    EXPECT_NE(psModule, nullptr) << error;
    if (psModule == nullptr) return {};
    auto render = hostsim::RenderSession::Create(*psModule, &error);
    EXPECT_NE(render, nullptr) << error;
    if (render == nullptr) return {};
    const std::vector<uint8_t> stored = session_->record();
    hostsim::HostDevice device(*render, printer_.handle(), hostsim::DeviceModeSettings{});
    EXPECT_TRUE(device.PrepareRecord(&stored, &error)) << error;
    EXPECT_TRUE(device.Enable(&error)) << error;
    EXPECT_TRUE(hostsim::CopyDocument(device, hostsim::SampleDocument(1), &error)) << error;
    return device.spool().bytes;
  }

  const ppd::PpdImage* image_ = nullptr;
  std::unique_ptr<HostItems> items_;
  std::unique_ptr<hostsim::HostSheet> sheet_;
  std::unique_ptr<platform::RegistryKey> logonKey_;
};

TEST_F(DeviceSettingsJobTest, AppliedUserInformationReachesTheJob) {
  // No community: the page asks no printer (and the Windows SNMP library under Wine
  // could not answer).
  settings::DeviceOptions old{};
  settings::StoreText(old.userName, u"old");
  settings::StoreText(old.hostName, u"OLD-HOST");
  ASSERT_EQ(settings::WriteStoredDeviceOptions(printer_.handle(), old), platform::kErrorSuccess);
  SetLogonName(u"김철수");

  const size_t page = OpenPrinterSheet();
  ASSERT_NE(sheet_, nullptr);
  ASSERT_LT(page, sheet_->pageCount());
  sheet_->SetActive(page);
  ASSERT_TRUE(sheet_->Type(page, kHostNameEdit, u"\bDESK-7"));
  ASSERT_TRUE(sheet_->Type(page, kChargeNumberEdit, u"\b0042"));
  ASSERT_TRUE(sheet_->Focus(page, kUserNameEdit));
  EXPECT_EQ(sheet_->Apply(page), PSNRET_NOERROR);
  sheet_.reset();

  const std::string job = RenderJob();
  const size_t user = job.find("@PJL SET USERNAME = \"" + platform::Utf16ToUtf8(u"김철수") +
                               "\"\r\n");
  const size_t host = job.find("@PJL SET HOST = \"DESK-7\"\r\n");
  const size_t charge = job.find("@PJL SET CHARGENUMBER = \"0042\"\r\n");
  ASSERT_NE(user, std::string::npos) << job.substr(0, 300);
  ASSERT_NE(host, std::string::npos) << job.substr(0, 300);
  ASSERT_NE(charge, std::string::npos) << job.substr(0, 300);
  EXPECT_EQ(job.find("OLD-HOST"), std::string::npos);
  EXPECT_LT(charge, job.find("%!PS"));
}

}  // namespace
}  // namespace kx::ui
