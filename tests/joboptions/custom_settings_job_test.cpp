// From a saved custom setting to the printed job: job settings chosen in one session of
// the UI plug-in are saved through the custom settings dialog; a later session, whose
// document starts from the printer's defaults, applies them through the same dialog, and
// the rendering plug-in then writes the job it wrote for the settings as they were saved.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "dialog_driver.h"
#include "hostsim/plugin_module.h"
#include "hostsim/ui_session.h"
#include "joboptions/custom_settings_dialog.h"
#include "joboptions/custom_settings_layout.h"
#include "joboptions/custom_settings_store.h"
#include "page_set.h"
#include "platform/registry.h"
#include "platform/text.h"
#include "settings/record_ops.h"
#include "settings/record_text.h"
#include "support/loaded_plugin.h"
#include "user_store.h"

namespace kx::ui {
namespace {

using namespace host;
using settings::PrivateRecord;
using settings::StoreText;

constexpr char16_t kPrinterName[] = u"Test Printer";  // the loaded plug-in's test printer
constexpr char16_t kVendorKey[] = u"Software\\VESTRAL ORBINE\\";
constexpr char16_t kSettingName[] = u"Board report";
constexpr int kPages = 3;

// Job settings far from the printer's defaults, across the record's parts.
void ChooseJobSettings(PrivateRecord* record) {
  record->qualityMode = 4;  // 2400dpi
  record->rotation = 180;
  record->miserMode = 1;
  record->mirrorImage = 1;
  record->nupCode = 2;
  record->colorMode = 1;  // grayscale
  record->quickColorSet = 3;
  record->imageIntent = 1;
  record->jobTimeout = 120;
  record->emailNotify = 1;
  StoreText(record->emailAddress, u"board@example.com");
  record->headerPage = 1;
  record->autoContinue = 0;
  settings::SetWatermarkNewDefault(&record->watermark);
  StoreText(record->watermark.name, u"Board only");
  StoreText(record->watermark.text, u"BOARD ONLY");
  record->watermark.fontSize = 60;
  record->watermark.angle = 30;
  record->watermark.background = 0;
}

class CustomSettingsJobTest : public test::LoadedPluginTest {
 protected:
  void SetUp() override {
    LoadedPluginTest::SetUp();
    Clean();
    printer_.SetPpd(KX48T7_SAMPLE_PPD);
    std::string error;
    uiModule_ = hostsim::PluginModule::Load(KX48T7UI_MODULE_PATH, &error);
    ASSERT_NE(uiModule_, nullptr) << error;
    ppd_ = ppd::PpdOpen(platform::Utf8ToUtf16(KX48T7_SAMPLE_PPD).c_str());
    ASSERT_NE(ppd_, nullptr);
  }
  void TearDown() override {
    if (ppd_ != nullptr) ppd::PpdClose(ppd_);
    Clean();
    test::LoadedPluginTest::TearDown();
  }
  void Clean() {
    platform::DeleteRegistryTree(platform::Hive::kCurrentUser,
                                 std::u16string(kVendorKey) + kPrinterName);
  }

  // A session of the UI plug-in for the printer, its document record built from the
  // printer's defaults, as the host opens one to show the document's settings.
  std::unique_ptr<hostsim::UISession> OpenSession() {
    std::string error;
    const hostsim::UISession::Setup setup = {.printer = printer_.handle(),
                                             .printerName = kPrinterName};
    auto session = hostsim::UISession::Create(*uiModule_, setup, &error);
    EXPECT_NE(session, nullptr) << error;
    if (session != nullptr) {
      EXPECT_EQ(session->CommonUIProp(OEMCUIP_DOCPROP, nullptr), S_OK);
    }
    return session;
  }

  // The custom settings dialog over the session's document record.
  INT_PTR ShowDialog(hostsim::UISession& session, const test::ModalScript::Script& script) {
    PageSetContext context;
    context.commonUi = &session.commonUiParam(hostsim::SheetKind::Document);
    context.ppd = ppd_;
    test::ModalScript modal(custom_settings::kHelpButton, script);
    const INT_PTR result = ShowCustomSettings(nullptr, &context);
    EXPECT_EQ(modal.runs(), 1);
    return result;
  }

  std::unique_ptr<hostsim::PluginModule> uiModule_;
  const ppd::PpdImage* ppd_ = nullptr;
};

TEST_F(CustomSettingsJobTest, AnAppliedSettingPrintsAsTheSettingsItWasSavedFrom) {
  std::unique_ptr<PrivateRecord> saved;
  {
    auto first = OpenSession();
    ASSERT_NE(first, nullptr);
    ChooseJobSettings(&first->privateRecord());
    ASSERT_TRUE(IsUsableStoredRecord(first->privateRecord()));
    EXPECT_EQ(ShowDialog(*first,
                         [](test::DialogDriver& user) {
                           platform::SetDlgItemText(user.dialog(), custom_settings::kNameCombo,
                                                    kSettingName);
                           user.Click(custom_settings::kSaveButton);
                           user.Click(IDOK);
                         }),
              custom_settings::kApplied);
    saved = std::make_unique<PrivateRecord>(first->privateRecord());
  }

  auto second = OpenSession();
  ASSERT_NE(second, nullptr);
  const auto fresh = std::make_unique<PrivateRecord>(second->privateRecord());
  EXPECT_EQ(ShowDialog(*second,
                       [](test::DialogDriver& user) {
                         const std::vector<std::u16string> items =
                             user.Items(custom_settings::kNameCombo);
                         for (size_t i = 0; i < items.size(); ++i) {
                           if (items[i] == kSettingName) {
                             EXPECT_TRUE(user.Choose(custom_settings::kNameCombo,
                                                     static_cast<int>(i)));
                           }
                         }
                         EXPECT_EQ(user.Text(custom_settings::kNameCombo), kSettingName);
                         user.Click(IDOK);
                       }),
            custom_settings::kApplied);
  const PrivateRecord& applied = second->privateRecord();

  // The device options are the one part a stored setting never gives: they stay the
  // second session's. The host merges the printer's own into every job's record, so they
  // do not set the two jobs apart either.
  EXPECT_EQ(std::memcmp(&applied.devOpts, &fresh->devOpts, sizeof(applied.devOpts)), 0);

  const std::string savedJob = JobFor(*saved, kPages);
  const std::string appliedJob = JobFor(applied, kPages);
  const std::string defaultJob = JobFor(*fresh, kPages);
  EXPECT_EQ(appliedJob, savedJob);
  // The settings are the job's own, not the printer's defaults.
  EXPECT_NE(appliedJob, defaultJob);
  for (const std::string text : {"board@example.com", "/Angle ", "180 rotate", "setjobtimeout",
                                 "true settonersave"}) {
    EXPECT_NE(appliedJob.find(text), std::string::npos) << text;
    EXPECT_EQ(defaultJob.find(text), std::string::npos) << text;
  }
}

}  // namespace
}  // namespace kx::ui
