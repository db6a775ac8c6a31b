// Our PPD library against libcups on other vendors' PPD files, one corpus at a time: every
// feature and option that both keep must come out in the same order, with the same
// default, invocation code, UI type and translations, except where deliberate_differences.h
// says why not.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <ostream>
#include <string>

#include "ppd_conformance/comparison.h"
#include "ppd_conformance/third_party_ppds.h"

namespace kx::ppd::conformance {
namespace {

struct Corpus {
  const char* name;
  corpus::FileList (*write)(const std::filesystem::path& directory);
};

// Names the corpus in gtest's messages.
void PrintTo(const Corpus& corpus, std::ostream* out) { *out << corpus.name; }

corpus::FileList WriteOpenPrintingSample(const std::filesystem::path& directory) {
  // The comparison itself takes two seconds for all 649 files (which compared clean when
  // the sample was chosen); writing them is what the sample saves.
  return corpus::WriteOpenPrintingPpds(directory, corpus::kOpenPrintingSampleStep);
}

const Corpus kCorpora[] = {
    {"HpPpd", corpus::UnpackHpPpds},
    {"OpenPrintingPpds", WriteOpenPrintingSample},
};

// libcups's fallback texts are looked up in the message catalogue of the locale.
void UseTheCLocale() {
  setenv("LANG", "C", 1);
  unsetenv("LC_ALL");
  unsetenv("LC_MESSAGES");
}

class PpdConformanceTest : public ::testing::TestWithParam<Corpus> {};

TEST_P(PpdConformanceTest, EveryPpdMatchesLibcups) {
  UseTheCLocale();
  const corpus::ScratchDirectory scratch("kx-ppd-conformance");
  const corpus::FileList ppds = GetParam().write(scratch.path());
  ASSERT_TRUE(ppds.error.empty()) << ppds.error;
  Totals totals;
  for (const std::filesystem::path& file : ppds.files) CompareFile(file, totals);
  PrintTotals(totals);
  EXPECT_EQ(totals.files, ppds.files.size());
  EXPECT_GE(totals.features, totals.files) << "at least one feature a file";
}

std::string CorpusName(const ::testing::TestParamInfo<Corpus>& corpus) {
  return corpus.param.name;
}

INSTANTIATE_TEST_SUITE_P(Corpora, PpdConformanceTest, ::testing::ValuesIn(kCorpora), CorpusName);

}  // namespace
}  // namespace kx::ppd::conformance
