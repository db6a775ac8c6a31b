// What PpdOpen reads: regular files up to the size bound, nothing else. A path to a pipe
// or a device must fail at once rather than wait for a writer or read without end.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdint>
#include <filesystem>
#include <string>

#include "platform/text.h"
#include "ppd/ppd_test_support.h"
#include "ppd/stream.h"

namespace kx::ppd {
namespace {

// The start of every sized file below; the rest of the file is a hole (zero bytes),
// which costs neither disk nor time to make.
constexpr char kHead[] = "*PPD-Adobe: \"4.3\"\n*ColorDevice: True\n*%";

class PpdFileBoundsTest : public ::testing::Test {
 protected:
  // A file of `size` bytes that starts with kHead.
  std::u16string SizedFile(uint64_t size) {
    const std::u16string path = files_.Write(kHead);
    std::filesystem::resize_file(std::filesystem::path(path), size);
    return path;
  }

  test::PpdFiles files_;
};

TEST_F(PpdFileBoundsTest, RefusesAtOnceWhatIsNotARegularFileOfBoundedSize) {
  const std::u16string pipe = files_.PathOf("pipe.ppd");
  // Nothing ever writes to it: reading it would wait for good.
  ASSERT_EQ(::mkfifo(platform::Utf16ToUtf8(pipe).c_str(), 0600), 0);
  const struct {
    const char* label;
    std::u16string path;
  } cases[] = {
      {"pipe without a writer", pipe},
      {"endless device", u"/dev/zero"},
      {"endless random device", u"/dev/urandom"},
      {"folder", files_.PathOf("")},
      {"missing file", files_.PathOf("missing.ppd")},
      {"one byte over the bound", SizedFile(uint64_t{kLargestPpdFile} + 1)},
      {"far over the bound", SizedFile(uint64_t{1} << 36)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    // Returning at all is half the point: a blocking open or an endless read never would.
    test::ImagePtr image(PpdOpen(c.path.c_str()));
    EXPECT_EQ(image, nullptr);
  }
}

TEST_F(PpdFileBoundsTest, LoadsFilesUpToTheBound) {
  // A large PPD as printers come with: many features of many options with long code.
  std::string large = "*PPD-Adobe: \"4.3\"\n*ColorDevice: True\n";
  constexpr int kFeatures = 60;
  constexpr int kOptions = 50;
  const std::string code(1000, 'c');
  for (int feature = 0; feature < kFeatures; ++feature) {
    const std::string keyword = "Feature" + std::to_string(feature);
    large += "*OpenUI *" + keyword + ": PickOne\n*Default" + keyword + ": O0\n";
    for (int option = 0; option < kOptions; ++option) {
      large += "*" + keyword + " O" + std::to_string(option) + ": \"" + code + "\"\n";
    }
    large += "*CloseUI: *" + keyword + "\n";
  }
  ASSERT_GT(large.size(), 2500u * 1024);

  const struct {
    const char* label;
    std::u16string path;
    size_t features;
  } cases[] = {
      {"large PPD", files_.Write(large), kFeatures},
      {"exactly at the bound", SizedFile(kLargestPpdFile), 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    test::ImagePtr image(PpdOpen(c.path.c_str()));
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->colorDevice, 1u);
    EXPECT_EQ(test::FeatureKeywords(image.get()).size(), c.features);
  }
}

}  // namespace
}  // namespace kx::ppd
