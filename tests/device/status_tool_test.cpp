// kx48t7-status as its users run it: a separate process against snmpd on loopback, its
// output, and its exit status.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <array>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>

#include "device/snmp_agent.h"
#include "platform/printer_setup.h"
#include "platform/registry.h"
#include "platform/win32_errors.h"
#include "support/temp_store.h"

namespace kx::status {
namespace {

namespace fs = std::filesystem;

struct ToolRun {
  int status = -1;
  std::string out;
  std::string err;
  double seconds = 0;
};

class StatusToolTest : public ::testing::Test {
 protected:
  ToolRun Run(const std::string& arguments) {
    const fs::path errPath = fs::path(store_.directory()) / "stderr.txt";
    const std::string command =
        std::string(KX48T7_STATUS_PATH) + " " + arguments + " 2>" + errPath.string();
    ToolRun run;
    const auto start = std::chrono::steady_clock::now();
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) return run;
    std::array<char, 4096> buffer;
    size_t count;
    while ((count = fread(buffer.data(), 1, buffer.size(), pipe)) > 0) {
      run.out.append(buffer.data(), count);
    }
    const int status = pclose(pipe);
    run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    std::ifstream err(errPath, std::ios::binary);
    run.err.assign(std::istreambuf_iterator<char>(err), std::istreambuf_iterator<char>());
    return run;
  }

  static std::vector<test::AgentObject> PrinterObjects() {
    return {
        {".1.3.6.1.2.1.25.2.3.1.4.2", "integer", "4096"},        // hard disk
        {".1.3.6.1.2.1.43.13.4.1.2.1.2", "integer", "20"},       // duplexer
        {".1.3.6.1.4.1.480.1.1.1011.0", "integer", "2"},         // multiple resolutions
        {".1.3.6.1.2.1.43.8.2.1.2.1.3", "integer", "4"},         // optional tray 1
        {".1.3.6.1.2.1.43.11.1.1.6.1.1", "string", "Black \"K\" Toner"},
        {".1.3.6.1.2.1.43.11.1.1.9.1.1", "integer", "80"},
        {".1.3.6.1.2.1.43.11.1.1.8.1.1", "integer", "100"},
        {".1.3.6.1.2.1.43.11.1.1.7.1.1", "integer", "13"},
        {".1.3.6.1.2.1.43.11.1.1.5.1.1", "integer", "3"},
        {".1.3.6.1.2.1.43.11.1.1.6.1.2", "octet", "C6 F3 C5 E4 B3 CA"},  // 폐토너 (CP949)
        {".1.3.6.1.2.1.43.11.1.1.9.1.2", "integer", "-3"},
        {".1.3.6.1.2.1.43.11.1.1.8.1.2", "integer", "-2"},
        {".1.3.6.1.2.1.43.11.1.1.7.1.2", "string", "items"},
        {".1.3.6.1.2.1.43.11.1.1.5.1.2", "integer", "4"},
    };
  }

