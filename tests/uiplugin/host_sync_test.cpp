// The document items' glue called directly: the host colour model (module state that
// only the plug-in's own pages read), resynchronising the host's items after those pages
// changed the record, the option index and setting one host item.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "document_items.h"
#include "host/oemui.h"
#include "hostsim/driver_ui_interface.h"
#include "hostsim/host_items.h"
#include "module_state.h"
#include "platform/text.h"
#include "ppd/ppd.h"
#include "settings/name_tables.h"
#include "settings/record.h"
#include "support/test_ppd.h"
#include "support/test_printer.h"

namespace kx::ui {
namespace {

using namespace host;
using hostsim::HostItems;

constexpr auto Changed = HostItems::Changed;

class HostSyncTest : public ::testing::Test {
 protected:
  void TearDown() override {
    if (image_ != nullptr) ppd::PpdClose(image_);
    image_ = nullptr;
  }

  // The printer's PPD, the host's document items built from it and the parameter block
  // and sheet context the plug-in is given.
  void Use(const std::string& ppdPath) {
    TearDown();
    printer_.SetPpd(ppdPath);
    image_ = ppd::PpdOpen(platform::Utf8ToUtf16(ppdPath).c_str());
    ASSERT_NE(image_, nullptr);
    NewItems();
    context_.commonUi = &param_;
    context_.driverInterface = &driver_;
    context_.ppd = image_;
  }
  void NewItems() {
    items_ = std::make_unique<HostItems>(image_, HostItems::Tree::Document);
    param_ = {};
    param_.cbSize = sizeof(param_);
    param_.poemuiobj = &uiObject_;
    param_.hPrinter = printer_.handle();
    param_.pOEMDM = record_.get();
    param_.pDrvOptItems = items_->data();
    param_.cDrvOptItems = items_->count();
  }
  std::string WritePpd(const std::string& body) {
    return test::WriteTestPpd(printer_.directory(), "sync.ppd", body);
  }

  LONG Callback(WORD reason, OEMCUIPPARAM* param) {
    CPSUICBPARAM callback{};
    callback.cbSize = sizeof(callback);
    callback.Reason = reason;
    return DocumentItemsCallback(&callback, param);
  }

  // The host's item of a PPD feature.
  OPTITEM& ItemOf(const char* keyword) {
    static OPTITEM none{};
    OPTITEM* item = items_->FeatureItem(keyword);
    if (item == nullptr) ADD_FAILURE() << "no host item for " << keyword;
    return item != nullptr ? *item : none;
  }
  // How often the host heard of `item`.
  size_t Announced(const OPTITEM& item) const {
    return static_cast<size_t>(
        std::count_if(driver_.updates().begin(), driver_.updates().end(),
                      [&](const hostsim::UiSettingUpdate& u) { return u.item == &item; }));
  }

