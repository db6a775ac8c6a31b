#include "platform/files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/last_error.h"
#include "platform/text.h"
#include "platform/win32_errors.h"
#include "support/temp_store.h"

namespace kx::platform {
namespace {

constexpr uint32_t kSentinel = 0xdeadbeef;

class FilesTest : public ::testing::Test {
 protected:
  std::u16string PathOf(const std::u16string& name) const {
    return Utf8ToUtf16(directory_.directory()) + u"/" + name;
  }

  test::TempStore directory_;
};

TEST_F(FilesTest, WritesAndReadsBackExactly) {
  std::vector<uint8_t> large(200000);
  for (size_t i = 0; i < large.size(); ++i) large[i] = static_cast<uint8_t>(i * 7 + (i >> 8));
  const struct {
    const char* label;
    std::u16string name;
    std::vector<uint8_t> contents;
  } cases[] = {
      {"bytes with NULs", u"a.bin", {0, 'P', 0, 0xFF, '\r', '\n'}},
      {"empty", u"empty.bin", {}},
      {"larger than one read", u"large.bin", large},
      {"non-ASCII name", u"\uD55C\uAE00 \u00E9.ppd", {'*', 'P', 'P', 'D'}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    ASSERT_TRUE(WriteWholeFile(PathOf(c.name), c.contents));
    std::vector<uint8_t> read = {1, 2, 3};
    ASSERT_TRUE(ReadWholeFile(PathOf(c.name), &read));
    EXPECT_EQ(read, c.contents);
  }
  // The name on disk is the UTF-8 form of the UTF-16 path.
  EXPECT_TRUE(std::filesystem::exists(directory_.directory() + "/\xED\x95\x9C\xEA\xB8\x80 \xC3\xA9.ppd"));
}

TEST_F(FilesTest, WritingReplacesTheWholeFile) {
  const std::u16string path = PathOf(u"settings.bin");
  ASSERT_TRUE(WriteWholeFile(path, {1, 2, 3, 4, 5, 6}));
  ASSERT_TRUE(WriteWholeFile(path, {9}));
  std::vector<uint8_t> read;
  ASSERT_TRUE(ReadWholeFile(path, &read));
  EXPECT_EQ(read, std::vector<uint8_t>{9});
}

TEST_F(FilesTest, FailuresCarryWin32Codes) {
  std::filesystem::create_directory(directory_.directory() + "/folder");
  const struct {
    const char* label;
    std::u16string path;
    uint32_t error;
  } reads[] = {
      {"missing file", PathOf(u"missing.ppd"), kErrorFileNotFound},
      {"missing folder", PathOf(u"nowhere/missing.ppd"), kErrorPathNotFound},
      {"a folder", PathOf(u"folder"), kErrorAccessDenied},
      {"empty path", u"", kErrorPathNotFound},
      {"embedded NUL", PathOf(std::u16string(u"a\0b", 3)), kErrorInvalidName},
  };
  for (const auto& c : reads) {
    SCOPED_TRACE(c.label);
    std::vector<uint8_t> contents = {42};
    SetLastErrorCode(kSentinel);
    EXPECT_FALSE(ReadWholeFile(c.path, &contents));
    EXPECT_EQ(GetLastErrorCode(), c.error);
    EXPECT_EQ(contents, std::vector<uint8_t>{42});
  }

  SetLastErrorCode(kSentinel);
  EXPECT_FALSE(WriteWholeFile(PathOf(u"nowhere/new.bin"), {1}));
  EXPECT_EQ(GetLastErrorCode(), kErrorPathNotFound);
  SetLastErrorCode(kSentinel);
  EXPECT_FALSE(WriteWholeFile(PathOf(u"folder"), {1}));
  EXPECT_EQ(GetLastErrorCode(), kErrorAccessDenied);
}

}  // namespace
}  // namespace kx::platform
