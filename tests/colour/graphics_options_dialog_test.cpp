// The advanced graphics options driven as a user drives them, over the platform's dialog
// services: what the boxes show and allow for the job and the printer, what OK stores
// and Cancel leaves, and help.
#include "colour/graphics_options_dialog.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "colour/graphics_options_layout.h"
#include "dialog_driver.h"
#include "module_state.h"
#include "page_set.h"
#include "platform/shell.h"
#include "platform/text.h"
#include "settings/record.h"
#include "settings/record_ops.h"
#include "support/temp_store.h"
#include "support/test_ppd.h"

namespace kx::ui {
namespace {

using namespace host;
using namespace graphics_options;
using settings::PrivateRecord;
using test::DialogDriver;

constexpr int kRotationIds[] = {kRotate0Radio, kRotate90Radio, kRotate180Radio, kRotate270Radio};

// The printer a test opens the dialog for.
enum class Printer { kNone, kMonoWithTonerSave, kColourWithTonerSave, kColourWithout };

std::string PpdBody(Printer printer) {
  const std::string tonerSave = test::PickOneFeature("MiserMode/Toner Save", "False",
                                                     {"False/Off", "True/On"});
  switch (printer) {
    case Printer::kMonoWithTonerSave:
      return "*ColorDevice: False\n" + tonerSave;
    case Printer::kColourWithTonerSave:
      return "*ColorDevice: True\n" + tonerSave;
    case Printer::kColourWithout:
      // A feature named like it but for another thing, and no toner saving.
      return "*ColorDevice: True\n" +
             test::PickOneFeature("Smoothing", "False", {"False", "True"});
    case Printer::kNone:
      break;
  }
  return {};
}

class GraphicsOptionsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    settings::SetRecordDefaults(record_.get(), nullptr);
    param_.cbSize = sizeof(param_);
    param_.pOEMDM = record_.get();
    context_.commonUi = &param_;
  }
  void TearDown() override { UsePrinter(Printer::kNone); }

  void UsePrinter(Printer printer) {
    if (context_.ppd != nullptr) ppd::PpdClose(context_.ppd);
    context_.ppd = nullptr;
    if (printer == Printer::kNone) return;
    const std::string path = test::WriteTestPpd(store_.directory(), "graphics.ppd", PpdBody(printer));
    context_.ppd = ppd::PpdOpen(platform::Utf8ToUtf16(path).c_str());
    ASSERT_NE(context_.ppd, nullptr);
  }

  // Opens the dialog with `script` as its user; the Help button takes the focus when a
  // box is left.
  INT_PTR Open(const test::ModalScript::Script& script) {
    test::ModalScript modal(kHelpButton, script);
    const INT_PTR result = ShowGraphicsOptions(nullptr, &context_);
    EXPECT_EQ(modal.runs(), 1);
    return result;
  }

  std::vector<uint8_t> RecordBytes() const {
    const auto* bytes = reinterpret_cast<const uint8_t*>(record_.get());
    return {bytes, bytes + sizeof(PrivateRecord)};
  }

  test::TempStore store_;
  std::unique_ptr<PrivateRecord> record_ = std::make_unique<PrivateRecord>();
  OEMCUIPPARAM param_{};
  PageSetContext context_;
};

std::vector<int> CheckedRotations(const DialogDriver& d) {
  std::vector<int> checked;
  for (const int id : kRotationIds) {
    if (d.Checked(id)) checked.push_back(id);
  }
  return checked;
}

