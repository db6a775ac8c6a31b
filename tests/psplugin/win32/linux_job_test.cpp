// The same job under Wine as on Linux: scripts/test-windows renders a document with the
// Linux build (kx48t7-render, from a stored private settings record and the sample PPD)
// for the Korean and the Central-European code pages, and names the folder with the
// record, the document and the jobs in KX48T7_LINUX_JOBS. Here the Windows build renders
// the same record, PPD and document, with the printer in Wine's spooler, and the job must
// be byte for byte the Linux job of the code pages Wine runs with.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "hostsim/document_copier.h"
#include "platform/codepage.h"
#include "platform/text.h"
#include "support/loaded_plugin.h"

namespace kx::ps {
namespace {

bool ReadFile(const std::string& path, std::string* contents) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return false;
  contents->assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
  return true;
}

// Where the first difference is, with the bytes around it.
std::string FirstDifference(const std::string& expected, const std::string& actual) {
  size_t at = 0;
  while (at < expected.size() && at < actual.size() && expected[at] == actual[at]) ++at;
  const size_t from = at < 60 ? 0 : at - 60;
  return "sizes " + std::to_string(expected.size()) + " and " + std::to_string(actual.size()) +
         ", first difference at byte " + std::to_string(at) + "\nLinux: " +
         ::testing::PrintToString(expected.substr(from, 120)) +
         "\nWine:  " + ::testing::PrintToString(actual.substr(from, 120));
}

class LinuxJobTest : public test::LoadedPluginTest {};

TEST_F(LinuxJobTest, SameRecordPpdAndDocumentGiveTheSameJob) {
  const char* folder = std::getenv("KX48T7_LINUX_JOBS");
  if (folder == nullptr) GTEST_SKIP() << "KX48T7_LINUX_JOBS names no jobs of the Linux build";
  const std::string base = std::string(folder) + "/";
  std::string record, document, name, expected;
  ASSERT_TRUE(ReadFile(base + "record.bin", &record)) << base;
  ASSERT_TRUE(ReadFile(base + "document.ps", &document)) << base;
  ASSERT_TRUE(ReadFile(base + "document-name.txt", &name)) << base;
  const std::string job = base + "job-" + std::to_string(platform::AnsiCodePage()) + "-" +
                          std::to_string(platform::OemCodePage()) + ".prn";
  ASSERT_TRUE(ReadFile(job, &expected)) << "no Linux job for these code pages: " << job;

  // The printer's driver has the sample PPD as its data file, as on Linux.
  printer_.SetPpd(KX48T7_SAMPLE_PPD);
  hostsim::HostDevice device(*session_, printer_.handle(), {});
  const std::vector<uint8_t> stored(record.begin(), record.end());
  std::string error;
  ASSERT_TRUE(device.PrepareRecord(&stored, &error)) << error;
  ASSERT_TRUE(device.Enable(&error)) << error;
  device.StartDoc(platform::Utf8ToUtf16(name).c_str());
  ASSERT_TRUE(hostsim::CopyDocument(device, document, &error)) << error;
  const std::string& actual = device.spool().bytes;
  EXPECT_TRUE(actual == expected) << FirstDifference(expected, actual);
  std::ofstream(base + "wine-" + job.substr(base.size()), std::ios::binary) << actual;
}

}  // namespace
}  // namespace kx::ps
