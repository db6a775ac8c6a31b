// The host's document items and the plug-in's settings record kept in step, through the
// UI plug-in module as the host drives it: CommonUIProp for the document sheet, then the
// callback the plug-in installed, called as the host's page is applied or left.
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "hostsim/host_items.h"
#include "hostsim/ui_session.h"
#include "ui_session_fixture.h"
#include "platform/registry.h"
#include "platform/spooler.h"
#include "platform/text.h"
#include "platform/win32_errors.h"
#include "ppd/ppd.h"
#include "support/test_ppd.h"
#include "support/test_printer.h"

namespace kx::hostsim {
namespace {

using namespace host;
using settings::PrivateRecord;

constexpr char16_t kPrinterName[] = u"Document Items Printer";

constexpr auto Hidden = HostItems::Hidden;
constexpr auto Changed = HostItems::Changed;

class DocumentItemsTest : public UiSessionFixture {
 protected:
  DocumentItemsTest() : UiSessionFixture(kPrinterName) {}
  void TearDown() override {
    items_.reset();
    session_.reset();
    if (image_ != nullptr) ppd::PpdClose(image_);
    image_ = nullptr;
  }

  // A session for a printer with this PPD, and the host's document items built from it.
  void Open(const std::string& ppdPath) {
    OpenSession(ppdPath);
    image_ = ppd::PpdOpen(platform::Utf8ToUtf16(ppdPath).c_str());
    ASSERT_NE(image_, nullptr);
    NewItems();
  }
  void NewItems() { items_ = std::make_unique<HostItems>(image_, HostItems::Tree::Document); }
  std::string WritePpd(const std::string& body) {
    return test::WriteTestPpd(printer_.directory(), "document.ppd", body);
  }

  void Build() { ASSERT_EQ(session_->CommonUIProp(OEMCUIP_DOCPROP, items_.get()), S_OK); }
  UISession::ItemsCallbackAnswer Call(WORD reason) {
    return session_->ItemsCallback(SheetKind::Document, reason);
  }

  // The host's item of a PPD feature.
  OPTITEM& ItemOf(const char* keyword) {
    static OPTITEM none{};
    OPTITEM* item = items_->FeatureItem(keyword);
    if (item == nullptr) ADD_FAILURE() << "no host item for " << keyword;
    return item != nullptr ? *item : none;
  }
  LONG ChoiceOf(const char* keyword, const char* option) {
    return items_->ChoiceOf(keyword, option);
  }
  LONG DefaultChoiceOf(const char* keyword) {
    const ppd::PpdFeature* feature = ppd::PpdFindFeature(image_, keyword);
    return feature != nullptr ? static_cast<LONG>(feature->defaultIndex) : -1;
  }
  PrivateRecord& record() { return session_->privateRecord(); }
  const std::vector<UiSettingUpdate>& updates() { return session_->driverInterface().updates(); }

  void StoreTraySwitch(uint32_t type, const std::vector<uint8_t>& bytes) {
    ASSERT_EQ(platform::SetPrinterData(printer_.handle(), u"Tray Switch", type, bytes.data(),
                                       static_cast<uint32_t>(bytes.size())),
              platform::kErrorSuccess);
  }
  // The stored tray-switch value when it is binary; empty when there is none.
  std::vector<uint8_t> StoredTraySwitch() {
    std::vector<uint8_t> bytes(16);
    uint32_t type = 0;
    uint32_t size = 0;
    if (platform::GetPrinterData(printer_.handle(), u"Tray Switch", &type, bytes.data(),
                                 static_cast<uint32_t>(bytes.size()), &size) !=
            platform::kErrorSuccess ||
        type != platform::kRegBinary) {
      return {};
    }
    bytes.resize(size);
    return bytes;
  }

