// What the rendering plug-in adds to a long job: a 1000-page document copied through the
// host simulator with the sample PPD, with the plug-in called at every injection point
// and without it. The difference per page is the plug-in's cost.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "hostsim/document_copier.h"
#include "hostsim/host_device.h"
#include "hostsim/plugin_module.h"
#include "hostsim/render_session.h"
#include "platform/printer_setup.h"
#include "platform/spooler.h"
#include "platform/store.h"
#include "platform/text.h"
#include "support/temp_store.h"

namespace {

using namespace kx;

constexpr int kPages = 1000;

// One loaded plug-in and a printer with the sample PPD, for all runs.
struct RenderFixture {
  RenderFixture() {
    platform::PrinterSetup setup;
    setup.name = u"Bench";
    setup.dataFile = platform::Utf8ToUtf16(KX48T7_SAMPLE_PPD);
    platform::InstallPrinter(setup);
    platform::OpenPrinter(setup.name, &printer);
    std::string error;
    module = hostsim::PluginModule::Load(KX48T7PS_MODULE_PATH, &error);
    session = hostsim::RenderSession::Create(*module, &error);
  }
  ~RenderFixture() {
    session.reset();
    platform::ClosePrinter(printer);
  }

  test::TempStore store;
  platform::PrinterHandle printer = nullptr;
  std::unique_ptr<hostsim::PluginModule> module;
  std::unique_ptr<hostsim::RenderSession> session;
  const std::string document = hostsim::SampleDocument(kPages);
};

RenderFixture& Fixture() {
  static RenderFixture fixture;
  return fixture;
}

template <bool kWithPlugin>
void RenderThousandPages(benchmark::State& state) {
  RenderFixture& fixture = Fixture();
  if (!fixture.session) {
    state.SkipWithError("the plug-in did not load");
    return;
  }
  for (auto _ : state) {
    hostsim::HostDevice device(*fixture.session, fixture.printer, {});
    std::string error;
    device.PrepareRecord(nullptr, &error);
    device.Enable(&error);
    device.StartDoc(u"Bench");
    const bool copied = kWithPlugin ? hostsim::CopyDocument(device, fixture.document, &error)
                                    : hostsim::CopyDocumentWithoutPlugin(device, fixture.document, &error);
    if (!copied) state.SkipWithError(error.c_str());
    benchmark::DoNotOptimize(device.spool().bytes.data());
  }
  state.counters["seconds_per_page"] = benchmark::Counter(
      static_cast<double>(kPages) * static_cast<double>(state.iterations()),
      benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

BENCHMARK_TEMPLATE(RenderThousandPages, true)->Name("Job1000Pages/WithPlugin")->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(RenderThousandPages, false)->Name("Job1000Pages/HostOnly")->Unit(benchmark::kMillisecond);

// Prints the runs as usual, then the plug-in's own time per page.
class DifferenceReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      if (run.run_type != Run::RT_Iteration || run.iterations == 0) continue;
      const double perPage = run.real_accumulated_time / static_cast<double>(run.iterations) / kPages;
      if (run.benchmark_name().find("WithPlugin") != std::string::npos) withPlugin_ = perPage;
      if (run.benchmark_name().find("HostOnly") != std::string::npos) hostOnly_ = perPage;
    }
  }
  void Finalize() override {
    ConsoleReporter::Finalize();
    if (withPlugin_ > 0 && hostOnly_ > 0) {
      std::printf("plug-in time per page: %.2f us (with plug-in %.2f us, host alone %.2f us)\n",
                  (withPlugin_ - hostOnly_) * 1e6, withPlugin_ * 1e6, hostOnly_ * 1e6);
    }
  }

 private:
  double withPlugin_ = 0;
  double hostOnly_ = 0;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  DifferenceReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
