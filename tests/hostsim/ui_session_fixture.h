// A test printer and a session of the UI plug-in module opened for it, as the host opens
// one when the user shows the printer's settings.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "hostsim/plugin_module.h"
#include "hostsim/ui_session.h"
#include "support/test_printer.h"

namespace kx::hostsim {

class UiSessionFixture : public ::testing::Test {
 protected:
  explicit UiSessionFixture(const std::u16string& printerName)
      : printerName_(printerName), printer_(printerName) {}

  // Points the printer at the PPD, then loads the module and opens the session.
  void OpenSession(const std::string& ppdPath = KX48T7_SAMPLE_PPD) {
    printer_.SetPpd(ppdPath);
    std::string error;
    module_ = PluginModule::Load(KX48T7UI_MODULE_PATH, &error);
    ASSERT_NE(module_, nullptr) << error;
    const UISession::Setup setup = {.printer = printer_.handle(), .printerName = printerName_};
    session_ = UISession::Create(*module_, setup, &error);
    ASSERT_NE(session_, nullptr) << error;
  }

  std::u16string printerName_;
  test::TestPrinter printer_;
  std::unique_ptr<PluginModule> module_;
  std::unique_ptr<UISession> session_;
};

}  // namespace kx::hostsim
