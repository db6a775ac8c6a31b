#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/last_error.h"
#include "platform/text.h"
#include "property_sheets.h"
#include "settings/record.h"
#include "settings/record_ops.h"
#include "support/test_printer.h"
#include "ui_test_support.h"

namespace kx::ui {
namespace {

using namespace host;

constexpr uint32_t kSentinel = 0xDEADBEEF;
constexpr LONG_PTR kFirstHandle = 0x5100;

// What the host's add-page callback was given, call by call.
struct AddedPage {
  HANDLE sheet;
  UINT function;
  PROPSHEETPAGEW page;
  LPARAM extra;
};
std::vector<AddedPage> addedPages;

LONG_PTR KX_STDCALL RecordAddedPage(HANDLE sheet, UINT function, LPARAM lParam1, LPARAM lParam2) {
  addedPages.push_back({sheet, function, *reinterpret_cast<const PROPSHEETPAGEW*>(lParam1), lParam2});
  return kFirstHandle + static_cast<LONG_PTR>(addedPages.size()) - 1;
}

INT_PTR KX_STDCALL FirstPageProc(HWND, UINT, WPARAM, LPARAM) { return 0; }
INT_PTR KX_STDCALL SecondPageProc(HWND, UINT, WPARAM, LPARAM) { return 0; }

constexpr platform::ControlSpec kOneButton[] = {
    {.id = 1001, .kind = platform::ControlKind::Button, .caption = "A", .width = 40, .height = 14},
};
constexpr platform::DialogSpec kFirstSpec = {
    .templateId = 901, .caption = "첫째", .width = 200, .height = 100, .controls = kOneButton};
constexpr platform::DialogSpec kSecondSpec = {
    .templateId = 902, .caption = "둘째", .width = 210, .height = 110, .controls = kOneButton};
constexpr PageEntry kTestPages[] = {
    {901, FirstPageProc, &kFirstSpec},
    {902, SecondPageProc, &kSecondSpec},
    {901, FirstPageProc, &kFirstSpec},
};

PROPSHEETUI_INFO SheetInfo(WORD reason) {
  PROPSHEETUI_INFO info{};
  info.cbSize = sizeof(info);
  info.Version = PROPSHEETUI_INFO_VERSION;
  info.Reason = reason;
  info.hComPropSheet = reinterpret_cast<HANDLE>(0x77);
  info.pfnComPropSheet = RecordAddedPage;
  info.Result = kSentinel;
  return info;
}

class PropertySheetsTest : public ::testing::Test {
 protected:
  void SetUp() override { addedPages.clear(); }
  void TearDown() override {
    PROPSHEETUI_INFO info = SheetInfo(PROPSHEETUI_REASON_DESTROY);
    RunPropertySheets(SheetKind::Document, context_, {}, &info, 0);
  }
  PageSetContext context_;
};

TEST_F(PropertySheetsTest, InitAddsThePagesInOrderWithTheirTemplates) {
  for (const SheetKind kind : {SheetKind::Printer, SheetKind::Document}) {
    SCOPED_TRACE(kind == SheetKind::Printer ? "printer sheet" : "document sheet");
    addedPages.clear();
    PageSetContext context;
    PROPSHEETUI_INFO info = SheetInfo(PROPSHEETUI_REASON_INIT);
    ASSERT_EQ(RunPropertySheets(kind, context, kTestPages, &info, 0), S_OK);

    ASSERT_EQ(addedPages.size(), std::size(kTestPages));
    for (size_t index = 0; index < addedPages.size(); ++index) {
      SCOPED_TRACE(index);
      const AddedPage& added = addedPages[index];
      EXPECT_EQ(added.sheet, info.hComPropSheet);
      EXPECT_EQ(added.function, CPSFUNC_ADD_PROPSHEETPAGEW);
      EXPECT_EQ(added.extra, 0);
      EXPECT_EQ(added.page.dwSize, sizeof(PROPSHEETPAGEW));
      EXPECT_EQ(added.page.dwFlags, PSP_DLGINDIRECT | PSP_HASHELP);
      EXPECT_EQ(added.page.pfnDlgProc, kTestPages[index].procedure);
      EXPECT_EQ(added.page.lParam, reinterpret_cast<LPARAM>(&context));
      // The template stays alive with the sheet and is the page's own.
      const std::vector<uint32_t> expected = platform::BuildDialogTemplate(*kTestPages[index].spec);
      EXPECT_EQ(std::memcmp(added.page.pResource, expected.data(),
                            expected.size() * sizeof(uint32_t)),
                0);
    }
    EXPECT_EQ(info.Result, static_cast<ULONG_PTR>(kFirstHandle + 2));
    EXPECT_EQ(context.firstPage, kFirstHandle);
    EXPECT_EQ(context.secondPage, kind == SheetKind::Printer ? kFirstHandle + 1 : kNoPageHandle);
    EXPECT_EQ(context.propertySheet, info.hComPropSheet);

    PROPSHEETUI_INFO destroy = SheetInfo(PROPSHEETUI_REASON_DESTROY);
    EXPECT_EQ(RunPropertySheets(kind, context, kTestPages, &destroy, 0), S_OK);
    EXPECT_EQ(destroy.Result, 1u);
    EXPECT_TRUE(context.templates.empty());
  }
}

TEST_F(PropertySheetsTest, NoPageLeavesTheResultAlone) {
  PROPSHEETUI_INFO info = SheetInfo(PROPSHEETUI_REASON_INIT);
  EXPECT_EQ(RunPropertySheets(SheetKind::Printer, context_, {}, &info, 0), S_OK);
  EXPECT_TRUE(addedPages.empty());
  EXPECT_EQ(info.Result, kSentinel);
  EXPECT_EQ(context_.firstPage, kNoPageHandle);
}

TEST_F(PropertySheetsTest, RefusesAMissingOrForeignSheetInformation) {
  platform::SetLastErrorCode(kSentinel);
  EXPECT_EQ(RunPropertySheets(SheetKind::Document, context_, kTestPages, nullptr, 0), E_FAIL);
  EXPECT_EQ(platform::GetLastErrorCode(), 87u);
  for (const WORD version : {WORD{0x0000}, WORD{0x0101}, WORD{0x0200}}) {
    SCOPED_TRACE(version);
    PROPSHEETUI_INFO info = SheetInfo(PROPSHEETUI_REASON_INIT);
    info.Version = version;
    platform::SetLastErrorCode(kSentinel);
    EXPECT_EQ(RunPropertySheets(SheetKind::Document, context_, kTestPages, &info, 0), E_FAIL);
    EXPECT_EQ(platform::GetLastErrorCode(), 87u);
    EXPECT_EQ(info.Result, kSentinel);
  }
  EXPECT_TRUE(addedPages.empty());
}

TEST_F(PropertySheetsTest, TheSheetSlotsCheckTheVersionToo) {
  test::PluginObject plugin;
  for (const bool document : {true, false}) {
    SCOPED_TRACE(document ? "document" : "printer");
    PROPSHEETUI_INFO info = SheetInfo(PROPSHEETUI_REASON_INIT);
    info.Version = 0x0200;
    platform::SetLastErrorCode(kSentinel);
    EXPECT_EQ(document ? plugin->DocumentPropertySheets(&info, 0)
                       : plugin->DevicePropertySheets(&info, 0),
              E_FAIL);
    EXPECT_EQ(platform::GetLastErrorCode(), 87u);
  }
  EXPECT_TRUE(addedPages.empty());
}

TEST_F(PropertySheetsTest, HeaderResultAndIconRequests) {
  PROPSHEETUI_INFO_HEADER header{};
  header.cbSize = sizeof(header);
  PROPSHEETUI_INFO info = SheetInfo(PROPSHEETUI_REASON_GET_INFO_HEADER);
  EXPECT_EQ(RunPropertySheets(SheetKind::Document, context_, kTestPages,
                              &info, reinterpret_cast<LPARAM>(&header)),
            S_OK);
  ASSERT_NE(header.pTitle, nullptr);
  EXPECT_EQ(std::u16string(header.pTitle), u"VRX48T7-PSN PostScript Driver");
  EXPECT_EQ(info.Result, 1u);

  SETRESULT_INFO result{};
  result.cbSize = sizeof(result);
  result.Result = CPSUI_OK;
  info = SheetInfo(PROPSHEETUI_REASON_SET_RESULT);
  EXPECT_EQ(RunPropertySheets(SheetKind::Document, context_, kTestPages, &info,
                              reinterpret_cast<LPARAM>(&result)),
            S_OK);
  EXPECT_EQ(info.Result, static_cast<ULONG_PTR>(CPSUI_OK));

  info = SheetInfo(PROPSHEETUI_REASON_GET_ICON);
  EXPECT_EQ(RunPropertySheets(SheetKind::Document, context_, kTestPages, &info, 0), S_OK);
  EXPECT_EQ(info.Result, 0u);
  EXPECT_TRUE(addedPages.empty());
}

// The document sheet with a printer: the PPD opens and the stored device options come into
// the record; without stored options the record gets the defaults.
class DocumentSheetWithPrinterTest : public PropertySheetsTest {
 protected:
  DocumentSheetWithPrinterTest()
      : printer_(u"UI Sheet Printer", platform::Utf8ToUtf16(KX48T7_SAMPLE_PPD)) {
    std::memset(&record_, 0xAB, sizeof(record_));
    param_.cbSize = sizeof(param_);
    param_.hPrinter = printer_.handle();
    param_.pOEMDM = &record_;
    context_.commonUi = &param_;
  }
  settings::DeviceOptions StoredOptions() {
    settings::DeviceOptions options{};
    settings::SetDeviceOptionsDefaults(&options);
    options.installedOptions[0] = 1;
    options.installedOptions[12] = 1;
    return options;
  }
  test::TestPrinter printer_;
  settings::PrivateRecord record_;
  OEMCUIPPARAM param_{};
};

TEST_F(DocumentSheetWithPrinterTest, ReadsTheStoredDeviceOptions) {
  const settings::DeviceOptions stored = StoredOptions();
  const auto* bytes = reinterpret_cast<const uint8_t*>(&stored);
  printer_.SetDevOpts(std::vector<uint8_t>(bytes, bytes + sizeof(stored)));
  PROPSHEETUI_INFO info = SheetInfo(PROPSHEETUI_REASON_INIT);
  ASSERT_EQ(RunPropertySheets(SheetKind::Document, context_, {}, &info, 0), S_OK);
  EXPECT_NE(context_.ppd, nullptr);
  EXPECT_EQ(std::memcmp(&record_.devOpts, &stored, sizeof(stored)), 0);
  // Nothing else of the record is touched.
  EXPECT_EQ(record_.colorMode, 0xAB);
}

TEST_F(DocumentSheetWithPrinterTest, WithoutStoredOptionsTheDefaultsApply) {
  PROPSHEETUI_INFO info = SheetInfo(PROPSHEETUI_REASON_INIT);
  ASSERT_EQ(RunPropertySheets(SheetKind::Document, context_, {}, &info, 0), S_OK);
  settings::DeviceOptions defaults{};
  settings::SetDeviceOptionsDefaults(&defaults);
  EXPECT_EQ(std::memcmp(&record_.devOpts, &defaults, sizeof(defaults)), 0);

  PROPSHEETUI_INFO destroy = SheetInfo(PROPSHEETUI_REASON_DESTROY);
  EXPECT_EQ(RunPropertySheets(SheetKind::Document, context_, {}, &destroy, 0), S_OK);
  EXPECT_EQ(context_.ppd, nullptr);
}

TEST_F(DocumentSheetWithPrinterTest, ThePrinterSheetLeavesTheRecordAlone) {
  PROPSHEETUI_INFO info = SheetInfo(PROPSHEETUI_REASON_INIT);
  ASSERT_EQ(RunPropertySheets(SheetKind::Printer, context_, {}, &info, 0), S_OK);
  EXPECT_NE(context_.ppd, nullptr);
  EXPECT_EQ(record_.devOpts.installedOptions[0], 0xAB);
}

}  // namespace
}  // namespace kx::ui
