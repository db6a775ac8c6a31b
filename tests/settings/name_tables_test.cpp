#include <gtest/gtest.h>

#include "settings/name_tables.h"

namespace kx::settings {
namespace {

TEST(NameTablesTest, OptionValueTakesTheFirstRowThatIsAPrefix) {
  struct Case {
    NameTable table;
    const char* keyword;
    uint32_t expected;
  };
  const Case cases[] = {
      {kQualityTable, "1200dpi", 3},
      {kQualityTable, "1200dpiUltraFine", 3},  // further letters after a row name
      {kQualityTable, "600dpi", 2},
      {kQualityTable, "High", 10},
      {kQualityTable, "Photo", 0},             // no row is a prefix
      {kQualityTable, "600DPI", 0},            // case-sensitive
      {kQualityTable, "", 0},
      {kBooleanTable, "True", 1},
      {kBooleanTable, "False", 0},
      {kHalftoneTable, "General", 1},
      {kIntentTable, "SatsRGB", 4},            // not taken for "sRGB": the prefix is from the start
      {kIntentTable, "sRGBPhoto", 3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.keyword);
    EXPECT_EQ(OptionValue(c.table, c.keyword), c.expected);
  }
}

TEST(NameTablesTest, OptionNameGivesTheRowNameOrNothing) {
  EXPECT_STREQ(OptionName(kQualityTable, 4), "2400dpi");
  EXPECT_STREQ(OptionName(kIntentTable, 0), "None");
  EXPECT_STREQ(OptionName(kHalftoneTable, 2), "High");
  EXPECT_EQ(OptionName(kQualityTable, 0), nullptr);
  EXPECT_EQ(OptionName(kBooleanTable, 2), nullptr);
}

}  // namespace
}  // namespace kx::settings
