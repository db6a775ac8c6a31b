#include "tool.h"

#include <cstdlib>

#include "command_line.h"
#include "devopts_verbs.h"
#include "exchange.h"
#include "group.h"
#include "platform/text.h"
#include "preview_verb.h"
#include "printer.h"
#include "store_verbs.h"

namespace kx::settings_tool {
namespace {

constexpr char kToolName[] = "kx48t7-settings";

Outcome Run(const Command& command, std::ostream& out) {
  if (command.group == "printer") return RunPrinterVerb(command);
  if (command.group == "devopts") return RunDevOptsVerb(command, out);
  if (command.verb == "preview") return RunPreviewVerb(command);
  if (command.kind) {
    if (Outcome kind = CheckProfileKind(*command.kind); !kind.ok()) return kind;
  }
  if (Outcome present = CheckPrinter(platform::Utf8ToUtf16(command.printer)); !present.ok()) {
    return present;
  }
  return RunStoreVerb(*MakeGroup(command), command, out);
}

// What --json prints for a verb that prints nothing else: what was done, to what.
void ReportDone(const Command& command, std::ostream& out) {
  Json done = Json::Object();
  done.Add("done", Json::String(command.verb));
  done.Add("group", Json::String(command.group));
  if (command.name) done.Add("name", Json::String(*command.name));
  if (command.file) done.Add("file", Json::String(*command.file));
  if (command.png) done.Add("png", Json::String(*command.png));
  out << WriteJson(done);
}

}  // namespace

int RunSettingsTool(const std::vector<std::string>& arguments, std::ostream& out,
                    std::ostream& err) {
  Command command;
  const char* environmentPrinter = std::getenv(kPrinterEnvironmentVariable);
  const Outcome parsed =
      ParseCommandLine(arguments, environmentPrinter ? environmentPrinter : "", &command);
  if (command.help) {
    out << kUsage;
    return kExitOk;
  }
  if (!parsed.ok()) {
    err << kToolName << ": " << parsed.message << "\nTry '" << kToolName << " --help'.\n";
    return parsed.code;
  }
  const Outcome outcome = Run(command, out);
  if (!outcome.ok()) {
    err << kToolName << ": " << outcome.message << '\n';
    return outcome.code;
  }
  // list and show print their own document; the other verbs say what they did.
  const bool printed = command.verb == "list" || command.verb == "show";
  if (command.json && !printed) ReportDone(command, out);
  return kExitOk;
}

}  // namespace kx::settings_tool
