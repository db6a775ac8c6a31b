// The load's fast paths against the plain definitions they replace: the checksum over
// runs, the word-at-a-time scans, the name hash four bytes at a time, the name and font
// indexes, the arena's search for the newest block with room, name compares with
// overlapping loads, words and numbers read in place, the shape check, font names moved
// whole into the image and font list lines read in one step.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <random>
#include <span>
#include <string>
#include <vector>

#include "ppd/arena.h"
#include "ppd/block_cache.h"
#include "ppd/byte_scan.h"
#include "ppd/char_class.h"
#include "ppd/checksum.h"
#include "ppd/checksum_folding.h"
#include "ppd/entry.h"
#include "ppd/font_table.h"
#include "ppd/image_builder.h"
#include "ppd/keyword_table.h"
#include "ppd/lexical.h"
#include "ppd/load.h"
#include "ppd/name_index.h"
#include "ppd/ppd_test_support.h"
#include "ppd/room_tree.h"

namespace kx::ppd {
namespace {

std::vector<uint8_t> RandomBytes(std::mt19937& generator, size_t count) {
  std::vector<uint8_t> bytes(count);
  for (uint8_t& byte : bytes) byte = static_cast<uint8_t>(generator());
  return bytes;
}

std::string_view AsText(const std::vector<uint8_t>& bytes, size_t count) {
  return {reinterpret_cast<const char*>(bytes.data()), count};
}

// The bitwise checksum continued from `crc`: the definition's register, one bit at a time.
uint16_t BitwiseFrom(uint16_t crc, const uint8_t* bytes, size_t count) {
  for (size_t i = 0; i < count; ++i) {
    crc = static_cast<uint16_t>(crc ^ (bytes[i] << 8));
    for (int bit = 0; bit < 8; ++bit) {
      crc = static_cast<uint16_t>((crc & 0x8000) ? (crc << 1) ^ 0x1021 : crc << 1);
    }
  }
  return crc;
}

TEST(PpdChecksumTest, RunsGiveTheBitwiseChecksumWhateverTheirLengthAndStart) {
  std::mt19937 generator(1);
  const std::vector<uint8_t> bytes = RandomBytes(generator, 5000);
  EXPECT_EQ(BitwiseFrom(0, bytes.data(), bytes.size()), test::BitwiseCrc16(AsText(bytes, 5000)));
  EXPECT_EQ(test::BitwiseCrc16("123456789"), 0x31C3);  // the check value of CRC-16/XMODEM
  for (size_t count : {0, 1, 15, 16, 17, 63, 64, 65, 79, 80, 127, 128, 129, 1000, 4096, 4999}) {
    for (uint16_t start : std::initializer_list<uint16_t>{0x0000, 0x0001, 0x8000, 0xFFFF, 0x31C3}) {
      SCOPED_TRACE(testing::Message() << count << " bytes from " << start);
      const size_t offset = count % 7;  // runs need not start on any boundary
      const uint16_t expected = BitwiseFrom(start, bytes.data() + offset, count);
      EXPECT_EQ(UpdateChecksum(start, bytes.data() + offset, count), expected);
      EXPECT_EQ(detail::TableChecksum(start, bytes.data() + offset, count), expected);
    }
  }
}

TEST(PpdChecksumTest, FoldingGivesTheBitwiseChecksumWhereTheProcessorCanFold) {
  using Fold = uint16_t (*)(uint16_t, const uint8_t*, size_t);
  const struct {
    const char* label;
    bool available;
    Fold fold;
    size_t minimum;
  } folds[] = {
      {"one block a lane", detail::FoldingAvailable(), detail::FoldChecksum, detail::kFoldMinimum},
      {"two blocks a lane", detail::WideFoldingAvailable(), detail::FoldChecksumWide,
       detail::kWideFoldMinimum},
      {"four blocks a lane", detail::WidestFoldingAvailable(), detail::FoldChecksumWidest,
       detail::kWidestFoldMinimum},
  };
  std::mt19937 generator(2);
  const std::vector<uint8_t> bytes = RandomBytes(generator, 4200);
  for (const auto& f : folds) {
    if (!f.available) {
      std::printf("%s: not on this processor\n", f.label);
      continue;
    }
    for (size_t count = f.minimum; count <= 4096; count += 16) {
      for (uint16_t start : std::initializer_list<uint16_t>{0x0000, 0x8001, 0xFFFF}) {
        SCOPED_TRACE(testing::Message() << f.label << ": " << count << " bytes from " << start);
        EXPECT_EQ(f.fold(start, bytes.data() + 3, count),
                  BitwiseFrom(start, bytes.data() + 3, count));
      }
    }
  }
}

// Every byte value at every place of a block of sixteen, a word of eight and a tail, the
// three steps of a scan, in a run of `filler`.
template <typename Scan, typename Ends>
void ExpectScanStopsWhereTheByteLoopDoes(Scan scan, Ends ends, uint8_t filler) {
  constexpr size_t kRun = 16 + 8 + 5;
  for (unsigned value = 0; value < 256; ++value) {
    for (size_t at = 0; at < kRun; ++at) {
      std::vector<uint8_t> bytes(kRun, filler);
      bytes[at] = static_cast<uint8_t>(value);
      const uint8_t* begin = bytes.data();
      const uint8_t* end = begin + bytes.size();
      const uint8_t* expected = std::find_if(begin, end, ends);
      ASSERT_EQ(scan(begin, end), expected) << "byte " << value << " at " << at;
    }
  }
}

TEST(PpdByteScanTest, FindFirstOfStopsAtTheFirstTarget) {
  ExpectScanStopsWhereTheByteLoopDoes(
      FindFirstOf<'\n', '\r', '/'>, [](uint8_t c) { return c == '\n' || c == '\r' || c == '/'; },
      'a');
  ExpectScanStopsWhereTheByteLoopDoes(
      FindFirstOf<'\n', '\r'>, [](uint8_t c) { return c == '\n' || c == '\r'; }, '/');
}

TEST(PpdByteScanTest, RunsEndAtTheFirstByteOutsideTheirClass) {
  const auto outside = [](uint8_t tokenClass) {
    return [tokenClass](uint8_t c) { return !HasClass(c, tokenClass); };
  };
  ExpectScanStopsWhereTheByteLoopDoes(SkipRun<kClassKeyword>, outside(kClassKeyword), 'K');
  ExpectScanStopsWhereTheByteLoopDoes(SkipRun<kClassOption>, outside(kClassOption), 'o');
  ExpectScanStopsWhereTheByteLoopDoes(SkipRun<kClassTranslation>, outside(kClassTranslation), ' ');
  // Mixed text, where several bytes of a word end the run.
  std::mt19937 generator(3);
  for (int round = 0; round < 2000; ++round) {
    std::vector<uint8_t> bytes = RandomBytes(generator, 1 + generator() % 40);
    for (uint8_t& byte : bytes) {
      if (generator() % 4 != 0) byte = static_cast<uint8_t>('A' + byte % 26);  // mostly letters
    }
    const uint8_t* begin = bytes.data();
    const uint8_t* end = begin + bytes.size();
    const auto firstOutside = [&](uint8_t tokenClass) {
      return std::find_if(begin, end, outside(tokenClass));
    };
    ASSERT_EQ(SkipRun<kClassKeyword>(begin, end), firstOutside(kClassKeyword));
    ASSERT_EQ(SkipRun<kClassOption>(begin, end), firstOutside(kClassOption));
    ASSERT_EQ(SkipRun<kClassTranslation>(begin, end), firstOutside(kClassTranslation));
  }
}

TEST(PpdNameHashTest, FourBytesAtATimeEqualOneByteAtATime) {
  std::mt19937 generator(4);
  for (size_t length = 0; length <= 45; ++length) {
    const std::vector<uint8_t> bytes = RandomBytes(generator, length);
    uint32_t expected = 0;
    for (uint8_t byte : bytes) expected = (expected << 1) ^ byte;
    EXPECT_EQ(NameHash(AsText(bytes, length)), expected) << length << " bytes";
  }
}

struct NamedRecord {
  const char* keyword;
};

TEST(PpdNameIndexTest, FindsWhatASearchOfEveryRecordFinds) {
  // Numbered names whose own name hashes collide, under two owners, and enough records
  // for the index to grow several times.
  std::vector<std::string> names;
  for (int i = 0; i < 700; ++i)
    names.push_back((i < 10 ? "Option0" : "Option") + std::to_string(i));
  ASSERT_EQ(NameHash("Option02"), NameHash("Option10"));
  const int owners[2] = {};
  std::vector<NamedRecord> records;
  records.reserve(2 * names.size());
  NameIndex<NamedRecord> index;
  for (size_t i = 0; i < names.size(); ++i) {
    for (const int& owner : owners) {
      if (&owner == &owners[1] && i % 3 == 0) continue;  // not every name under both
      records.push_back(NamedRecord{names[i].c_str()});
      ASSERT_TRUE(index.Add(MakeNameKey(&owner, names[i]), &records.back()));
    }
  }
  const auto searchAll = [&](const void* owner, std::string_view name) -> const NamedRecord* {
    for (size_t i = 0, r = 0; i < names.size(); ++i) {
      for (const int& candidate : owners) {
        if (&candidate == &owners[1] && i % 3 == 0) continue;
        if (&candidate == owner && names[i] == name) return &records[r];
        ++r;
      }
    }
    return nullptr;
  };
  for (const std::string& name :
       {std::string("Option02"), std::string("Option10"), std::string("Option0"),
        std::string("Option699"), std::string("Option700"), std::string("Option"),
        std::string("option12"), std::string()}) {
    for (const int& owner : owners) {
      SCOPED_TRACE(name + (&owner == &owners[0] ? " first owner" : " second owner"));
      EXPECT_EQ(index.Find(MakeNameKey(&owner, name)), searchAll(&owner, name));
    }
  }
  for (size_t i = 0; i < names.size(); i += 7) {
    EXPECT_EQ(index.Find(MakeNameKey(&owners[1], names[i])), searchAll(&owners[1], names[i]));
  }
}

// Files `total` records one at a time, reserving room for `reserveCount` once
// `reserveAfter` are filed, and checks after each that every record filed is found and
// the next is not yet: the index starts in its inline table and moves to the heap.
template <uint32_t kInline>
void ExpectRecordsFoundAcrossTheMove(uint32_t total, uint32_t reserveAfter,
                                     uint32_t reserveCount) {
  std::vector<std::string> names;
  for (uint32_t i = 0; i <= total; ++i) names.push_back("Opt" + std::to_string(i));
  std::vector<NamedRecord> records(total);
  const int owner = 0;
  NameIndex<NamedRecord, kInline> index;
  for (uint32_t filed = 0; filed < total; ++filed) {
    if (filed == reserveAfter) {
      ASSERT_TRUE(index.Reserve(reserveCount));
    }
    records[filed].keyword = names[filed].c_str();
    ASSERT_TRUE(index.Add(MakeNameKey(&owner, names[filed]), &records[filed]));
    for (uint32_t i = 0; i <= filed; ++i) {
      ASSERT_EQ(index.Find(MakeNameKey(&owner, names[i])), &records[i])
          << names[i] << " after " << filed + 1 << " filed";
    }
    ASSERT_EQ(index.Find(MakeNameKey(&owner, names[filed + 1])), nullptr);
    ASSERT_EQ(index.Find(MakeNameKey(nullptr, names[filed])), nullptr);  // another owner
  }
}

TEST(PpdNameIndexTest, RecordsStayFoundAcrossTheMoveFromTheInlineTable) {
  constexpr uint32_t kNever = UINT32_MAX;
  const struct {
    const char* label;
    uint32_t reserveAfter;
    uint32_t reserveCount;
  } cases[] = {
      {"growing only", kNever, 0},
      {"reserved within the inline table", 0, 3},
      {"reserved past it before the first record", 0, 100},
      {"reserved past it with records inline", 9, 100},
      {"reserved just at its limit", 16, 17},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    ExpectRecordsFoundAcrossTheMove<32>(90, c.reserveAfter, c.reserveCount);
    ExpectRecordsFoundAcrossTheMove<2>(20, std::min(c.reserveAfter, 10u), c.reserveCount);
  }
}

// The tree against a walk over every block's room, as blocks are added past the leaves
// that lie inside it and rooms change.
TEST(PpdRoomTreeTest, TheNewestBlockWithRoomIsTheOneAWalkFinds) {
  std::mt19937 generator(7);
  std::vector<int> blocks(40);
  std::vector<size_t> rooms;
  RoomTree<int> tree;
  for (size_t added = 0; added < blocks.size(); ++added) {
    rooms.push_back(generator() % 100);
    ASSERT_EQ(tree.Add(&blocks[added], rooms.back()), added);
    if (added % 3 == 0) {
      const size_t which = generator() % rooms.size();
      rooms[which] = generator() % 100;
      tree.SetRoom(which, rooms[which]);
    }
    ASSERT_EQ(tree.count(), added + 1);
    for (size_t i = 0; i <= added; ++i) {
      ASSERT_EQ(tree.at(i), &blocks[i]) << i;
    }
    for (size_t wanted : {0, 1, 40, 99, 100}) {
      size_t expected = RoomTree<int>::kNone;
      for (size_t i = rooms.size(); i-- > 0;) {
        if (rooms[i] >= wanted) {
          expected = i;
          break;
        }
      }
      ASSERT_EQ(tree.NewestWithRoom(wanted), expected)
          << wanted << " bytes wanted, " << added + 1 << " blocks";
    }
  }
}

TEST(PpdFontTableTest, FontNumbersAreThoseOfASearchOfTheWholeTable) {
  const auto searchAll = [](std::string_view name) -> uint16_t {
    const auto row = std::find(kFontNames.begin(), kFontNames.end(), name);
    return row == kFontNames.end() ? 0 : static_cast<uint16_t>(row - kFontNames.begin() + 1);
  };
  for (size_t row = 0; row < kFontNames.size(); ++row) {
    const std::string name(kFontNames[row]);
    SCOPED_TRACE(name);
    EXPECT_EQ(FontNumber(name), row + 1);
    // The record's hash comes from the table, so it must be the name's own.
    EXPECT_EQ(FontNameHash(static_cast<uint16_t>(row + 1)), NameHash(name));
    std::string lower = name;
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    for (const std::string& nearMiss : {name + "X", name.substr(0, name.size() - 1), lower}) {
      EXPECT_EQ(FontNumber(nearMiss), searchAll(nearMiss)) << nearMiss;
    }
  }
  EXPECT_EQ(FontNumber(""), 0);
  EXPECT_EQ(FontNameHash(0), 0u);
  EXPECT_EQ(FontNameHash(kFontTableSize + 1), 0u);
}

// The arena's rule, by walking every block: the newest block with room, else a new one.
class WalkingArena {
 public:
  void Allocate(size_t size) {
    const size_t aligned = (size + Arena::kAlignment - 1) / Arena::kAlignment * Arena::kAlignment;
    auto block =
        std::find_if(free_.rbegin(), free_.rend(), [&](size_t room) { return room >= size; });
    if (block == free_.rend()) {
      free_.push_back(std::max<size_t>(size, Arena::kBlockSize));
      block = free_.rbegin();
    }
    const size_t step = std::min(aligned, *block);
    *block -= step;
    used_ += step;
  }
  size_t blockCount() const { return free_.size(); }
  size_t bytesUsed() const { return used_; }