  test::TestPrinter printer_{u"Host Sync Printer"};
  const ppd::PpdImage* image_ = nullptr;
  std::unique_ptr<settings::PrivateRecord> record_ = std::make_unique<settings::PrivateRecord>();
  std::unique_ptr<HostItems> items_;
  hostsim::DriverUIInterface driver_;
  int uiObject_ = 0;
  OEMCUIPPARAM param_{};
  PageSetContext context_;
};

TEST_F(HostSyncTest, HostColourModelFollowsTheRecordThenTheHostsColourItem) {
  Use(KX48T7_SAMPLE_PPD);
  for (const HostColourModel model : {HostColourModel::kGrayscale, HostColourModel::kColour}) {
    SCOPED_TRACE(static_cast<int>(model));
    record_->colorMode = static_cast<uint8_t>(model);
    Module().hostColourModel = HostColourModel::kUnknown;
    ASSERT_EQ(BuildDocumentItems(&param_, &context_), S_OK);
    EXPECT_EQ(Module().hostColourModel, model);
    EXPECT_EQ(param_.pOEMUserData, &context_);
    EXPECT_EQ(param_.OEMCUIPCallback, &DocumentItemsCallback);
  }
  struct Case {
    LONG selection;
    HostColourModel model;
  };
  for (const Case c : {Case{1, HostColourModel::kColour}, Case{0, HostColourModel::kGrayscale},
                       Case{1, HostColourModel::kColour}}) {
    SCOPED_TRACE(c.selection);
    items_->FindByDmPub(DMPUB_COLOR)->Sel = c.selection;
    EXPECT_EQ(Callback(CPSUICB_REASON_KILLACTIVE, &param_), CPSUICB_ACTION_OPTIF_CHANGED);
    EXPECT_EQ(Module().hostColourModel, c.model);
  }
}

// The colour item follows the host colour model, the print-quality item and the hidden
// quality-mode item the record's quality, and the host hears of each item set.
TEST_F(HostSyncTest, ResynchronisingSetsColourAndQualityItems) {
  Use(KX48T7_SAMPLE_PPD);
  ASSERT_GT(image_->installableFeatureCount, 0u);
  struct Case {
    HostColourModel model;
    LONG selection;
    LONG expected;
  };
  const Case cases[] = {
      {HostColourModel::kColour, 0, 1},    {HostColourModel::kColour, 1, 1},
      {HostColourModel::kGrayscale, 1, 0}, {HostColourModel::kGrayscale, 0, 0},
      {HostColourModel::kUnknown, 1, 1},   {HostColourModel::kUnknown, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << static_cast<int>(c.model) << " " << c.selection);
    NewItems();
    driver_.ClearRecords();
    OPTITEM& colour = *items_->FindByDmPub(DMPUB_COLOR);
    OPTITEM& quality = *items_->FindByDmPub(DMPUB_PRINTQUALITY);
    OPTITEM& qualityMode = ItemOf("QualityMode");
    colour.Sel = c.selection;
    record_->qualityMode = 3;  // 1200dpi
    Module().hostColourModel = c.model;

    ResynchroniseHostItems(context_);
    EXPECT_EQ(colour.Sel, c.expected);
    EXPECT_EQ(Changed(colour), c.expected != c.selection);
    EXPECT_EQ(Announced(colour), c.expected != c.selection ? 1u : 0u);
    // The print-quality item lists the resolutions as the Resolution feature's item does.
    EXPECT_EQ(quality.Sel, items_->ChoiceOf("Resolution", "1200dpi"));
    EXPECT_TRUE(Changed(quality));
    EXPECT_EQ(Announced(quality), 1u);
    EXPECT_EQ(qualityMode.Sel, items_->ChoiceOf("QualityMode", "1200dpiUltra"));
    EXPECT_EQ(Announced(qualityMode), 1u);
  }
}

// A printer without installable options keeps the host's colour and print-quality
// choices; only the quality-mode item follows the record.
TEST_F(HostSyncTest, WithoutInstallableFeaturesOnlyTheQualityModeItemIsSet) {
  Use(WritePpd("*ColorDevice: True\n" +
               test::PickOneFeature("Resolution", "600dpi", {"600dpi", "1200dpi"}) +
               test::PickOneFeature("QualityMode", "600dpi", {"600dpi", "1200dpiUltra"})));
  ASSERT_EQ(image_->installableFeatureCount, 0u);
  OPTITEM& colour = *items_->FindByDmPub(DMPUB_COLOR);
  OPTITEM& quality = *items_->FindByDmPub(DMPUB_PRINTQUALITY);
  colour.Sel = 0;
  quality.Sel = 0;
  record_->qualityMode = 3;
  Module().hostColourModel = HostColourModel::kColour;
  ResynchroniseHostItems(context_);
  EXPECT_EQ(colour.Sel, 0);
  EXPECT_EQ(quality.Sel, 0);
  EXPECT_EQ(ItemOf("QualityMode").Sel, 1);
  ASSERT_EQ(driver_.updates().size(), 1u);
  EXPECT_EQ(driver_.updates()[0].item, &ItemOf("QualityMode"));
}

// Resolution options come from the PPD's resolution feature, not from the first feature
// whose keyword begins with "Resolution"; other features go by that prefix search.
TEST_F(HostSyncTest, OptionIndexOfAQualityValue) {
  Use(WritePpd(test::PickOneFeature("ResolutionMode", "600dpiFast", {"600dpiFast", "1200dpiFast"}) +
               test::PickOneFeature("Resolution", "600dpi", {"300dpi", "600dpi", "1200dpi"}) +
               test::PickOneFeature("QualityMode", "Draft", {"Draft", "1200dpiUltra", "Fine"})));
  const ppd::PpdOption* prefixed = ppd::PpdFindOptions(image_, "Resolution");
  ASSERT_NE(prefixed, nullptr);
  ASSERT_EQ(std::string(ppd::String(image_, prefixed->keyword)), "600dpiFast");
  struct Case {
    const char* keyword;
    uint32_t value;
    uint32_t index;
  };
  const Case cases[] = {
      {"Resolution", 2, 1},      // 600dpi
      {"Resolution", 3, 2},      // 1200dpi
      {"Resolution", 10, 0},     // High: no such option
      {"Resolution", 0, 0},      // no name
      {"QualityMode", 3, 1},     // 1200dpi begins 1200dpiUltra
      {"QualityMode", 7, 2},     // Fine
      {"ResolutionMode", 3, 1},  // 1200dpiFast
      {"Missing", 2, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.keyword << " " << c.value);
    EXPECT_EQ(OptionIndex(image_, settings::kQualityTable, c.keyword, c.value), c.index);
  }
  EXPECT_EQ(OptionIndex(nullptr, settings::kQualityTable, "Resolution", 2), 0u);
}

// The option is found by its exact keyword, the choice by the option's translation.
TEST_F(HostSyncTest, SetHostItemSelectsTheChoiceShowingTheNamedOption) {
  Use(WritePpd(
      test::PickOneFeature("ImageIntent", "None",
                           {"None/No Rendering", "sRGBPlus/sRGB Plus", "sRGB/Standard RGB"}) +
      test::PickOneFeature("ImageHalftone", "Low", {"Low/Low Frequency", "High"})));
  struct Case {
    const char* keyword;
    settings::NameTable table;
    uint32_t value;
    LONG selection;  // from 1
  };
  const Case cases[] = {
      {"ImageIntent", settings::kIntentTable, 3, 2},      // sRGB, not sRGBPlus
      {"ImageIntent", settings::kIntentTable, 0, 0},      // None
      {"ImageIntent", settings::kIntentTable, 2, 1},      // Vivid: no such option
      {"ImageIntent", settings::kIntentTable, 9, 1},      // no name
      {"ImageHalftone", settings::kHalftoneTable, 0, 0},  // shown as Low Frequency
      {"ImageHalftone", settings::kHalftoneTable, 2, 1},  // High, already shown
      {"ImageHalftone", settings::kHalftoneTable, 1, 1},  // General: no such option
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.keyword << " " << c.value);
    OPTITEM& item = ItemOf(c.keyword);
    item.Sel = 1;
    driver_.ClearRecords();
    SetHostItem(image_, c.keyword, param_, &driver_, &item, c.table, c.value);
    EXPECT_EQ(item.Sel, c.selection);
    EXPECT_EQ(Announced(item), c.selection != 1 ? 1u : 0u);
  }

