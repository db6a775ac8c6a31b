// The information page of the document sheet, from the UI plug-in module as the host
// shows it: the version line, the driver reset and Apply.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <vector>

#include "hostsim/host_items.h"
#include "hostsim/host_sheet.h"
#include "hostsim/ui_session.h"
#include "platform/registry.h"
#include "platform/text.h"
#include "ppd/ppd.h"
#include "settings/record_ops.h"
#include "settings/record_text.h"
#include "ui_session_fixture.h"

namespace kx::hostsim {
namespace {

using namespace host;

constexpr char16_t kPrinterName[] = u"Information Printer";
constexpr int kVersionLine = 1202;
constexpr int kDriverReset = 1208;

class InformationPageTest : public UiSessionFixture {
 protected:
  InformationPageTest() : UiSessionFixture(kPrinterName) {}
  void SetUp() override {
    OpenSession();
    image_ = ppd::PpdOpen(platform::Utf8ToUtf16(KX48T7_SAMPLE_PPD).c_str());
    ASSERT_NE(image_, nullptr);
    items_ = std::make_unique<HostItems>(image_, HostItems::Tree::Document);
    ASSERT_EQ(session_->CommonUIProp(OEMCUIP_DOCPROP, items_.get()), S_OK);
    ASSERT_EQ(session_->InitSheet(SheetKind::Document), S_OK);
    std::string error;
    sheet_ = HostSheet::Create(session_->PagesOf(SheetKind::Document), &error);
    ASSERT_NE(sheet_, nullptr) << error;
    // The page with the driver reset button.
    while (informationPage_ < sheet_->pageCount() &&
           sheet_->Control(informationPage_, kDriverReset) == nullptr) {
      ++informationPage_;
    }
    ASSERT_LT(informationPage_, sheet_->pageCount());
  }
  void TearDown() override {
    sheet_.reset();
    if (session_ != nullptr) session_->DestroySheet(SheetKind::Document);
    session_.reset();
    if (image_ != nullptr) ppd::PpdClose(image_);
  }

  const ppd::PpdImage* image_ = nullptr;
  std::unique_ptr<HostItems> items_;
  std::unique_ptr<HostSheet> sheet_;
  size_t informationPage_ = 0;
};

TEST_F(InformationPageTest, VersionLineNamesTheProductVersion) {
  EXPECT_EQ(sheet_->Text(informationPage_, kVersionLine),
            u"버전 " + platform::Utf8ToUtf16(KX_PRODUCT_VERSION));
}

// The job settings go back to their defaults, the printer's device options stay and are
// stored, the sheet learns that the page changed, and the host's colour item follows the
// record again.
TEST_F(InformationPageTest, DriverResetKeepsTheDeviceOptions) {
  settings::PrivateRecord& record = session_->privateRecord();
  auto defaults = std::make_unique<settings::PrivateRecord>();
  ASSERT_TRUE(settings::SetRecordDefaults(defaults.get(), printer_.handle()));
  record.qualityMode = 8;
  record.colorMode = 1;
  record.watermark.enabled = 1;
  record.headerPage = 1;
  record.devOpts.installedOptions[3] = 1;
  settings::StoreText(record.devOpts.userName, u"kim");
  const settings::DeviceOptions devOpts = record.devOpts;
  OPTITEM* colour = items_->FindByDmPub(DMPUB_COLOR);
  ASSERT_NE(colour, nullptr);
  colour->Sel = kColourGrayscaleChoice;

  ASSERT_TRUE(sheet_->Click(informationPage_, kDriverReset));

  settings::PrivateRecord expected = *defaults;
  expected.devOpts = devOpts;
  EXPECT_EQ(std::memcmp(&record, &expected, sizeof(expected)), 0);
  settings::DeviceOptions stored{};
  EXPECT_TRUE(settings::ReadStoredDeviceOptions(printer_.handle(), &stored));
  EXPECT_EQ(std::memcmp(&stored, &devOpts, sizeof(stored)), 0);
  EXPECT_TRUE(sheet_->Changed(informationPage_));
  ASSERT_EQ(record.colorMode, 2);  // colour, on the colour printer
  EXPECT_EQ(colour->Sel, kColourColourChoice);
}

TEST_F(InformationPageTest, ApplyReportsSuccessToTheSheet) {
  ASSERT_TRUE(sheet_->Click(informationPage_, kDriverReset));
  ASSERT_TRUE(sheet_->Changed(informationPage_));
  EXPECT_EQ(sheet_->Apply(informationPage_), PSNRET_NOERROR);
  EXPECT_FALSE(sheet_->Changed(informationPage_));
  ASSERT_EQ(session_->results().size(), 1u);
  EXPECT_EQ(session_->results()[0].page, session_->pages()[0].handle);
  EXPECT_EQ(session_->results()[0].result, CPSUI_OK);
}

}  // namespace
}  // namespace kx::hostsim