 private:
  std::vector<size_t> free_;  // oldest block first
  size_t used_ = 0;
};

TEST(PpdArenaTest, TheNewestBlockWithRoomIsTheOneAWalkOverEveryBlockFinds) {
  std::mt19937 generator(5);
  Arena arena;
  WalkingArena walk;
  std::vector<std::pair<uint8_t*, size_t>> given;
  for (int i = 0; i < 3000; ++i) {
    // Mostly records and short strings, some long invocations, a few beyond a block.
    const auto kind = generator() % 100;
    const size_t size = kind < 80   ? 1 + generator() % 120
                        : kind < 98 ? 1 + generator() % 3000
                                    : Arena::kBlockSize + 1 + generator() % 6000;
    auto* memory = static_cast<uint8_t*>(arena.Allocate(size));
    walk.Allocate(size);
    ASSERT_NE(memory, nullptr);
    ASSERT_EQ(arena.blockCount(), walk.blockCount()) << "allocation " << i;
    ASSERT_EQ(arena.bytesUsed(), walk.bytesUsed()) << "allocation " << i;
    std::fill(memory, memory + size, static_cast<uint8_t>(i));
    given.emplace_back(memory, size);
  }
  // Nothing handed out overlaps anything handed out later.
  for (size_t i = 0; i < given.size(); ++i) {
    const auto [memory, size] = given[i];
    ASSERT_TRUE(std::all_of(memory, memory + size,
                            [i](uint8_t b) { return b == static_cast<uint8_t>(i); }));
  }
}

// Positions come from the records rather than from counting along the lists; an option
// index holds positions below 255 only, and a default any position.
TEST(PpdImagePositionsTest, OptionsBeyondWhatATableRowHoldsStayUnresolved) {
  std::string text = "*OpenUI *Many: PickOne\n*DefaultMany: O299\n";
  for (int i = 0; i < 300; ++i) text += "*Many O" + std::to_string(i) + ": \"x\"\n";
  text += "*CloseUI: *Many\n*OpenUI *Other: PickOne\n*Other A: \"a\"\n*CloseUI: *Other\n";
  text += "*OrderDependency: 1 AnySetup *Many O254\n*OrderDependency: 2 AnySetup *Many O255\n";
  text += "*UIConstraints: *Other A *Many O254\n*UIConstraints: *Other A *Many O255\n";
  test::PpdFiles files;
  const test::ImagePtr image = files.Open(text);
  ASSERT_NE(image, nullptr);
  const PpdFeature* many = PpdFindFeature(image.get(), "Many");
  ASSERT_NE(many, nullptr);
  EXPECT_EQ(many->defaultIndex, 299u);

  const PpdOrderRow* resolved = OrderDependency(image.get(), 0);
  const PpdOrderRow* beyond = OrderDependency(image.get(), 1);
  ASSERT_NE(resolved, nullptr);
  ASSERT_NE(beyond, nullptr);
  EXPECT_EQ(resolved->featureIndex, 0);
  EXPECT_EQ(resolved->optionIndex, 254);
  EXPECT_EQ(beyond->featureIndex, kUnresolvedFeature);
  EXPECT_EQ(beyond->optionIndex, 0xFFFF);

  const PpdConstraintRow* first = Constraint(image.get(), 0);
  const PpdConstraintRow* second = Constraint(image.get(), 1);
  ASSERT_NE(first, nullptr);
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(first->firstFeatureIndex, 1);
  EXPECT_EQ(first->secondOptionIndex, 254);
  EXPECT_EQ(second->firstFeatureIndex, kUnresolvedFeature);
  EXPECT_EQ(second->secondFeatureIndex, 0);
  EXPECT_EQ(second->secondOptionIndex, 0xFFFF);
}

}  // namespace
}  // namespace kx::ppd