TEST_F(GraphicsOptionsTest, OpensOnTheJobsValuesAndOkWithoutChangesKeepsThem) {
  UsePrinter(Printer::kColourWithTonerSave);
  const struct {
    uint32_t miser, negative, mirror;
    uint16_t smoothing, rotation;
    std::vector<int> checkedRotation;
  } cases[] = {
      {0, 0, 0, 0, 0, {kRotate0Radio}},
      {1, 1, 1, 1, 90, {kRotate90Radio}},
      {7, 0, 1, 0, 180, {kRotate180Radio}},  // any nonzero value checks
      {0, 1, 0, 3, 270, {kRotate270Radio}},
      {1, 0, 0, 1, 45, {}},  // a rotation no button stands for
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.rotation);
    record_->colorMode = 1;
    record_->miserMode = c.miser;
    record_->smoothing = c.smoothing;
    record_->negativeImage = c.negative;
    record_->mirrorImage = c.mirror;
    record_->rotation = c.rotation;
    EXPECT_EQ(Open([&](DialogDriver& d) {
                EXPECT_EQ(d.Checked(kTonerSaveBox), c.miser != 0);
                EXPECT_EQ(d.Checked(kSmoothingBox), c.smoothing != 0);
                EXPECT_EQ(d.Checked(kNegativeImageBox), c.negative != 0);
                EXPECT_EQ(d.Checked(kMirrorImageBox), c.mirror != 0);
                EXPECT_EQ(CheckedRotations(d), c.checkedRotation);
                d.Click(IDOK);
              }),
              IDOK);
    // OK stores what the boxes show: 1 for a checked one.
    EXPECT_EQ(record_->miserMode, c.miser != 0 ? 1u : 0u);
    EXPECT_EQ(record_->smoothing, c.smoothing != 0 ? 1u : 0u);
    EXPECT_EQ(record_->negativeImage, c.negative);
    EXPECT_EQ(record_->mirrorImage, c.mirror);
    EXPECT_EQ(record_->rotation, c.rotation);
  }
}

TEST_F(GraphicsOptionsTest, OkStoresTheUsersChoices) {
  UsePrinter(Printer::kMonoWithTonerSave);
  record_->miserMode = 0;
  record_->smoothing = 1;
  record_->negativeImage = 0;
  record_->mirrorImage = 1;
  record_->rotation = 0;
  EXPECT_EQ(Open([](DialogDriver& d) {
              d.Click(kTonerSaveBox);
              d.Click(kSmoothingBox);
              d.Click(kNegativeImageBox);
              d.Click(kMirrorImageBox);
              d.Click(kRotate270Radio);
              EXPECT_EQ(CheckedRotations(d), std::vector<int>{kRotate270Radio});
              d.Click(IDOK);
            }),
            IDOK);
  EXPECT_EQ(record_->miserMode, 1u);
  EXPECT_EQ(record_->smoothing, 0u);
  EXPECT_EQ(record_->negativeImage, 1u);
  EXPECT_EQ(record_->mirrorImage, 0u);
  EXPECT_EQ(record_->rotation, 270u);
}

TEST_F(GraphicsOptionsTest, CancelAndEscapeStoreNothing) {
  UsePrinter(Printer::kMonoWithTonerSave);
  record_->rotation = 90;
  const std::vector<uint8_t> before = RecordBytes();
  for (const bool escape : {false, true}) {
    SCOPED_TRACE(escape ? "Escape" : "Cancel");
    EXPECT_EQ(Open([&](DialogDriver& d) {
                d.Click(kTonerSaveBox);
                d.Click(kMirrorImageBox);
                d.Click(kRotate180Radio);
                if (escape) {
                  d.Command(IDCANCEL);
                } else {
                  d.Click(IDCANCEL);
                }
              }),
              IDCANCEL);
    EXPECT_EQ(RecordBytes(), before);
  }
}

TEST_F(GraphicsOptionsTest, TonerSavingIsOfferedOnlyWhenThePrinterHasIt) {
  const struct {
    const char* why;
    Printer printer;
    bool enabled;
  } cases[] = {
      {"mono printer with toner saving", Printer::kMonoWithTonerSave, true},
      {"colour printer with toner saving", Printer::kColourWithTonerSave, true},
      {"printer without it", Printer::kColourWithout, false},
      {"no PPD", Printer::kNone, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.why);
    UsePrinter(c.printer);
    // Disabled, the box still shows the job's value and OK stores it.
    for (const uint32_t miser : {1u, 0u}) {
      record_->miserMode = miser;
      Open([&](DialogDriver& d) {
        EXPECT_EQ(d.Enabled(kTonerSaveBox), c.enabled);
        EXPECT_EQ(d.Checked(kTonerSaveBox), miser != 0);
        d.Click(IDOK);
      });
      EXPECT_EQ(record_->miserMode, miser);
    }
  }
}

