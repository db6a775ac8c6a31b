// kx48t7-filter's job as CUPS describes it: the filter's arguments (job id, user, title,
// copies, options, and the file or none for standard input) and the environment (the
// queue's PPD in PPD, the queue's name in PRINTER), turned into the kx48t7-render options
// that render the same job.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "options.h"

namespace kx::filter {

// Options of the job that name the printer's libraries and the driver's own choices.
inline constexpr char kWatermarkOption[] = "kx48t7-watermark";
inline constexpr char kCustomSettingOption[] = "kx48t7-custom-setting";
inline constexpr char kHeaderPageOption[] = "kx48t7-header-page";

struct FilterInvocation {
  std::vector<std::string> arguments;  // without the program name
  std::optional<std::string> ppd;      // the environment's PPD
  std::optional<std::string> printer;  // the environment's PRINTER
};

struct FilterJob {
  render::RenderOptions options;
  std::vector<std::string> notes;  // options passed over, for the job's log
};

// Whether the store holds the printer (its DevOpts and libraries then serve the job).
using PrinterLookup = std::function<bool(const std::string& printer)>;

// False with *error set when CUPS's arguments or environment are not a job this filter
// can render: a wrong argument count, no PPD, a copies count that is no number, a value
// the PPD does not offer, a library entry asked for without a printer.
bool BuildFilterJob(const FilterInvocation& invocation, const PrinterLookup& printerInStore,
                    FilterJob* job, std::string* error);

}  // namespace kx::filter