  const ppd::PpdImage* image_ = nullptr;
  std::unique_ptr<HostItems> items_;
};

TEST_F(DocumentItemsTest, PagesPerSheetDecideBookletAndNupCode) {
  Open(KX48T7_SAMPLE_PPD);
  Build();
  struct Case {
    LONG selection;
    uint16_t booklet;
    uint16_t nupCode;
  };
  for (const Case c : {Case{0, 0, 0}, Case{3, 0, 3}, Case{5, 0, 5}, Case{6, 1, 0}}) {
    SCOPED_TRACE(c.selection);
    items_->FindByDmPub(DMPUB_NUP)->Sel = c.selection;
    record().booklet = c.booklet == 0 ? 1 : 0;
    record().nupCode = 7;
    const UISession::ItemsCallbackAnswer answer = Call(CPSUICB_REASON_KILLACTIVE);
    EXPECT_EQ(answer.action, CPSUICB_ACTION_OPTIF_CHANGED);
    EXPECT_EQ(answer.result, static_cast<ULONG_PTR>(CPSUI_OK));
    EXPECT_EQ(record().booklet, c.booklet);
    EXPECT_EQ(record().nupCode, c.nupCode);
  }
}

// The host's error-handler item is hidden and says the opposite of "omit" whenever the
// record sends PostScript errors.
TEST_F(DocumentItemsTest, ErrorHandlerItemFollowsTheRecord) {
  Open(KX48T7_SAMPLE_PPD);
  struct Case {
    LONG hostSelection;
    uint32_t printPsErrors;
    LONG selection;
    bool changed;
  };
  for (const Case c : {Case{0, 1, 0, false}, Case{0, 0, 1, true}, Case{1, 7, 0, true}}) {
    SCOPED_TRACE(testing::Message() << c.hostSelection << " " << c.printPsErrors);
    NewItems();
    OPTITEM* item = items_->FindByHelpIndex(kErrorHandlerHelpIndex);
    ASSERT_NE(item, nullptr);
    item->Sel = c.hostSelection;
    record().printPsErrors = c.printPsErrors;
    Build();
    EXPECT_EQ(item->Sel, c.selection);
    EXPECT_TRUE(Hidden(*item));
    EXPECT_EQ(Changed(*item), c.changed);
  }
}

// On a colour printer the plug-in's colour pages replace twelve of the host's feature
// items; on a grayscale one six, and the print-quality item always.
TEST_F(DocumentItemsTest, BuildHidesWhatThePluginsPagesShow) {
  struct Case {
    const char* ppd;
    std::vector<const char*> hidden;
    std::vector<const char*> shown;
  };
  const Case cases[] = {
      {KX48T7_SAMPLE_PPD,
       {"ImageHalftone", "GraphicsHalftone", "ImageIntent", "GraphicsIntent", "ImageProcessGray",
        "GraphicsProcessGray", "Smoothing", "MiserMode", "Halftones", "PrintQuality",
        "Separations", "QualityMode"},
       {"HeaderPage", "TrailerPage", "TraySwitch", "AutoContinue", "MediaType", "Resolution"}},
      {KX48T7_SAMPLE_MONO_PPD,
       {"ImageHalftone", "GraphicsHalftone", "Halftones", "MiserMode", "QualityMode",
        "Smoothing"},
       {"PrintQuality", "HeaderPage", "TraySwitch", "MediaType", "Resolution"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.ppd);
    Open(c.ppd);
    Build();
    EXPECT_TRUE(Hidden(*items_->FindByDmPub(DMPUB_PRINTQUALITY)));
    EXPECT_FALSE(Hidden(*items_->FindByDmPub(DMPUB_COLOR)));
    EXPECT_FALSE(Hidden(*items_->FindByDmPub(DMPUB_NUP)));
    for (const char* keyword : c.hidden) EXPECT_TRUE(Hidden(ItemOf(keyword))) << keyword;
    for (const char* keyword : c.shown) EXPECT_FALSE(Hidden(ItemOf(keyword))) << keyword;
    TearDown();
  }
}

// Leaving the host's page on a colour printer shows the record's colour settings in the
// host's six colour items, and tells the host of each item that changed.
TEST_F(DocumentItemsTest, ColourItemsTakeTheRecordOnAColourPrinter) {
  Open(KX48T7_SAMPLE_PPD);
  Build();
  struct Case {
    const char* keyword;
    uint8_t PrivateRecord::*field;
    uint8_t value;
    const char* option;
  };
  const Case cases[] = {
      {"ImageHalftone", &PrivateRecord::imageHalftone, 2, "High"},
      {"GraphicsHalftone", &PrivateRecord::graphicsHalftone, 0, "Low"},
      {"ImageIntent", &PrivateRecord::imageIntent, 4, "SatsRGB"},
      {"GraphicsIntent", &PrivateRecord::graphicsIntent, 1, "Contrast"},
      {"ImageProcessGray", &PrivateRecord::imageProcessGray, 0, "False"},
      {"GraphicsProcessGray", &PrivateRecord::graphicsProcessGray, 1, "True"},
  };
  for (const Case& c : cases) {
    record().*c.field = c.value;
    ASSERT_NE(ItemOf(c.keyword).Sel, ChoiceOf(c.keyword, c.option)) << "already " << c.option;
  }
  session_->driverInterface().ClearRecords();
  EXPECT_EQ(Call(CPSUICB_REASON_KILLACTIVE).action, CPSUICB_ACTION_OPTIF_CHANGED);

  ASSERT_EQ(updates().size(), std::size(cases));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.keyword);
    OPTITEM& item = ItemOf(c.keyword);
    EXPECT_EQ(item.Sel, ChoiceOf(c.keyword, c.option));
    const auto update = std::find_if(updates().begin(), updates().end(),
                                     [&](const UiSettingUpdate& u) { return u.item == &item; });
    ASSERT_NE(update, updates().end());
    EXPECT_EQ(update->selectionAtCall, item.Sel);
    EXPECT_EQ(update->previousSelection, 0u);
    EXPECT_EQ(update->mode, OEMCUIP_DOCPROP);
    EXPECT_EQ(update->driverObject, static_cast<const void*>(session_->uiObject()));
  }

