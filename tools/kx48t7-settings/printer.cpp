#include "printer.h"

#include <filesystem>
#include <fstream>
#include <string_view>
#include <system_error>

#include "command_line.h"
#include "platform/printer_setup.h"
#include "platform/spooler.h"
#include "platform/text.h"
#include "ppd/ppd.h"
#include "settings/record_ops.h"

namespace kx::settings_tool {

Outcome CheckPrinter(const std::u16string& printer) {
  const platform::OpenedPrinter opened(printer);
  if (opened.handle() != nullptr) return Outcome::Ok();
  return Outcome::Fail(kExitNoPrinter,
                       "no printer \"" + platform::Utf16ToUtf8(printer) + "\" is installed");
}

settings::PrivateRecord DefaultRecord(const std::u16string& printer) {
  settings::PrivateRecord record{};
  const platform::OpenedPrinter opened(printer);
  settings::SetRecordDefaults(&record, opened.handle());
  return record;
}

namespace {

// The printer's port: a queue's device is CUPS's business, and the printer's address for
// status queries is its DevOpts printerAddress.
constexpr char16_t kQueuePort[] = u"FILE:";

// A PPD file begins with its format line, which the PPD library does not ask for (it reads
// whatever entries a file has), so that a text file named by mistake is caught here.
bool BeginsLikeAPpd(const std::filesystem::path& path) {
  constexpr std::string_view kFormatLine = "*PPD-Adobe:";
  std::ifstream file(path, std::ios::binary);
  std::string start(kFormatLine.size(), '\0');
  return file.read(start.data(), static_cast<std::streamsize>(start.size())) &&
         start == kFormatLine;
}

Outcome InstallPrinter(const std::u16string& printer, const std::string& ppd) {
  std::error_code error;
  const std::filesystem::path path = std::filesystem::absolute(ppd, error);
  const std::u16string ppdPath = platform::Utf8ToUtf16(path.string());
  const ppd::PpdImage* image =
      error || !BeginsLikeAPpd(path) ? nullptr : ppd::PpdOpen(ppdPath.c_str());
  if (image == nullptr) return Outcome::Fail(kExitUsage, "\"" + ppd + "\" is no PPD file");
  ppd::PpdClose(image);
  platform::PrinterSetup setup;
  setup.name = printer;
  setup.dataFile = ppdPath;
  setup.portName = kQueuePort;
  if (!platform::InstallPrinter(setup)) {
    return Outcome::Fail(kExitStoreFailure, "the printer could not be installed");
  }
  return Outcome::Ok();
}

}  // namespace

Outcome RunPrinterVerb(const Command& command) {
  const std::u16string printer = platform::Utf8ToUtf16(command.printer);
  if (command.verb == "install") return InstallPrinter(printer, *command.ppd);
  if (Outcome present = CheckPrinter(printer); !present.ok()) return present;
  if (!platform::RemovePrinter(printer)) {
    return Outcome::Fail(kExitStoreFailure, "the printer could not be removed");
  }
  return Outcome::Ok();
}

}  // namespace kx::settings_tool
