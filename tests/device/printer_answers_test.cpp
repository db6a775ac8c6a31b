// What the answers mean: the installed options the scalar rows decide, and a supply's
// row on the consumables page.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <string>
#include <vector>

#include "device/printer_answers.h"
#include "platform/text.h"

namespace kx::device {
namespace {

constexpr uint8_t kUntouched = 0xEE;

ScalarQueryTable RowsAnswering(const std::vector<std::pair<size_t, int32_t>>& answers) {
  ScalarQueryTable rows = PrinterScalarQueryTable();
  for (const auto& [row, value] : answers) rows[row].value = value;
  return rows;
}

TEST(AnsweredOptions, FlagsFromRows) {
  struct Case {
    const char* what;
    std::vector<std::pair<size_t, int32_t>> answers;
    std::vector<size_t> installed;  // flags that become 1; the other decided flags become 0
  };
  const Case cases[] = {
      {"nothing answered", {}, {}},
      {"rows 2 and 8: hard disk and tray 2, not tray 1", {{2, 4096}, {8, 0}}, {0, 3}},
      {"every deciding row answered, row 3 with 2",
       {{2, 1}, {3, 2}, {4, 0}, {5, 7}, {7, 1}, {8, 1}, {9, 1}},
       {0, 1, 2, 3, 7, 10, 12}},
      {"row 3 answered with 1 leaves the multiple-resolution option out", {{3, 1}}, {}},
      {"a negative answer other than -1 is an answer", {{4, -2}, {5, INT32_MIN}}, {1, 10}},
      {"rows 0, 1, 6 and 10 decide nothing", {{0, 1}, {1, 1}, {6, 1}, {10, 1}}, {}},
  };
  const size_t decided[] = {0, 1, 2, 3, 7, 10, 12};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    uint8_t flags[settings::kInstalledOptionCount];
    std::memset(flags, kUntouched, sizeof flags);
    ApplyAnsweredOptions(RowsAnswering(c.answers), flags);
    for (size_t flag = 0; flag < settings::kInstalledOptionCount; ++flag) {
      SCOPED_TRACE("flag " + std::to_string(flag));
      const bool isDecided =
          std::find(std::begin(decided), std::end(decided), flag) != std::end(decided);
      const bool isInstalled =
          std::find(c.installed.begin(), c.installed.end(), flag) != c.installed.end();
      EXPECT_EQ(flags[flag], isDecided ? (isInstalled ? 1 : 0) : kUntouched);
    }
  }
}

SupplyRecord Supply(int32_t type, int32_t level, int32_t maximum, const char* unit = "") {
  SupplyRecord record{};
  record.type = type;
  record.level = level;
  record.maximum = maximum;
  std::strncpy(record.unit, unit, sizeof record.unit - 1);
  return record;
}

TEST(SupplyDisplayTest, AsTheConsumablesPageShowsIt) {
  using Kind = SupplyDisplay::Kind;
  struct Case {
    const char* what;
    SupplyRecord record;
    SupplyGroup group;
    Kind kind;
    int64_t percent;
    std::u16string text;
  };
  const Case cases[] = {
      {"toner 80 of 100", Supply(3, 80, 100), SupplyGroup::kToner, Kind::kPercent, 80, u"80 %"},
      {"toner empty", Supply(3, 0, 100), SupplyGroup::kToner, Kind::kPercent, 0, u"0 %"},
      {"truncated toward zero", Supply(3, 2, 3), SupplyGroup::kToner, Kind::kPercent, 66, u"66 %"},
      {"negative level truncated toward zero", Supply(4, -1, 300), SupplyGroup::kToner,
       Kind::kPercent, 0, u"0 %"},
      {"level -3 with maximum 100", Supply(3, -3, 100), SupplyGroup::kToner, Kind::kPercent, -3,
       u"-3 %"},
      {"waste toner without capacity, some remaining", Supply(4, -3, -2), SupplyGroup::kToner,
       Kind::kStateWord, 0, u"준비됨"},
      {"without capacity, full", Supply(3, 0, -2), SupplyGroup::kToner, Kind::kStateWord, 0,
       u"가득 참"},
      {"without capacity, almost full", Supply(4, 1, -2), SupplyGroup::kToner, Kind::kStateWord,
       0, u"거의 찼음"},
      {"without capacity, a level without a word", Supply(3, 7, -2), SupplyGroup::kToner,
       Kind::kNothing, 0, u""},
      {"toner with maximum 0 shows nothing", Supply(3, 5, 0), SupplyGroup::kToner, Kind::kNothing,
       0, u""},
      {"a level far above the maximum does not overflow", Supply(3, INT32_MAX, 1),
       SupplyGroup::kToner, Kind::kPercent, 214748364700, u"214748364700 %"},
      {"the most negative level does not overflow", Supply(3, INT32_MIN, 1),
       SupplyGroup::kToner, Kind::kPercent, -214748364800, u"-214748364800 %"},
      {"toner of unknown maximum (-1) shows no percent", Supply(3, INT32_MIN, -1),
       SupplyGroup::kToner, Kind::kNothing, 0, u""},
      {"any other negative maximum neither", Supply(4, 50, -100), SupplyGroup::kToner,
       Kind::kNothing, 0, u""},
      {"print unit of unknown maximum shows its unit text", Supply(9, 40, -1, "pages"),
       SupplyGroup::kPrintUnit, Kind::kUnitText, 0, u"pages"},
      {"print unit with maximum 0 shows its unit text", Supply(9, 3, 0, "pages"),
       SupplyGroup::kPrintUnit, Kind::kUnitText, 0, u"pages"},
      {"print unit without capacity still divides", Supply(9, -3, -2), SupplyGroup::kPrintUnit,
       Kind::kPercent, 150, u"150 %"},
      {"another type is not shown", Supply(5, 50, 100), SupplyGroup::kNotShown, Kind::kNothing,
       0, u""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const SupplyDisplay display = DescribeSupply(c.record);
    EXPECT_EQ(display.group, c.group);
    EXPECT_EQ(display.kind, c.kind);
    if (c.kind == Kind::kPercent) {
      EXPECT_EQ(display.percent, c.percent);
    }
    EXPECT_EQ(platform::Utf16ToUtf8(display.text), platform::Utf16ToUtf8(c.text));
  }
}

TEST(SupplyDisplayTest, TextFieldsInTheAnsiCodePage) {
  char field[kSupplyTextSize] = {};
  // "토너" in code page 949, the default ANSI code page.
  std::memcpy(field, "\xC5\xE4\xB3\xCA K", 6);
  EXPECT_EQ(SupplyText(field, kSupplyNameCharacters), u"토너 K");
  EXPECT_EQ(SupplyText(field, 2), u"토너");

  // A field without a zero byte is read up to its end and no further.
  std::memset(field, 'a', sizeof field);
  EXPECT_EQ(SupplyText(field, kSupplyTextSize), std::u16string(kSupplyTextSize, u'a'));
  EXPECT_EQ(SupplyText(field, kSupplyNameCharacters).size(), kSupplyNameCharacters);
}

}  // namespace
}  // namespace kx::device
