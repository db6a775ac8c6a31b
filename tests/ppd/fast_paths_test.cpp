// The load's fast paths against the plain definitions they replace: the checksum over
// runs, the word-at-a-time scans, the name hash four bytes at a time, the name and font
// indexes, and the arena's search for the newest block with room.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdint>
#include <initializer_list>
#include <random>
#include <string>
#include <vector>

#include "ppd/arena.h"
#include "ppd/byte_scan.h"
#include "ppd/char_class.h"
#include "ppd/checksum.h"
#include "ppd/checksum_folding.h"
#include "ppd/font_table.h"
#include "ppd/lexical.h"
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
