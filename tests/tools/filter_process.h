// The print filter run exactly as CUPS starts filters (support/process_run.h): its own
// argument vector (argv[0] is the queue's name), the environment below, the job on
// standard input or in a file, the printer's job on standard output and messages on
// standard error.
#pragma once

#include <string>
#include <vector>

#include "support/process_run.h"

namespace kx::test {

// The environment CUPS gives a filter of the queue: PPD, PRINTER and the other variables
// a filter may read, with the store the test uses.
std::vector<std::string> CupsFilterEnvironment(const std::string& ppd, const std::string& printer,
                                               const std::string& store);

}  // namespace kx::test