  // Items that already show the record are left, and the host hears nothing.
  session_->driverInterface().ClearRecords();
  Call(CPSUICB_REASON_KILLACTIVE);
  EXPECT_TRUE(updates().empty());
}

// A grayscale printer leaves its intent and gray-processing items to the host: shown, and
// never set from the record; its tray-switch choice is not written back either.
TEST_F(DocumentItemsTest, GrayscalePrinterLeavesTheColourItemsAlone) {
  // Unlike the sample grayscale PPD, this one has the intent and gray-processing features.
  Open(WritePpd("*ColorDevice: False\n" +
                test::PickOneFeature("ImageHalftone", "Low", {"Low", "General", "High"}) +
                test::PickOneFeature("ImageIntent", "None", {"None", "Contrast", "Vivid"}) +
                test::PickOneFeature("GraphicsIntent", "None", {"None", "Contrast", "Vivid"}) +
                test::PickOneFeature("ImageProcessGray", "False", {"False", "True"}) +
                test::PickOneFeature("GraphicsProcessGray", "False", {"False", "True"}) +
                test::PickOneFeature("TraySwitch", "True", {"False", "True"})));
  record().imageHalftone = 2;
  record().imageIntent = 2;
  record().graphicsIntent = 1;
  record().imageProcessGray = 1;
  record().graphicsProcessGray = 1;
  Build();
  const char* const keywords[] = {"ImageHalftone", "ImageIntent", "GraphicsIntent",
                                  "ImageProcessGray", "GraphicsProcessGray"};
  for (const char* keyword : keywords) {
    EXPECT_EQ(Hidden(ItemOf(keyword)), keyword == std::string("ImageHalftone")) << keyword;
  }
  ItemOf("TraySwitch").Sel = 0;
  EXPECT_EQ(Call(CPSUICB_REASON_KILLACTIVE).action, CPSUICB_ACTION_OPTIF_CHANGED);
  for (const char* keyword : keywords) {
    EXPECT_EQ(ItemOf(keyword).Sel, DefaultChoiceOf(keyword)) << keyword;
  }
  EXPECT_TRUE(updates().empty());
  EXPECT_TRUE(StoredTraySwitch().empty());
}

TEST_F(DocumentItemsTest, ApplyTakesBannerAndContinueItems) {
  Open(KX48T7_SAMPLE_PPD);
  Build();
  struct Case {
    LONG header;
    LONG trailer;
    LONG autoContinue;
  };
  for (const Case c : {Case{1, 0, 1}, Case{0, 1, 0}}) {
    SCOPED_TRACE(testing::Message() << c.header << c.trailer << c.autoContinue);
    ItemOf("HeaderPage").Sel = c.header;
    ItemOf("TrailerPage").Sel = c.trailer;
    ItemOf("AutoContinue").Sel = c.autoContinue;
    record().headerPage = c.header == 1 ? 0 : 1;
    record().trailerPage = c.trailer == 1 ? 0 : 1;
    record().autoContinue = c.autoContinue == 1 ? 0 : 1;
    const UISession::ItemsCallbackAnswer answer = Call(CPSUICB_REASON_APPLYNOW);
    EXPECT_EQ(answer.action, CPSUICB_ACTION_ITEMS_APPLIED);
    EXPECT_EQ(answer.result, static_cast<ULONG_PTR>(CPSUI_OK));
    EXPECT_EQ(record().headerPage, static_cast<uint32_t>(c.header));
    EXPECT_EQ(record().trailerPage, static_cast<uint32_t>(c.trailer));
    EXPECT_EQ(record().autoContinue, static_cast<uint32_t>(c.autoContinue));
  }
  // The other reasons leave the record, the items and the result alone.
  ItemOf("HeaderPage").Sel = 1;
  items_->FindByDmPub(DMPUB_NUP)->Sel = 6;
  const std::vector<uint8_t> before = session_->record();
  for (const WORD reason : {CPSUICB_REASON_SEL_CHANGED, CPSUICB_REASON_SETACTIVE}) {
    const UISession::ItemsCallbackAnswer answer = Call(reason);
    EXPECT_EQ(answer.action, CPSUICB_ACTION_OPTIF_CHANGED);
    EXPECT_EQ(answer.result, UISession::kUntouchedResult);
  }
  EXPECT_EQ(session_->record(), before);
}

// The printer keeps the tray-switch choice as four binary bytes under the item's name:
// the build takes it, leaving the page stores it again.
TEST_F(DocumentItemsTest, TraySwitchChoiceIsKeptByThePrinter) {
  Open(KX48T7_SAMPLE_PPD);
  const LONG hostDefault = DefaultChoiceOf("TraySwitch");
  const LONG other = hostDefault == 0 ? 1 : 0;
  const uint8_t otherByte = static_cast<uint8_t>(other);
  struct Case {
    const char* name;
    uint32_t type;
    std::vector<uint8_t> bytes;
    LONG selection;
  };
  const Case cases[] = {
      {"four binary bytes", platform::kRegBinary, {otherByte, 0, 0, 0}, other},
      {"two bytes", platform::kRegBinary, {otherByte, 0}, hostDefault},
      {"eight bytes", platform::kRegBinary, {otherByte, 0, 0, 0, 0, 0, 0, 0}, hostDefault},
      {"a number", platform::kRegDword, {otherByte, 0, 0, 0}, hostDefault},
      {"past the item's choices", platform::kRegBinary, {0x10, 0, 0, 0}, hostDefault},
      {"negative", platform::kRegBinary, {0xFF, 0xFF, 0xFF, 0xFF}, hostDefault},
  };
  NewItems();
  Build();
  EXPECT_EQ(ItemOf("TraySwitch").Sel, hostDefault) << "nothing stored yet";
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    StoreTraySwitch(c.type, c.bytes);
    NewItems();
    Build();
    EXPECT_EQ(ItemOf("TraySwitch").Sel, c.selection);
  }

