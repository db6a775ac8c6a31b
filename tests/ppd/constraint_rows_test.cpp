// Constraint rows as the image resolves them: the words of each entry (blanks, tabs,
// words cut at 39 characters, NULs, long values), options of one name under several
// features, and names alike in length and ending, which the resolver's memory keeps in
// one place.
#include <gtest/gtest.h>

#include <string>

#include "ppd/ppd_test_support.h"

namespace kx::ppd {
namespace {

// A 38-character feature keyword: a constraint's word of 39 characters or more, star
// included, is cut to 39 and so still names it.
const std::string kLongKeyword = "K" + std::string(37, 'k');

std::string Features() {
  return "*OpenUI *A: PickOne\n*A a0: \"\"\n*A x: \"\"\n*A pzz: \"\"\n*A qzz: \"\"\n"
         "*CloseUI: *A\n"
         "*OpenUI *B: PickOne\n*B b0: \"\"\n*CloseUI: *B\n"
         "*OpenUI *" + kLongKeyword + ": PickOne\n*" + kLongKeyword + " k0: \"\"\n*CloseUI: *" +
         kLongKeyword + "\n";
}

constexpr uint16_t kA = 0;
constexpr uint16_t kB = 1;
constexpr uint16_t kLong = 2;
constexpr uint16_t kUnknownOption = 0xFFFF;

struct RowCase {
  const char* name;
  std::string value;  // after "*UIConstraints:"
  PpdConstraintRow expected;
};

TEST(PpdConstraintRowsTest, WordsAndNamesResolveAsWritten) {
  const RowCase cases[] = {
      {"plain", " *A a0 *B b0", {kA, 0, kB, 0}},
      {"tabs and runs of blanks", "\t*A \t a0\t\t*B      b0   ", {kA, 0, kB, 0}},
      {"no options", " *A *B", {kA, kNoOption, kB, kNoOption}},
      {"first option only", " *A x *B", {kA, 1, kB, kNoOption}},
      // x is an option of A but not of B: what A's x resolved to must not answer for B.
      {"one name under two features", " *A x *B x", {kUnresolvedFeature, 1, kB, kUnknownOption}},
      {"the same the other way", " *B x *A x", {kUnresolvedFeature, kUnknownOption, kA, 1}},
      {"the same feature twice", " *A x *A a0", {kA, 1, kA, 0}},
      {"a word cut to 39 characters", " *" + kLongKeyword + "tail k0 *B b0", {kLong, 0, kB, 0}},
      {"an option word cut",
       " *B b0 *A x" + std::string(40, 'y'),
       {kUnresolvedFeature, 0, kA, kUnknownOption}},
      {"an unknown feature", " *Z z *A a0", {kUnresolvedFeature, kUnknownOption, kA, 0}},
      {"a name alike in length and ending", " *A pzz *B b0", {kA, 2, kB, 0}},
      {"the next one alike", " *A qzz *B b0", {kA, 3, kB, 0}},
      {"and the first again", " *B b0 *A pzz", {kB, 0, kA, 2}},
      {"a NUL ends the value", std::string(" *A a0 *B\0b0", 12), {kA, 0, kB, kNoOption}},
      {"a value over 63 bytes", " *A a0" + std::string(60, ' ') + "*B b0", {kA, 0, kB, 0}},
  };
  std::string rows;
  for (const RowCase& c : cases) rows += "*UIConstraints:" + c.value + "\n";
  // Short values are split from the bytes that follow them when there are enough of them
  // in the file, long ones and the last lines of a file by a scan: the rows come out the
  // same either way.
  for (const std::string& after : {std::string(), "*% " + std::string(80, '-') + "\n"}) {
    SCOPED_TRACE(after.empty() ? "rows at the end of the file" : "rows followed by a comment");
    test::PpdFiles files;
    const test::ImagePtr image = files.Open(Features() + rows + after);
    ASSERT_NE(image, nullptr);
    const PpdTableHeader* table = Constraints(image.get());
    ASSERT_NE(table, nullptr);
    ASSERT_EQ(table->rowCount, std::size(cases));
    for (uint32_t i = 0; i < table->rowCount; ++i) {
      SCOPED_TRACE(cases[i].name);
      const PpdConstraintRow* row = Constraint(image.get(), i);
      ASSERT_NE(row, nullptr);
      EXPECT_EQ(row->firstFeatureIndex, cases[i].expected.firstFeatureIndex);
      EXPECT_EQ(row->firstOptionIndex, cases[i].expected.firstOptionIndex);
      EXPECT_EQ(row->secondFeatureIndex, cases[i].expected.secondFeatureIndex);
      EXPECT_EQ(row->secondOptionIndex, cases[i].expected.secondOptionIndex);
    }
  }
}

}  // namespace
}  // namespace kx::ppd
