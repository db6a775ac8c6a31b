// devopts show and set against the printer data "DevOpts" that the UI plug-in reads.
#include <gtest/gtest.h>

#include <functional>

#include "json.h"
#include "settings/record_ops.h"
#include "settings/record_text.h"
#include "settings_tool_run.h"

namespace kx::settings_tool {
namespace {

using settings::DeviceOptions;

std::string Utf8(std::u16string_view text) { return platform::Utf16ToUtf8(text); }

TEST_F(SettingsToolTest, DevOptsShowsTheDefaultsUntilStored) {
  const ToolRun run = Tool({"--json", "devopts", "show"});
  ASSERT_EQ(run.status, 0) << run.err;
  Json json;
  std::string error;
  ASSERT_TRUE(ParseJson(run.out, &json, &error)) << error;
  EXPECT_FALSE(json.Find("stored")->boolean());
  DeviceOptions defaults{};
  settings::SetDeviceOptionsDefaults(&defaults);
  EXPECT_EQ(json.Find("fields")->Find("snmpCommunity")->text(),
            platform::Utf16ToUtf8(settings::FieldText(defaults.snmpCommunity)));
}

TEST_F(SettingsToolTest, DevOptsSetIsWhatThePrinterDataHolds) {
  const struct {
    std::string assignment;
    std::function<std::string(const DeviceOptions&)> read;
    std::string expected;
  } cases[] = {
      {"hostName=인쇄서버", [](const DeviceOptions& o) { return Utf8(settings::FieldText(o.hostName)); },
       "인쇄서버"},
      // The copies the job header uses follow the wide text.
      {"hostName=인쇄서버",
       [](const DeviceOptions& o) { return std::string(settings::FieldText(o.hostNameUtf8)); },
       "인쇄서버"},
      {"chargeNumber=4711",
       [](const DeviceOptions& o) { return std::string(settings::FieldText(o.chargeNumberAnsi)); },
       "4711"},
      {"snmpCommunity=private",
       [](const DeviceOptions& o) { return Utf8(settings::FieldText(o.snmpCommunity)); }, "private"},
      {"printerAddress=192.0.2.7",
       [](const DeviceOptions& o) { return Utf8(settings::FieldText(o.printerAddress)); },
       "192.0.2.7"},
      {"hasHardDisk=1",
       [](const DeviceOptions& o) {
         return std::to_string(o.installedOptions[settings::kHasHardDisk]);
       },
       "1"},
      {"installedOptions[7]=1",
       [](const DeviceOptions& o) { return std::to_string(o.installedOptions[7]); }, "1"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.assignment);
    const ToolRun run = Tool({"devopts", "set", c.assignment});
    ASSERT_EQ(run.status, 0) << run.err;
    DeviceOptions stored{};
    ASSERT_TRUE(settings::ReadStoredDeviceOptions(printer_.handle(), &stored));
    EXPECT_EQ(c.read(stored), c.expected);
  }
  // Earlier settings stay when later ones are made.
  const ToolRun shown = Tool({"devopts", "show"});
  EXPECT_NE(shown.out.find("\nsnmpCommunity=private\n"), std::string::npos) << shown.out;
  EXPECT_NE(shown.out.find("\nhostName=인쇄서버\n"), std::string::npos) << shown.out;
}

TEST_F(SettingsToolTest, DevOptsRefusalLeavesThePrinterDataAlone) {
  ASSERT_EQ(Tool({"devopts", "set", "snmpCommunity=before"}).status, 0);
  EXPECT_EQ(Tool({"devopts", "set", "snmpCommunity=after", "installedOptions[0]=3"}).status, 5);
  DeviceOptions stored{};
  ASSERT_TRUE(settings::ReadStoredDeviceOptions(printer_.handle(), &stored));
  EXPECT_EQ(platform::Utf16ToUtf8(settings::FieldText(stored.snmpCommunity)), "before");
}

}  // namespace
}  // namespace kx::settings_tool