namespace kx::ppd {
namespace {

TEST(PpdNameCompareTest, OverlappingLoadsAgreeWithAByteCompare) {
  // Every length of the short names compared, with one byte changed at each place: the
  // overlapping last load must see a change in the bytes it shares with the one before.
  for (size_t length = 0; length <= 40; ++length) {
    const std::string name = [&] {
      std::string text;
      for (size_t at = 0; at < length; ++at) text += static_cast<char>('A' + at % 26);
      return text;
    }();
    EXPECT_TRUE(SameName(name, std::string(name))) << length;
    EXPECT_TRUE(SameBytesOverlapping(name.data(), std::string(name).data(), length)) << length;
    for (size_t at = 0; at < length; ++at) {
      SCOPED_TRACE(testing::Message() << length << " bytes, byte " << at << " changed");
      std::string other = name;
      other[at] = static_cast<char>(other[at] ^ 0x20);
      EXPECT_FALSE(SameName(name, other));
      EXPECT_FALSE(SameBytesOverlapping(name.data(), other.data(), length));
    }
    if (length > 0) {
      EXPECT_FALSE(SameName(name, name.substr(0, length - 1))) << length;
    }
  }
}

// FindWord's rule, row by row over copies.
const WordValue* FindWordPlainly(std::span<const WordValue> table, const std::string& text) {
  for (const WordValue& row : table) {
    const std::string word(row.word);
    if (text.compare(0, word.size(), word) != 0) continue;
    const char next = text.size() > word.size() ? text[word.size()] : '\0';
    if (next == '\0' || next == ' ' || next == '\t') return &row;
  }
  return nullptr;
}

TEST(PpdLexicalTest, FindWordFindsTheRowARowByRowSearchFinds) {
  constexpr WordValue kTable[] = {
      {"Standard", 0}, {"ExpertSubset", 1}, {"Expert", 2}, {"JIS", 3},
      {"JIS-83", 4},   {"EUC", 5},          {"83pv", 6},   {"Shift-JIS", 7},
  };
  const std::string texts[] = {
      "Standard",         "Standard ROM",   "Standard\tROM",  "StandardX",  "Standar",
      "standard",         "ExpertSubset x", "Expert x",       "ExpertS",    "JIS",
      "JIS-83 ROM",       "JIS-8",          "EUC",            "EU",         "83pv",
      "Shift-JIS",        "Shift-JI",       "",               " Standard",  "Standard\nROM",
      std::string("Standard\0ROM", 12),     std::string("JIS\0-83", 7),   "Shift-JIS\t",
  };
  for (const std::string& text : texts) {
    SCOPED_TRACE(testing::Message() << '"' << text << '"');
    EXPECT_EQ(FindWord(kTable, text), FindWordPlainly(kTable, text));
  }
}

// ParseFixedWords's rule: each word copied as NextWord keeps it, then parsed.
Status ParseFixedWordsPlainly(const char* text, std::span<Fixed> values) {
  for (Fixed& value : values) {
    const Word word = NextWord(&text);
    if (word.empty() || ParseFixed(word.text, &value) != Status::kOk) return Status::kSyntax;
  }
  return Status::kOk;
}

TEST(PpdLexicalTest, NumbersReadInPlaceAreThoseOfCopiedWords) {
  std::string forty;  // a digit more than a copied word keeps
  for (int copy = 0; copy < 4; ++copy) forty += "1234567890";
  const std::string texts[] = {
      "8.60 39.60 603.40 766.49",
      "\t 1 2\t3  4 ",
      "1.5x 2abc -3 4.",
      ".5 5. -0.25 -.5",
      "1 2 3",
      "1 2 . 4",
      "1 - 3 4",
      "1.234567 0.000005 0.000004 99999.99999",
      forty + " 1 2 3",
      "1 " + forty + "." + forty + " 3 4",
      "4294967295 4294967296 16777216 16777215.999",
      std::string("1 2\0 3 4", 8),
      "1 2\n3 4",
      "",
  };
  for (const std::string& text : texts) {
    SCOPED_TRACE(testing::Message() << '"' << text << '"');
    Fixed expected[4] = {-1, -1, -1, -1};
    Fixed actual[4] = {-1, -1, -1, -1};
    const Status expectedStatus = ParseFixedWordsPlainly(text.c_str(), expected);
    EXPECT_EQ(ParseFixedWords(text.c_str(), actual), expectedStatus);
    if (expectedStatus == Status::kOk) {
      EXPECT_TRUE(std::equal(std::begin(actual), std::end(actual), std::begin(expected)));
    }
  }
}

TEST(PpdLexicalTest, FractionsRoundAsTheirDivisionByTheirScaleDoes) {
  // The plain rule: up to five fraction digits over their power of ten, to the nearest 1/256.
  std::mt19937 generator(11);
  for (int round = 0; round < 5000; ++round) {
    const auto integer = static_cast<uint32_t>(generator() % 100000);
    const size_t digits = generator() % 8;
    std::string fraction;
    for (size_t at = 0; at < digits; ++at) fraction += static_cast<char>('0' + generator() % 10);
    uint32_t kept = 0;
    uint32_t scale = 1;
    for (size_t at = 0; at < digits && at < 5; ++at) {
      kept = kept * 10 + static_cast<uint32_t>(fraction[at] - '0');
      scale *= 10;
    }
    const std::string text = std::to_string(integer) + (digits > 0 ? "." + fraction : "");
    Fixed value = -1;
    ASSERT_EQ(ParseFixed(text.c_str(), &value), Status::kOk) << text;
    EXPECT_EQ(value, static_cast<Fixed>(integer * 256 + (kept * 256 + scale / 2) / scale)) << text;
  }
}

// The shape rule as a plain list of what each value kind accepts.
bool ShapeFitsPlainly(uint16_t shape, bool hasOption, ValueType type, bool emptyValue) {
  if (((shape & kNeedsOption) != 0) != hasOption) return false;
  switch (shape & kValueKindMask) {
    case kAnyValue:
      return true;
    case kQuotedValue:
      return type == ValueType::kQuoted;
    case kQuotedOrStringValue:
      return type == ValueType::kQuoted || type == ValueType::kString;
    case kNonEmptyStringValue:
      return type == ValueType::kString && !emptyValue;
    default:
      return false;
  }
}

TEST(PpdKeywordTableTest, ShapeChecksAgreeWithThePlainRuleForEveryShape) {
  for (uint16_t shape = 0; shape < 0x20; ++shape) {
    for (const ValueType type :
         {ValueType::kNone, ValueType::kQuoted, ValueType::kSymbol, ValueType::kString}) {
      for (const bool hasOption : {false, true}) {
        for (const bool emptyValue : {false, true}) {
          SCOPED_TRACE(testing::Message() << "shape " << shape << ", type "
                                          << static_cast<int>(type) << ", option " << hasOption
                                          << ", empty value " << emptyValue);
          PpdEntry entry;
          entry.Clear();
          if (hasOption) entry.option.Set("Letter", 6);
          if (!emptyValue) entry.value.Set("True", 4);
          entry.valueType = type;
          EXPECT_EQ(ShapeFits(shape, entry), ShapeFitsPlainly(shape, hasOption, type, emptyValue));
        }
      }
    }
  }
}

// A font name is moved into the image in one padded piece, or byte by byte near the end
// of the block: the image must be the measured one whatever room the block leaves.
TEST(PpdFontTableTest, FontNamesNearTheEndOfTheBlockAreLaidOutAsMeasured) {
  const std::string text =
      "*Font Courier: Standard \"(002.004S)\" Standard ROM\n"
      "*Font GothicBBB-Medium-RKSJ-UserGaiji: RKSJ \"(1)\" Add ROM\n"
      "*Font Carta: Standard \"(1)\" Standard ROM\n";
  const std::u16string path = u"/p.ppd";
  Parser measuredParse;
  ASSERT_TRUE(ParseBytes(text, measuredParse));
  ReleaseKeptBlocks();
  const test::ImagePtr measured(BuildImageWithRoomForTesting(measuredParse, path, 0));
  ASSERT_NE(measured, nullptr);
  const size_t total = measured->totalSize;
  for (size_t room = total - 40; room <= total + 40; ++room) {
    SCOPED_TRACE(testing::Message() << room << " bytes of room for " << total);
    Parser parse;
    ASSERT_TRUE(ParseBytes(text, parse));
    ReleaseKeptBlocks();  // a block of exactly the room, not a larger kept one
    const test::ImagePtr image(BuildImageWithRoomForTesting(parse, path, room));
    ASSERT_NE(image, nullptr);
    ASSERT_EQ(image->totalSize, total);
    EXPECT_EQ(std::memcmp(image.get(), measured.get(), total), 0);
  }
  ReleaseKeptBlocks();
}

// The image of `text` loaded with font list lines read in one step and with every entry
// read by the tokenizer: the same image, or a refusal from both.
void ExpectFontLinesReadAsTheTokenizerReadsThem(const std::string& text) {
  SCOPED_TRACE(testing::Message() << "text: \"" << testing::PrintToString(text) << "\"");
  Parser inOneStep;
  Parser entryByEntry;
  const bool loaded = ParseBytes(text, inOneStep);
  ASSERT_EQ(ParseBytesEntryByEntryForTesting(text, entryByEntry), loaded);
  if (!loaded) return;
  EXPECT_EQ(inOneStep.processedRows, entryByEntry.processedRows);
  const test::ImagePtr fast(BuildImage(inOneStep, u"/p.ppd"));
  const test::ImagePtr plain(BuildImage(entryByEntry, u"/p.ppd"));
  ASSERT_NE(fast, nullptr);
  ASSERT_NE(plain, nullptr);
  ASSERT_EQ(fast->totalSize, plain->totalSize);
  EXPECT_EQ(std::memcmp(fast.get(), plain.get(), fast->totalSize), 0);
}

// Every line is tried alone, after an entry and a comment, and twice before other entries
// (a second listing of the same font is dropped), with each of the three line ends.
TEST(PpdFontLinesTest, EveryFormOfLineLoadsAsTheTokenizerReadsIt) {
  const std::string lines[] = {
      "*Font Courier: Standard \"(002.004S)\" Standard ROM",
      "*Font\tCourier:\tSpecial \"(1)\" Special Disk",
      "*Font   Times-Roman:   ISOLatin1 \"(001.007S)\"   OldStandard ROM",
      "*Font Courier/Courier, a translation: Standard \"(1)\" Standard ROM",
      "*Font Courier : Standard \"(1)\" Standard ROM",
      "*Font Courier: \"Standard (1) Standard ROM\"",
      "*Font Courier:",
      "*Font Courier:    ",
      "*Font Courier: ^Standard",
      "*Font Courier: Standard \"(1/2)\" Standard ROM",
      "*Font Courier: Standard \"(1)\" Standard ROM/a translation",
      "*Font Unheard-Of: Standard \"(1)\" Standard ROM",
      "*Font Courier: Unheard \"(1)\" Standard ROM",
      "*Font Courier: Standard (1) Standard ROM",
      "*Font Courier: Standard \"(1) Standard ROM",
      "*Font Courier: Standard \"(1)\"",
      std::string("*Font Courier: Standard \"(1\0)\" Standard ROM", 44),
      "*Font Courier: Standard \"(\xC7\xD1)\" Standard ROM",
      "*Font Cour\xC7ier: Standard \"(1)\" Standard ROM",
      "*Font " + std::string(40, 'N') + ": Standard \"(1)\" Standard ROM",
      "*Font " + std::string(41, 'N') + ": Standard \"(1)\" Standard ROM",
      "*FontCourier: Standard \"(1)\" Standard ROM",
      "*Fonts Courier: Standard \"(1)\" Standard ROM",
      "*font Courier: Standard \"(1)\" Standard ROM",
      "*Font: Standard \"(1)\" Standard ROM",
      "*Font",
      "*Font ",
      "*Font Courier",
      "*F",
  };
  for (const char* lineEnd : {"\n", "\r\n", "\r"}) {
    for (const std::string& line : lines) {
      ExpectFontLinesReadAsTheTokenizerReadsThem(line);
      ExpectFontLinesReadAsTheTokenizerReadsThem(line + lineEnd);
      ExpectFontLinesReadAsTheTokenizerReadsThem("*PPD-Adobe: \"4.3\"" + std::string(lineEnd) +
                                              "*% a comment" + lineEnd + line + lineEnd +
                                              line + lineEnd + "*Font Symbol: Special \"(1)\" "
                                              "Special ROM" + lineEnd + "*DefaultFont: Courier");
    }
  }
}

// Font lines within open features: one opened on the font list's own keyword, and
// others, whose options and defaults sit among the fonts.
TEST(PpdFontLinesTest, LinesWithinOpenFeaturesLoadAsTheTokenizerReadsThem) {
  ExpectFontLinesReadAsTheTokenizerReadsThem(
      "*OpenUI *Font/Fonts: PickOne\n*DefaultFont: Courier\n"
      "*Font Courier: Standard \"(1)\" Standard ROM\n"
      "*Font Symbol/The symbols: \"Special\"\n*CloseUI: *Font\n"
      "*Font Times-Roman: Standard \"(1)\" Standard ROM\n");
  ExpectFontLinesReadAsTheTokenizerReadsThem(
      "*OpenUI *FontSet/Font sets: PickOne\n*DefaultFontSet: Basic\n"
      "*Font Courier: Standard \"(1)\" Standard ROM\n"
      "*FontSet Basic/Basic: \"\"\n*Font Symbol: Special \"(1)\" Special ROM\n"
      "*CloseUI: *FontSet\n*OpenUI *FONT: PickOne\n"
      "*Font Times-Roman: Standard \"(1)\" Standard ROM\n*CloseUI: *FONT\n");
}

// Random lines built from the bytes that steer the reading of an entry, most of them
// begun as font lines.
TEST(PpdFontLinesTest, RandomLinesLoadAsTheTokenizerReadsThem) {
  const std::string pieces[] = {"\n*Font ", "*Font", " ",        "\t",      ":",
                                "/",        "\"",    "^",        "\n",      "\r",
                                std::string(1, '\0'), "\xC7", "*",  "%",     "Courier",
                                "Standard", "Symbol", "ROM",      "(1)",     "Special"};
  std::mt19937 generator(7);
  for (int trial = 0; trial < 3000; ++trial) {
    std::string text = "*Font ";
    const int count = 1 + static_cast<int>(generator() % 24);
    for (int piece = 0; piece < count; ++piece) text += pieces[generator() % std::size(pieces)];
    ExpectFontLinesReadAsTheTokenizerReadsThem(text);
    if (HasFatalFailure() || HasNonfatalFailure()) return;
  }
}

}  // namespace
}  // namespace kx::ppd
