// How the filter reads CUPS's option argument and which job settings the options become.
#include <gtest/gtest.h>

#include "cups_options.h"
#include "filter_job.h"

namespace kx::filter {
namespace {

using Options = std::vector<CupsOption>;

TEST(CupsOptionsTest, ReadsTheOptionArgumentAsCupsWritesIt) {
  struct Case {
    const char* text;
    Options expected;
  };
  const Case cases[] = {
      {"", {}},
      {"  PageSize=A4   Duplex=None ", {{"PageSize", "A4"}, {"Duplex", "None"}}},
      {"kx48t7-watermark='Draft Plan' title=\"a b\"",
       {{"kx48t7-watermark", "Draft Plan"}, {"title", "a b"}}},
      {"name=it\\'s\\ here", {{"name", "it's here"}}},
      {"landscape noCollate", {{"landscape", "true"}, {"Collate", "false"}}},
      {"quoted='it\"s' empty=", {{"quoted", "it\"s"}, {"empty", ""}}},
      {"mixed=a'b c'd", {{"mixed", "ab cd"}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(ParseCupsOptions(c.text), c.expected);
  }
}

class FilterJobTest : public ::testing::Test {
 protected:
  bool Build(const std::string& options, FilterJob* job, std::string* error,
             bool printerInStore = false) {
    FilterInvocation invocation;
    invocation.arguments = {"7", "kim", "Minutes", "2", options};
    invocation.ppd = KX48T7_SAMPLE_PPD;
    invocation.printer = "Office";
    return BuildFilterJob(
        invocation, [printerInStore](const std::string&) { return printerInStore; }, job,
        error);
  }
};

// Sizes in the device mode's tenths of a millimetre: Letter is 8.5 x 11 in, the JIS B5
// sheet 182 x 257 mm, the C5 envelope 162 x 229 mm.
TEST_F(FilterJobTest, PaperSizesComeFromThePpdInTenthsOfAMillimetre) {
  struct Case {
    const char* options;
    short width;
    short length;
  };
  const Case cases[] = {
      {"PageSize=Letter", 2159, 2794},
      {"media=B5", 1820, 2572},
      {"PageRegion=EnvC5", 1619, 2290},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.options);
    FilterJob job;
    std::string error;
    ASSERT_TRUE(Build(c.options, &job, &error)) << error;
    EXPECT_EQ(job.options.deviceMode.paperWidth, c.width);
    EXPECT_EQ(job.options.deviceMode.paperLength, c.length);
  }
}

// The rendering plug-in names paper source 257 Tray 1 and 261 the manual feed tray, and
// writes media 259 as labels: the PPD's order must give those numbers.
TEST_F(FilterJobTest, SourcesAndMediaAreNumberedAsTheHostNumbersThem) {
  FilterJob job;
  std::string error;
  ASSERT_TRUE(Build("InputSlot=Manual MediaType=Labels", &job, &error)) << error;
  EXPECT_EQ(job.options.deviceMode.defaultSource, 261);
  EXPECT_EQ(job.options.deviceMode.mediaType, 259u);
  ASSERT_TRUE(Build("InputSlot=Tray1", &job, &error)) << error;
  EXPECT_EQ(job.options.deviceMode.defaultSource, 257);
}

TEST_F(FilterJobTest, TheJobKeepsTheQueuesTitleCopiesAndDocument) {
  FilterJob job;
  std::string error;
  ASSERT_TRUE(Build("", &job, &error)) << error;
  EXPECT_EQ(job.options.documentName, "Minutes");
  EXPECT_EQ(job.options.deviceMode.copies, 2);
  EXPECT_EQ(job.options.document, "-");  // no file: standard input
  EXPECT_EQ(job.options.ppdFile, KX48T7_SAMPLE_PPD);
  EXPECT_FALSE(job.options.printer);  // a queue the store does not hold
}

TEST_F(FilterJobTest, AQueueInTheStoreServesTheJobWithItsLibraries) {
  FilterJob job;
  std::string error;
  ASSERT_TRUE(Build("", &job, &error, true)) << error;
  EXPECT_EQ(job.options.printer, "Office");
  // Asked for its libraries, the queue is named even when not found, so the tool says so.
  FilterJob asked;
  ASSERT_TRUE(Build("kx48t7-watermark=Plan", &asked, &error, false)) << error;
  EXPECT_EQ(asked.options.printer, "Office");
  EXPECT_EQ(asked.options.watermark, "Plan");
}

TEST_F(FilterJobTest, OptionsOutsideTheJobsSettingsAreNotedNotRefused) {
  FilterJob job;
  std::string error;
  ASSERT_TRUE(Build("job-uuid=urn:x OutputBin=Stacker Resolution=1200dpi", &job, &error))
      << error;
  EXPECT_EQ(job.notes.size(), 3u);
  EXPECT_TRUE(job.options.fieldSettings.empty());
}

TEST_F(FilterJobTest, ValuesThePpdDoesNotOfferAreRefused) {
  for (const char* options : {"PageSize=Tabloid", "InputSlot=Tray9", "Duplex=Both",
                              "QualityMode=4800dpi", "sides=three-sided",
                              "orientation-requested=7", "kx48t7-watermark="}) {
    SCOPED_TRACE(options);
    FilterJob job;
    std::string error;
    EXPECT_FALSE(Build(options, &job, &error));
    EXPECT_FALSE(error.empty());
  }
}

}  // namespace
}  // namespace kx::filter
