#include "filter_job.h"

#include <charconv>
#include <memory>

#include "cups_options.h"
#include "platform/text.h"
#include "ppd/ppd.h"
#include "ppd_option_map.h"
#include "settings/printer_defaults.h"

namespace kx::filter {
namespace {

// argv[1] to argv[5] always, argv[6] (the file) when the job is not on standard input.
constexpr size_t kFixedArguments = 5;
constexpr size_t kTitleArgument = 2;
constexpr size_t kCopiesArgument = 3;
constexpr size_t kOptionsArgument = 4;
constexpr size_t kFileArgument = 5;

bool ParseCopies(const std::string& text, short* copies) {
  int value = 0;
  const auto [end, status] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (status != std::errc() || end != text.data() + text.size() || value < 1 || value > 32767) {
    return false;
  }
  *copies = static_cast<short>(value);
  return true;
}

bool IsTrue(const std::string& value) {
  return value == "true" || value == "yes" || value == "on" || value == "1";
}

// The driver's own options; false when `name` is none of them.
bool ApplyDriverOption(const std::string& name, const std::string& value,
                       render::RenderOptions* options) {
  if (name == kWatermarkOption) {
    options->watermark = value;
  } else if (name == kCustomSettingOption) {
    options->customSetting = value;
  } else if (name == kHeaderPageOption) {
    options->fieldSettings.emplace_back("headerPage", IsTrue(value) ? "1" : "0");
  } else {
    return false;
  }
  return true;
}

}  // namespace

bool BuildFilterJob(const FilterInvocation& invocation, const PrinterLookup& printerInStore,
                    FilterJob* job, std::string* error) {
  const auto& arguments = invocation.arguments;
  if (arguments.size() != kFixedArguments && arguments.size() != kFixedArguments + 1) {
    *error = "usage: kx48t7-filter job-id user title copies options [file]";
    return false;
  }
  if (!invocation.ppd || invocation.ppd->empty()) {
    *error = "no PPD file for this queue (the environment has no PPD)";
    return false;
  }
  render::RenderOptions& options = job->options;
  options.ppdFile = *invocation.ppd;
  options.document = arguments.size() > kFileArgument ? arguments[kFileArgument] : "-";
  options.documentName = arguments[kTitleArgument];
  if (!ParseCopies(arguments[kCopiesArgument], &options.deviceMode.copies)) {
    *error = "the copies argument \"" + arguments[kCopiesArgument] + "\" is no number of copies";
    return false;
  }

  settings::PpdHandle ppd(ppd::PpdOpen(platform::Utf8ToUtf16(*invocation.ppd).c_str()), &ppd::PpdClose);
  if (!ppd) {
    *error = "cannot read the PPD file " + *invocation.ppd;
    return false;
  }
  for (const auto& [name, value] : ParseCupsOptions(arguments[kOptionsArgument])) {
    if (ApplyDriverOption(name, value, &options)) continue;
    switch (ApplyJobOption(ppd.get(), name, value, &options)) {
      case OptionOutcome::kApplied:
        break;
      case OptionOutcome::kNotMapped:
        job->notes.push_back("option " + name + " is not part of the job's settings");
        break;
      case OptionOutcome::kUnknownValue:
        *error = "the PPD offers no " + name + " \"" + value + "\"";
        return false;
    }
  }

  const bool fromLibraries = options.watermark || options.customSetting;
  const std::string printer = invocation.printer.value_or("");
  if (fromLibraries && printer.empty()) {
    *error = "a watermark or custom setting needs the queue's name (the environment has no "
             "PRINTER)";
    return false;
  }
  // A queue set up in the store brings its device options; one asked for its libraries
  // must be there, and the tool says so when it is not.
  if (!printer.empty() && (fromLibraries || printerInStore(printer))) options.printer = printer;
  return render::CheckStoreOptions(options, error);
}

}  // namespace kx::filter
