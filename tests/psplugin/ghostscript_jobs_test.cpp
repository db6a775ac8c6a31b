// Whole jobs rendered through the plug-in with the sample PPD and run by Ghostscript:
// every kind of text the page set-up, quality and colour injections write must run
// without a PostScript error.
#include <gtest/gtest.h>

#include <fstream>
#include <functional>

#include "hostsim/document_copier.h"
#include "platform/text.h"
#include "settings/record_text.h"
#include "support/ghostscript.h"
#include "support/loaded_plugin.h"

namespace kx::ps {
namespace {

using hostsim::DeviceModeSettings;

using Adjust = std::function<void(settings::PrivateRecord&)>;

struct JobCase {
  std::string name;
  Adjust adjust;
  DeviceModeSettings mode = {};
  const char* ppd = KX48T7_SAMPLE_PPD;
};

class GhostscriptJobsTest : public test::LoadedPluginTest {
 protected:
  // Renders a three-page sample job and returns it.
  std::string Render(const JobCase& job) {
    printer_.SetPpd(job.ppd);
    auto& device = Device(job.mode);
    if (job.adjust) job.adjust(device.record());
    device.StartDoc(u"Ghostscript check");
    std::string error;
    EXPECT_TRUE(hostsim::CopyDocument(device, hostsim::SampleDocument(3), &error)) << error;
    return device.spool().bytes;
  }
  void ExpectRuns(const std::vector<JobCase>& jobs) {
    for (const JobCase& job : jobs) {
      SCOPED_TRACE(job.name);
      const test::GhostscriptRun run = test::RunGhostscript(Render(job));
      EXPECT_EQ(run.status, 0) << run.output;
    }
  }
};

TEST_F(GhostscriptJobsTest, RotationMirrorAndNup) {
  std::vector<JobCase> jobs;
  for (const int rotation : {0, 90, 180, 270}) {
    for (const int nup : {0, 2}) {
      jobs.push_back({"rotation " + std::to_string(rotation) + " nup " + std::to_string(nup),
                      [=](settings::PrivateRecord& r) {
                        r.rotation = static_cast<uint16_t>(rotation);
                        r.nupCode = static_cast<uint16_t>(nup);
                      }});
    }
  }
  for (const int orientation : {1, 2}) {
    jobs.push_back({"mirror, orientation " + std::to_string(orientation),
                    [](settings::PrivateRecord& r) { r.mirrorImage = 1; },
                    {static_cast<short>(orientation), 2100, 2970, 1, 15, 1, 256}});
  }
  jobs.push_back({"mirror and rotation 90", [](settings::PrivateRecord& r) {
                    r.mirrorImage = 1;
                    r.rotation = 90;
                  }});
  ExpectRuns(jobs);
}

TEST_F(GhostscriptJobsTest, PageAndJobSettings) {
  ExpectRuns({
      {"defaults", nullptr},
      {"negative image in grayscale", [](settings::PrivateRecord& r) {
         r.negativeImage = 1;
         r.colorMode = 1;
       }},
      {"page-size override", nullptr, {1, 2100, 4800, 1, 257, 1, 256}},
      {"duplex page-size override", nullptr, {1, 3000, 4400, 2, 258, 2, 256}},
      {"several copies", nullptr, {1, 2100, 2970, 3, 15, 1, 256}},
      {"media types", [](settings::PrivateRecord& r) { r.singleUserMode = 1; },
       {1, 2100, 2970, 1, 15, 1, 259}},
      {"job timeout", [](settings::PrivateRecord& r) { r.jobTimeout = 300; }},
      {"overlays missing on the printer's disk", [](settings::PrivateRecord& r) {
         r.devOpts.installedOptions[settings::kHasHardDisk] = 1;
         for (auto& overlay : r.overlays) {
           settings::StoreText(overlay.fileName, u"NOPE(1.PS");
           overlay.enabled = 1;
         }
       }},
  });
}

TEST_F(GhostscriptJobsTest, QualityAndColour) {
  auto everything = [](uint32_t value) {
    return [=](settings::PrivateRecord& r) {
      r.miserMode = value % 2;
      r.smoothing = static_cast<uint16_t>((value + 1) % 2);
      r.imageHalftone = static_cast<uint8_t>(value % 3);
      r.graphicsHalftone = static_cast<uint8_t>((value + 1) % 3);
      r.imageIntent = static_cast<uint8_t>(value % 5);
      r.graphicsIntent = static_cast<uint8_t>((value + 2) % 5);
      r.imageProcessGray = static_cast<uint8_t>(value % 2);
      r.graphicsProcessGray = static_cast<uint8_t>((value + 1) % 2);
    };
  };
  std::vector<JobCase> jobs;
  for (uint32_t value = 0; value < 5; ++value) {
    jobs.push_back({"options " + std::to_string(value), everything(value)});
  }
  jobs.push_back({"profiles on the disk", [](settings::PrivateRecord& r) {
                    r.useColorIntents = 0;
                    r.devOpts.installedOptions[settings::kHasHardDisk] = 1;
                    r.simulationNone = 0;
                    r.destinationNone = 0;
                    settings::StoreText(r.rgbSourceFile, u"RGB).ICC");
                    settings::StoreText(r.simulationFile, u"SIM.ICC");
                    settings::StoreText(r.destinationFile, u"DST\\.ICC");
                  }});
  jobs.push_back({"intents stand in for profiles", [](settings::PrivateRecord& r) { r.useColorIntents = 0; }});
  jobs.push_back({"monochrome printer", everything(3), {}, KX48T7_SAMPLE_MONO_PPD});
  jobs.push_back({"no PPD", everything(1), {}, ""});
  ExpectRuns(jobs);
}

TEST_F(GhostscriptJobsTest, ExternalHeaderFile) {
  const std::string path = printer_.directory() + "/header.ps";
  std::ofstream(path) << "% site header\n/SiteHeaderLoaded true def\n";
  ExpectRuns({{"external header", [&](settings::PrivateRecord& r) {
                 r.useExternalHeader = 1;
                 settings::StoreText(r.externalHeaderFile, platform::Utf8ToUtf16(path));
               }}});
}

// The checker itself must catch an error, or the tests above prove nothing.
TEST_F(GhostscriptJobsTest, AnErrorInTheJobIsCaught) {
  const test::GhostscriptRun run =
      test::RunGhostscript("%!PS-Adobe-3.0\n/undefinedname_x load\n");
  EXPECT_NE(run.status, 0);
  EXPECT_NE(run.output.find("undefined"), std::string::npos);
}

}  // namespace
}  // namespace kx::ps