TEST_F(GraphicsOptionsTest, NegativeImageNeedsGrayscaleOnAColourPrinter) {
  const struct {
    const char* why;
    Printer printer;
    uint8_t colorMode;
    bool enabled;
  } cases[] = {
      {"colour printer, grayscale", Printer::kColourWithTonerSave, 1, true},
      {"colour printer, colour", Printer::kColourWithTonerSave, 2, false},
      {"colour printer, model unset", Printer::kColourWithTonerSave, 0, false},
      {"mono printer, grayscale", Printer::kMonoWithTonerSave, 1, true},
      {"mono printer, colour", Printer::kMonoWithTonerSave, 2, true},
      {"no PPD, colour", Printer::kNone, 2, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.why);
    UsePrinter(c.printer);
    record_->colorMode = c.colorMode;
    record_->negativeImage = 1;
    Open([&](DialogDriver& d) {
      EXPECT_EQ(d.Enabled(kNegativeImageBox), c.enabled);
      EXPECT_TRUE(d.Checked(kNegativeImageBox));
      EXPECT_TRUE(d.Enabled(kMirrorImageBox));
      d.Click(IDOK);
    });
    // Disabled or not, OK stores what the box shows.
    EXPECT_EQ(record_->negativeImage, 1u);
  }
}

TEST_F(GraphicsOptionsTest, BookletPrintingKeepsTheRotation) {
  UsePrinter(Printer::kMonoWithTonerSave);
  for (const uint16_t booklet : {uint16_t{1}, uint16_t{0}}) {
    SCOPED_TRACE(booklet);
    record_->booklet = booklet;
    record_->rotation = 90;
    Open([&](DialogDriver& d) {
      for (const int id : kRotationIds) EXPECT_EQ(d.Enabled(id), booklet == 0) << id;
      EXPECT_EQ(CheckedRotations(d), std::vector<int>{kRotate90Radio});
      EXPECT_TRUE(d.Enabled(kMirrorImageBox));
      d.Click(IDOK);
    });
    EXPECT_EQ(record_->rotation, 90u);
  }
}

TEST_F(GraphicsOptionsTest, HelpForTheDialogAndItsControls) {
  std::vector<std::u16string> pages;
  platform::SetPageReceiver(
      [](void* context, const std::u16string& page) {
        static_cast<std::vector<std::u16string>*>(context)->push_back(page);
        return true;
      },
      &pages);
  const std::vector<int> controls = {kTonerSaveBox,  kSmoothingBox,  kNegativeImageBox,
                                     kMirrorImageBox, kRotate0Radio, kRotate90Radio,
                                     kRotate180Radio, kRotate270Radio, kHelpButton};
  Open([&](DialogDriver& d) {
    d.Click(kHelpButton);
    for (const int id : controls) {
      HELPINFO info{};
      info.cbSize = sizeof(info);
      info.iContextType = HELPINFO_WINDOW;
      info.iCtrlId = id;
      info.hItemHandle = d.Control(id);
      platform::SendMessage(d.dialog(), WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
    }
    EXPECT_TRUE(d.Open());
    d.Click(IDCANCEL);
  });
  platform::SetPageReceiver(nullptr, nullptr);
  const std::u16string root = Module().HelpRoot();
  std::vector<std::u16string> expected = {root + u"104.html"};
  for (const int id : controls) {
    expected.push_back(root + platform::Utf8ToUtf16(std::to_string(id)) + u".html");
  }
  EXPECT_EQ(pages, expected);
}

TEST_F(GraphicsOptionsTest, NothingToEditWithoutASettingsRecord) {
  param_.pOEMDM = nullptr;
  test::ModalScript modal(kHelpButton, [](DialogDriver& d) { d.Click(IDOK); });
  EXPECT_EQ(ShowGraphicsOptions(nullptr, &context_), IDCANCEL);
  EXPECT_EQ(modal.runs(), 0);
}

}  // namespace
}  // namespace kx::ui
