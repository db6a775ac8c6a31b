// From the page to the printed page: a watermark chosen and edited in the overlay and
// watermark page, the sheet applied, and a job rendered through the rendering plug-in
// with the record the page left.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "dialog_driver.h"
#include "hostsim/document_copier.h"
#include "hostsim/host_sheet.h"
#include "page_set.h"
#include "platform/dialog_template.h"
#include "platform/registry.h"
#include "platform/win32_errors.h"
#include "settings/record_ops.h"
#include "settings/record_text.h"
#include "support/loaded_plugin.h"
#include "user_store.h"
#include "watermarks/overlay_page.h"
#include "watermarks/watermark_store.h"
#ifndef _WIN32
#include "support/ghostscript.h"
#endif

namespace kx::ui {
namespace {

using namespace host;
using settings::FieldText;
using settings::PrivateRecord;

constexpr char16_t kPrinterName[] = u"Test Printer";  // the loaded plug-in's test printer
constexpr int kWatermarkList = 1022, kFirstPageOnly = 1023, kEdit = 1024;
constexpr int kEditorText = 1222, kEditorSize = 1224, kEditorAngle = 1226;
constexpr int kEditorSave = 1241, kEditorDefaults = 1244;

// What the rendering plug-in writes for a watermark text: its bytes as hex digits.
std::string Hex(std::string_view text) {
  constexpr char kDigits[] = "0123456789ABCDEF";
  std::string hex;
  for (const char c : text) {
    hex += kDigits[static_cast<uint8_t>(c) >> 4];
    hex += kDigits[static_cast<uint8_t>(c) & 0x0F];
  }
  return hex;
}

size_t Count(const std::string& text, std::string_view part) {
  size_t count = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
  return count;
}

class OverlayPageJobTest : public test::LoadedPluginTest {
 protected:
  void TearDown() override {
    platform::DeleteRegistryTree(platform::Hive::kCurrentUser,
                                 PrinterStorePath(kPrinterName, kWatermarkStore));
    test::LoadedPluginTest::TearDown();
  }

  // The page in a sheet over `record`, as the host shows the document settings.
  std::unique_ptr<hostsim::HostSheet> OpenPage(PrivateRecord* record) {
    param_.cbSize = sizeof(param_);
    param_.hPrinter = printer_.handle();
    param_.pPrinterName = printerName_.data();
    param_.pOEMDM = record;
    context_.commonUi = &param_;
    std::string error;
    auto sheet = hostsim::HostSheet::CreateWithPage(OverlayPageSpec(), OverlayPageProcedure,
                                                    reinterpret_cast<LPARAM>(&context_), &error);
    EXPECT_NE(sheet, nullptr) << error;
    if (sheet != nullptr) sheet->SetActive(0);
    return sheet;
  }

  std::string Job(const PrivateRecord& record) { return JobFor(record, 2); }

  std::u16string printerName_ = kPrinterName;
  OEMCUIPPARAM param_{};
  PageSetContext context_;
};

#ifndef _WIN32
using test::GrayPage;

std::vector<GrayPage> Render(const std::string& job) {
  test::GhostscriptRun run;
  std::vector<GrayPage> pages = test::RenderGrayPages(job, 24, &run);
  EXPECT_EQ(run.status, 0) << run.output;
  return pages;
}

// The pixels that differ, and how many of them lie in the middle third of the page.
struct Difference {
  int changed = 0;
  int inMiddle = 0;
};

Difference Compare(const GrayPage& plain, const GrayPage& marked) {
  Difference difference;
  for (int row = 0; row < plain.height; ++row) {
    for (int column = 0; column < plain.width; ++column) {
      const size_t at = static_cast<size_t>(row) * static_cast<size_t>(plain.width) +
                        static_cast<size_t>(column);
      if (plain.pixels[at] == marked.pixels[at]) continue;
      ++difference.changed;
      if (row > plain.height / 3 && row < 2 * plain.height / 3) ++difference.inMiddle;
    }
  }
  return difference;
}
#endif

TEST_F(OverlayPageJobTest, TheJobCarriesTheWatermarkEditedInThePage) {
  // A user watermark the library holds, edited in the page: new text, size and angle,
  // then limited to the first page, and the sheet applied.
  settings::WatermarkRecord review = NewWatermarkRecord();
  settings::StoreText(review.name, u"Review");
  settings::StoreText(review.text, u"DRAFT");
  ASSERT_EQ(StoreWatermark(review, kPrinterName), platform::kErrorSuccess);

  PrivateRecord record{};
  settings::SetRecordDefaults(&record, printer_.handle());
  {
    const auto sheet = OpenPage(&record);
    ASSERT_NE(sheet, nullptr);
    ASSERT_TRUE(sheet->ChooseText(0, kWatermarkList, u"Review"));
    test::ModalScript editor(kEditorDefaults, [](test::DialogDriver& user) {
      user.Enter(kEditorText, u"APPROVED");
      user.Enter(kEditorSize, u"60");
      user.Enter(kEditorAngle, u"0");
      user.Click(kEditorSave);
    });
    ASSERT_TRUE(sheet->Click(0, kEdit));
    ASSERT_EQ(editor.runs(), 1);
    ASSERT_TRUE(sheet->Click(0, kFirstPageOnly));
    EXPECT_EQ(sheet->Apply(0), PSNRET_NOERROR);
  }
  EXPECT_EQ(FieldText(LoadWatermark(u"Review", kPrinterName).text), u"APPROVED");
  ASSERT_EQ(record.watermark.enabled, 1u);
  EXPECT_EQ(std::string(record.watermarkTextAnsi), "APPROVED");

  const std::string job = Job(record);
  EXPECT_NE(job.find("/Watermark <" + Hex("APPROVED") +
                     "> def /FontSize 60 def /Font /Courier def /OffsetX 0 def /OffsetY 0 def"),
            std::string::npos)
      << job.substr(0, 2000);
  EXPECT_EQ(job.find(Hex("DRAFT")), std::string::npos);
  EXPECT_NE(job.find("/WaterMarkColor {.50 .50 .50 setrgbcolor} bind def "), std::string::npos);
  // Drawn under the page's own marks, on the first of the two pages only.
  EXPECT_EQ(Count(job, "/Angle 0 def\r\n//userdict /DrawWaterMark known"), 1u);

#ifndef _WIN32
  PrivateRecord unmarked = record;
  unmarked.watermark.enabled = 0;
  const std::vector<GrayPage> marked = Render(job);
  const std::vector<GrayPage> plain = Render(Job(unmarked));
  ASSERT_EQ(marked.size(), 2u);
  ASSERT_EQ(plain.size(), 2u);
  const Difference first = Compare(plain[0], marked[0]);
  EXPECT_GT(first.changed, 200);
  EXPECT_GT(first.inMiddle, first.changed * 9 / 10);
  EXPECT_EQ(Compare(plain[1], marked[1]).changed, 0);
#endif
}

}  // namespace
}  // namespace kx::ui
