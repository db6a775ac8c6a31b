#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "host/oemps.h"
#include "platform/last_error.h"
#include "support/loaded_plugin.h"

namespace kx::ps {
namespace {

using namespace host;

class ComObjectsTest : public test::LoadedPluginTest {
 protected:
  IClassFactory* Factory() {
    IClassFactory* factory = nullptr;
    EXPECT_EQ(module_->GetClassObject(CLSID_OEMRENDER, IID_IClassFactory,
                                      reinterpret_cast<void**>(&factory)),
              S_OK);
    return factory;
  }
};

TEST_F(ComObjectsTest, ClassObjectOnlyForTheRenderingClass) {
  void* object = reinterpret_cast<void*>(0xDEADBEEF);
  EXPECT_EQ(module_->GetClassObject(IID_IPrintOemPS, IID_IClassFactory, &object),
            CLASS_E_CLASSNOTAVAILABLE);
  EXPECT_EQ(object, nullptr);
  object = reinterpret_cast<void*>(0xDEADBEEF);
  EXPECT_EQ(module_->GetClassObject(CLSID_OEMRENDER, IID_IPrintOemPS, &object), E_NOINTERFACE);
  EXPECT_EQ(object, nullptr);
  EXPECT_EQ(module_->GetClassObject(CLSID_OEMRENDER, IID_IUnknown, &object), S_OK);
  ASSERT_NE(object, nullptr);
  EXPECT_EQ(static_cast<IUnknown*>(object)->Release(), 0u);
}

TEST_F(ComObjectsTest, UnloadWaitsForObjectsAndLocks) {
  // The session's plug-in object is alive.
  EXPECT_EQ(module_->CanUnloadNow(), S_FALSE);
  session_.reset();
  EXPECT_EQ(module_->CanUnloadNow(), S_OK);

  IClassFactory* factory = Factory();
  ASSERT_NE(factory, nullptr);
  EXPECT_EQ(factory->LockServer(1), S_OK);
  EXPECT_EQ(module_->CanUnloadNow(), S_FALSE);
  EXPECT_EQ(factory->LockServer(0), S_OK);
  EXPECT_EQ(module_->CanUnloadNow(), S_OK);

  IPrintOemPS* plugin = nullptr;
  EXPECT_EQ(factory->CreateInstance(nullptr, IID_IPrintOemPS, reinterpret_cast<void**>(&plugin)),
            S_OK);
  EXPECT_EQ(factory->Release(), 0u);
  EXPECT_EQ(module_->CanUnloadNow(), S_FALSE);
  EXPECT_EQ(plugin->AddRef(), 2u);
  EXPECT_EQ(plugin->Release(), 1u);
  EXPECT_EQ(plugin->Release(), 0u);
  EXPECT_EQ(module_->CanUnloadNow(), S_OK);
}

TEST_F(ComObjectsTest, FactoryRefusesAggregationAndUnknownInterfaces) {
  IClassFactory* factory = Factory();
  ASSERT_NE(factory, nullptr);
  void* object = reinterpret_cast<void*>(0xDEADBEEF);
  EXPECT_EQ(factory->CreateInstance(reinterpret_cast<IUnknown*>(factory), IID_IPrintOemPS, &object),
            CLASS_E_NOAGGREGATION);
  EXPECT_EQ(object, nullptr);
  object = reinterpret_cast<void*>(0xDEADBEEF);
  EXPECT_EQ(factory->CreateInstance(nullptr, IID_IPrintOemDriverPS, &object), E_NOINTERFACE);
  EXPECT_EQ(object, nullptr);
  object = reinterpret_cast<void*>(0xDEADBEEF);
  EXPECT_EQ(factory->QueryInterface(IID_IPrintOemPS, &object), E_NOINTERFACE);
  EXPECT_EQ(object, nullptr);
  EXPECT_EQ(factory->Release(), 0u);
  // No object is left behind by the refused requests (the session's own remains).
  session_.reset();
  EXPECT_EQ(module_->CanUnloadNow(), S_OK);
}

TEST_F(ComObjectsTest, PluginAnswersOnlyItsOwnInterfaces) {
  IPrintOemPS* plugin = session_->plugin();
  void* object = reinterpret_cast<void*>(0xDEADBEEF);
  EXPECT_EQ(plugin->QueryInterface(IID_IPrintOemDriverPS, &object), E_NOINTERFACE);
  EXPECT_EQ(object, nullptr);
  EXPECT_EQ(plugin->QueryInterface(IID_IUnknown, &object), S_OK);
  EXPECT_EQ(object, static_cast<void*>(plugin));
  plugin->Release();
}

TEST_F(ComObjectsTest, GetInfoAnswers) {
  IPrintOemPS* plugin = session_->plugin();
  struct Case {
    DWORD mode;
    DWORD size;
    HRESULT result;
    DWORD needed;
    DWORD lastError;  // 0xDEADBEEF: untouched
    DWORD value;      // 0xDEADBEEF: buffer untouched
  };
  const Case cases[] = {
      {OEMGI_GETSIGNATURE, 4, S_OK, 4, 0xDEADBEEF, 0x4A57},
      {OEMGI_GETSIGNATURE, 2, E_FAIL, 4, 122, 0xDEADBEEF},
      {OEMGI_GETVERSION, 8, S_OK, 4, 0xDEADBEEF, 1},
      {OEMGI_GETVERSION, 0, E_FAIL, 4, 122, 0xDEADBEEF},
      {OEMGI_GETPUBLISHERINFO, 8, E_FAIL, 8, 0xDEADBEEF, 0xDEADBEEF},
      {OEMGI_GETINTERFACEVERSION, 4, E_FAIL, 0xDEADBEEF, 87, 0xDEADBEEF},
      {99, 4, E_FAIL, 0xDEADBEEF, 87, 0xDEADBEEF},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "mode " << c.mode << " size " << c.size);
    DWORD buffer[2] = {0xDEADBEEF, 0xDEADBEEF};  // the second is the canary
    DWORD needed = 0xDEADBEEF;
    platform::SetLastErrorCode(0xDEADBEEF);
    EXPECT_EQ(plugin->GetInfo(c.mode, buffer, c.size, &needed), c.result);
    EXPECT_EQ(needed, c.needed);
    EXPECT_EQ(platform::GetLastErrorCode(), c.lastError);
    EXPECT_EQ(buffer[0], c.value);
    EXPECT_EQ(buffer[1], 0xDEADBEEFu);
  }
  platform::SetLastErrorCode(0xDEADBEEF);
  DWORD value = 0;
  EXPECT_EQ(plugin->GetInfo(OEMGI_GETSIGNATURE, &value, 4, nullptr), E_FAIL);
  EXPECT_EQ(platform::GetLastErrorCode(), 87u);
  DWORD needed = 0;
  EXPECT_EQ(plugin->GetInfo(OEMGI_GETSIGNATURE, nullptr, 4, &needed), E_FAIL);
  EXPECT_EQ(needed, 4u);
}

TEST_F(ComObjectsTest, DevModeSizeThroughThePlugin) {
  OEMDMPARAM param{};
  param.cbSize = sizeof(param);
  EXPECT_EQ(session_->plugin()->DevMode(OEMDM_SIZE, &param), S_OK);
  EXPECT_EQ(param.cbBufSize, 5816u);
  platform::SetLastErrorCode(0);
  EXPECT_EQ(session_->plugin()->DevMode(7, &param), E_FAIL);
  EXPECT_EQ(platform::GetLastErrorCode(), 87u);
}

TEST_F(ComObjectsTest, EnableDriverHandsTheHookTable) {
  DRVENABLEDATA data{};
  ASSERT_EQ(session_->plugin()->EnableDriver(PRINTER_OEMINTF_VERSION, sizeof(data), &data), S_OK);
  EXPECT_EQ(data.iDriverVersion, 0x10000u);
  ASSERT_EQ(data.c, 27u);
  const ULONG expected[27] = {12, 19, 18, 20, 69, 70, 74, 71, 68, 23, 14, 15, 16, 33,
                              32, 24, 35, 34, 26, 27, 28, 53, 47, 37, 64, 65, 76};
  for (ULONG row = 0; row < 27; ++row) {
    SCOPED_TRACE(row);
    EXPECT_EQ(data.pdrvfn[row].iFunc, expected[row]);
    EXPECT_EQ(data.pdrvfn[row].pfn != nullptr, row == 16);
  }
}

TEST_F(ComObjectsTest, SecondPublishKeepsTheFirstInterface) {
  hostsim::DriverInterface other;
  EXPECT_EQ(session_->driverInterface().references(), 2);  // the plug-in holds one
  EXPECT_EQ(session_->plugin()->PublishDriverInterface(&other), S_OK);
  EXPECT_EQ(other.references(), 1);
  // Output still reaches the first interface's device spool.
  auto& device = Device();
  EXPECT_EQ(device.Command(PSINJECT_ENDSTREAM), S_OK);
  EXPECT_EQ(device.spool().bytes, "\x1B%-12345X");
  // DisableDriver lets the interface go.
  device_.reset();
  EXPECT_EQ(session_->plugin()->DisableDriver(), S_OK);
  EXPECT_EQ(session_->driverInterface().references(), 1);
}

TEST_F(ComObjectsTest, PublishFailsForAnInterfaceWithoutTheDriverService) {
  IClassFactory* factory = Factory();
  IPrintOemPS* plugin = nullptr;
  ASSERT_EQ(factory->CreateInstance(nullptr, IID_IPrintOemPS, reinterpret_cast<void**>(&plugin)),
            S_OK);
  // The factory answers IUnknown but not the driver's service interface.
  EXPECT_EQ(plugin->PublishDriverInterface(factory), E_FAIL);
  EXPECT_EQ(plugin->PublishDriverInterface(nullptr), E_FAIL);
  factory->Release();
  plugin->Release();
}

}  // namespace
}  // namespace kx::ps
