#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "ppd/char_class.h"
#include "ppd/entry.h"
#include "ppd/stream.h"

namespace kx::ppd {
namespace {

struct Read {
  Status status;
  std::string keyword;
  std::string option;
  std::string translation;
  std::string value;
  ValueType type;
};

// Every entry up to the end of the text or an abandoning status.
std::vector<Read> ReadAll(std::string_view text) {
  std::vector<uint8_t> bytes(text.begin(), text.end());  // the tokenizer writes into them
  PpdStream stream = MakeStream(bytes.data(), static_cast<uint32_t>(bytes.size()));
  PpdEntry entry;
  std::vector<Read> reads;
  for (;;) {
    const Status status = ReadEntry(entry, stream);
    reads.push_back({status, std::string(entry.keyword.view()), std::string(entry.option.view()),
                     std::string(entry.translation.view()), std::string(entry.value.view()),
                     entry.valueType});
    if (status == Status::kEof || status == Status::kNoRoom || status == Status::kUnclosedQuote) {
      break;
    }
  }
  return reads;
}

TEST(PpdCharClassTest, ClassesFollowTheCharacterTable) {
  EXPECT_EQ(kCharClasses['7'], 0x8F);
  EXPECT_EQ(kCharClasses['c'], 0x4F);
  EXPECT_EQ(kCharClasses['F'], 0x4F);
  EXPECT_EQ(kCharClasses['G'], 0x0F);
  EXPECT_EQ(kCharClasses['*'], 0x0F);
  EXPECT_EQ(kCharClasses['~'], 0x0F);
  EXPECT_EQ(kCharClasses['/'], 0x0B);
  EXPECT_EQ(kCharClasses[':'], 0x01);
  EXPECT_EQ(kCharClasses['\t'], 0x19);
  EXPECT_EQ(kCharClasses['\r'], 0x21);
  EXPECT_EQ(kCharClasses[0x0B], 0x00);
  EXPECT_EQ(kCharClasses[0x7F], 0x00);
  EXPECT_EQ(kCharClasses[0x80], 0x08);  // national bytes belong to translations only
  EXPECT_EQ(kCharClasses[0xC7], 0x08);
  EXPECT_EQ(kCharClasses[0xFF], 0x08);
  // Every byte is in exactly one row of the table.
  std::map<uint8_t, int> counts;
  for (uint8_t value : kCharClasses) ++counts[value];
  EXPECT_EQ(counts, (std::map<uint8_t, int>{{0x8F, 10},
                                            {0x4F, 12},
                                            {0x0F, 70},
                                            {0x0B, 1},
                                            {0x01, 1},
                                            {0x19, 2},
                                            {0x21, 2},
                                            {0x08, 128},
                                            {0x00, 30}}));
}

TEST(PpdTokenizerTest, SplitsEntriesIntoTheirParts) {
  const struct {
    const char* label;
    std::string text;
    Read expected;
  } cases[] = {
      {"keyword alone", "*End\n", {Status::kOk, "End", "", "", "", ValueType::kNone}},
      {"option, translation and quoted value",
       "*PageSize Letter/US Letter: \"<</PageSize[612 792]>>setpagedevice\"\n",
       {Status::kOk, "PageSize", "Letter", "US Letter", "<</PageSize[612 792]>>setpagedevice",
        ValueType::kQuoted}},
      {"unquoted value loses its translation",
       "*DefaultResolution: 600dpi/600 dpi\n",
       {Status::kOk, "DefaultResolution", "", "", "600dpi", ValueType::kString}},
      {"symbol value", "*Foo: ^Bar\n", {Status::kOk, "Foo", "", "", "^Bar", ValueType::kSymbol}},
      {"quoted value over lines, text after the quote ignored",
       "*ExitServer: \"a\nb\r\nc\" ignored text\n",
       {Status::kOk, "ExitServer", "", "", "a\nb\r\nc", ValueType::kQuoted}},
      {"blanks around the parts",
       "*Key  Opt \t/Tr ans:\t \"v\"\n",
       {Status::kOk, "Key", "Opt", "Tr ans", "v", ValueType::kQuoted}},
      {"slash inside a keyword",
       "*Key/Trans: v\n",
       {Status::kOk, "Key/Trans", "", "", "v", ValueType::kString}},
      {"empty unquoted value", "*Key:\n", {Status::kOk, "Key", "", "", "", ValueType::kString}},
      {"national bytes kept in a translation",
       "*Key Opt/R\xE9solution \x83\x8A\xC7\xD1 -180\xB0: v\n",
       {Status::kOk, "Key", "Opt", "R\xE9solution \x83\x8A\xC7\xD1 -180\xB0", "v",
        ValueType::kString}},
      {"high bytes kept in a value",
       "*Key: \"\xC7\xD1\"\n",
       {Status::kOk, "Key", "", "", "\xC7\xD1", ValueType::kQuoted}},
      {"carriage returns end lines",
       "*Key Opt: value\r\n",
       {Status::kOk, "Key", "Opt", "", "value", ValueType::kString}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    const std::vector<Read> reads = ReadAll(c.text);
    ASSERT_EQ(reads.size(), 2u);
    const Read& read = reads[0];
    EXPECT_EQ(read.status, c.expected.status);
    EXPECT_EQ(read.keyword, c.expected.keyword);
    EXPECT_EQ(read.option, c.expected.option);
    EXPECT_EQ(read.translation, c.expected.translation);
    EXPECT_EQ(read.value, c.expected.value);
    EXPECT_EQ(read.type, c.expected.type);
    EXPECT_EQ(reads[1].status, Status::kEof);
  }
}

TEST(PpdTokenizerTest, OnlyAStarStartingALineStartsAnEntry) {
  const std::vector<Read> reads = ReadAll(
      "*% comment *Fake: 1\n"
      " *Indented: 2\n"
      "x*NotEntry: 3\n"
      "\n\r\n"
      "*Real: 4\n");
  ASSERT_EQ(reads.size(), 2u);
  EXPECT_EQ(reads[0].keyword, "Real");
  EXPECT_EQ(reads[0].value, "4");
  EXPECT_EQ(reads[1].status, Status::kEof);
}

TEST(PpdTokenizerTest, MalformedEntriesAreSyntaxErrorsAndReadingGoesOn) {
  const struct {
    const char* label;
    std::string line;
  } cases[] = {
      {"star alone", "*\n"},
      {"empty keyword", "*: v\n"},
      {"translation without option", "*Key /Trans: v\n"},
      {"missing colon", "*Key Opt v\n"},
      {"empty translation", "*Key Opt/: v\n"},
      {"national byte in a keyword", "*Ke\xB0y: v\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    const std::vector<Read> reads = ReadAll(c.line + "*Next: ok\n");
    ASSERT_EQ(reads.size(), 3u);
    EXPECT_EQ(reads[0].status, Status::kSyntax);
    EXPECT_EQ(reads[1].status, Status::kOk);
    EXPECT_EQ(reads[1].keyword, "Next");
    EXPECT_EQ(reads[1].value, "ok");
  }
}

TEST(PpdTokenizerTest, TheFileEndingInsideAnEntryDropsIt) {
  const struct {
    const char* label;
    std::string text;
  } cases[] = {
      {"last line without a line end", "*A: x\n*B: y"},
      {"closing quote without a line end", "*A: x\n*B: \"y\""},
      {"keyword at the end", "*A: x\n*B"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    const std::vector<Read> reads = ReadAll(c.text);
    ASSERT_EQ(reads.size(), 2u);
    EXPECT_EQ(reads[0].keyword, "A");
    EXPECT_EQ(reads[1].status, Status::kEof);
  }
}

TEST(PpdTokenizerTest, AQuoteThatNeverClosesSwallowsTheRestAndSaysSo) {
  const struct {
    const char* label;
    std::string text;
  } cases[] = {
      {"entries after the open quote", "*A: x\n*B: \"y\n*C: z\n"},
      {"quote as the last byte", "*A: x\n*B: \""},
      {"closed quote inside a translation is no value", "*A: x\n*B Opt/\"T\": \"y\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    const std::vector<Read> reads = ReadAll(c.text);
    ASSERT_EQ(reads.size(), 2u);
    EXPECT_EQ(reads[0].keyword, "A");
    EXPECT_EQ(reads[1].status, Status::kUnclosedQuote);
  }
}

TEST(PpdTokenizerTest, TokenBuffersHoldTheirCapacityAndOverflowAbandons) {
  const std::string k40(40, 'K');
  const std::string o40(40, 'o');
  const std::string t128(128, 't');
  const struct {
    const char* label;
    std::string line;
    Status expected;
  } cases[] = {
      {"keyword of 40", "*" + k40 + ": v\n", Status::kOk},
      {"keyword of 41", "*" + k40 + "K: v\n", Status::kNoRoom},
      {"option of 40", "*Key " + o40 + ": v\n", Status::kOk},
      {"option of 41", "*Key " + o40 + "o: v\n", Status::kNoRoom},
      {"translation of 128", "*Key Opt/" + t128 + ": v\n", Status::kOk},
      {"translation of 129", "*Key Opt/" + t128 + "t: v\n", Status::kNoRoom},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    EXPECT_EQ(ReadAll(c.line)[0].status, c.expected);
  }
}

TEST(PpdTokenizerTest, LongValuesAreKeptWhole) {
  std::string value;
  for (int i = 0; i < 5000; ++i) value += static_cast<char>('a' + i % 26);
  const std::vector<Read> reads = ReadAll("*Key: \"" + value + "\"\n*Unquoted: " + value + "\n");
  ASSERT_EQ(reads.size(), 3u);
  EXPECT_EQ(reads[0].value, value);
  EXPECT_EQ(reads[1].value, value);
}

}  // namespace
}  // namespace kx::ppd
