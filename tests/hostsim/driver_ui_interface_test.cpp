#include <gtest/gtest.h>

#include <cstring>

#include "host/oemps.h"
#include "hostsim/driver_ui_interface.h"
#include "platform/last_error.h"

namespace kx::hostsim {
namespace {

using namespace host;

TEST(DriverUIInterfaceTest, AnswersOnlyItsOwnInterfaces) {
  DriverUIInterface driver;
  void* object = reinterpret_cast<void*>(0xDEADBEEF);
  EXPECT_EQ(driver.QueryInterface(IID_IPrintOemDriverPS, &object), E_NOINTERFACE);
  EXPECT_EQ(object, nullptr);
  EXPECT_EQ(driver.QueryInterface(IID_IPrintOemDriverUI, &object), S_OK);
  EXPECT_EQ(object, static_cast<IPrintOemDriverUI*>(&driver));
  EXPECT_EQ(driver.references(), 2);
  driver.Release();
}

// The size query comes first, as a plug-in asks it; the byte after the answer is a canary.
TEST(DriverUIInterfaceTest, DriverSettingWithItsSizeQuery) {
  DriverUIInterface driver;
  driver.SetDriverSetting("TraySwitch", "True");
  struct Case {
    const char* feature;
    bool buffer;
    DWORD size;
    HRESULT result;
    DWORD needed;     // 0xDEADBEEF: untouched
    DWORD lastError;  // 0xDEADBEEF: untouched
    const char* written;
  };
  const Case cases[] = {
      {"TraySwitch", false, 0, E_FAIL, 5, 122, nullptr},
      {"TraySwitch", true, 4, E_FAIL, 5, 122, nullptr},
      {"TraySwitch", true, 5, S_OK, 5, 0xDEADBEEF, "True"},
      {"TraySwitch", true, 16, S_OK, 5, 0xDEADBEEF, "True"},
      {"Tray", true, 16, E_FAIL, 0xDEADBEEF, 87, nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.feature << " size " << c.size);
    char buffer[17];
    std::memset(buffer, '#', sizeof(buffer));
    DWORD needed = 0xDEADBEEF;
    DWORD returned = 0xDEADBEEF;
    platform::SetLastErrorCode(0xDEADBEEF);
    EXPECT_EQ(driver.DrvGetDriverSetting(nullptr, c.feature, c.buffer ? buffer : nullptr, c.size,
                                         &needed, &returned),
              c.result);
    EXPECT_EQ(needed, c.needed);
    EXPECT_EQ(platform::GetLastErrorCode(), c.lastError);
    if (c.written != nullptr) {
      EXPECT_STREQ(buffer, c.written);
      EXPECT_EQ(returned, 1u);
      EXPECT_EQ(buffer[std::strlen(c.written) + 1], '#');
    } else {
      EXPECT_EQ(buffer[0], '#');
      EXPECT_EQ(returned, 0xDEADBEEFu);
    }
  }
}

TEST(DriverUIInterfaceTest, RecordsUpdatesWithTheSelectionAtTheCall) {
  DriverUIInterface driver;
  OPTITEM item{};
  item.Sel = 3;
  int object = 0;
  EXPECT_EQ(driver.DrvUpdateUISetting(&object, &item, 0, 1), S_OK);
  item.Sel = 1;
  EXPECT_EQ(driver.DrvUpgradeRegistrySetting(nullptr, "OptionalDisk", "True"), S_OK);
  ASSERT_EQ(driver.updates().size(), 1u);
  EXPECT_EQ(driver.updates()[0].driverObject, &object);
  EXPECT_EQ(driver.updates()[0].item, &item);
  EXPECT_EQ(driver.updates()[0].selectionAtCall, 3);
  EXPECT_EQ(driver.updates()[0].mode, 1u);
  ASSERT_EQ(driver.upgrades().size(), 1u);
  EXPECT_EQ(driver.upgrades()[0].feature, "OptionalDisk");
  EXPECT_EQ(driver.upgrades()[0].option, "True");
}

}  // namespace
}  // namespace kx::hostsim
