// kx48t7-filter: the print filter of a CUPS queue for this printer family. It renders the
// queue's PostScript job through the rendering plug-in as kx48t7-render does and writes
// the printer's job to standard output; messages go to standard error with the prefixes
// CUPS reads (ERROR:, WARNING:, INFO:, DEBUG:), and the exit status is 0 or 1.
#include <cstdlib>
#include <iostream>
#include <sstream>
#include <string>

#include "filter_job.h"
#include "render_job.h"
#include "stored_settings.h"

namespace {

constexpr int kFilterSuccess = 0;
constexpr int kFilterFailure = 1;

std::optional<std::string> Environment(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? std::optional<std::string>(value) : std::nullopt;
}

// One message per line, each with the prefix, as CUPS reads them.
void Log(const char* prefix, const std::string& text) {
  std::istringstream lines(text);
  for (std::string line; std::getline(lines, line);) std::cerr << prefix << ' ' << line << '\n';
}

}  // namespace

int main(int argc, char** argv) {
  kx::filter::FilterInvocation invocation;
  invocation.arguments.assign(argv + 1, argv + argc);
  invocation.ppd = Environment("PPD");
  invocation.printer = Environment("PRINTER");

  kx::filter::FilterJob job;
  std::string error;
  if (!kx::filter::BuildFilterJob(invocation, kx::render::PrinterInStore, &job, &error)) {
    Log("ERROR:", "kx48t7-filter: " + error);
    return kFilterFailure;
  }
  for (const std::string& note : job.notes) Log("DEBUG:", "kx48t7-filter: " + note);
#ifdef KX48T7_FILTER_PLUGIN
  // The installed filter's plug-in, unless the environment names another.
  if (!std::getenv("KX48T7_PLUGIN")) job.options.plugin = KX48T7_FILTER_PLUGIN;
#endif

  const kx::render::WarningSink warn = [](const std::string& title, const std::string& text) {
    Log("WARNING:", title + ": " + text);
  };
  if (auto failure = kx::render::RenderJob(job.options, std::cin, std::cout, warn)) {
    Log("ERROR:", "kx48t7-filter: " + failure->message);
    return kFilterFailure;
  }
  std::cout.flush();
  if (!std::cout) {
    Log("ERROR:", "kx48t7-filter: cannot write the job");
    return kFilterFailure;
  }
  Log("INFO:", "kx48t7-filter: job rendered");
  return kFilterSuccess;
}
