// kx48t7-filter run exactly as CUPS runs a filter, against kx48t7-render run with the
// options that mean the same: the two must write the same job.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "filter_fixture.h"
#include "filter_process.h"

namespace kx::test {
namespace {

// Text as the job's PostScript hex strings carry it.
std::string Hex(std::string_view text) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string hex;
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    hex += kDigits[byte >> 4];
    hex += kDigits[byte & 0xF];
  }
  return hex;
}

class FilterToolTest : public ::testing::Test {
 protected:
  // argv as CUPS builds it: the queue's name, job id, user, title, copies, options, file.
  ProcessRun Filter(const std::string& copies, const std::string& options,
                    const std::string& file, const std::string& input = "",
                    const std::string& ppd = KX48T7_SAMPLE_PPD,
                    const std::string& queue = kQueue) {
    std::vector<std::string> arguments = {queue, "417", "kim", "Quarterly report", copies,
                                          options};
    if (!file.empty()) arguments.push_back(file);
    return RunProcess(KX48T7_FILTER_PATH, arguments,
                      CupsFilterEnvironment(ppd, queue, printer_.store()), input,
                      printer_.store());
  }

  ProcessRun Render(const std::vector<std::string>& options) {
    std::vector<std::string> arguments = {"kx48t7-render", "--printer", kQueue, "--ppd",
                                          KX48T7_SAMPLE_PPD, "--document-name",
                                          "Quarterly report", document_};
    arguments.insert(arguments.end(), options.begin(), options.end());
    return RunProcess(KX48T7_RENDER_PATH, arguments,
                      {"KX48T7_STORE=" + printer_.store(), "HOME=" + printer_.store()}, "",
                      printer_.store());
  }

  FilterPrinter printer_;
  std::string document_ = printer_.WriteDocument();
};

TEST_F(FilterToolTest, WritesTheJobTheRenderToolWritesForTheSameChoices) {
  struct Case {
    const char* copies;
    const char* cupsOptions;
    std::vector<std::string> renderOptions;
    std::string inJob;  // what the choice puts into the job (empty: nothing to see)
  };
  const Case cases[] = {
      {"1", "", {}, "@PJL SET USERNAME = \"accounts\""},
      {"3", "job-uuid=urn:uuid:1 kx48t7-header-page=true",
       {"--devmode", "copies=3", "--set", "headerPage=1"}, "<< /NumCopies 3 >> setpagedevice"},
      {"1", "HeaderPage=True TrailerPage=True Duplex=DuplexNoTumble",
       {"--set", "headerPage=1", "--set", "trailerPage=1", "--devmode", "duplex=2"},
       "do_TrailerPage"},
      {"1", "PageSize=Letter InputSlot=Manual MediaType=Labels sides=two-sided-short-edge",
       {"--devmode", "paperWidth=2159", "--devmode", "paperLength=2794", "--devmode",
        "defaultSource=261", "--devmode", "mediaType=259", "--devmode", "duplex=3"},
       ""},
      {"1", "landscape MiserMode=True", {"--devmode", "orientation=2", "--set", "miserMode=1"},
       ""},
      {"1", "kx48t7-watermark='Draft Plan'", {"--watermark", kStoredWatermark},
       "/Watermark <" + Hex(kStoredWatermarkText) + "> def"},
      // The setting carries another user name: the printer's own stays.
      {"1", "kx48t7-custom-setting=Negative", {"--custom-setting", kUsableSetting},
       "@PJL SET USERNAME = \"accounts\""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.cupsOptions);
    const ProcessRun filtered = Filter(c.copies, c.cupsOptions, document_);
    ASSERT_EQ(filtered.status, 0) << filtered.err;
    const ProcessRun rendered = Render(c.renderOptions);
    ASSERT_EQ(rendered.status, 0) << rendered.err;
    EXPECT_EQ(filtered.out, rendered.out);
    if (!c.inJob.empty()) {
      EXPECT_NE(filtered.out.find(c.inJob), std::string::npos) << c.inJob;
    }
    EXPECT_NE(filtered.err.find("INFO: "), std::string::npos) << filtered.err;
  }
}

TEST_F(FilterToolTest, TheJobMayComeOnStandardInput) {
  const ProcessRun fromFile = Filter("1", "", document_);
  const ProcessRun fromInput = Filter("1", "", "", document_);
  ASSERT_EQ(fromInput.status, 0) << fromInput.err;
  EXPECT_EQ(fromInput.out, fromFile.out);
}

TEST_F(FilterToolTest, FailuresSayErrorAndExitWithOne) {
  struct Case {
    const char* what;
    std::string options;
    std::string ppd;
    std::string queue;
    const char* mentions;
  };
  const Case cases[] = {
      {"no PPD", "", "", kQueue, "PPD"},
      {"unknown watermark", "kx48t7-watermark=Nowhere", KX48T7_SAMPLE_PPD, kQueue, "Nowhere"},
      {"unusable setting", "kx48t7-custom-setting=Damaged", KX48T7_SAMPLE_PPD, kQueue,
       "Damaged"},
      {"missing setting", "kx48t7-custom-setting=Elsewhere", KX48T7_SAMPLE_PPD, kQueue,
       "Elsewhere"},
      {"size the PPD lacks", "PageSize=Tabloid", KX48T7_SAMPLE_PPD, kQueue, "Tabloid"},
      {"queue not in the store", "kx48t7-watermark='Draft Plan'", KX48T7_SAMPLE_PPD, "Annex",
       "Annex"},
      {"PPD that is no file", "", printer_.store() + "/none.ppd", kQueue, "none.ppd"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const ProcessRun run = Filter("1", c.options, document_, "", c.ppd, c.queue);
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(run.out.empty());
    EXPECT_TRUE(run.err.starts_with("ERROR: ")) << run.err;
    EXPECT_NE(run.err.find(c.mentions), std::string::npos) << run.err;
  }
}

TEST_F(FilterToolTest, ArgumentsCupsNeverGivesAreRefused) {
  const std::vector<std::vector<std::string>> argumentLists = {
      {kQueue, "1", "kim", "title", "1"},
      {kQueue, "1", "kim", "title", "two", ""},
      {kQueue, "1", "kim", "title", "1", "", document_, "extra"},
  };
  for (const auto& arguments : argumentLists) {
    SCOPED_TRACE(arguments.size());
    const ProcessRun run =
        RunProcess(KX48T7_FILTER_PATH, arguments,
                   CupsFilterEnvironment(KX48T7_SAMPLE_PPD, kQueue, printer_.store()), "",
                   printer_.store());
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(run.err.starts_with("ERROR: ")) << run.err;
  }
}

}  // namespace
}  // namespace kx::test
