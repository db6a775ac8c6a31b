// The preview page against the job: for the same record, the page holds the very
// watermark definition and page call that kx48t7-render's job carries, and a record whose
// job draws no watermark gives no page.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "paper_size.h"
#include "preview_page.h"
#include "support/process_run.h"
#include "support/temp_store.h"

namespace kx::preview {
namespace {

namespace fs = std::filesystem;

constexpr char kWatermarkRun[] = "DrawWaterMark get exec";

std::string ReadFile(const fs::path& path) { return test::ReadTextFile(path.string()); }

class PreviewPageTest : public ::testing::Test {
 protected:
  // Renders a two-page job with the settings; *record receives the job's record.
  bool RenderJob(const std::vector<std::string>& settings, std::string* job,
                 settings::PrivateRecord* record) {
    const fs::path jobPath = dir_ / "job.prn";
    const fs::path recordPath = dir_ / "record.bin";
    std::vector<std::string> arguments = {KX48T7_RENDER_PATH, "--pages", "2", "-o",
                                          jobPath.string(), "--record-out", recordPath.string()};
    for (const std::string& setting : settings) arguments.insert(arguments.end(), {"--set", setting});
    const test::ProcessRun run = test::RunProcess(KX48T7_RENDER_PATH, arguments,
                                                  test::CurrentEnvironment(), "", dir_.string());
    if (run.status != 0) return false;
    *job = ReadFile(jobPath);
    const std::string bytes = ReadFile(recordPath);
    if (bytes.size() != sizeof(*record)) return false;
    std::memcpy(record, bytes.data(), sizeof(*record));
    return true;
  }

  test::TempStore store_;
  fs::path dir_ = store_.directory();
};

TEST_F(PreviewPageTest, HoldsTheWatermarkTheJobCarries) {
  struct Case {
    const char* name;
    std::vector<std::string> settings;
  };
  const Case cases[] = {
      {"grey fill over the page",
       {"watermark.enabled=1", "watermark.text=CONFIDENTIAL", "watermark.shadeOrColour=50"}},
      {"red outline under the page",
       {"watermark.enabled=1", "watermark.text=DRAFT", "watermark.colourFlag=1",
        "watermark.shadeOrColour=3", "watermark.background=1", "watermark.outlineOnly=1"}},
      {"Korean text in a disk font, turned and moved",
       {"watermark.enabled=1", "watermark.text=대외비",
        "watermark.fontName=HeiseiMin-W3-90ms-RKSJ-H", "watermark.angle=300",
        "watermark.offsetX=-40", "watermark.offsetY=25"}},
      {"first page only",
       {"watermark.enabled=1", "watermark.text=COPY", "watermark.firstPageOnly=1"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::string job;
    settings::PrivateRecord record{};
    ASSERT_TRUE(RenderJob(c.settings, &job, &record));
    const PreviewPage page = BuildPreviewPage(record, kFallbackPaper);
    ASSERT_EQ(page.status, PageStatus::kReady) << PageStatusMessage(page.status);
    ASSERT_FALSE(page.procedure.empty());
    ASSERT_NE(page.invocation.find(kWatermarkRun), std::string::npos);
    EXPECT_NE(job.find(page.procedure), std::string::npos);
    EXPECT_NE(job.find(page.invocation), std::string::npos);
    // The procedure is defined before the page calls it, and the page is printed.
    const size_t defined = page.postscript.find(page.procedure);
    const size_t called = page.postscript.find(page.invocation);
    ASSERT_NE(defined, std::string::npos);
    ASSERT_NE(called, std::string::npos);
    EXPECT_LT(defined, called);
    EXPECT_GT(page.postscript.rfind("showpage"), called);
  }
}

TEST_F(PreviewPageTest, NoPageWhereTheJobDrawsNoWatermark) {
  struct Case {
    const char* name;
    std::vector<std::string> settings;
    PageStatus status;
  };
  const Case cases[] = {
      {"not enabled", {"watermark.enabled=0", "watermark.text=CONFIDENTIAL"},
       PageStatus::kWatermarkOff},
      {"negative image", {"watermark.enabled=1", "watermark.text=CONFIDENTIAL", "negativeImage=1"},
       PageStatus::kNegativeImage},
      {"empty text", {"watermark.enabled=1", "watermark.text="}, PageStatus::kNoText},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::string job;
    settings::PrivateRecord record{};
    ASSERT_TRUE(RenderJob(c.settings, &job, &record));
    EXPECT_EQ(job.find(kWatermarkRun), std::string::npos);
    const PreviewPage page = BuildPreviewPage(record, kFallbackPaper);
    EXPECT_EQ(page.status, c.status);
    EXPECT_TRUE(page.postscript.empty());
    EXPECT_FALSE(PageStatusMessage(page.status).empty());
  }
}

TEST_F(PreviewPageTest, PaperIsThePpdDefaultPageSize) {
  const std::string sample = ReadFile(KX48T7_SAMPLE_PPD);
  const std::string a4Default = "*DefaultPageSize: A4";
  ASSERT_NE(sample.find(a4Default), std::string::npos);
  std::string letter = sample;
  letter.replace(letter.find(a4Default), a4Default.size(), "*DefaultPageSize: Letter");
  std::ofstream(dir_ / "letter.ppd", std::ios::binary) << letter;
  std::ofstream(dir_ / "broken.ppd", std::ios::binary) << "not a PPD\n";

  struct Case {
    const char* name;
    fs::path ppd;
    PaperSize expected;
  };
  const Case cases[] = {
      {"A4 (the sample's default)", KX48T7_SAMPLE_PPD, {.width = 595, .height = 842}},
      {"Letter", dir_ / "letter.ppd", {.width = 612, .height = 792}},
      {"no PPD", fs::path(), kFallbackPaper},
      {"missing file", dir_ / "missing.ppd", kFallbackPaper},
      {"not a PPD", dir_ / "broken.ppd", kFallbackPaper},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const PaperSize paper = PpdDefaultPaper(c.ppd.u16string());
    EXPECT_EQ(paper.width, c.expected.width);
    EXPECT_EQ(paper.height, c.expected.height);
  }
}

}  // namespace
}  // namespace kx::preview