  // A choice the host names otherwise, or an item without choices, is left.
  OPTITEM& item = ItemOf("ImageIntent");
  item.Sel = 0;
  item.pOptType->pOptParam[2].pData = nullptr;
  SetHostItem(image_, "ImageIntent", param_, &driver_, &item, settings::kIntentTable, 3);
  EXPECT_EQ(item.Sel, 0);
  item.pOptType = nullptr;
  SetHostItem(image_, "ImageIntent", param_, &driver_, &item, settings::kIntentTable, 0);
  SetHostItem(image_, "ImageIntent", param_, &driver_, nullptr, settings::kIntentTable, 0);
}

TEST_F(HostSyncTest, NothingBreaksOnMissingParameters) {
  Use(KX48T7_SAMPLE_PPD);
  EXPECT_EQ(BuildDocumentItems(nullptr, nullptr), S_OK);
  OEMCUIPPARAM empty{};
  EXPECT_EQ(BuildDocumentItems(&empty, &context_), S_OK);
  EXPECT_EQ(empty.OEMCUIPCallback, nullptr);

  EXPECT_EQ(DocumentItemsCallback(nullptr, &param_), CPSUICB_ACTION_NONE);
  CPSUICBPARAM apply{};
  apply.Reason = CPSUICB_REASON_APPLYNOW;
  EXPECT_EQ(DocumentItemsCallback(&apply, nullptr), CPSUICB_ACTION_ITEMS_APPLIED);
  EXPECT_EQ(apply.Result, static_cast<ULONG_PTR>(CPSUI_OK));
  EXPECT_EQ(Callback(CPSUICB_REASON_KILLACTIVE, nullptr), CPSUICB_ACTION_OPTIF_CHANGED);
  EXPECT_EQ(Callback(CPSUICB_REASON_KILLACTIVE, &empty), CPSUICB_ACTION_OPTIF_CHANGED);

  // No record: the colour model is still taken, nothing else.
  param_.pOEMDM = nullptr;
  Module().hostColourModel = HostColourModel::kUnknown;
  EXPECT_EQ(BuildDocumentItems(&param_, &context_), S_OK);
  EXPECT_EQ(Module().hostColourModel, HostColourModel::kUnknown);
  items_->FindByDmPub(DMPUB_COLOR)->Sel = 0;
  EXPECT_EQ(Callback(CPSUICB_REASON_KILLACTIVE, &param_), CPSUICB_ACTION_OPTIF_CHANGED);
  EXPECT_EQ(Module().hostColourModel, HostColourModel::kGrayscale);
  EXPECT_EQ(Callback(CPSUICB_REASON_APPLYNOW, &param_), CPSUICB_ACTION_ITEMS_APPLIED);
  ResynchroniseHostItems(context_);
  ResynchroniseHostItems(PageSetContext{});
  EXPECT_TRUE(driver_.updates().empty());

  // Without the sheet's context the callback still sets the colour items, unannounced.
  NewItems();
  record_->imageHalftone = 2;
  EXPECT_EQ(Callback(CPSUICB_REASON_KILLACTIVE, &param_), CPSUICB_ACTION_OPTIF_CHANGED);
  OPTITEM& halftone = ItemOf("ImageHalftone");
  EXPECT_EQ(halftone.Sel, items_->ChoiceOf("ImageHalftone", "High"));
  EXPECT_TRUE(driver_.updates().empty());
}

}  // namespace
}  // namespace kx::ui