  test::TempStore store_;
};

TEST_F(StatusToolTest, JsonReportOfWhatTheAgentServes) {
  test::SnmpAgent agent(PrinterObjects());
  ASSERT_TRUE(agent.running());
  const ToolRun run = Run("--address " + agent.address() + " --json");
  ASSERT_EQ(run.status, 0) << run.err;
  const std::string expectedOptions =
      "  \"installedOptions\": [\n"
      "    {\"keyword\": \"OptionalBin1\", \"flag\": 2, \"installed\": true},\n"
      "    {\"keyword\": \"OptionalBin2\", \"flag\": 3, \"installed\": false},\n"
      "    {\"keyword\": \"Optionalfeeder\", \"flag\": 7, \"installed\": false},\n"
      "    {\"keyword\": \"OptionalDisk\", \"flag\": 0, \"installed\": true},\n"
      "    {\"keyword\": \"Optionalduplexer\", \"flag\": 1, \"installed\": true},\n"
      "    {\"keyword\": \"Optionalfinisher\", \"flag\": 10, \"installed\": false},\n"
      "    {\"keyword\": \"Optionalmultires\", \"flag\": 12, \"installed\": true}\n"
      "  ],\n";
  const std::string expectedSupplies =
      "  \"supplies\": [\n"
      "    {\"description\": \"Black \\\"K\\\" Toner\", \"level\": 80, \"maximum\": 100, "
      "\"unit\": \"\", \"type\": 3, \"group\": \"toner\", \"percent\": 80, "
      "\"display\": \"80 %\"},\n"
      "    {\"description\": \"폐토너\", \"level\": -3, \"maximum\": -2, \"unit\": \"items\", "
      "\"type\": 4, \"group\": \"toner\", \"percent\": null, \"display\": \"준비됨\"}\n"
      "  ]\n"
      "}\n";
  EXPECT_NE(run.out.find("\"answered\": true,\n  \"status\": 1,\n  \"failure\": null,"),
            std::string::npos)
      << run.out;
  EXPECT_NE(run.out.find("{\"row\": 2, \"objectId\": \".1.3.6.1.2.1.25.2.3.1.4.2\", "
                         "\"index\": 2, \"value\": 4096}"),
            std::string::npos)
      << run.out;
  EXPECT_NE(run.out.find(expectedOptions + expectedSupplies), std::string::npos) << run.out;
}

TEST_F(StatusToolTest, TextReportThroughThePrintersPort) {
  test::SnmpAgent agent(PrinterObjects());
  ASSERT_TRUE(agent.running());
  platform::PrinterSetup setup;
  setup.name = u"Office Printer";
  setup.portName = u"IP_127.0.0.1";
  ASSERT_TRUE(platform::InstallPrinter(setup));
  std::unique_ptr<platform::RegistryKey> key;
  ASSERT_EQ(platform::CreateRegistryKey(
                platform::Hive::kLocalMachine,
                u"System\\CurrentControlSet\\Control\\Print\\Monitors\\Standard TCP/IP "
                u"Port\\Ports\\IP_127.0.0.1",
                &key, nullptr),
            platform::kErrorSuccess);
  const std::string address = agent.address();
  const std::u16string wide(address.begin(), address.end());
  ASSERT_EQ(key->SetValue(u"IPAddress", platform::kRegSz,
                          reinterpret_cast<const uint8_t*>(wide.c_str()),
                          static_cast<uint32_t>((wide.size() + 1) * 2)),
            platform::kErrorSuccess);

  const ToolRun run = Run("--printer 'Office Printer' --community kestra");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.out.find("Address:   " + address + "\n"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("  OptionalDisk      installed\n"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("  Optionalfinisher  not installed\n"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("Supplies: 2\n"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("level 80, maximum 100, unit \"\", type 3 (toner): 80 %\n"),
            std::string::npos)
      << run.out;
}

TEST_F(StatusToolTest, SilentPortEndsWithStatusThree) {
  test::SilentUdpPort port;
  const ToolRun run = Run("--address " + port.address() + " --json");
  EXPECT_EQ(run.status, 3);
  EXPECT_LT(run.seconds, 3.0);
  EXPECT_NE(run.out.find("\"answered\": false,\n  \"status\": 40,\n  \"failure\": "
                         "{\"call\": \"SnmpMgrRequest\", \"error\": 40}\n}\n"),
            std::string::npos)
      << run.out;
  EXPECT_NE(run.err.find("did not answer"), std::string::npos) << run.err;
}

TEST_F(StatusToolTest, PrinterWithoutAddress) {
  const ToolRun run = Run("--printer Nowhere");
  EXPECT_EQ(run.status, 3);
  EXPECT_NE(run.out.find("Status:    2 (no printer address known)"), std::string::npos) << run.out;
}

TEST_F(StatusToolTest, UsageErrors) {
  const char* const cases[] = {
      "",
      "--address 127.0.0.1 --printer P",
      "--address",
      "--address ''",
      "--address 127.0.0.1 --community",
      "--address 127.0.0.1 extra",
      "--verbose --address 127.0.0.1",
  };
  for (const char* arguments : cases) {
    SCOPED_TRACE(arguments);
    const ToolRun run = Run(arguments);
    EXPECT_EQ(run.status, 2);
    EXPECT_TRUE(run.out.empty()) << run.out;
    EXPECT_NE(run.err.find("Try 'kx48t7-status --help'"), std::string::npos) << run.err;
  }
  const ToolRun help = Run("--help");
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("Usage: kx48t7-status"), std::string::npos);
}

}  // namespace
}  // namespace kx::status
