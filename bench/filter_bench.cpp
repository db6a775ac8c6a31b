// What one job costs kx48t7-filter as CUPS runs it: the whole process, from start to exit,
// for the sample document (3 pages) with the sample PPD, written to /dev/null. Beside it,
// the same document through `cat` (the cost of any process that reads and writes the job)
// and through kx48t7-render. The job pays for no store writes: its printer lives in a
// scratch store, and a queue of the store is only read.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "hostsim/document_copier.h"
#include "platform/printer_setup.h"
#include "platform/spooler.h"
#include "platform/store.h"
#include "platform/text.h"
#include "settings/record_text.h"
#include "support/process_run.h"
#include "support/temp_store.h"
#include "watermarks/watermark_store.h"

namespace {

using namespace kx;

constexpr int kSamplePages = 3;
constexpr char16_t kStoredQueue[] = u"Office";

// The store, a queue of it with a watermark in its library, and the sample document.
struct FilterFixture {
  FilterFixture() {
    platform::PrinterSetup setup;
    setup.name = kStoredQueue;
    setup.dataFile = platform::Utf8ToUtf16(KX48T7_SAMPLE_PPD);
    setup.portName = u"FILE:";
    platform::InstallPrinter(setup);
    settings::WatermarkRecord watermark = ui::NewWatermarkRecord();
    settings::StoreText(watermark.name, u"Plan");
    settings::StoreText(watermark.text, u"PLAN");
    ui::StoreWatermark(watermark, kStoredQueue);
    document = store.directory() + "/sample.ps";
    std::ofstream(document) << hostsim::SampleDocument(kSamplePages);
  }

  test::TempStore store;
  std::string document;
};

FilterFixture& Fixture() {
  static FilterFixture fixture;
  return fixture;
}

// Runs the program to its exit, its output discarded; false when it did not succeed.
bool RunJob(const std::string& program, const std::vector<std::string>& arguments,
            const std::vector<std::string>& environment) {
  return test::RunProcess(program, arguments, environment, "", "").status == 0;
}

std::vector<std::string> FilterEnvironment(const std::string& queue) {
  const FilterFixture& fixture = Fixture();
  return {"PPD=" KX48T7_SAMPLE_PPD, "PRINTER=" + queue, "KX48T7_STORE=" + fixture.store.directory(),
          "TMPDIR=/tmp", "PATH=/usr/bin:/bin"};
}

void TimeJobs(benchmark::State& state, const std::string& program,
              const std::vector<std::string>& arguments,
              const std::vector<std::string>& environment) {
  for (auto _ : state) {
    if (!RunJob(program, arguments, environment)) {
      state.SkipWithError(("the job failed: " + program).c_str());
      return;
    }
  }
}

// A queue the store does not hold: the PPD's choices only.
void FilterJob(benchmark::State& state) {
  const std::string document = Fixture().document;
  TimeJobs(state, KX48T7_FILTER_PATH, {"Annex", "1", "kim", "Sample", "1", "", document},
           FilterEnvironment("Annex"));
}

// A queue of the store, its watermark taken from the library.
void FilterJobWithStoredWatermark(benchmark::State& state) {
  const std::string document = Fixture().document;
  TimeJobs(state, KX48T7_FILTER_PATH,
           {"Office", "1", "kim", "Sample", "1", "kx48t7-watermark=Plan", document},
           FilterEnvironment("Office"));
}

void RenderToolJob(benchmark::State& state) {
  const std::string document = Fixture().document;
  TimeJobs(state, KX48T7_RENDER_PATH, {"kx48t7-render", document},
           {"KX48T7_STORE=" + Fixture().store.directory(), "PATH=/usr/bin:/bin"});
}

// Any process that reads the document and writes it out: the floor of a job's cost.
void CatJob(benchmark::State& state) {
  const std::string document = Fixture().document;
  TimeJobs(state, "/bin/cat", {"cat", document}, {"PATH=/usr/bin:/bin"});
}

BENCHMARK(FilterJob)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(FilterJobWithStoredWatermark)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(RenderToolJob)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(CatJob)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
