#include "status_tool.h"

#include <cstdio>
#include <string_view>

#include "device/printer_address.h"
#include "device/printer_answers.h"
#include "device/snmp_status.h"
#include "json.h"
#include "platform/text.h"

namespace kx::status {

const char kUsage[] =
    "Usage: kx48t7-status (--address ADDR | --printer NAME) [--community NAME] [--json]\n"
    "\n"
    "Asks a printer over SNMP (version 1) what the KX48T7UI device pages ask it, and\n"
    "prints the installed options that the answers decide and each marker supply:\n"
    "its description, level, maximum, unit and type, and the percentage or state word\n"
    "that the consumables page shows for it.\n"
    "\n"
    "  --address ADDR     the printer's address: a host name or IPv4 address, optionally\n"
    "                     followed by :PORT (default port 161)\n"
    "  --printer NAME     an installed printer; its address is looked up from its port\n"
    "                     (the port monitors' address, else the port name itself)\n"
    "  --community NAME   the SNMP community (default \"kestra\")\n"
    "  --json             print the report as JSON instead of text\n"
    "  -h, --help         show this help\n"
    "\n"
    "Each request waits at most 1000 ms and is retried once.\n"
    "\n"
    "Environment: KX48T7_STORE names the spooler and registry store that --printer\n"
    "reads; KX48T7_ACP sets the ANSI code page of the supply texts (default 949).\n"
    "\n"
    "Exit status: 0 the printer answered, 3 it did not (or no address is known),\n"
    "2 usage error.\n";

namespace {

using device::SupplyDisplay;
using device::SupplyGroup;

// Everything the report shows.
struct Report {
  std::string address;
  std::string community;
  uint32_t status = device::kStatusChecking;
  device::SnmpFailure failure;
  device::ScalarQueryTable rows = device::PrinterScalarQueryTable();
  int supplyCount = 0;
  device::SupplyRecords supplies{};
};

std::string Utf8(const std::u16string& text) { return platform::Utf16ToUtf8(text); }

const char* GroupName(SupplyGroup group) {
  switch (group) {
    case SupplyGroup::kToner:
      return "toner";
    case SupplyGroup::kPrintUnit:
      return "print unit";
    case SupplyGroup::kNotShown:
      break;
  }
  return "not shown";
}

std::string StatusText(const Report& report) {
  switch (report.status) {
    case device::kStatusAnswered:
      return "answered";
    case device::kStatusNoAddress:
      return "no printer address known";
    default:
      break;
  }
  std::string text = "no answer";
  if (report.failure.call != nullptr) {
    text += " (" + std::string(report.failure.call) + " failed with error " +
            std::to_string(report.failure.error) + ")";
  }
  return text;
}

// Text that goes to the terminal: control characters an agent may send are shown as
// escapes, so they cannot move the cursor or end a line early.
std::string PrintableText(std::string_view text) {
  std::string result;
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F) {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\x%02X", byte);
      result += escape;
    } else {
      result += c;
    }
  }
  return result;
}

void PrintText(const Report& report, std::ostream& out) {
  out << "Address:   " << PrintableText(report.address) << "\n"
      << "Community: " << PrintableText(report.community) << "\n"
      << "Status:    " << report.status << " (" << StatusText(report) << ")\n";
  if (report.status != device::kStatusAnswered) return;
  out << "\nInstalled options:\n";
  for (const device::AnsweredOption& option : device::kAnsweredOptions) {
    const bool installed = device::IsOptionInstalled(option, report.rows);
    std::string keyword = option.keyword;
    keyword.resize(18, ' ');
    out << "  " << keyword << (installed ? "installed" : "not installed") << "\n";
  }
  out << "\nSupplies: " << report.supplyCount << "\n";
  for (int i = 0; i < report.supplyCount; ++i) {
    const device::SupplyRecord& record = report.supplies[static_cast<size_t>(i)];
    const SupplyDisplay display = device::DescribeSupply(record);
    out << "  [" << i + 1 << "] "
        << PrintableText(Utf8(device::SupplyText(record.description,
                                                 device::kSupplyTextSize)))
        << "\n      level " << record.level << ", maximum " << record.maximum << ", unit \""
        << PrintableText(Utf8(device::SupplyText(record.unit, device::kSupplyTextSize)))
        << "\", type " << record.type << " (" << GroupName(display.group) << ")";
    if (!display.text.empty()) out << ": " << PrintableText(Utf8(display.text));
    out << "\n";
  }
}

