#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "host/oemps.h"
#include "platform/last_error.h"
#include "settings/record_text.h"
#include "support/loaded_plugin.h"

namespace kx::ps {
namespace {

using namespace host;

class InjectionTest : public test::LoadedPluginTest {};

TEST_F(InjectionTest, CommandWithoutHostInterfaceOrDeviceFailsWithTheLastError) {
  auto& device = Device();
  // A plug-in object that was never given the host's interface.
  IClassFactory* factory = nullptr;
  ASSERT_EQ(module_->GetClassObject(CLSID_OEMRENDER, IID_IClassFactory,
                                    reinterpret_cast<void**>(&factory)),
            S_OK);
  IPrintOemPS* bare = nullptr;
  ASSERT_EQ(factory->CreateInstance(nullptr, IID_IPrintOemPS, reinterpret_cast<void**>(&bare)),
            S_OK);
  factory->Release();

  platform::SetLastErrorCode(1234);
  DWORD result = 0xDEADBEEF;
  EXPECT_EQ(bare->Command(&device.devobj(), PSINJECT_BEGINSTREAM, nullptr, 0, &result), S_FALSE);
  EXPECT_EQ(result, 1234u);
  EXPECT_EQ(platform::GetLastErrorCode(), 1234u);
  bare->Release();

  platform::SetLastErrorCode(4321);
  result = 0xDEADBEEF;
  EXPECT_EQ(session_->plugin()->Command(nullptr, PSINJECT_BEGINSTREAM, nullptr, 0, &result),
            S_FALSE);
  EXPECT_EQ(result, 4321u);
  EXPECT_TRUE(device.spool().bytes.empty());
  EXPECT_EQ(device.spool().pluginWrites, 0);
}

TEST_F(InjectionTest, DeviceObjectWithoutSettingsRecordIsRefused) {
  auto& device = Device();
  device.devobj().pOEMDM = nullptr;
  DWORD result = 0;
  EXPECT_EQ(device.Command(PSINJECT_BEGINSTREAM, &result), S_FALSE);
  EXPECT_EQ(result, 87u);
  EXPECT_TRUE(device.spool().bytes.empty());
}

TEST_F(InjectionTest, PointsWithoutTextSucceedUnwritten) {
  auto& device = Device();
  for (const DWORD index : {PSINJECT_PSADOBE, PSINJECT_PAGESATEND, PSINJECT_TRAILER,
                            PSINJECT_PAGENUMBER, PSINJECT_VMSAVE, 0u, 9999u}) {
    SCOPED_TRACE(index);
    DWORD result = 0xDEADBEEF;
    EXPECT_EQ(device.Command(index, &result), S_OK);
    EXPECT_EQ(result, 0u);
  }
  EXPECT_EQ(device.spool().pluginWrites, 0);
}

TEST_F(InjectionTest, PageCounterRestartsAtTheCommentsAndCountsPageSetUps) {
  auto& device = Device();
  device.record().pageCounter = 40;
  EXPECT_EQ(device.Command(PSINJECT_COMMENTS), S_OK);
  EXPECT_EQ(device.record().pageCounter, 0);
  for (int page = 1; page <= 3; ++page) {
    EXPECT_EQ(device.Command(PSINJECT_BEGINPAGESETUP), S_OK);
    EXPECT_EQ(device.record().pageCounter, page);
  }
  EXPECT_EQ(device.Command(PSINJECT_ENDPAGESETUP), S_OK);
  EXPECT_EQ(device.record().pageCounter, 3);
}

TEST_F(InjectionTest, StartOfDocumentRecordsTheNameAndCallsTheHost) {
  auto& device = Device();
  const std::u16string name(300, u'n');
  ASSERT_TRUE(device.StartDoc(std::u16string(u"x" + name).c_str()));
  const std::u16string_view stored = settings::FieldText(device.record().jobName);
  EXPECT_EQ(stored.size(), 259u);
  EXPECT_EQ(stored, (u"x" + name).substr(0, 259));
  EXPECT_EQ(device.spool().startDocCalls, 1);
  EXPECT_EQ(device.spool().startDocName.size(), 301u);

  // Without a name the record keeps its job name; the host is still called.
  ASSERT_TRUE(device.StartDoc(nullptr));
  EXPECT_EQ(settings::FieldText(device.record().jobName).size(), 259u);
  EXPECT_EQ(device.spool().startDocCalls, 2);
}

// The printer handle the host opened is the one the plug-in reads the printer data with.
TEST_F(InjectionTest, MergeReadsThePrintersDeviceOptionsThroughTheHostsHandle) {
  settings::DeviceOptions stored{};
  settings::StoreText(stored.userName, u"kim");
  std::strcpy(stored.userNameUtf8, "kim");
  std::vector<uint8_t> bytes(sizeof(stored));
  std::memcpy(bytes.data(), &stored, sizeof(stored));
  printer_.SetDevOpts(bytes);
  auto& device = Device();
  EXPECT_EQ(settings::FieldText(device.record().devOpts.userName), u"kim");
  EXPECT_EQ(device.Command(PSINJECT_BEGINSTREAM), S_OK);
  EXPECT_NE(device.spool().bytes.find("@PJL SET USERNAME = \"kim\"\r\n"), std::string::npos);
}

TEST_F(InjectionTest, DevicesKeepTheirOwnState) {
  hostsim::HostDevice first(*session_, printer_.handle(), {});
  hostsim::HostDevice second(*session_, printer_.handle(), {});
  std::string error;
  for (auto* device : {&first, &second}) {
    ASSERT_TRUE(device->PrepareRecord(nullptr, &error)) << error;
    ASSERT_TRUE(device->Enable(&error)) << error;
  }
  EXPECT_NE(first.devobj().pdevOEM, second.devobj().pdevOEM);
  ASSERT_TRUE(first.StartDoc(u"one"));
  ASSERT_TRUE(second.StartDoc(u"two"));
  EXPECT_EQ(settings::FieldText(first.record().jobName), u"one");
  EXPECT_EQ(settings::FieldText(second.record().jobName), u"two");
  EXPECT_EQ(session_->plugin()->DisablePDEV(&first.devobj()), S_OK);
  EXPECT_EQ(first.devobj().pdevOEM, nullptr);
  EXPECT_EQ(second.Command(PSINJECT_ENDSTREAM), S_OK);
  EXPECT_EQ(second.spool().bytes, "\x1B%-12345X");
  EXPECT_TRUE(first.spool().bytes.empty());
  EXPECT_EQ(session_->plugin()->ResetPDEV(&first.devobj(), &second.devobj()), S_OK);
}

}  // namespace
}  // namespace kx::ps
