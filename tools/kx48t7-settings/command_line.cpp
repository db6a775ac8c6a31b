#include "command_line.h"

#include <algorithm>
#include <span>
#include <string_view>

namespace kx::settings_tool {
namespace {

// What a verb takes besides the group: whether a NAME is required, allowed or refused,
// which of FIELD=VALUE, --file and --png it needs.
enum class NameRule { kNone, kRequired, kOptional };
struct VerbRule {
  std::string_view verb;
  NameRule name;
  bool changes;    // FIELD=VALUE pairs allowed (and at least one needed for `set`)
  bool needsFile;
  bool needsPng;
  bool needsPpd = false;
};

constexpr VerbRule kStoreVerbs[] = {
    {.verb = "list", .name = NameRule::kNone, .changes = false, .needsFile = false,
     .needsPng = false},
    {.verb = "show", .name = NameRule::kRequired, .changes = false, .needsFile = false,
     .needsPng = false},
    {.verb = "add", .name = NameRule::kRequired, .changes = true, .needsFile = false,
     .needsPng = false},
    {.verb = "edit", .name = NameRule::kRequired, .changes = true, .needsFile = false,
     .needsPng = false},
    {.verb = "delete", .name = NameRule::kRequired, .changes = false, .needsFile = false,
     .needsPng = false},
    {.verb = "export", .name = NameRule::kOptional, .changes = false, .needsFile = true,
     .needsPng = false},
    {.verb = "import", .name = NameRule::kNone, .changes = false, .needsFile = true,
     .needsPng = false},
};
constexpr VerbRule kPreviewVerb = {.verb = "preview", .name = NameRule::kRequired,
                                   .changes = false, .needsFile = false, .needsPng = true};
constexpr VerbRule kDevOptsVerbs[] = {
    {.verb = "show", .name = NameRule::kNone, .changes = false, .needsFile = false,
     .needsPng = false},
    {.verb = "set", .name = NameRule::kNone, .changes = true, .needsFile = false,
     .needsPng = false},
};

// The printer itself: its entry in the spooler store, which the stores hang from.
constexpr VerbRule kPrinterVerbs[] = {
    {.verb = "install", .name = NameRule::kNone, .changes = false, .needsFile = false,
     .needsPng = false, .needsPpd = true},
    {.verb = "remove", .name = NameRule::kNone, .changes = false, .needsFile = false,
     .needsPng = false},
};

constexpr std::string_view kStoreGroups[] = {"watermark", "colour-set", "profile",
                                             "custom-setting"};
constexpr std::string_view kPreviewGroups[] = {"watermark", "custom-setting"};

template <typename Range>
bool Contains(const Range& range, std::string_view value) {
  return std::find(std::begin(range), std::end(range), value) != std::end(range);
}

template <typename Rules>
std::optional<VerbRule> FindRule(const Rules& rules, std::string_view verb) {
  for (const VerbRule& rule : rules) {
    if (rule.verb == verb) return rule;
  }
  return std::nullopt;
}

std::optional<VerbRule> RuleOf(const Command& command) {
  if (command.group == "devopts") return FindRule(kDevOptsVerbs, command.verb);
  if (command.group == "printer") return FindRule(kPrinterVerbs, command.verb);
  if (!Contains(kStoreGroups, command.group)) return std::nullopt;
  if (command.verb == kPreviewVerb.verb) {
    if (Contains(kPreviewGroups, command.group)) return kPreviewVerb;
    return std::nullopt;
  }
  return FindRule(kStoreVerbs, command.verb);
}

Outcome Usage(std::string message) { return Outcome::Fail(kExitUsage, std::move(message)); }

// An option that takes a value: the value, or a usage error when it is missing.
Outcome TakeValue(std::span<const std::string> arguments, size_t* at,
                  std::optional<std::string>* value) {
  const std::string& option = arguments[*at];
  if (*at + 1 >= arguments.size()) return Usage(option + " needs a value");
  *value = arguments[++*at];
  return Outcome::Ok();
}

Outcome CheckAgainstRule(const Command& command, const VerbRule& rule) {
  const std::string what = command.group + " " + command.verb;
  if (rule.name == NameRule::kRequired && !command.name) return Usage(what + " needs a NAME");
  if (rule.name == NameRule::kNone && command.name) {
    return Usage(what + " takes no NAME (\"" + *command.name + "\")");
  }
  if (!rule.changes && !command.changes.empty()) {
    return Usage(what + " takes no FIELD=VALUE (\"" + command.changes.front().first + "\")");
  }
  if (command.verb == "set" && command.changes.empty()) return Usage(what + " needs FIELD=VALUE");
  if (rule.needsFile && !command.file) return Usage(what + " needs --file FILE");
  if (!rule.needsFile && command.file) return Usage(what + " takes no --file");
  if (rule.needsPng && !command.png) return Usage(what + " needs --png FILE");
  if (!rule.needsPng && command.png) return Usage(what + " takes no --png");
  if (rule.needsPpd && !command.ppd) return Usage(what + " needs --ppd FILE");
  if (!rule.needsPpd && command.ppd) return Usage(what + " takes no --ppd");
  if (command.kind && command.group != "profile") return Usage("--kind is for profiles only");
  return Outcome::Ok();
}

}  // namespace

const char kUsage[] =
    "Usage: kx48t7-settings [--printer NAME] [--json] GROUP VERB [NAME] [FIELD=VALUE...]\n"
    "Lists and changes a printer's per-user settings stores, the ones the printer's\n"
    "settings dialogs use, and its device options.\n"
    "\n"
    "Groups and verbs:\n"
    "  watermark | colour-set | profile | custom-setting\n"
    "      list                         the names (predefined ones marked)\n"
    "      show NAME                    every field of the entry\n"
    "      add NAME [FIELD=VALUE...]    a new entry from the defaults, with the values\n"
    "      edit NAME FIELD=VALUE...     changes a stored entry\n"
    "      delete NAME\n"
    "      export [NAME] --file FILE    one entry, or the whole group, as JSON\n"
    "      import --file FILE           writes the entries of an exported file; a file with\n"
    "                                   any bad entry is refused and nothing is written\n"
    "  watermark preview NAME --png FILE\n"
    "  custom-setting preview NAME --png FILE\n"
    "                                   the watermark as a job with it prints it\n"
    "  printer install --ppd FILE       installs the printer (a CUPS queue's name) with\n"
    "                                   the PPD, so that its stores can be kept; an\n"
    "                                   installed printer keeps its stores and DevOpts\n"
    "  printer remove\n"
    "  devopts show | devopts set FIELD=VALUE...\n"
    "                                   installed options (installedOptions[N], hasHardDisk),\n"
    "                                   userName, hostName, chargeNumber, snmpCommunity,\n"
    "                                   printerAddress\n"
    "\n"
    "Options:\n"
    "  --printer NAME   the printer (default: the environment variable PRINTER)\n"
    "  --kind KIND      profiles: rgb-source, simulation or destination (list and\n"
    "                   export without it cover every kind)\n"
    "  --json           one JSON document on standard output instead of text\n"
    "  --help           this text\n"
    "Field names are those `show` prints. Numbers are decimal or 0x-hexadecimal, text is\n"
    "UTF-8. Predefined watermarks, colour sets and the custom setting \"없음\" cannot be\n"
    "added, edited, deleted or imported; whole-group exports leave them out.\n"
    "\n"
    "Exit codes:\n"
    "  0  done\n"
    "  1  the store could not be read or written\n"
    "  2  usage error, or an import file that is not an export of this group\n"
    "  3  no printer of that name is installed\n"
    "  4  no entry of that name\n"
    "  5  a value out of its range (the message names the field and the range)\n"
    "  6  the name belongs to a predefined entry\n"
    "  7  add of a name that is already stored (use edit)\n"
    "  8  the preview picture could not be made\n";

Outcome ParseCommandLine(const std::vector<std::string>& arguments,
                         const std::string& environmentPrinter, Command* command) {
  command->printer = environmentPrinter;
  std::vector<std::string> words;
  for (size_t at = 0; at < arguments.size(); ++at) {
    const std::string& argument = arguments[at];
    Outcome taken;
    if (argument == "--help" || argument == "-h") {
      command->help = true;
    } else if (argument == "--json") {
      command->json = true;
    } else if (argument == "--printer") {
      std::optional<std::string> printer;
      taken = TakeValue(arguments, &at, &printer);
      if (printer) command->printer = *printer;
    } else if (argument == "--file") {
      taken = TakeValue(arguments, &at, &command->file);
    } else if (argument == "--png") {
      taken = TakeValue(arguments, &at, &command->png);
    } else if (argument == "--kind") {
      taken = TakeValue(arguments, &at, &command->kind);
    } else if (argument == "--ppd") {
      taken = TakeValue(arguments, &at, &command->ppd);
    } else if (argument.starts_with("--")) {
      return Usage("unknown option " + argument);
    } else {
      words.push_back(argument);
    }
    if (!taken.ok()) return taken;
  }
  if (command->help) return Outcome::Ok();
  if (words.size() < 2) return Usage("a GROUP and a VERB are needed");
  command->group = words[0];
  command->verb = words[1];
  for (size_t at = 2; at < words.size(); ++at) {
    const std::string& word = words[at];
    const size_t equals = word.find('=');
    if (equals != std::string::npos && equals > 0) {
      command->changes.emplace_back(word.substr(0, equals), word.substr(equals + 1));
    } else if (!command->name) {
      command->name = word;
    } else {
      return Usage("unexpected argument \"" + word + "\"");
    }
  }
  if (command->printer.empty()) return Usage("no printer: give --printer NAME or set PRINTER");
  const std::optional<VerbRule> rule = RuleOf(*command);
  if (!rule) return Usage("no verb \"" + command->verb + "\" in group \"" + command->group + "\"");
  return CheckAgainstRule(*command, *rule);
}

}  // namespace kx::settings_tool
