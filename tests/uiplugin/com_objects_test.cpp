#include <gtest/gtest.h>

#include <cstring>
#include <stdexcept>
#include <vector>

#include "class_factory.h"
#include "host/call_barrier.h"
#include "platform/last_error.h"
#include "settings/record.h"
#include "ui_plugin.h"
#include "ui_test_support.h"

namespace kx::ui {
namespace {

using namespace host;

constexpr uint32_t kSentinel = 0xDEADBEEF;

TEST(UiClassObject, OnlyTheUiClassAndNoAggregation) {
  void* object = reinterpret_cast<void*>(0x1);
  EXPECT_EQ(GetClassObject(IID_IPrintOemUI, IID_IClassFactory, &object),
            CLASS_E_CLASSNOTAVAILABLE);
  EXPECT_EQ(object, nullptr);
  ASSERT_EQ(GetClassObject(CLSID_OEMUI, IID_IClassFactory, &object), S_OK);
  auto* factory = static_cast<IClassFactory*>(object);

  void* plugin = reinterpret_cast<void*>(0x1);
  // Any outer object is refused; the factory itself stands in for one.
  EXPECT_EQ(factory->CreateInstance(reinterpret_cast<IUnknown*>(factory), IID_IPrintOemUI,
                                    &plugin),
            CLASS_E_NOAGGREGATION);
  EXPECT_EQ(plugin, nullptr);
  EXPECT_EQ(factory->CreateInstance(nullptr, IID_IClassFactory, &plugin), E_NOINTERFACE);
  EXPECT_EQ(plugin, nullptr);
  EXPECT_EQ(factory->Release(), 0u);
}

TEST(UiClassObject, UnloadWaitsForObjectsAndLocks) {
  ASSERT_EQ(CanUnloadNow(), S_OK);
  IClassFactory* factory = nullptr;
  ASSERT_EQ(GetClassObject(CLSID_OEMUI, IID_IUnknown, reinterpret_cast<void**>(&factory)), S_OK);
  EXPECT_EQ(factory->LockServer(1), S_OK);
  EXPECT_EQ(CanUnloadNow(), S_FALSE);
  EXPECT_EQ(factory->LockServer(0), S_OK);
  EXPECT_EQ(CanUnloadNow(), S_OK);

  IPrintOemUI* plugin = nullptr;
  ASSERT_EQ(factory->CreateInstance(nullptr, IID_IPrintOemUI, reinterpret_cast<void**>(&plugin)),
            S_OK);
  EXPECT_EQ(factory->Release(), 0u);
  EXPECT_EQ(CanUnloadNow(), S_FALSE);
  EXPECT_EQ(plugin->AddRef(), 2u);
  EXPECT_EQ(plugin->Release(), 1u);
  EXPECT_EQ(CanUnloadNow(), S_FALSE);
  EXPECT_EQ(plugin->Release(), 0u);
  EXPECT_EQ(CanUnloadNow(), S_OK);
}

struct GetInfoCase {
  const char* name;
  DWORD mode;
  bool withBuffer;
  DWORD size;
  bool withNeeded;
  HRESULT result;
  DWORD needed;      // kSentinel: left alone
  uint32_t error;    // kSentinel: left alone
  DWORD value;       // kSentinel: buffer left alone
};

TEST(UiGetInfo, AnswersAsTheHostExpects) {
  const GetInfoCase cases[] = {
      {"signature", OEMGI_GETSIGNATURE, true, 4, true, S_OK, 4, kSentinel,
       settings::kRecordSignature},
      {"version", OEMGI_GETVERSION, true, 4, true, S_OK, 4, kSentinel, 1},
      {"version, 3-byte buffer", OEMGI_GETVERSION, true, 3, true, E_FAIL, 4, 122, kSentinel},
      {"version, no buffer", OEMGI_GETVERSION, false, 4, true, E_FAIL, 4, 122, kSentinel},
      {"publisher information", OEMGI_GETPUBLISHERINFO, true, 64, true, E_FAIL, 0, 50,
       kSentinel},
      {"interface version is not answered", OEMGI_GETINTERFACEVERSION, true, 4, true, E_FAIL,
       kSentinel, 87, kSentinel},
      {"no needed size", OEMGI_GETVERSION, true, 4, false, E_FAIL, kSentinel, 87, kSentinel},
  };
  test::PluginObject plugin;
  for (const GetInfoCase& c : cases) {
    SCOPED_TRACE(c.name);
    DWORD buffer[16];
    std::fill(std::begin(buffer), std::end(buffer), kSentinel);
    DWORD needed = kSentinel;
    platform::SetLastErrorCode(kSentinel);
    EXPECT_EQ(plugin->GetInfo(c.mode, c.withBuffer ? buffer : nullptr, c.size,
                              c.withNeeded ? &needed : nullptr),
              c.result);
    EXPECT_EQ(needed, c.needed);
    EXPECT_EQ(platform::GetLastErrorCode(), c.error);
    EXPECT_EQ(buffer[0], c.value);
    EXPECT_EQ(buffer[1], kSentinel);
  }
}

TEST(UiDevMode, RefusesBadRequestsAndReportsTheRecordSize) {
  test::PluginObject plugin;
  platform::SetLastErrorCode(kSentinel);
  EXPECT_EQ(plugin->DevMode(OEMDM_SIZE, nullptr), E_FAIL);
  EXPECT_EQ(platform::GetLastErrorCode(), 87u);
  for (const DWORD mode : {0u, 5u}) {
    SCOPED_TRACE(mode);
    OEMDMPARAM param{};
    param.cbSize = sizeof(param);
    param.cbBufSize = kSentinel;
    platform::SetLastErrorCode(kSentinel);
    EXPECT_EQ(plugin->DevMode(mode, &param), E_FAIL);
    EXPECT_EQ(platform::GetLastErrorCode(), 87u);
    EXPECT_EQ(param.cbBufSize, kSentinel);
  }
  OEMDMPARAM param{};
  param.cbSize = sizeof(param);
  EXPECT_EQ(plugin->DevMode(OEMDM_SIZE, &param), S_OK);
  EXPECT_EQ(param.cbBufSize, 5816u);
}

TEST(UiColorProfile, NamesTheDeviceProfileOnly) {
  test::PluginObject plugin;
  struct Case {
    const char* name;
    ULONG mode;
    bool withBuffer;
    ULONG size;
    HRESULT result;
    ULONG sizeAfter;
    uint32_t error;
    bool named;
  };
  const Case cases[] = {
      {"40-byte buffer", QCP_DEVICEPROFILE, true, 40, S_OK, 32, kSentinel, true},
      {"32-byte buffer", QCP_DEVICEPROFILE, true, 32, S_OK, 32, kSentinel, true},
      {"no buffer", QCP_DEVICEPROFILE, false, 40, E_FAIL, 32, 122, false},
      {"small buffer", QCP_DEVICEPROFILE, true, 20, E_FAIL, 32, 122, false},
      {"target profile", QCP_TARGETPROFILE, true, 40, E_FAIL, 40, kSentinel, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    char16_t buffer[24];
    std::fill(std::begin(buffer), std::end(buffer), u'#');
    ULONG size = c.size;
    FLONG flags = kSentinel;
    platform::SetLastErrorCode(kSentinel);
    EXPECT_EQ(plugin->QueryColorProfile(nullptr, nullptr, nullptr, nullptr, c.mode,
                                        c.withBuffer ? buffer : nullptr, &size, &flags),
              c.result);
    EXPECT_EQ(size, c.sizeAfter);
    EXPECT_EQ(platform::GetLastErrorCode(), c.error);
    if (c.named) {
      EXPECT_EQ(std::u16string(buffer), u"OEMPROFILE.icm");
      EXPECT_EQ(buffer[15], u'#');  // nothing past the name's terminator
      EXPECT_EQ(flags, QCP_PROFILEDISK);
    } else {
      EXPECT_EQ(buffer[0], u'#');
      EXPECT_EQ(flags, kSentinel);
    }
  }
}

TEST(UiCommonUiProp, KeepsTheParametersForBothSheetsAndRefusesOtherModes) {
  test::PluginObject plugin;
  auto* object = static_cast<UiPlugin*>(plugin.get());
  for (const DWORD mode : {OEMCUIP_DOCPROP, OEMCUIP_PRNPROP}) {
    SCOPED_TRACE(mode);
    OEMCUIPPARAM param{};
    param.cbSize = sizeof(param);
    EXPECT_EQ(plugin->CommonUIProp(mode, &param), S_OK);
    EXPECT_EQ(object->documentContext().commonUi, &param);
    EXPECT_EQ(object->printerContext().commonUi, &param);
  }
  OEMCUIPPARAM param{};
  platform::SetLastErrorCode(kSentinel);
  EXPECT_EQ(plugin->CommonUIProp(3, &param), E_FAIL);
  EXPECT_EQ(platform::GetLastErrorCode(), 87u);
}

TEST(UiPlugin, UnsupportedOperationsSayNotImplemented) {
  test::PluginObject plugin;
  DWORD result = kSentinel;
  EXPECT_EQ(plugin->DevQueryPrintEx(nullptr, nullptr, nullptr, nullptr), E_NOTIMPL);
  EXPECT_EQ(plugin->DeviceCapabilities(nullptr, nullptr, nullptr, 0, nullptr, nullptr, nullptr,
                                       0, &result),
            E_NOTIMPL);
  EXPECT_EQ(result, kSentinel);
  EXPECT_EQ(plugin->UpgradePrinter(1, nullptr), E_NOTIMPL);
  EXPECT_EQ(plugin->DriverEvent(1, 1, nullptr, 0), E_NOTIMPL);
  EXPECT_EQ(plugin->FontInstallerDlgProc(nullptr, 0, 0, 0), E_NOTIMPL);
  EXPECT_EQ(plugin->UpdateExternalFonts(nullptr, nullptr, nullptr), E_NOTIMPL);
}

// The host's driver interface: answers IPrintOemDriverUI and counts its references.
class FakeDriverInterface final : public IPrintOemDriverUI {
 public:
  explicit FakeDriverInterface(bool answers) : answers_(answers) {}
  HRESULT KX_STDCALL QueryInterface(const IID& iid, void** object) override {
    if (answers_ && iid == IID_IPrintOemDriverUI) {
      *object = static_cast<IPrintOemDriverUI*>(this);
      AddRef();
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG KX_STDCALL AddRef() override { return static_cast<ULONG>(++references); }
  ULONG KX_STDCALL Release() override { return static_cast<ULONG>(--references); }
  HRESULT KX_STDCALL DrvGetDriverSetting(PVOID, PCSTR, PVOID, DWORD, PDWORD, PDWORD) override {
    return E_NOTIMPL;
  }
  HRESULT KX_STDCALL DrvUpgradeRegistrySetting(HANDLE, PCSTR, PCSTR) override {
    return E_NOTIMPL;
  }
  HRESULT KX_STDCALL DrvUpdateUISetting(PVOID, PVOID, DWORD, DWORD) override { return E_NOTIMPL; }

  int references = 1;

 private:
  bool answers_;
};

TEST(UiPublishDriverInterface, KeepsTheFirstInterfaceUntilTheObjectDies) {
  FakeDriverInterface refusing(false);
  FakeDriverInterface first(true);
  FakeDriverInterface second(true);
  {
    test::PluginObject plugin;
    EXPECT_EQ(plugin->PublishDriverInterface(&refusing), E_FAIL);
    EXPECT_EQ(plugin->PublishDriverInterface(&first), S_OK);
    EXPECT_EQ(plugin->PublishDriverInterface(&second), S_OK);
    EXPECT_EQ(first.references, 2);
    EXPECT_EQ(second.references, 1);
  }
  EXPECT_EQ(first.references, 1);
}

TEST(CallBarrier, TurnsExceptionsIntoFailures) {
  EXPECT_EQ(CallBarrier([]() -> HRESULT { throw std::bad_alloc(); }), E_OUTOFMEMORY);
  EXPECT_EQ(CallBarrier([]() -> HRESULT { throw std::runtime_error("x"); }), E_FAIL);
  EXPECT_EQ(CallBarrier([]() -> HRESULT { throw 1; }), E_FAIL);
  EXPECT_EQ(CallBarrier([]() -> HRESULT { throw std::bad_alloc(); }, E_FAIL, E_NOTIMPL), E_FAIL);
  EXPECT_EQ(CallBarrier([] { return S_FALSE; }), S_FALSE);
  EXPECT_EQ(DialogBarrier([]() -> INT_PTR { throw std::bad_alloc(); }), 0);
  EXPECT_EQ(DialogBarrier([]() -> INT_PTR { return 7; }), 7);
}

}  // namespace
}  // namespace kx::ui
