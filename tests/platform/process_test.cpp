#include "platform/process.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "platform/last_error.h"
#include "platform/text.h"
#include "platform/win32_errors.h"
#include "support/temp_store.h"

#ifdef _WIN32
#include "platform/module.h"
#else
#include <sys/stat.h>
#endif

namespace kx::platform {
namespace {

constexpr uint32_t kSentinel = 0xdeadbeef;
// A started program runs on its own; how long a test waits for its traces at most.
constexpr auto kStartLimit = std::chrono::seconds(20);

// The file's contents once it exists, or none when it did not appear in time. The
// programs write a temporary file and rename it, so a file that exists is complete.
std::optional<std::string> WaitForFile(const std::filesystem::path& path) {
  const auto deadline = std::chrono::steady_clock::now() + kStartLimit;
  while (std::chrono::steady_clock::now() < deadline) {
    std::ifstream file(path, std::ios::binary);
    if (file) {
      std::ostringstream contents;
      contents << file.rdbuf();
      return contents.str();
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return std::nullopt;
}

struct Received {
  int calls = 0;
  std::u16string program;
  std::vector<std::u16string> arguments;
  bool answer = true;
};

bool Receive(void* context, const std::u16string& program,
             const std::vector<std::u16string>& arguments) {
  auto* received = static_cast<Received*>(context);
  ++received->calls;
  received->program = program;
  received->arguments = arguments;
  return received->answer;
}

// Installs a receiver for the test's lifetime.
class ReceiverScope {
 public:
  explicit ReceiverScope(Received* received) { SetProgramReceiver(Receive, received); }
  ~ReceiverScope() { SetProgramReceiver(nullptr, nullptr); }
  ReceiverScope(const ReceiverScope&) = delete;
  ReceiverScope& operator=(const ReceiverScope&) = delete;
};

class ProcessTest : public ::testing::Test {
 protected:
  std::filesystem::path PathOf(const char* name) const {
    return std::filesystem::path(directory_.directory()) / name;
  }
  static std::u16string Text(const std::filesystem::path& path) {
    return Utf8ToUtf16(path.string());
  }

  test::TempStore directory_;
};

TEST_F(ProcessTest, AMissingProgramIsNotStarted) {
  const std::u16string missing = Text(PathOf("no-such-program.exe"));
  SetLastErrorCode(kSentinel);
  EXPECT_FALSE(StartProgram(missing, {u"1"}));
  EXPECT_EQ(GetLastErrorCode(), kErrorFileNotFound);
}

TEST_F(ProcessTest, TheReceiverTakesTheStartsOfItsThreadOnly) {
  Received received;
  received.answer = false;
  const std::u16string missing = Text(PathOf("no-such-program.exe"));
  {
    const ReceiverScope scope(&received);
    SetLastErrorCode(kSentinel);
    EXPECT_FALSE(StartProgram(missing, {u"a b", u""}));
    EXPECT_EQ(received.calls, 1);
    EXPECT_EQ(received.program, missing);
    EXPECT_EQ(received.arguments, (std::vector<std::u16string>{u"a b", u""}));
    EXPECT_EQ(GetLastErrorCode(), kSentinel) << "the system was not asked";

    received.answer = true;
    EXPECT_TRUE(StartProgram(missing, {}));
    EXPECT_EQ(received.calls, 2);

    // Another thread's start goes to the system.
    bool started = true;
    uint32_t error = kSentinel;
    std::thread([&] {
      started = StartProgram(missing, {});
      error = GetLastErrorCode();
    }).join();
    EXPECT_FALSE(started);
    EXPECT_EQ(error, kErrorFileNotFound);
    EXPECT_EQ(received.calls, 2);
  }
  // Without the receiver the system answers again.
  EXPECT_FALSE(StartProgram(missing, {}));
  EXPECT_EQ(received.calls, 2);
}

#ifdef _WIN32

// The command interpreter writes its trace; the arguments arrive as it reads its command
// line (no spaces in the paths the test makes).
TEST_F(ProcessTest, StartsAProgramWithItsArguments) {
  const std::filesystem::path trace = PathOf("started.txt");
  const std::filesystem::path part = PathOf("started.part");
  const std::u16string command = u"echo started>" + Text(part) + u"&& move /y " + Text(part) +
                                 u" " + Text(trace) + u">nul";
  ASSERT_TRUE(StartProgram(SystemDirectory() + u"\\cmd.exe", {u"/c", command}))
      << GetLastErrorCode();
  const std::optional<std::string> written = WaitForFile(trace);
  ASSERT_TRUE(written.has_value()) << "the program did not run";
  EXPECT_EQ(*written, "started\r\n");
}

// Unquoted, the path "...\with space\cmd.exe" would start "...\with.exe" with the rest of
// the path as its arguments.
TEST_F(ProcessTest, StartsAProgramWhosePathHasSpaces) {
  const std::filesystem::path system(SystemDirectory());
  const std::filesystem::path folder = PathOf("with space");
  std::filesystem::create_directory(folder);
  const std::filesystem::path program = folder / "cmd.exe";
  std::filesystem::copy_file(system / "cmd.exe", program);
  std::filesystem::copy_file(system / "hostname.exe", PathOf("with.exe"));  // a decoy
  // Written aside and moved into place, so the file is never read half-written.
  const std::filesystem::path trace = PathOf("spaced.txt");
  const std::filesystem::path part = PathOf("spaced.part");
  const std::u16string command = u"echo spaced>" + Text(part) + u"&& move /y " + Text(part) +
                                 u" " + Text(trace) + u">nul";
  ASSERT_TRUE(StartProgram(Text(program), {u"/c", command})) << GetLastErrorCode();
  const std::optional<std::string> written = WaitForFile(trace);
  ASSERT_TRUE(written.has_value()) << "the program did not run";
  EXPECT_EQ(*written, "spaced\r\n");
}

#else

// The shell writes each argument it received followed by "|": each arrives whole, as it
// was given, with no shell reading it again.
TEST_F(ProcessTest, StartsAProgramWithItsArguments) {
  const std::filesystem::path trace = PathOf("started.txt");
  const std::u16string script = u"printf '%s|' \"$@\" > \"$0.part\" && mv \"$0.part\" \"$0\"";
  const std::vector<std::u16string> arguments = {u"-c", script, Text(trace), u"a b",
                                                 u"\"quoted\"", u"", u"$HOME;`x`", u"한글"};
  ASSERT_TRUE(StartProgram(u"/bin/sh", arguments));
  const std::optional<std::string> written = WaitForFile(trace);
  ASSERT_TRUE(written.has_value()) << "the program did not run";
  EXPECT_EQ(*written, "a b|\"quoted\"||$HOME;`x`|\xED\x95\x9C\xEA\xB8\x80|");
}

// The host's own files are not handed to the program: it sees only the standard
// descriptors.
TEST_F(ProcessTest, TheProgramInheritsOnlyTheStandardDescriptors) {
  std::ofstream held(PathOf("held.txt"));  // one more descriptor of the host's
  const std::filesystem::path trace = PathOf("descriptors.txt");
  const std::u16string script = u"ls /proc/self/fd > \"$0.part\"; mv \"$0.part\" \"$0\"";
  ASSERT_TRUE(StartProgram(u"/bin/sh", {u"-c", script, Text(trace)}));
  const std::optional<std::string> written = WaitForFile(trace);
  ASSERT_TRUE(written.has_value()) << "the program did not run";
  // 0, 1, 2 and the descriptor ls opens to read the list.
  std::istringstream lines(*written);
  std::vector<std::string> descriptors;
  for (std::string line; std::getline(lines, line);) descriptors.push_back(line);
  EXPECT_EQ(descriptors, (std::vector<std::string>{"0", "1", "2", "3"}));
}

TEST_F(ProcessTest, WhatCannotBeRunIsNotStarted) {
  const std::filesystem::path plain = PathOf("plain.txt");
  std::ofstream(plain) << "not a program\n";
  chmod(plain.c_str(), 0644);
  const struct {
    const char* what;
    std::u16string program;
    uint32_t error;
  } cases[] = {
      {"missing", Text(PathOf("missing")), kErrorFileNotFound},
      {"in a missing folder", Text(PathOf("missing/program")), kErrorFileNotFound},
      {"not executable", Text(plain), kErrorAccessDenied},
      {"a folder", Text(PathOf("")), kErrorAccessDenied},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    SetLastErrorCode(kSentinel);
    EXPECT_FALSE(StartProgram(c.program, {}));
    EXPECT_EQ(GetLastErrorCode(), c.error);
  }
}

#endif

}  // namespace
}  // namespace kx::platform
