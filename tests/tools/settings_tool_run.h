// kx48t7-settings as its users run it: a separate process against a temporary store that
// holds one installed test printer (with the sample PPD), the store the UI plug-in's own
// tests use. The test reads back what the tool wrote with the UI plug-in's store functions.
#pragma once

#include <gtest/gtest.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/text.h"
#include "support/test_printer.h"

extern char** environ;

namespace kx::settings_tool {

struct ToolRun {
  int status = -1;
  std::string out;
  std::string err;
};

inline std::string ReadWholeFile(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

class SettingsToolTest : public ::testing::Test {
 protected:
  static constexpr char kPrinter[] = "Settings Printer";

  // Runs the tool with --printer kPrinter in front of `arguments`.
  ToolRun Tool(std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), {"--printer", kPrinter});
    return RunRaw(arguments);
  }

  ToolRun RunRaw(const std::vector<std::string>& arguments) {
    const std::filesystem::path outPath = dir_ / "stdout.txt";
    const std::filesystem::path errPath = dir_ / "stderr.txt";
    std::vector<std::string> words = {KX48T7_SETTINGS_PATH};
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& word : words) argv.push_back(word.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    ToolRun run;
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) return run;
    int status = 0;
    waitpid(pid, &status, 0);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.out = ReadWholeFile(outPath);
    run.err = ReadWholeFile(errPath);
    return run;
  }

  std::u16string printer() const { return platform::Utf8ToUtf16(kPrinter); }
  std::filesystem::path Path(const std::string& name) const { return dir_ / name; }

  test::TestPrinter printer_{u"Settings Printer", platform::Utf8ToUtf16(KX48T7_SAMPLE_PPD)};
  std::filesystem::path dir_ = printer_.directory();
};

}  // namespace kx::settings_tool
