// Our PPD library against libcups on every PPD file of Debian's hp-ppd package: every
// feature and option that both keep must come out in the same order, with the same
// default, invocation code, UI type and translations, except where deliberate_differences.h
// says why not.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "ppd_conformance/comparison.h"
#include "ppd_conformance/third_party_ppds.h"

namespace kx::ppd::conformance {
namespace {

// libcups's fallback texts are looked up in the message catalogue of the locale.
void UseTheCLocale() {
  setenv("LANG", "C", 1);
  unsetenv("LC_ALL");
  unsetenv("LC_MESSAGES");
}

TEST(PpdConformanceTest, EveryHpPpdMatchesLibcups) {
  UseTheCLocale();
  const corpus::ScratchDirectory scratch("kx-ppd-conformance");
  const corpus::FileList ppds = corpus::UnpackHpPpds(scratch.path());
  ASSERT_TRUE(ppds.error.empty()) << ppds.error;
  Totals totals;
  for (const std::filesystem::path& file : ppds.files) CompareFile(file, totals);
  PrintTotals(totals);
  EXPECT_EQ(totals.files, ppds.files.size());
  EXPECT_GE(totals.features, totals.files) << "at least one feature a file";
}

}  // namespace
}  // namespace kx::ppd::conformance
