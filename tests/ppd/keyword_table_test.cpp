#include "ppd/keyword_table.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>

#include "ppd/lexical.h"
#include "ppd/load.h"
#include "ppd/model.h"

namespace kx::ppd {
namespace {

TEST(PpdKeywordTableTest, EveryRowIsFoundThroughTheIndexAndNothingElse) {
  const auto& rows = KeywordRows();
  std::set<uint32_t> homeSlots;
  size_t sharedHomes = 0;
  for (uint32_t row = 0; row < rows.size(); ++row) {
    SCOPED_TRACE(std::string(rows[row].keyword));
    EXPECT_EQ(LookupKeyword(rows[row].keyword), row);
    if (!homeSlots.insert(KeywordHomeSlot(rows[row].keyword)).second) ++sharedHomes;
  }
  EXPECT_GT(sharedHomes, 0u);  // so the probing past a taken slot is exercised above
  for (const char* unknown : {"", "colordevice", "PageSizes", "Page", "DefaultFoo", "JCLRes2"}) {
    SCOPED_TRACE(unknown);
    EXPECT_EQ(LookupKeyword(unknown), kNoKeywordRow);
  }
}

TEST(PpdKeywordTableTest, NameHashDoublesAndXors) {
  EXPECT_EQ(NameHash(""), 0u);
  EXPECT_EQ(NameHash("A"), 0x41u);
  EXPECT_EQ(NameHash("AB"), (0x41u << 1) ^ 0x42u);
  EXPECT_EQ(NameHash("\xFF\x01"), (0xFFu << 1) ^ 0x01u);  // bytes count unsigned
}

TEST(PpdKeywordTableTest, ShapesCheckOptionPresenceAndValueKind) {
  const struct {
    const char* label;
    uint16_t shape;
    bool hasOption;
    ValueType type;
    const char* value;
    bool fits;
  } cases[] = {
      {"any value", 0x10, false, ValueType::kNone, "", true},
      {"option refused without the bit", 0x10, true, ValueType::kString, "x", false},
      {"option required", 0x09, false, ValueType::kQuoted, "x", false},
      {"quoted only", 0x01, false, ValueType::kString, "x", false},
      {"quoted only, quoted", 0x01, false, ValueType::kQuoted, "", true},
      {"quoted or string, symbol", 0x02, false, ValueType::kSymbol, "^x", false},
      {"quoted or string, string", 0x02, false, ValueType::kString, "", true},
      {"non-empty string, empty", 0x04, false, ValueType::kString, "", false},
      {"non-empty string, quoted", 0x04, false, ValueType::kQuoted, "x", false},
      {"non-empty string", 0x14, false, ValueType::kString, "x", true},
      {"kind 3 is never accepted", 0x03, false, ValueType::kSymbol, "^x", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    PpdEntry entry;
    if (c.hasOption) entry.option.Set("o", 1);
    entry.value.Set(c.value, static_cast<uint32_t>(std::strlen(c.value)));
    entry.valueType = c.type;
    EXPECT_EQ(ShapeFits(c.shape, entry), c.fits);
  }
}

uint32_t ColorDeviceAfter(const std::string& text) {
  Parser parser;
  EXPECT_TRUE(ParseBytes(text, parser));
  return parser.header.colorDevice;
}

TEST(PpdKeywordTableTest, FirstAcceptedOccurrenceOfAOnceOnlyKeywordWins) {
  EXPECT_EQ(ColorDeviceAfter("*ColorDevice: False\n*ColorDevice: True\n"), 0u);
  EXPECT_EQ(ColorDeviceAfter("*ColorDevice: True\n*ColorDevice: False\n"), 1u);
  // A refused entry (quoted where a word is wanted) does not count.
  EXPECT_EQ(ColorDeviceAfter("*ColorDevice: \"False\"\n*ColorDevice: True\n"), 1u);
  EXPECT_EQ(ColorDeviceAfter("*ColorDevice: Maybe\n*ColorDevice: True\n"), 0u);
}

TEST(PpdKeywordTableTest, ProcessedMarksBelongToOneLoad) {
  EXPECT_EQ(ColorDeviceAfter("*ColorDevice: False\n"), 0u);
  // A mark left over from the previous load would make this entry ignored.
  EXPECT_EQ(ColorDeviceAfter("*ColorDevice: True\n"), 1u);
}

TEST(PpdKeywordTableTest, RepeatableAndOptionKeywordsAreAlwaysTaken) {
  Parser parser;
  ASSERT_TRUE(
      ParseBytes("*Protocols: PJL\n*Protocols: TBCP Unknown SIC\n"
                 "*LanguageLevel: \"2\"\n*LanguageLevel: \"3\"\n"
                 "*PageSize A4: \"a4\"\n*PageSize A5: \"a5\"\n",
                 parser));
  EXPECT_EQ(parser.header.protocols, 1 | 4 | 8);
  EXPECT_EQ(parser.header.languageLevel, 2u);
  ASSERT_NE(parser.predefined[kPageSize], nullptr);
  EXPECT_EQ(parser.predefined[kPageSize]->options->next->keyword, std::string("A5"));
}

TEST(PpdKeywordTableTest, QueryAndUnknownKeywordsAreIgnored) {
  Parser parser;
  ASSERT_TRUE(
      ParseBytes("*?Resolution: \"save currentpagedevice end\"\n*?PageSize Letter: \"x\"\n"
                 "*Unknown Opt: \"x\"\n*Include: \"other.ppd\"\n*End\n",
                 parser));
  EXPECT_EQ(parser.features.count, 0u);
  EXPECT_EQ(parser.processedRows, 0u);  // rows without a handler are not marked either
}

TEST(PpdKeywordTableTest, OpenUiOnAPredefinedFeatureDoesNotOpenIt) {
  for (const char* keyword : {"PageSize", "InputSlot", "Resolution", "InstalledMemory"}) {
    SCOPED_TRACE(keyword);
    Parser parser;
    ASSERT_TRUE(ParseBytes("*OpenUI *" + std::string(keyword) + ": PickOne\n", parser));
    EXPECT_EQ(parser.openFeature, nullptr);
    EXPECT_EQ(parser.features.count, 1u);
  }
  Parser parser;
  ASSERT_TRUE(ParseBytes("*OpenUI *Smoothing: Boolean\n", parser));
  ASSERT_NE(parser.openFeature, nullptr);
  EXPECT_EQ(parser.openFeature->keyword, std::string("Smoothing"));
}

TEST(PpdKeywordTableTest, ExhaustedMemoryAnywhereFailsTheLoadCleanly) {
  const std::string text =
      "*ColorDevice: True\n*OpenUI *Foo/Foo: PickOne\n*DefaultFoo: A\n*Foo A/Alpha: \"a\"\n"
      "*CloseUI: *Foo\n*PageSize Letter/Letter: \"x\"\n*Font Courier: Standard \"(1)\" Standard\n"
      "*OrderDependency: 10 AnySetup *Foo A\n*UIConstraints: *Foo A *PageSize Letter\n";
  Parser complete;
  ASSERT_TRUE(ParseBytes(text, complete));
  const size_t needed = complete.arena.bytesUsed();
  ASSERT_GT(needed, 0u);
  // Every allocation of the load fails in turn; none may be ignored.
  for (size_t limit = 0; limit < needed; limit += Arena::kAlignment) {
    SCOPED_TRACE(limit);
    Parser parser;
    parser.arena.SetLimitForTesting(limit);
    EXPECT_FALSE(ParseBytes(text, parser));
  }
  Parser parser;
  parser.arena.SetLimitForTesting(needed);
  EXPECT_TRUE(ParseBytes(text, parser));
}

}  // namespace
}  // namespace kx::ppd
