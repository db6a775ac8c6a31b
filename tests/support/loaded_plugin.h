// The built rendering plug-in, loaded through its exports as the host loads it, with a
// printer in a temporary store and helpers to make devices on it.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "hostsim/document_copier.h"
#include "hostsim/host_device.h"
#include "hostsim/plugin_module.h"
#include "hostsim/render_session.h"
#include "hostsim/warning_log.h"
#include "support/test_printer.h"

namespace kx::test {

class LoadedPluginTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string error;
    module_ = hostsim::PluginModule::Load(KX48T7PS_MODULE_PATH, &error);
    ASSERT_NE(module_, nullptr) << error;
    session_ = hostsim::RenderSession::Create(*module_, &error);
    ASSERT_NE(session_, nullptr) << error;
  }
  void TearDown() override {
    device_.reset();
    session_.reset();
  }

  // A device with defaults merged and EnablePDEV done.
  hostsim::HostDevice& Device(const hostsim::DeviceModeSettings& mode = {}) {
    device_ = std::make_unique<hostsim::HostDevice>(*session_, printer_.handle(), mode);
    std::string error;
    EXPECT_TRUE(device_->PrepareRecord(nullptr, &error)) << error;
    EXPECT_TRUE(device_->Enable(&error)) << error;
    return *device_;
  }

  // The job the host makes from the sample document of `pages` pages for a device whose
  // stored settings are `record` (merged as the host merges what it kept).
  std::string JobFor(const settings::PrivateRecord& record, int pages) {
    const auto* bytes = reinterpret_cast<const uint8_t*>(&record);
    const std::vector<uint8_t> stored(bytes, bytes + sizeof(record));
    device_ = std::make_unique<hostsim::HostDevice>(*session_, printer_.handle(),
                                                    hostsim::DeviceModeSettings{});
    std::string error;
    EXPECT_TRUE(device_->PrepareRecord(&stored, &error)) << error;
    EXPECT_TRUE(device_->Enable(&error)) << error;
    EXPECT_TRUE(hostsim::CopyDocument(*device_, hostsim::SampleDocument(pages), &error)) << error;
    return device_->spool().bytes;
  }

  // The current device's settings record.
  settings::PrivateRecord& record() { return device_->record(); }

  // The text the plug-in writes at one injection point of the current device.
  std::string At(host::DWORD index) {
    auto& spool = device_->spool();
    const size_t before = spool.bytes.size();
    EXPECT_EQ(device_->Command(index), host::S_OK);
    return spool.bytes.substr(before);
  }

#ifdef _WIN32
  // On Windows the plug-in's warnings are message boxes: the log answers those of the
  // test's thread, so that no test waits for a user. (Elsewhere they go to standard
  // error.) A test that looks at the warnings makes its own log, which takes over.
  hostsim::WarningLog unreadWarnings_;
#endif
  TestPrinter printer_;
  std::unique_ptr<hostsim::PluginModule> module_;
  std::unique_ptr<hostsim::RenderSession> session_;
  std::unique_ptr<hostsim::HostDevice> device_;
};

}  // namespace kx::test