  for (const LONG selection : {other, hostDefault}) {
    SCOPED_TRACE(selection);
    ItemOf("TraySwitch").Sel = selection;
    Call(CPSUICB_REASON_KILLACTIVE);
    EXPECT_EQ(StoredTraySwitch(), std::vector<uint8_t>({static_cast<uint8_t>(selection), 0, 0, 0}));
  }
}

// Without a PPD the plug-in cannot tell the host's feature items apart: it hides the
// print-quality item and maps only pages per sheet.
TEST_F(DocumentItemsTest, WithoutAPpdOnlyTheFixedItemsAreHandled) {
  Open(KX48T7_SAMPLE_PPD);
  printer_.SetPpd("");
  record().printPsErrors = 0;
  record().imageHalftone = 2;
  record().headerPage = 0;
  Build();
  EXPECT_TRUE(Hidden(*items_->FindByDmPub(DMPUB_PRINTQUALITY)));
  EXPECT_FALSE(Hidden(*items_->FindByHelpIndex(kErrorHandlerHelpIndex)));
  for (const OPTITEM& item : items_->SectionFromEnd(0)) {
    EXPECT_FALSE(Hidden(item)) << platform::Utf16ToUtf8(HostItems::Name(item));
  }
  items_->FindByDmPub(DMPUB_NUP)->Sel = 2;
  ItemOf("HeaderPage").Sel = 1;
  const LONG halftone = ItemOf("ImageHalftone").Sel;
  Call(CPSUICB_REASON_KILLACTIVE);
  EXPECT_EQ(record().nupCode, 2u);
  EXPECT_EQ(ItemOf("ImageHalftone").Sel, halftone);
  EXPECT_EQ(Call(CPSUICB_REASON_APPLYNOW).action, CPSUICB_ACTION_ITEMS_APPLIED);
  EXPECT_EQ(record().headerPage, 0u);
  EXPECT_TRUE(updates().empty());
}

}  // namespace
}  // namespace kx::hostsim
