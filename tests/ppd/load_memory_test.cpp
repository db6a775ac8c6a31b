// The memory a load reuses: blocks kept from one load for the next, and the arena's first
// block taken from them.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstring>
#include <iterator>
#include <thread>
#include <vector>

#include "ppd/arena.h"
#include "ppd/block_cache.h"

namespace kx::ppd {
namespace {

bool AllZero(const uint8_t* bytes, size_t size) {
  return std::all_of(bytes, bytes + size, [](uint8_t byte) { return byte == 0; });
}

// Under AddressSanitizer no block is kept (so that a use after PpdClose is reported).
#if !defined(__SANITIZE_ADDRESS__)
TEST(PpdBlockCacheTest, AKeptBlockComesBackZeroWhereverItWasWritten) {
  struct Case {
    size_t size;
    size_t written;  // what the user reports having written
  };
  for (const Case& c : {Case{100, 100}, Case{5000, 17}, Case{300000, 300000}}) {
    SCOPED_TRACE(c.size);
    size_t capacity = 0;
    auto* block = static_cast<uint8_t*>(TakeZeroedBlock(c.size, &capacity));
    ASSERT_NE(block, nullptr);
    ASSERT_GE(capacity, c.size);
    ASSERT_TRUE(AllZero(block, capacity));
    std::fill(block, block + c.written, static_cast<uint8_t>(0xA5));
    ReleaseKeptBlocks();  // so that a slot is free for it
    GiveBlock(block, c.written);
    size_t size = 0;
    auto* again = static_cast<uint8_t*>(TakeZeroedBlock(c.size, &size));
    EXPECT_EQ(again, block) << "the block given back was not kept";
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(size, capacity);
    EXPECT_TRUE(AllZero(again, size));
    GiveBlock(again, 0);
  }
}

// A block taken without zeroing may be dirty beyond what its last user reports having
// written: earlier users' bytes stay until a zeroed taking clears them.
TEST(PpdBlockCacheTest, ABlockTakenUnzeroedComesBackZeroAfterAnyNumberOfUsers) {
  constexpr size_t kSize = 5000;
  ReleaseKeptBlocks();
  size_t capacity = 0;
  auto* block = static_cast<uint8_t*>(TakeBlock(kSize, &capacity));
  ASSERT_NE(block, nullptr);
  ASSERT_GE(capacity, kSize);
  std::fill(block, block + capacity, static_cast<uint8_t>(0xA5));
  GiveBlock(block, capacity);
  for (size_t written : {size_t{10}, size_t{0}}) {
    SCOPED_TRACE(written);
    size_t size = 0;
    auto* again = static_cast<uint8_t*>(TakeBlock(kSize, &size));
    ASSERT_EQ(again, block) << "the block given back was not kept";
    std::fill(again, again + written, static_cast<uint8_t>(0x3C));
    GiveBlock(again, written);
  }
  size_t size = 0;
  auto* zeroed = static_cast<uint8_t*>(TakeZeroedBlock(kSize, &size));
  ASSERT_EQ(zeroed, block);
  EXPECT_TRUE(AllZero(zeroed, size));
  GiveBlock(zeroed, 0);
  // A block that was never kept is not known to be zero either.
  ReleaseKeptBlocks();
  auto* fresh = static_cast<uint8_t*>(TakeBlock(kSize, &size));
  ASSERT_NE(fresh, nullptr);
  std::fill(fresh, fresh + size, static_cast<uint8_t>(0xA5));
  GiveBlock(fresh, 0);
  auto* cleared = static_cast<uint8_t*>(TakeZeroedBlock(kSize, &size));
  ASSERT_EQ(cleared, fresh);
  EXPECT_TRUE(AllZero(cleared, size));
  GiveBlock(cleared, 0);
}

TEST(PpdBlockCacheTest, AFarLargerKeptBlockIsNotGivenToASmallRequest) {
  ReleaseKeptBlocks();
  constexpr size_t kLarge = 4 * kLargestSpareRoom;
  size_t capacity = 0;
  void* large = TakeZeroedBlock(kLarge, &capacity);
  ASSERT_NE(large, nullptr);
  GiveBlock(large, 0);
  // A small image must not hold the large block for as long as its caller keeps it.
  void* small = TakeZeroedBlock(100, &capacity);
  ASSERT_NE(small, nullptr);
  EXPECT_NE(small, large);
  EXPECT_EQ(capacity, 100u);
  // The large block stays kept for a request it suits.
  void* again = TakeZeroedBlock(kLarge - 10, &capacity);
  EXPECT_EQ(again, large);
  GiveBlock(small, 0);
  GiveBlock(again, 0);
}

#endif

TEST(PpdBlockCacheTest, ThreadsNeverShareABlock) {
  constexpr int kThreads = 4;
  constexpr int kRounds = 2000;
  std::atomic<int> failures{0};
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([t, &failures] {
      const auto mark = static_cast<uint8_t>(t + 1);
      for (int round = 0; round < kRounds; ++round) {
        const size_t wanted = 64 + static_cast<size_t>((round * 37 + t * 11) % 4096);
        size_t capacity = 0;
        auto* block = static_cast<uint8_t*>(TakeZeroedBlock(wanted, &capacity));
        if (block == nullptr || !AllZero(block, wanted)) {
          ++failures;
          continue;
        }
        std::fill(block, block + wanted, mark);
        std::this_thread::yield();
        // Another thread holding the same block would have written its own mark.
        if (std::any_of(block, block + wanted, [mark](uint8_t b) { return b != mark; })) {
          ++failures;
        }
        GiveBlock(block, wanted);
      }
    });
  }
  for (std::thread& thread : threads) thread.join();
  EXPECT_EQ(failures.load(), 0);
}

// A record of the kind the parse makes: pointers, numbers and an array.
struct Record {
  Record* next;
  const char* name;
  uint32_t numbers[6];
  uint16_t small;
};

// The first block is reused without being zeroed, so records must be zero by their own
// initialisation, and what the arena writes must reach the cache's dirty extent.
TEST(PpdArenaTest, RecordsFromAReusedFirstBlockAreZeroWhereAnEarlierArenaWrote) {
  constexpr size_t kReserved = 64 * 1024;
  for (int load = 0; load < 3; ++load) {
    SCOPED_TRACE(load);
    Arena arena;
    arena.ReserveFirstBlock(kReserved);
    size_t handedOut = 0;
    while (handedOut + 1000 + sizeof(Record) <= kReserved) {
      auto* record = arena.New<Record>();
      ASSERT_NE(record, nullptr);
      const Record zero{};
      ASSERT_EQ(record->next, nullptr) << "at " << handedOut;
      ASSERT_EQ(record->name, nullptr);
      ASSERT_TRUE(std::equal(std::begin(record->numbers), std::end(record->numbers),
                             std::begin(zero.numbers)));
      ASSERT_EQ(record->small, 0);
      std::memset(static_cast<void*>(record), 0x5A, sizeof(Record));
      auto* text = static_cast<uint8_t*>(arena.Allocate(1000));
      ASSERT_NE(text, nullptr);
      std::fill(text, text + 1000, static_cast<uint8_t>(0x5A));
      handedOut += 1000 + sizeof(Record);
    }
    EXPECT_EQ(arena.blockCount(), 1u);  // everything came from the reserved block
    ASSERT_NE(arena.Allocate(kReserved), nullptr);
    EXPECT_EQ(arena.blockCount(), 2u);  // beyond it, blocks are made as before
  }
  // The arenas' dirty first block, taken again zeroed, is zero throughout.
  size_t capacity = 0;
  auto* block = static_cast<uint8_t*>(TakeZeroedBlock(kReserved, &capacity));
  ASSERT_NE(block, nullptr);
  EXPECT_TRUE(AllZero(block, capacity));
  GiveBlock(block, 0);
}

TEST(PpdArenaTest, ReservingAfterTheFirstAllocationChangesNothing) {
  Arena arena;
  ASSERT_NE(arena.Allocate(10), nullptr);
  arena.ReserveFirstBlock(1 << 20);
  EXPECT_EQ(arena.blockCount(), 1u);
  ASSERT_NE(arena.Allocate(Arena::kBlockSize), nullptr);
  EXPECT_EQ(arena.blockCount(), 2u);  // the first block was the ordinary one
}

}  // namespace
}  // namespace kx::ppd
