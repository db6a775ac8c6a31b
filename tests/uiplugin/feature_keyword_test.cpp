// The rewrite of the host's stored installable-option choices at printer set-up.
#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "feature_keyword.h"
#include "support/installed_options.h"

namespace kx::ui {
namespace {

using namespace std::string_literals;

using test::Bytes;

std::string Text(const std::vector<uint8_t>& bytes) {
  return std::string(bytes.begin(), bytes.end());
}

struct Flags {
  InstalledFlags value{};
  Flags(std::initializer_list<size_t> set) {
    for (const size_t flag : set) value[flag] = 1;
  }
};

const std::string kEnd = "\0\0"s;

struct RewriteCase {
  const char* what;
  std::string stored;
  Flags flags;
  std::string expected;
};

TEST(FeatureKeywordTest, RewriteCases) {
  const RewriteCase cases[] = {
      {"an installed disk is written True, line feed and end included",
       "OptionalDisk\0False\0"s, {0}, "OptionalDisk\0True\0\n\0\0"s},
      {"a disk not installed is written False", "OptionalDisk\0True\0"s, {},
       test::StoredChoice("OptionalDisk", "False") + kEnd},
      {"a feature the table does not know is written False", "Optionalwidget\0True\0"s,
       {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}, test::StoredChoice("Optionalwidget", "False") + kEnd},
      {"the memory keeps its option", "OptionalMemory\0" "512MB\0"s,
       {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}, test::StoredChoice("OptionalMemory", "512MB") + kEnd},
      {"line feeds of an earlier rewrite are dropped",
       test::StoredChoice("OptionalDisk", "True") + test::StoredChoice("OptionalBin2", "False") + kEnd, {3},
       test::StoredChoice("OptionalDisk", "False") + test::StoredChoice("OptionalBin2", "True") + kEnd},
      {"tray 3 goes by its own flag, not by tray 1's", "OptionalBin3\0True\0"s, {2},
       test::StoredChoice("OptionalBin3", "False") + kEnd},
      {"OptionalBin and OptionalBin1 both go by tray 1's flag",
       "OptionalBin\0False\0OptionalBin1\0False\0"s, {2},
       test::StoredChoice("OptionalBin", "True") + test::StoredChoice("OptionalBin1", "True") + kEnd},
      {"numbered keywords are prefixes, OptionalBin is not",
       "OptionalBin1x\0False\0OptionalBinx\0True\0Optionalduplexer2\0False\0"s, {1, 2},
       test::StoredChoice("OptionalBin1x", "True") + test::StoredChoice("OptionalBinx", "False") +
           test::StoredChoice("Optionalduplexer2", "True") + kEnd},
      {"every other option by its flag",
       "Optionalfeeder\0False\0Optionalenvelope\0False\0Optionalstacker\0False\0"
       "Optionalfinisher\0False\0OptionalMailbox\0False\0Optionalmultires\0False\0"s,
       {7, 9, 11},
       test::StoredChoice("Optionalfeeder", "True") + test::StoredChoice("Optionalenvelope", "False") +
           test::StoredChoice("Optionalstacker", "True") + test::StoredChoice("Optionalfinisher", "False") +
           test::StoredChoice("OptionalMailbox", "True") + test::StoredChoice("Optionalmultires", "False") + kEnd},
      {"a lone False is no feature", "False\0OptionalDisk\0True\0"s, {},
       test::StoredChoice("OptionalDisk", "False") + kEnd},
      {"a last string without terminator is complete", "OptionalDisk\0False"s, {0},
       test::StoredChoice("OptionalDisk", "True") + kEnd},
      {"a last feature without terminator is complete", "OptionalDisk\0True\0Optionalfeeder"s,
       {0, 7}, test::StoredChoice("OptionalDisk", "True") + test::StoredChoice("Optionalfeeder", "True") + kEnd},
      {"a memory feature without option keeps an empty one", "OptionalMemory"s, {},
       test::StoredChoice("OptionalMemory", "") + kEnd},
      {"line feeds end strings as NULs do", "OptionalDisk\nFalse\n"s, {0},
       test::StoredChoice("OptionalDisk", "True") + kEnd},
      {"nothing stored", ""s, {0}, kEnd},
      {"only terminators", "\n\0\n\0"s, {0}, kEnd},
  };
  for (const RewriteCase& c : cases) {
    SCOPED_TRACE(c.what);
    const std::vector<uint8_t> rewritten = RewriteFeatureKeyword(Bytes(c.stored), c.flags.value);
    EXPECT_EQ(Text(rewritten), c.expected);
  }
}

}  // namespace
}  // namespace kx::ui
