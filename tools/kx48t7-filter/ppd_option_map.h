// The job options that mean the same as a field of the job's settings: the PPD's own
// options that the private settings record or the public device mode carries, and the
// standard CUPS options for the same things. Each becomes the kx48t7-render option that
// sets that field (--set FIELD=VALUE or --devmode FIELD=VALUE), so that the filter and
// the tool give the same job for the same choices.
#pragma once

#include <string>

#include "options.h"
#include "ppd/ppd.h"

namespace kx::filter {

enum class OptionOutcome {
  kApplied,
  kNotMapped,     // an option this driver does not carry in the job's settings
  kUnknownValue,  // an option it carries, with a value the PPD does not offer
};

// Applies one option; the PPD image gives the option keywords and their order (the
// host numbers paper sources and media types by that order).
OptionOutcome ApplyJobOption(const ppd::PpdImage* ppd, const std::string& name,
                             const std::string& value, render::RenderOptions* options);

}  // namespace kx::filter