void PrintJson(const Report& report, std::ostream& out) {
  const bool answered = report.status == device::kStatusAnswered;
  out << "{\n  \"address\": " << JsonQuoted(report.address)
      << ",\n  \"community\": " << JsonQuoted(report.community)
      << ",\n  \"answered\": " << (answered ? "true" : "false")
      << ",\n  \"status\": " << report.status << ",\n  \"failure\": ";
  if (report.failure.call != nullptr) {
    out << "{\"call\": " << JsonQuoted(report.failure.call)
        << ", \"error\": " << report.failure.error << "}";
  } else {
    out << "null";
  }
  if (answered) {
    out << ",\n  \"rows\": [";
    for (size_t i = 0; i < device::kScalarRowCount; ++i) {
      const device::ScalarQueryRow& row = report.rows[i];
      out << (i == 0 ? "\n" : ",\n") << "    {\"row\": " << i
          << ", \"objectId\": " << JsonQuoted(row.objectId) << ", \"index\": " << row.index
          << ", \"value\": " << row.value << "}";
    }
    out << "\n  ],\n  \"installedOptions\": [";
    bool first = true;
    for (const device::AnsweredOption& option : device::kAnsweredOptions) {
      out << (first ? "\n" : ",\n") << "    {\"keyword\": " << JsonQuoted(option.keyword)
          << ", \"flag\": " << option.flag << ", \"installed\": "
          << (device::IsOptionInstalled(option, report.rows) ? "true" : "false") << "}";
      first = false;
    }
    out << "\n  ],\n  \"supplies\": [";
    for (int i = 0; i < report.supplyCount; ++i) {
      const device::SupplyRecord& record = report.supplies[static_cast<size_t>(i)];
      const SupplyDisplay display = device::DescribeSupply(record);
      out << (i == 0 ? "\n" : ",\n") << "    {\"description\": "
          << JsonQuoted(Utf8(device::SupplyText(record.description,
                                                device::kSupplyTextSize)))
          << ", \"level\": " << record.level << ", \"maximum\": " << record.maximum
          << ", \"unit\": "
          << JsonQuoted(Utf8(device::SupplyText(record.unit, device::kSupplyTextSize)))
          << ", \"type\": " << record.type
          << ", \"group\": " << JsonQuoted(GroupName(display.group))
          << ", \"percent\": ";
      if (display.kind == SupplyDisplay::Kind::kPercent) {
        out << display.percent;
      } else {
        out << "null";
      }
      out << ", \"display\": " << JsonQuoted(Utf8(display.text)) << "}";
    }
    out << (report.supplyCount > 0 ? "\n  ]" : "]");
  }
  out << "\n}\n";
}

}  // namespace

bool ParseOptions(const std::vector<std::string>& arguments, StatusOptions* options,
                  std::string* error) {
  bool haveAddress = false;
  bool havePrinter = false;
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
    if (argument == "-h" || argument == "--help") {
      options->help = true;
    } else if (argument == "--json") {
      options->json = true;
    } else if (argument == "--address") {
      if (!value(&options->address)) return false;
      haveAddress = true;
    } else if (argument == "--printer") {
      if (!value(&options->printer)) return false;
      havePrinter = true;
    } else if (argument == "--community") {
      if (!value(&options->community)) return false;
    } else {
      *error = "unknown argument \"" + argument + "\"";
      return false;
    }
  }
  if (options->help) return true;
  if (haveAddress == havePrinter) {
    *error = "give either --address or --printer";
    return false;
  }
  if (haveAddress && options->address.empty()) {
    *error = "--address needs a non-empty address";
    return false;
  }
  if (havePrinter && options->printer.empty()) {
    *error = "--printer needs a printer name";
    return false;
  }
  return true;
}

int RunStatus(const StatusOptions& options, std::ostream& out, std::ostream& err) {
  if (options.help) {
    out << kUsage;
    return kExitAnswered;
  }
  Report report;
  report.community = options.community;
  report.address = options.address;
  if (report.address.empty()) {
    const std::u16string found =
        device::LookUpPrinterAddress(platform::Utf8ToUtf16(options.printer));
    report.address = device::SnmpText(found);
    if (report.address.empty() && !found.empty()) {
      err << "kx48t7-status: the address \"" << PrintableText(Utf8(found))
          << "\" of printer \"" << PrintableText(options.printer) << "\" is not 8-bit text\n";
    }
  }
  if (report.address.empty()) {
    report.status = device::kStatusNoAddress;
  } else {
    device::SnmpStatusClient client;
    report.status = client.QueryScalars(report.community, report.address, report.rows);
    report.failure = client.lastFailure();
    if (report.status == device::kStatusAnswered) {
      report.supplyCount = client.WalkSupplies(report.community, report.address,
                                               device::kSupplyColumns, &report.supplies);
      if (client.lastFailure().call != nullptr) {
        report.failure = client.lastFailure();
        err << "kx48t7-status: the supply walk ended early: " << report.failure.call
            << " failed with error " << report.failure.error << "\n";
      }
    }
  }
  if (options.json) {
    PrintJson(report, out);
  } else {
    PrintText(report, out);
  }
  if (report.status == device::kStatusAnswered) return kExitAnswered;
  if (report.status == device::kStatusNoAddress) {
    err << "kx48t7-status: no address is known for printer \"" << PrintableText(options.printer)
        << "\"\n";
  } else {
    err << "kx48t7-status: the printer did not answer: " << StatusText(report) << "\n";
  }
  return kExitNoAnswer;
}

}  // namespace kx::status
