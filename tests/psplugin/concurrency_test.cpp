#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "hostsim/document_copier.h"
#include "platform/text.h"
#include "support/loaded_plugin.h"

namespace kx::ps {
namespace {

using namespace host;

constexpr int kThreads = 4;
constexpr int kJobsPerThread = 10;

// Renders one job on its own device and returns it.
std::string RenderOn(hostsim::RenderSession& session, platform::PrinterHandle printer,
                     const std::string& name, int pages) {
  hostsim::HostDevice device(session, printer, {});
  std::string error;
  if (!device.PrepareRecord(nullptr, &error) || !device.Enable(&error)) return "error: " + error;
  device.StartDoc(platform::Utf8ToUtf16(name).c_str());
  if (!hostsim::CopyDocument(device, hostsim::SampleDocument(pages), &error)) {
    return "error: " + error;
  }
  return device.spool().bytes;
}

class ConcurrencyTest : public test::LoadedPluginTest {
 protected:
  // What one job looks like when rendered alone.
  std::string Reference(const std::string& name, int pages) {
    return RenderOn(*session_, printer_.handle(), name, pages);
  }
};

TEST_F(ConcurrencyTest, ThreadsWithTheirOwnPluginObjectsGetTheirOwnJobs) {
  std::vector<std::string> expected;
  for (int t = 0; t < kThreads; ++t) expected.push_back(Reference("job-" + std::to_string(t), t + 1));
  std::vector<int> mismatches(kThreads, 0);
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([&, t] {
      std::string error;
      auto session = hostsim::RenderSession::Create(*module_, &error);
      if (!session) {
        mismatches[t] = kJobsPerThread;
        return;
      }
      for (int job = 0; job < kJobsPerThread; ++job) {
        if (RenderOn(*session, printer_.handle(), "job-" + std::to_string(t), t + 1) != expected[t]) {
          ++mismatches[t];
        }
      }
    });
  }
  for (auto& thread : threads) thread.join();
  for (int t = 0; t < kThreads; ++t) EXPECT_EQ(mismatches[t], 0) << "thread " << t;
  session_.reset();
  EXPECT_EQ(module_->CanUnloadNow(), S_OK);
}

TEST_F(ConcurrencyTest, ThreadsSharingOnePluginObjectGetTheirOwnJobs) {
  std::vector<std::string> expected;
  for (int t = 0; t < kThreads; ++t) expected.push_back(Reference("shared-" + std::to_string(t), 2));
  std::vector<int> mismatches(kThreads, 0);
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([&, t] {
      for (int job = 0; job < kJobsPerThread; ++job) {
        if (RenderOn(*session_, printer_.handle(), "shared-" + std::to_string(t), 2) != expected[t]) {
          ++mismatches[t];
        }
      }
    });
  }
  for (auto& thread : threads) thread.join();
  for (int t = 0; t < kThreads; ++t) EXPECT_EQ(mismatches[t], 0) << "thread " << t;
  EXPECT_EQ(session_->driverInterface().references(), 2);
}

}  // namespace
}  // namespace kx::ps
