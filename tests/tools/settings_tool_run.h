// kx48t7-settings as its users run it: a separate process against a temporary store that
// holds one installed test printer (with the sample PPD), the store the UI plug-in's own
// tests use. The test reads back what the tool wrote with the UI plug-in's store functions.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/text.h"
#include "support/process_run.h"
#include "support/test_printer.h"

namespace kx::settings_tool {

using ToolRun = test::ProcessRun;

class SettingsToolTest : public ::testing::Test {
 protected:
  static constexpr char kPrinter[] = "Settings Printer";

  // Runs the tool with --printer kPrinter in front of `arguments`.
  ToolRun Tool(std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), {"--printer", kPrinter});
    return RunRaw(arguments);
  }

  ToolRun RunRaw(const std::vector<std::string>& arguments) {
    std::vector<std::string> words = {KX48T7_SETTINGS_PATH};
    words.insert(words.end(), arguments.begin(), arguments.end());
    return test::RunProcess(KX48T7_SETTINGS_PATH, words, test::CurrentEnvironment(), "",
                            dir_.string());
  }

  std::u16string printer() const { return platform::Utf8ToUtf16(kPrinter); }
  std::filesystem::path Path(const std::string& name) const { return dir_ / name; }

  test::TestPrinter printer_{u"Settings Printer", platform::Utf8ToUtf16(KX48T7_SAMPLE_PPD)};
  std::filesystem::path dir_ = printer_.directory();
};

}  // namespace kx::settings_tool
