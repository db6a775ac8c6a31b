#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <string>

#include "ppd/ppd.h"
#include "ppd_conformance/comparison.h"
#include "ppd_conformance/libcups_text.h"

namespace kx::ppd::conformance {
namespace {

struct ImageCloser {
  void operator()(const PpdImage* image) const { PpdClose(image); }
};

std::string ReadText(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void CompareOrder(const std::vector<ExpectedFeature>& expected,
                  const std::vector<KxFeature>& ours) {
  std::vector<std::string> expectedOrder;
  for (const ExpectedFeature& feature : expected) expectedOrder.push_back(feature.keyword);
  std::vector<std::string> ourOrder;
  for (const KxFeature& feature : ours) {
    if (std::find(expectedOrder.begin(), expectedOrder.end(), feature.keyword) !=
        expectedOrder.end()) {
      ourOrder.push_back(feature.keyword);
    }
  }
  EXPECT_EQ(ourOrder, expectedOrder) << "features that both keep, in list order";
}

void CompareUiType(const ExpectedFeature& expected, const KxFeature& ours) {
  // Every OpenUI entry sets the UI type, so the last one counts. Without one libcups
  // takes the type from a keyword list of its own, which says nothing about the file.
  const Contributor* last = nullptr;
  for (const Contributor& contributor : expected.contributors) {
    if (contributor.openUi != kNoOffset) last = &contributor;
  }
  if (last == nullptr) return;
  EXPECT_EQ(ours.uiType, last->option->ui) << "UI type of " << ours.keyword;
}

void CompareFeatureTranslation(const ExpectedFeature& expected, const KxFeature& ours,
                               const EntryPositions& positions, Totals& totals) {
  if (expected.contributors.size() > 1) totals.counts.Count(Difference::kFirstTranslationWins);
  if (!ours.translation) {
    for (const Contributor& contributor : expected.contributors) {
      EXPECT_TRUE(IsLibcupsOptionFallback(contributor.option->text, contributor.option->keyword))
          << ours.keyword << " has no translation; libcups has \"" << contributor.option->text
          << "\" for " << contributor.option->keyword;
    }
    return;
  }
  totals.counts.Count(Difference::kTranslationsEightBit);
  const std::string text = AsLibcupsText(*ours.translation, positions.languageEncoding);
  const bool matched = std::any_of(
      expected.contributors.begin(), expected.contributors.end(),
      [&](const Contributor& contributor) { return contributor.option->text == text; });
  EXPECT_TRUE(matched) << "translation \"" << *ours.translation << "\" of " << ours.keyword;
}

// Duplex, Collate and ManualFeed keep the type and translation they are created with.
void CompareRowFeatureKind(const KxFeature& ours, Totals& totals) {
  totals.counts.Count(Difference::kOpenUiIgnoredOnRowFeatures);
  const uint16_t predefinedType = ours.keyword == "Duplex" ? kUiPickOne : kUiBoolean;
  EXPECT_EQ(ours.uiType, predefinedType) << "UI type of " << ours.keyword;
  EXPECT_FALSE(ours.translation.has_value()) << "translation of " << ours.keyword;
}

void CompareKind(const ExpectedFeature& expected, const KxFeature& ours,
                 const EntryPositions& positions, Totals& totals) {
  EXPECT_EQ(ours.installable, expected.installable) << "installable flag of " << ours.keyword;
  const bool openedByOpenUi = expected.contributors.front().openUi != kNoOffset;
  if (OpenUiIgnored(ours.keyword) && openedByOpenUi) {
    CompareRowFeatureKind(ours, totals);
    return;
  }
  CompareUiType(expected, ours);
  CompareFeatureTranslation(expected, ours, positions, totals);
}

void CompareFeature(const ExpectedFeature& expected, const std::vector<KxFeature>& ours,
                    const CupsFile& cups, const EntryPositions& positions, Totals& totals) {
  SCOPED_TRACE("feature " + expected.keyword);
  const KxFeature* feature = Find(ours, expected.keyword);
  ASSERT_NE(feature, nullptr) << "libcups keeps it; ours does not";
  CompareKind(expected, *feature, positions, totals);
  CompareOptions(expected, *feature, ours, cups, positions, totals);
  ++totals.features;
}

}  // namespace

size_t IndexOf(const KxFeature& feature, std::string_view keyword) {
  for (size_t i = 0; i < feature.options.size(); ++i) {
    if (feature.options[i].keyword == keyword) return i;
  }
  return kMissing;
}

const KxFeature* Find(const std::vector<KxFeature>& features, std::string_view keyword) {
  for (const KxFeature& feature : features) {
    if (feature.keyword == keyword) return &feature;
  }
  return nullptr;
}

void CompareFile(const std::filesystem::path& file, Totals& totals) {
  SCOPED_TRACE(file.filename().string());
  const std::unique_ptr<const PpdImage, ImageCloser> image(PpdOpen(file.u16string().c_str()));
  ASSERT_NE(image, nullptr) << "PpdOpen refused the file";
  const std::optional<CupsFile> cups = ReadWithCups(file);
  ASSERT_TRUE(cups.has_value()) << "libcups refused the file";
  const std::vector<KxFeature> ours = ReadFeatures(image.get());
  const EntryPositions positions = ScanEntries(ReadText(file));
  const std::vector<ExpectedFeature> expected = ExpectedFeatures(*cups, positions, totals.counts);
  ASSERT_FALSE(expected.empty()) << "libcups found no option at all";
  CompareOrder(expected, ours);
  for (const ExpectedFeature& feature : expected) {
    CompareFeature(feature, ours, *cups, positions, totals);
  }
  ++totals.files;
}

void PrintTotals(const Totals& totals) {
  std::printf("Compared %zu PPD files: %zu features, %zu options.\n", totals.files,
              totals.features, totals.options);
  std::printf("Deliberate differences applied:\n");
  for (const DifferenceRow& row : kDifferences) {
    std::printf("  %5zu  %.*s\n", totals.counts[row.id], static_cast<int>(row.what.size()),
                row.what.data());
  }
}
}  // namespace kx::ppd::conformance
