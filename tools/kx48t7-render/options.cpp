#include "options.h"

#include <charconv>
#include <limits>

namespace kx::render {

const char kUsage[] =
    "Usage: kx48t7-render [OPTIONS] [DOCUMENT]\n"
    "\n"
    "Runs a DSC PostScript document through the KX48T7PS rendering plug-in the way the\n"
    "host PostScript driver does, and writes the job (PJL and PostScript).\n"
    "\n"
    "  DOCUMENT               a DSC PostScript file, or - for standard input; without it a\n"
    "                         built-in sample document is rendered\n"
    "  --pages N              pages of the built-in sample document (default 3)\n"
    "  -o, --output FILE      write the job to FILE instead of standard output\n"
    "  --ppd FILE             the printer's PPD file (default: the bundled sample PPD of\n"
    "                         the VRX48T7-PSN; an empty FILE, --ppd \"\", gives a printer\n"
    "                         without a PPD)\n"
    "  --record FILE          start from this 5816-byte private settings record instead of\n"
    "                         the defaults (it is merged as the host merges stored settings)\n"
    "  --record-out FILE      write the record as it stands after the job\n"
    "  --set FIELD=VALUE      set a record field after the defaults and the merge\n"
    "                         (repeatable). FIELD is a record field name (qualityMode,\n"
    "                         negativeImage, nupCode, emailAddress, jobName, ...),\n"
    "                         watermark.NAME (watermark.text, watermark.enabled, ...),\n"
    "                         overlays[I].NAME (I from 0 to 4) or a device option\n"
    "                         (userName, hostName, chargeNumber, snmpCommunity,\n"
    "                         printerAddress, userNameUtf8, userNameAnsi, ...,\n"
    "                         installedOptions[I], hasHardDisk). Numbers are decimal or\n"
    "                         0x-hexadecimal; text is UTF-8 and is stored in the field's\n"
    "                         own encoding. Setting userName, hostName or chargeNumber also\n"
    "                         fills its ANSI and UTF-8 copies; a copy set later overrides.\n"
    "  --devmode FIELD=VALUE  set a field of the public device mode (repeatable):\n"
    "                         orientation (1 portrait, 2 landscape), paperWidth and\n"
    "                         paperLength (tenths of a millimetre), copies, defaultSource,\n"
    "                         duplex (1 simplex, 2 long edge, 3 short edge), mediaType.\n"
    "                         Defaults: portrait, A4 (2100 x 2970), 1 copy, source 15,\n"
    "                         simplex, media 256\n"
    "  --document-name NAME   the document name given at the start of the document\n"
    "                         (default: the document's file name, or \"Sample\"; when\n"
    "                         --set jobName is given and this is not, no name is given so\n"
    "                         the job keeps that jobName)\n"
    "  --printer NAME         render as the printer NAME of the store does: its PPD (unless\n"
    "                         --ppd is given), its device options (DevOpts) and the user's\n"
    "                         libraries kept for it\n"
    "  --watermark NAME       the job's watermark: NAME from the printer's watermark library\n"
    "                         or a predefined watermark (needs --printer)\n"
    "  --custom-setting NAME  the job's whole record from the printer's custom document\n"
    "                         settings, keeping the printer's device options; applied\n"
    "                         before --watermark and --set (needs --printer)\n"
    "  --print-record         print the record's fields as FIELD=VALUE lines (after the\n"
    "                         defaults, the merge and --set) and render nothing\n"
    "  --plugin FILE          the rendering plug-in module (default: KX48T7_PLUGIN, else\n"
    "                         the one built with this tool)\n"
    "  -h, --help             show this help\n"
    "\n"
    "Environment: KX48T7_ACP and KX48T7_OEMCP set the ANSI and OEM code pages (default\n"
    "949); KX48T7_STORE names the spooler and registry store where --printer finds the\n"
    "printer and the user's libraries (default: $XDG_DATA_HOME/kx48t7); the job itself\n"
    "runs on a printer of its own in a temporary store and writes nothing into it.\n"
    "\n"
    "Warnings the plug-in shows (message boxes on a desktop) are printed on standard\n"
    "error.\n"
    "\n"
    "Exit status: 0 success, 2 usage error, 1 any other failure.\n";

namespace {

template <typename T>
bool ParseInteger(const std::string& text, T* value) {
  long long parsed = 0;
  const char* begin = text.data();
  const char* end = begin + text.size();
  int base = 10;
  if (text.starts_with("0x") || text.starts_with("0X")) {
    begin += 2;
    base = 16;
  }
  const auto [stop, status] = std::from_chars(begin, end, parsed, base);
  if (begin == end || status != std::errc() || stop != end ||
      parsed < static_cast<long long>(std::numeric_limits<T>::min()) ||
      parsed > static_cast<long long>(std::numeric_limits<T>::max())) {
    return false;
  }
  *value = static_cast<T>(parsed);
  return true;
}

bool SplitAssignment(const std::string& text, std::pair<std::string, std::string>* pair) {
  const size_t equals = text.find('=');
  if (equals == std::string::npos || equals == 0) return false;
  *pair = {text.substr(0, equals), text.substr(equals + 1)};
  return true;
}

bool SetDeviceModeField(const std::string& assignment, hostsim::DeviceModeSettings* mode,
                        std::string* error) {
  std::pair<std::string, std::string> pair;
  if (!SplitAssignment(assignment, &pair)) {
    *error = "--devmode needs FIELD=VALUE, got \"" + assignment + "\"";
    return false;
  }
  const auto& [field, value] = pair;
  bool ok;
  if (field == "orientation") {
    ok = ParseInteger(value, &mode->orientation) && (mode->orientation == 1 || mode->orientation == 2);
  } else if (field == "paperWidth") {
    ok = ParseInteger(value, &mode->paperWidth) && mode->paperWidth > 0;
  } else if (field == "paperLength") {
    ok = ParseInteger(value, &mode->paperLength) && mode->paperLength > 0;
  } else if (field == "copies") {
    ok = ParseInteger(value, &mode->copies) && mode->copies > 0;
  } else if (field == "defaultSource") {
    ok = ParseInteger(value, &mode->defaultSource);
  } else if (field == "duplex") {
    ok = ParseInteger(value, &mode->duplex) && mode->duplex >= 1 && mode->duplex <= 3;
  } else if (field == "mediaType") {
    ok = ParseInteger(value, &mode->mediaType);
  } else {
    *error = "--devmode: unknown field \"" + field + "\"";
    return false;
  }
  if (!ok) *error = "--devmode " + field + ": invalid value \"" + value + "\"";
  return ok;
}

}  // namespace

bool CheckStoreOptions(const RenderOptions& options, std::string* error) {
  const std::pair<const char*, const std::optional<std::string>*> named[] = {
      {"--printer", &options.printer},
      {"--watermark", &options.watermark},
      {"--custom-setting", &options.customSetting},
  };
  for (const auto& [option, value] : named) {
    if (*value && (*value)->empty()) {
      *error = std::string(option) + " needs a name";
      return false;
    }
  }
  if ((options.watermark || options.customSetting) && !options.printer) {
    *error = "--watermark and --custom-setting need --printer";
    return false;
  }
  return true;
}

bool ParseOptions(const std::vector<std::string>& arguments, RenderOptions* options,
                  std::string* error) {
  for (size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    auto value = [&](std::string* target) {
      if (i + 1 >= arguments.size()) {
        *error = argument + " needs a value";
        return false;
      }
      *target = arguments[++i];
      return true;
    };
    std::string text;
    if (argument == "-h" || argument == "--help") {
      options->help = true;
    } else if (argument == "--print-record") {
      options->printRecord = true;
    } else if (argument == "--pages") {
      if (!value(&text)) return false;
      if (!ParseInteger(text, &options->samplePages) || options->samplePages < 1 ||
          options->samplePages > 9999) {
        *error = "--pages needs a number from 1 to 9999";
        return false;
      }
    } else if (argument == "-o" || argument == "--output") {
      if (!value(&text)) return false;
      options->output = text;
    } else if (argument == "--ppd") {
      if (!value(&text)) return false;
      options->ppdFile = text;
    } else if (argument == "--record") {
      if (!value(&text)) return false;
      options->recordIn = text;
    } else if (argument == "--record-out") {
      if (!value(&text)) return false;
      options->recordOut = text;
    } else if (argument == "--plugin") {
      if (!value(&text)) return false;
      options->plugin = text;
    } else if (argument == "--document-name") {
      if (!value(&text)) return false;
      options->documentName = text;
    } else if (argument == "--printer") {
      if (!value(&text)) return false;
      options->printer = text;
    } else if (argument == "--watermark") {
      if (!value(&text)) return false;
      options->watermark = text;
    } else if (argument == "--custom-setting") {
      if (!value(&text)) return false;
      options->customSetting = text;
    } else if (argument == "--set") {
      if (!value(&text)) return false;
      std::pair<std::string, std::string> pair;
      if (!SplitAssignment(text, &pair)) {
        *error = "--set needs FIELD=VALUE, got \"" + text + "\"";
        return false;
      }
      options->fieldSettings.push_back(pair);
    } else if (argument == "--devmode") {
      if (!value(&text)) return false;
      if (!SetDeviceModeField(text, &options->deviceMode, error)) return false;
    } else if (argument == "-" || !argument.starts_with("-")) {
      if (options->document) {
        *error = "only one document can be given";
        return false;
      }
      options->document = argument;
    } else {
      *error = "unknown option " + argument;
      return false;
    }
  }
  return CheckStoreOptions(*options, error);
}

}  // namespace kx::render
