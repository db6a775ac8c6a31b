// The UI plug-in through its exports, as the host driver drives it.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <vector>

#include "host/oemps.h"
#include "hostsim/driver_interface.h"
#include "hostsim/host_items.h"
#include "hostsim/render_session.h"
#include "hostsim/ui_session.h"
#include "ui_session_fixture.h"
#include "platform/last_error.h"
#include "platform/text.h"
#include "ppd/ppd.h"
#include "support/test_printer.h"

namespace kx::hostsim {
namespace {

using namespace host;

constexpr char16_t kPrinterName[] = u"UI Printer";

class UISessionTest : public UiSessionFixture {
 protected:
  UISessionTest() : UiSessionFixture(kPrinterName) {}
  void SetUp() override {
    OpenSession();
    image_ = ppd::PpdOpen(platform::Utf8ToUtf16(KX48T7_SAMPLE_PPD).c_str());
    ASSERT_NE(image_, nullptr);
  }
  void TearDown() override {
    session_.reset();
    if (image_ != nullptr) ppd::PpdClose(image_);
  }

  IPrintOemUI* plugin() { return session_->plugin(); }

  const ppd::PpdImage* image_ = nullptr;
};

// What one plug-in answers to the device-mode requests for one stored record.
struct DevModeAnswers {
  DWORD size = 0;
  std::vector<uint8_t> defaults;
  std::vector<uint8_t> converted;
  std::vector<uint8_t> merged;
};

template <typename Plugin>
DevModeAnswers AskDevMode(Plugin* plugin, HANDLE printer, const std::vector<uint8_t>& stored) {
  DevModeAnswers answers;
  DEVMODEW devMode{};
  OEMDMPARAM param{};
  param.cbSize = sizeof(param);
  param.hPrinter = printer;
  param.pPublicDMIn = &devMode;
  param.pPublicDMOut = &devMode;
  EXPECT_EQ(plugin->DevMode(OEMDM_SIZE, &param), S_OK);
  answers.size = param.cbBufSize;
  answers.defaults.assign(settings::kRecordSize, 0xEE);
  param.pOEMDMOut = answers.defaults.data();
  EXPECT_EQ(plugin->DevMode(OEMDM_DEFAULT, &param), S_OK);
  std::vector<uint8_t> input = stored;
  param.pOEMDMIn = input.data();
  for (auto [mode, output] : {std::pair{OEMDM_CONVERT, &answers.converted},
                              std::pair{OEMDM_MERGE, &answers.merged}}) {
    *output = answers.defaults;
    param.pOEMDMOut = output->data();
    EXPECT_EQ(plugin->DevMode(mode, &param), S_OK);
  }
  return answers;
}

settings::PrivateRecord& Record(std::vector<uint8_t>& bytes) {
  return *reinterpret_cast<settings::PrivateRecord*>(bytes.data());
}

// Both modules are built from the one settings implementation: whatever record the host
// stored, they must answer byte for byte alike, the printer's DevOpts included.
TEST_F(UISessionTest, BothModulesAnswerTheDeviceModeSequenceAlike) {
  settings::DeviceOptions devOpts{};
  devOpts.installedOptions[settings::kHasHardDisk] = 1;
  std::memcpy(devOpts.snmpCommunity, u"private", sizeof(u"private"));
  std::memcpy(devOpts.hostName, u"desk-7", sizeof(u"desk-7"));
  const auto* devOptsBytes = reinterpret_cast<const uint8_t*>(&devOpts);
  printer_.SetDevOpts(std::vector<uint8_t>(devOptsBytes, devOptsBytes + sizeof(devOpts)));

  std::string error;
  auto psModule = PluginModule::Load(KX48T7PS_MODULE_PATH, &error);
  ASSERT_NE(psModule, nullptr) << error;
  auto render = RenderSession::Create(*psModule, &error);
  ASSERT_NE(render, nullptr) << error;

  std::vector<uint8_t> full = session_->record();
  Record(full).spare = 150;
  Record(full).pageCounter = 42;
  std::memcpy(Record(full).jobName, u"stored", sizeof(u"stored"));
  std::vector<uint8_t> shortRecord = full;
  Record(shortRecord).dwSize = 100;  // only its first 100 bytes count

  for (const auto* stored : {&full, &shortRecord}) {
    SCOPED_TRACE(stored == &full ? "whole record" : "100-byte record");
    const DevModeAnswers ui = AskDevMode(plugin(), printer_.handle(), *stored);
    const DevModeAnswers ps = AskDevMode(render->plugin(), printer_.handle(), *stored);
    EXPECT_EQ(ui.size, 5816u);
    EXPECT_EQ(ps.size, 5816u);
    EXPECT_EQ(ui.defaults, ps.defaults);
    EXPECT_EQ(ui.converted, ps.converted);
    EXPECT_EQ(ui.merged, ps.merged);
    // The printer's DevOpts reach the record, and a merge validates while a convert does
    // not (spare 150 is out of range).
    std::vector<uint8_t> merged = ui.merged;
    EXPECT_EQ(std::memcmp(&Record(merged).devOpts, &devOpts, sizeof(devOpts)), 0);
    EXPECT_EQ(Record(merged).dwSize, 5816u);
    EXPECT_EQ(Record(merged).spare, 0u);
    // A stored record of 100 bytes gives only its head (spare and the page counter lie
    // in it, the job name does not).
    std::vector<uint8_t> converted = ui.converted;
    EXPECT_EQ(Record(converted).spare, 150u);
    EXPECT_EQ(Record(converted).pageCounter, 42u);
    EXPECT_EQ(Record(converted).jobName[0], stored == &full ? u's' : u'\0');
  }
}

TEST_F(UISessionTest, SessionRecordIsTheMergedDefaults) {
  EXPECT_EQ(session_->record().size(), 5816u);
  EXPECT_EQ(session_->privateRecord().dwSignature, settings::kRecordSignature);
  EXPECT_EQ(session_->publicDevMode().dmDriverExtra, 5816u);
  EXPECT_EQ(std::u16string(session_->publicDevMode().dmDeviceName), kPrinterName);
}

TEST_F(UISessionTest, GetInfoThroughTheExports) {
  struct Case {
    DWORD mode;
    DWORD size;
    bool withNeeded;
    HRESULT result;
    DWORD needed;     // 0xDEADBEEF: untouched
    DWORD lastError;  // 0xDEADBEEF: untouched
    DWORD value;      // 0xDEADBEEF: buffer untouched
  };
  const Case cases[] = {
      {OEMGI_GETSIGNATURE, 4, true, S_OK, 4, 0xDEADBEEF, 0x4A57},
      {OEMGI_GETVERSION, 4, true, S_OK, 4, 0xDEADBEEF, 1},
      {OEMGI_GETVERSION, 3, true, E_FAIL, 4, 122, 0xDEADBEEF},
      {OEMGI_GETPUBLISHERINFO, 8, true, E_FAIL, 0, 50, 0xDEADBEEF},
      {OEMGI_GETINTERFACEVERSION, 4, true, E_FAIL, 0xDEADBEEF, 87, 0xDEADBEEF},
      {OEMGI_GETVERSION, 4, false, E_FAIL, 0xDEADBEEF, 87, 0xDEADBEEF},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "mode " << c.mode << " size " << c.size);
    DWORD buffer[2] = {0xDEADBEEF, 0xDEADBEEF};  // the second is the canary
    DWORD needed = 0xDEADBEEF;
    platform::SetLastErrorCode(0xDEADBEEF);
    DWORD* neededArgument = c.withNeeded ? &needed : nullptr;
    EXPECT_EQ(plugin()->GetInfo(c.mode, buffer, c.size, neededArgument), c.result);
    EXPECT_EQ(needed, c.needed);
    EXPECT_EQ(platform::GetLastErrorCode(), c.lastError);
    EXPECT_EQ(buffer[0], c.value);
    EXPECT_EQ(buffer[1], 0xDEADBEEFu);
  }
}

TEST_F(UISessionTest, ColourProfileThroughTheExports) {
  struct Case {
    ULONG mode;
    bool buffer;
    ULONG size;
    HRESULT result;
    ULONG sizeAfter;
    DWORD lastError;  // 0xDEADBEEF: untouched
    bool written;
  };
  const Case cases[] = {
      {QCP_DEVICEPROFILE, true, 40, S_OK, 32, 0xDEADBEEF, true},
      {QCP_DEVICEPROFILE, false, 40, E_FAIL, 32, 122, false},
      {QCP_DEVICEPROFILE, true, 10, E_FAIL, 32, 122, false},
      {QCP_TARGETPROFILE, true, 40, E_FAIL, 40, 0xDEADBEEF, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "mode " << c.mode << " size " << c.size);
    char16_t buffer[20];
    std::fill(std::begin(buffer), std::end(buffer), u'#');
    ULONG size = c.size;
    FLONG flags = 0xDEADBEEF;
    platform::SetLastErrorCode(0xDEADBEEF);
    EXPECT_EQ(plugin()->QueryColorProfile(printer_.handle(), nullptr, &session_->publicDevMode(),
                                          session_->record().data(), c.mode,
                                          c.buffer ? buffer : nullptr, &size, &flags),
              c.result);
    EXPECT_EQ(size, c.sizeAfter);
    EXPECT_EQ(platform::GetLastErrorCode(), c.lastError);
    if (c.written) {
      EXPECT_EQ(std::u16string(buffer), u"OEMPROFILE.icm");
      EXPECT_EQ(flags, QCP_PROFILEDISK);
      EXPECT_EQ(buffer[15], u'#');  // 30 bytes written, not the 32 reported
    } else {
      EXPECT_EQ(buffer[0], u'#');
      EXPECT_EQ(flags, 0xDEADBEEFu);
    }
  }
}

TEST_F(UISessionTest, ClassObjectAndUnloading) {
  void* object = reinterpret_cast<void*>(0xDEADBEEF);
  EXPECT_EQ(module_->GetClassObject(CLSID_OEMRENDER, IID_IClassFactory, &object),
            CLASS_E_CLASSNOTAVAILABLE);
  EXPECT_EQ(object, nullptr);
  // The session's plug-in object is alive.
  EXPECT_EQ(module_->CanUnloadNow(), S_FALSE);
  session_.reset();
  EXPECT_EQ(module_->CanUnloadNow(), S_OK);

  IClassFactory* factory = nullptr;
  ASSERT_EQ(module_->GetClassObject(CLSID_OEMUI, IID_IClassFactory,
                                    reinterpret_cast<void**>(&factory)),
            S_OK);
  EXPECT_EQ(factory->LockServer(1), S_OK);
  EXPECT_EQ(module_->CanUnloadNow(), S_FALSE);
  EXPECT_EQ(factory->LockServer(0), S_OK);
  EXPECT_EQ(factory->Release(), 0u);
  EXPECT_EQ(module_->CanUnloadNow(), S_OK);
}

// The plug-in keeps the first service interface it is given and refuses one that is not
// the UI driver interface.
TEST_F(UISessionTest, DriverInterfaceIsTakenOnce) {
  EXPECT_EQ(session_->driverInterface().references(), 2);
  DriverUIInterface second;
  EXPECT_EQ(plugin()->PublishDriverInterface(&second), S_OK);
  EXPECT_EQ(second.references(), 1);

  IClassFactory* factory = nullptr;
  ASSERT_EQ(module_->GetClassObject(CLSID_OEMUI, IID_IClassFactory,
                                    reinterpret_cast<void**>(&factory)),
            S_OK);
  IPrintOemUI* fresh = nullptr;
  EXPECT_EQ(factory->CreateInstance(nullptr, IID_IPrintOemUI, reinterpret_cast<void**>(&fresh)),
            S_OK);
  factory->Release();
  ASSERT_NE(fresh, nullptr);
  DriverInterface renderingService;
  EXPECT_EQ(fresh->PublishDriverInterface(&renderingService), E_FAIL);
  EXPECT_EQ(renderingService.references(), 1);
  EXPECT_EQ(fresh->Release(), 0u);
  session_.reset();
  EXPECT_EQ(module_->CanUnloadNow(), S_OK);
}

TEST_F(UISessionTest, SheetSlotsAnswerEveryReason) {
  struct Sheet {
    SheetKind kind;
    DWORD mode;
    HostItems::Tree tree;
  };
  for (const Sheet sheet : {Sheet{SheetKind::Document, OEMCUIP_DOCPROP, HostItems::Tree::Document},
                            Sheet{SheetKind::Printer, OEMCUIP_PRNPROP, HostItems::Tree::Printer}}) {
    SCOPED_TRACE(sheet.mode);
    HostItems items(image_, sheet.tree);
    EXPECT_EQ(session_->CommonUIProp(sheet.mode, &items), S_OK);
    PROPSHEETUI_INFO& info = session_->sheetInfo(sheet.kind);
    EXPECT_EQ(session_->InitSheet(sheet.kind), S_OK);

    PROPSHEETUI_INFO_HEADER header{};
    header.cbSize = sizeof(header);
    info.Result = 0xDEADBEEF;
    EXPECT_EQ(session_->GetInfoHeader(sheet.kind, &header), S_OK);
    ASSERT_NE(header.pTitle, nullptr);
    EXPECT_EQ(std::u16string(header.pTitle), u"VRX48T7-PSN PostScript Driver");
    EXPECT_EQ(info.Result, 1u);

    for (const LRESULT result : {CPSUI_OK, CPSUI_CANCEL, LRESULT{7}}) {
      info.Result = 0xDEADBEEF;
      EXPECT_EQ(session_->SetResult(sheet.kind, session_->sheetHandle(sheet.kind), result), S_OK);
      EXPECT_EQ(info.Result, static_cast<ULONG_PTR>(result));
    }
    info.Result = 0xDEADBEEF;
    EXPECT_EQ(session_->GetIcon(sheet.kind), S_OK);
    EXPECT_EQ(info.Result, 0u);
    info.Result = 0xDEADBEEF;
    EXPECT_EQ(session_->DestroySheet(sheet.kind), S_OK);
    EXPECT_EQ(info.Result, 1u);
  }
  // Whatever pages the sheets added came through the host's add-page function with
  // handles of their own and in-memory templates.
  for (size_t i = 0; i < session_->pages().size(); ++i) {
    const AddedPage& page = session_->pages()[i];
    EXPECT_NE(page.handle, nullptr);
    EXPECT_NE(page.page.dwFlags & PSP_DLGINDIRECT, 0u);
    for (size_t j = 0; j < i; ++j) EXPECT_NE(session_->pages()[j].handle, page.handle);
  }
}

TEST_F(UISessionTest, SheetInfoOfAnotherVersionIsRefused) {
  for (const SheetKind sheet : {SheetKind::Document, SheetKind::Printer}) {
    SCOPED_TRACE(sheet == SheetKind::Document ? "document" : "printer");
    const DWORD mode = sheet == SheetKind::Document ? OEMCUIP_DOCPROP : OEMCUIP_PRNPROP;
    EXPECT_EQ(session_->CommonUIProp(mode, nullptr), S_OK);
    for (const WORD reason : {PROPSHEETUI_REASON_INIT, PROPSHEETUI_REASON_GET_INFO_HEADER,
                              PROPSHEETUI_REASON_GET_ICON}) {
      SCOPED_TRACE(reason);
      PROPSHEETUI_INFO_HEADER header{};
      header.cbSize = sizeof(header);
      session_->sheetInfo(sheet).Result = 0xDEADBEEF;
      platform::SetLastErrorCode(0xDEADBEEF);
      EXPECT_EQ(session_->Sheet(sheet, reason, reinterpret_cast<LPARAM>(&header), 0x0200), E_FAIL);
      EXPECT_EQ(platform::GetLastErrorCode(), 87u);
      EXPECT_EQ(header.pTitle, nullptr);
      EXPECT_EQ(session_->sheetInfo(sheet).Result, 0xDEADBEEFu);
    }
  }
  EXPECT_TRUE(session_->pages().empty());
}

// The host's add-page and set-result functions, called as a page of the plug-in calls them.
TEST_F(UISessionTest, HostFunctionsTakePagesAndResults) {
  PROPSHEETUI_INFO& info = session_->sheetInfo(SheetKind::Printer);
  ASSERT_NE(info.pfnComPropSheet, nullptr);
  PROPSHEETPAGEW page{};
  page.dwSize = sizeof(page);
  page.dwFlags = PSP_DLGINDIRECT;
  page.lParam = 0x1234;
  std::vector<LONG_PTR> handles;
  for (int i = 0; i < 2; ++i) {
    handles.push_back(info.pfnComPropSheet(info.hComPropSheet, CPSFUNC_ADD_PROPSHEETPAGEW,
                                           reinterpret_cast<LPARAM>(&page), 0));
    page.lParam = 0x5678;  // the host keeps its own copy
  }
  EXPECT_NE(handles[0], 0);
  EXPECT_NE(handles[1], 0);
  EXPECT_NE(handles[0], handles[1]);
  EXPECT_EQ(info.pfnComPropSheet(info.hComPropSheet, CPSFUNC_ADD_PROPSHEETPAGEW, 0, 0), 0);
  ASSERT_EQ(session_->pages().size(), 2u);
  EXPECT_EQ(session_->pages()[0].page.lParam, 0x1234);
  EXPECT_EQ(session_->pages()[0].handle, reinterpret_cast<HANDLE>(handles[0]));
  EXPECT_EQ(session_->PagesOf(SheetKind::Printer).size(), 2u);
  EXPECT_TRUE(session_->PagesOf(SheetKind::Document).empty());

  // A result for a known page reaches the sheet's own function; an unknown handle is
  // refused, and so is a sheet handle the host never gave.
  EXPECT_EQ(session_->CommonUIProp(OEMCUIP_PRNPROP, nullptr), S_OK);
  info.Result = 0xDEADBEEF;
  EXPECT_EQ(info.pfnComPropSheet(info.hComPropSheet, CPSFUNC_SET_RESULT, handles[1], CPSUI_OK), 1);
  EXPECT_EQ(info.Result, static_cast<ULONG_PTR>(CPSUI_OK));
  EXPECT_EQ(info.pfnComPropSheet(info.hComPropSheet, CPSFUNC_SET_RESULT, 0x99, CPSUI_OK), -1);
  EXPECT_EQ(info.pfnComPropSheet(reinterpret_cast<HANDLE>(0x99), CPSFUNC_SET_RESULT, 0, 1), -1);
  ASSERT_EQ(session_->results().size(), 1u);
  EXPECT_EQ(session_->results()[0].page, reinterpret_cast<HANDLE>(handles[1]));
  EXPECT_EQ(session_->results()[0].result, CPSUI_OK);
}

TEST_F(UISessionTest, CommonUIPropRefusesUnknownModes) {
  for (const DWORD mode : {0u, 3u, 0xFFFFFFFFu}) {
    SCOPED_TRACE(mode);
    platform::SetLastErrorCode(0xDEADBEEF);
    EXPECT_EQ(session_->CommonUIProp(mode, nullptr), E_FAIL);
    EXPECT_EQ(platform::GetLastErrorCode(), 87u);
  }
}

}  // namespace
}  // namespace kx::hostsim
