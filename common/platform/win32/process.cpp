// Starting another program without waiting for it, or handing the start to the thread's
// receiver.
#include "platform/process.h"

#include "windows_support.h"

namespace kx::platform {
namespace {

struct Receiver {
  ProgramReceiver function = nullptr;
  void* context = nullptr;
};
thread_local Receiver currentReceiver;

// One argument as the program's start-up code splits the command line again
// (CommandLineToArgvW): quoted when it is empty or holds white space or quotes; inside
// the quotes, backslashes are doubled where they precede a quote.
std::u16string QuotedArgument(const std::u16string& argument) {
  if (!argument.empty() && argument.find_first_of(u" \t\n\v\"") == std::u16string::npos) {
    return argument;
  }
  std::u16string quoted = u"\"";
  size_t backslashes = 0;
  for (const char16_t unit : argument) {
    if (unit == u'\\') {
      ++backslashes;
      continue;
    }
    quoted.append(unit == u'"' ? backslashes * 2 + 1 : backslashes, u'\\');
    backslashes = 0;
    quoted.push_back(unit);
  }
  quoted.append(backslashes * 2, u'\\');
  quoted.push_back(u'"');
  return quoted;
}

// The program's path is always quoted: unquoted, a path with spaces would let the system
// try its leading words as programs.
std::u16string CommandLine(const std::u16string& program,
                           const std::vector<std::u16string>& arguments) {
  std::u16string line = u"\"" + program + u"\"";
  for (const std::u16string& argument : arguments) {
    line.push_back(u' ');
    line += QuotedArgument(argument);
  }
  return line;
}

}  // namespace

bool StartProgram(const std::u16string& program, const std::vector<std::u16string>& arguments) {
  const Receiver receiver = currentReceiver;
  if (receiver.function != nullptr) return receiver.function(receiver.context, program, arguments);
  // CreateProcessW may write into the command line: it gets a copy of its own.
  std::u16string line = CommandLine(program, arguments);
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION started{};
  if (!::CreateProcessW(nullptr, win32::Wide(line.data()), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &started)) {
    return false;  // the system has set the last error
  }
  ::CloseHandle(started.hThread);
  ::CloseHandle(started.hProcess);
  return true;
}

void SetProgramReceiver(ProgramReceiver receiver, void* context) {
  currentReceiver = Receiver{receiver, receiver != nullptr ? context : nullptr};
}

}  // namespace kx::platform
