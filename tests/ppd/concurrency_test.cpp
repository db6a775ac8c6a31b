#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "ppd/ppd_test_support.h"

namespace kx::ppd {
namespace {

// Loads share only the keyword table, which is read-only once built: eight threads
// opening PPDs together get the images one thread gets alone.
TEST(PpdConcurrencyTest, ParallelLoadsGiveIdenticalImages) {
  test::PpdFiles files;
  const std::u16string paths[] = {
      files.Write(test::ReadTestData("sample.ppd")),
      files.Write("*ColorDevice: True\n*OpenUI *Foo: PickOne\n*Foo A: \"a\"\n*CloseUI: *Foo\n"),
  };
  std::vector<std::vector<uint8_t>> expected;
  for (const std::u16string& path : paths) {
    test::ImagePtr image(PpdOpen(path.c_str()));
    ASSERT_NE(image, nullptr);
    const auto* bytes = reinterpret_cast<const uint8_t*>(image.get());
    expected.emplace_back(bytes, bytes + image->totalSize);
  }

  constexpr int kThreads = 8;
  constexpr int kLoadsPerThread = 25;
  std::vector<int> mismatches(kThreads, 0);
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([&, t] {
      for (int i = 0; i < kLoadsPerThread; ++i) {
        const size_t which = static_cast<size_t>((t + i) % 2);
        test::ImagePtr image(PpdOpen(paths[which].c_str()));
        const std::vector<uint8_t>& want = expected[which];
        if (image == nullptr || image->totalSize != want.size() ||
            std::memcmp(image.get(), want.data(), want.size()) != 0) {
          ++mismatches[t];
        }
      }
    });
  }
  for (std::thread& thread : threads) thread.join();
  for (int t = 0; t < kThreads; ++t) EXPECT_EQ(mismatches[t], 0) << "thread " << t;
}

}  // namespace
}  // namespace kx::ppd
