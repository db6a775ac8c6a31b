#include "ppd/lexical.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "ppd/arena.h"
#include "ppd/string_store.h"

namespace kx::ppd {
namespace {

constexpr Status kOk = Status::kOk;
constexpr Status kSyntax = Status::kSyntax;

TEST(PpdLexicalTest, ParseFixedGivesRoundedTwentyFourEight) {
  const struct {
    const char* text;
    Status status;
    Fixed value;
  } cases[] = {
      {"612", kOk, 612 * 256}, {"0.5", kOk, 128},      {"45", kOk, 11520},
      {"1.000004", kOk, 256},  {".5", kOk, 128},       {"-3", kOk, 0},
      {"12.", kOk, 12 * 256},  {"1.5x", kOk, 384},     {"0.001", kOk, 0},
      {"0.002", kOk, 1},       {"2.999999", kOk, 768}, {"106.0", kOk, 106 * 256},
      {"-0.5", kOk, 0},        {".", kSyntax, -1},     {"-", kSyntax, -1},
      {"", kSyntax, -1},       {"abc", kSyntax, -1},   {"-.", kSyntax, -1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    Fixed value = -1;  // left alone on failure
    EXPECT_EQ(ParseFixed(c.text, &value), c.status);
    EXPECT_EQ(value, c.value);
  }
}

TEST(PpdLexicalTest, ParseIntegerStopsAtTheFirstNonDigit) {
  const struct {
    const char* text;
    Status status;
    uint32_t value;
  } cases[] = {
      {"42", kOk, 42},
      {"0010", kOk, 10},
      {"7x", kOk, 7},
      {"8388608", kOk, 8388608},
      {"-7", kOk, 0},
      {"4294967297", kOk, 1},  // 32-bit wrap
      {"", kSyntax, 0xdeadbeef},
      {"-", kSyntax, 0xdeadbeef},
      {"x1", kSyntax, 0xdeadbeef},
      {" 1", kSyntax, 0xdeadbeef},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    uint32_t value = 0xdeadbeef;
    EXPECT_EQ(ParseInteger(c.text, &value), c.status);
    EXPECT_EQ(value, c.value);
  }
}

TEST(PpdLexicalTest, NextWordSplitsAtBlanksOnly) {
  const char* cursor = "  300dpi   600dpi";
  EXPECT_EQ(NextWord(&cursor).view(), "300dpi");
  EXPECT_EQ(NextWord(&cursor).view(), "600dpi");
  const Word last = NextWord(&cursor);
  EXPECT_EQ(last.length, 0);
  EXPECT_EQ(*cursor, '\0');

  const char* lines = "a\nb\tc";
  EXPECT_EQ(NextWord(&lines).view(), "a\nb");
  EXPECT_EQ(NextWord(&lines).view(), "c");
}

TEST(PpdLexicalTest, NextWordStoresAtMostCapacityLessOneAndSkipsTheRest) {
  const std::string longWord(50, 'w');
  const std::string text = longWord + " next";
  const char* cursor = text.c_str();
  char out[41];
  out[40] = '#';  // canary past the 40-byte capacity
  EXPECT_EQ(NextWord(&cursor, 40, out), 39);
  EXPECT_EQ(std::string(out), std::string(39, 'w'));
  EXPECT_EQ(out[40], '#');
  EXPECT_EQ(NextWord(&cursor).view(), "next");
}

TEST(PpdLexicalTest, LookupWordNeedsTheWordToEnd) {
  const WordTable table = {{"Pick", 9}, {"PickOne", 1}, {"True", 2}};
  const struct {
    const char* text;
    std::optional<uint16_t> expected;
  } cases[] = {
      {"True", 2},    {"True extra", 2}, {"True\tx", 2},     {"Truex", std::nullopt},
      {"PickOne", 1}, {"Pick One", 9},   {"", std::nullopt}, {"true", std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(LookupWord(table, c.text), c.expected);
  }
}

TEST(PpdStringStoreTest, HexDecodingTurnsBracketedPairsIntoBytes) {
  const struct {
    const char* text;
    std::optional<std::string> expected;
  } cases[] = {
      {"<1B>%-12345X", std::string("\x1B%-12345X")},
      {"a<1b2C>b", std::string("a\x1b\x2c"
                               "b")},
      {"<>", std::string()},
      {"a>b", std::string("a>b")},
      {"plain", std::string("plain")},
      {"<1 B>", std::nullopt},
      {"<1>", std::nullopt},
      {"<1G>", std::nullopt},
      {"<1B", std::nullopt},
      {"<<1B>>", std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    Arena arena;
    const char* slot = nullptr;
    const Status status = StoreString(&slot, c.text, arena, StringMode::kHexDecode);
    if (c.expected) {
      ASSERT_EQ(status, kOk);
      ASSERT_NE(slot, nullptr);
      EXPECT_EQ(std::string(slot), *c.expected);
    } else {
      EXPECT_EQ(status, kSyntax);
      EXPECT_EQ(slot, nullptr);
    }
  }
}

TEST(PpdStringStoreTest, FirstStoredStringWinsAndPlainCopiesBrackets) {
  Arena arena;
  const char* slot = nullptr;
  ASSERT_EQ(StoreString(&slot, "<41>", arena, StringMode::kPlain), kOk);
  const char* first = slot;
  EXPECT_STREQ(slot, "<41>");
  EXPECT_EQ(StoreString(&slot, "<zz>", arena, StringMode::kHexDecode), kOk);  // not even decoded
  EXPECT_EQ(slot, first);
}

TEST(PpdArenaTest, AllocationsAreAlignedApartAndGrowInBlocks) {
  Arena arena;
  std::vector<std::pair<uint8_t*, size_t>> given;
  for (size_t size : {1u, 3u, 24u, 4050u, 100u}) {
    auto* memory = static_cast<uint8_t*>(arena.Allocate(size));
    ASSERT_NE(memory, nullptr);
    EXPECT_EQ(reinterpret_cast<uintptr_t>(memory) % Arena::kAlignment, 0u);
    std::fill(memory, memory + size, static_cast<uint8_t>(given.size() + 1));
    given.emplace_back(memory, size);
  }
  // Each allocation still holds its own mark: none overlaps one made after it.
  for (size_t i = 0; i < given.size(); ++i) {
    SCOPED_TRACE(i);
    const auto [memory, size] = given[i];
    const auto mark = static_cast<uint8_t>(i + 1);
    EXPECT_TRUE(std::all_of(memory, memory + size, [mark](uint8_t b) { return b == mark; }));
  }
  EXPECT_EQ(arena.blockCount(), 2u);          // 4050 did not fit after the first three
  ASSERT_NE(arena.Allocate(10000), nullptr);  // larger than a block: a block of its own
  EXPECT_EQ(arena.blockCount(), 3u);
  ASSERT_NE(arena.Allocate(8), nullptr);  // the first block still has room
  EXPECT_EQ(arena.blockCount(), 3u);
}

TEST(PpdArenaTest, ExhaustionGivesNullAndNoRoom) {
  Arena arena;
  arena.SetLimitForTesting(Arena::kBlockSize);
  EXPECT_NE(arena.Allocate(Arena::kBlockSize), nullptr);
  EXPECT_EQ(arena.Allocate(1), nullptr);
  const char* slot = nullptr;
  EXPECT_EQ(StoreString(&slot, "text", arena, StringMode::kPlain), Status::kNoRoom);
  EXPECT_EQ(slot, nullptr);
}

}  // namespace
}  // namespace kx::ppd
