// The image as built: finalisation rules, the two tables, the layout, relocation and the
// bounds every accessor keeps.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "ppd/block_cache.h"
#include "ppd/image_builder.h"
#include "ppd/load.h"
#include "ppd/ppd_test_support.h"
#include "ppd/relocation.h"

namespace kx::ppd {
namespace {

using test::Text;

constexpr Fixed Points(double value) { return static_cast<Fixed>(value * 256); }

class PpdImageTest : public ::testing::Test {
 protected:
  const PpdImage* Open(std::string_view text) {
    image_ = files_.Open(text);
    EXPECT_NE(image_, nullptr);
    return image_.get();
  }
  const PpdImage* image() const { return image_.get(); }

  test::PpdFiles files_;
  test::ImagePtr image_;
};

TEST_F(PpdImageTest, PageSizesAreCleaned) {
  const struct {
    const char* label;
    const char* paper;   // the PaperDimension value, or none
    const char* area;    // the ImageableArea value, or none
    double expected[6];  // width, height, lower-left x, y, upper-right x, y in points
  } cases[] = {
      {"lower-left moves in by a point", "612 792", "0 0 612 792", {612, 792, 1, 1, 612, 792}},
      {"clipped to the paper", "612 792", "0 0 700 800", {612, 792, 1, 1, 612, 792}},
      {"empty area becomes the paper", "612 792", "600 0 10 792", {612, 792, 0, 0, 612, 792}},
      {"no area at all", "612 792", nullptr, {612, 792, 0, 0, 612, 792}},
      {"width without height", "612 0", "0 0 612 792", {0, 0, 0, 0, 0, 0}},
      {"no paper dimension", nullptr, "0 0 612 792", {0, 0, 0, 0, 0, 0}},
      {"fractions", "595.5 842", "0.5 10 595.25 841", {595.5, 842, 1.5, 11, 595.25, 841}},
      // 9000000 points is negative as a signed 24.8 number; compared unsigned it is clipped.
      {"compared unsigned", "612 792", "0 0 9000000 792", {612, 792, 1, 1, 612, 792}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    std::string text;
    if (c.paper) text += "*PaperDimension P: \"" + std::string(c.paper) + "\"\n";
    if (c.area) text += "*ImageableArea P: \"" + std::string(c.area) + "\"\n";
    Open(text);
    const PpdFeature* pageSize = PredefinedFeature(image(), kPageSize);
    ASSERT_NE(pageSize, nullptr);
    const auto* option =
        OptionRecord<PpdPageSizeOption>(image(), pageSize, FirstOption(image(), pageSize));
    ASSERT_NE(option, nullptr);
    const Fixed actual[6] = {option->paperWidth,       option->paperHeight,
                             option->imageableArea[0], option->imageableArea[1],
                             option->imageableArea[2], option->imageableArea[3]};
    for (int i = 0; i < 6; ++i) EXPECT_EQ(actual[i], Points(c.expected[i])) << "value " << i;
  }
}

TEST_F(PpdImageTest, CustomPageSizesNeedAMaximumMediaSize) {
  const struct {
    const char* label;
    const char* entries;
    uint32_t supported;
  } cases[] = {
      {"no maximum", "*CustomPageSize True: \"c\"\n", 0},
      {"width only", "*CustomPageSize True: \"c\"\n*MaxMediaWidth: \"612\"\n", 1},
      {"height only", "*MaxMediaHeight: \"1008\"\n*CustomPageSize True: \"c\"\n", 1},
      {"refused maximum", "*CustomPageSize True: \"c\"\n*MaxMediaWidth: \"wide\"\n", 0},
      {"not True", "*CustomPageSize False: \"c\"\n*MaxMediaWidth: \"612\"\n", 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    Open(c.entries);
    EXPECT_EQ(image()->customPageSize, c.supported);
    EXPECT_EQ(Text(image(), image()->customPageSizeCode).has_value(),
              std::string_view(c.entries).find("True") != std::string_view::npos);
  }
}

constexpr char kTablesPpd[] =
    "*OpenUI *A: PickOne\n*A a0: \"\"\n*A a1: \"\"\n*CloseUI: *A\n"
    "*OpenGroup: InstallableOptions\n*OpenUI *D: PickOne\n*D d0: \"\"\n*CloseUI: *D\n"
    "*CloseGroup: InstallableOptions\n"
    "*OpenUI *B: PickOne\n*B b0: \"\"\n*CloseUI: *B\n"
    "*OpenUI *C: PickOne\n*CloseUI: *C\n"
    "*OrderDependency: 10 AnySetup *D\n"
    "*OrderDependency: 20.5 DocumentSetup *A a1\n"
    "*OrderDependency: 5 PageSetup *Z\n"
    "*OrderDependency: 1 Weird *B b9\n"
    "*OrderDependency: 2 JCLSetup B\n"
    "*OrderDependency: 3 ExitServer *C\n"
    "*OrderDependency: 4 Prolog *A\n"
    "*UIConstraints: *A a0 *D d0\n"
    "*UIConstraints: *A *B\n"
    "*UIConstraints: *A a9 *B b0\n"
    "*UIConstraints: *A a0 *Z\n"
    "*UIConstraints: *B b0 *D d9\n";

TEST_F(PpdImageTest, OrderDependenciesResolveAgainstTheReorderedFeatures) {
  Open(kTablesPpd);
  const PpdTableHeader* table = OrderDependencies(image());
  ASSERT_NE(table, nullptr);
  EXPECT_EQ(table->rowSize, 12);
  const PpdOrderRow expected[] = {
      {3, kNoOption, Points(10), 32, 0},
      {0, 1, Points(20.5), 4, 0},
      {kUnresolvedFeature, kNoOption, Points(5), 8, 0},
      {kUnresolvedFeature, 0xFFFF, Points(1), 32, 0},
      {1, kNoOption, Points(2), 16, 0},
      {2, kNoOption, Points(3), 1, 0},
      {0, kNoOption, Points(4), 2, 0},
  };
  ASSERT_EQ(table->rowCount, std::size(expected));
  for (uint32_t i = 0; i < table->rowCount; ++i) {
    SCOPED_TRACE(i);
    const PpdOrderRow* row = OrderDependency(image(), i);
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(row->featureIndex, expected[i].featureIndex);
    EXPECT_EQ(row->optionIndex, expected[i].optionIndex);
    EXPECT_EQ(row->order, expected[i].order);
    EXPECT_EQ(row->sections, expected[i].sections);
    EXPECT_EQ(row->reserved, 0);
  }
  EXPECT_EQ(OrderDependency(image(), table->rowCount), nullptr);
}

TEST_F(PpdImageTest, ConstraintsMarkUnresolvedRowsInTheFirstFeatureIndex) {
  Open(kTablesPpd);
  const PpdTableHeader* table = Constraints(image());
  ASSERT_NE(table, nullptr);
  EXPECT_EQ(table->rowSize, 8);
  const PpdConstraintRow expected[] = {
      {0, 0, 3, 0},
      {0, kNoOption, 1, kNoOption},
      {kUnresolvedFeature, 0xFFFF, 1, 0},
      {kUnresolvedFeature, 0, kUnresolvedFeature, kNoOption},
      {kUnresolvedFeature, 0, 3, 0xFFFF},
  };
  ASSERT_EQ(table->rowCount, std::size(expected));
  for (uint32_t i = 0; i < table->rowCount; ++i) {
    SCOPED_TRACE(i);
    const PpdConstraintRow* row = Constraint(image(), i);
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(row->firstFeatureIndex, expected[i].firstFeatureIndex);
    EXPECT_EQ(row->firstOptionIndex, expected[i].firstOptionIndex);
    EXPECT_EQ(row->secondFeatureIndex, expected[i].secondFeatureIndex);
    EXPECT_EQ(row->secondOptionIndex, expected[i].secondOptionIndex);
  }
  // Room is kept for rows of 12 bytes, and the features follow.
  EXPECT_EQ(image()->features, image()->constraints + 4 + 12 * table->rowCount);
}

TEST_F(PpdImageTest, TablesAreEmptyButPresentWithoutEntries) {
  Open("*ColorDevice: True\n");
  ASSERT_NE(OrderDependencies(image()), nullptr);
  EXPECT_EQ(OrderDependencies(image())->rowCount, 0);
  ASSERT_NE(Constraints(image()), nullptr);
  EXPECT_EQ(Constraints(image())->rowCount, 0);
  EXPECT_EQ(FirstFeature(image()), nullptr);
  EXPECT_EQ(FirstFont(image()), nullptr);
}

// Checks that a string is inside the image, 4-aligned and zero-padded to a multiple of 4.
void ExpectPlacedString(const PpdImage* image, Ref ref, std::vector<Ref>* seen) {
  if (ref == 0) return;
  seen->push_back(ref);
  EXPECT_EQ(ref % 4, 0u);
  const char* text = String(image, ref);
  ASSERT_NE(text, nullptr);
  const size_t end = ref + std::strlen(text) + 1;
  for (size_t at = end; at % 4 != 0; ++at) {
    EXPECT_EQ(reinterpret_cast<const uint8_t*>(image)[at], 0) << "padding at " << at;
  }
}

TEST_F(PpdImageTest, TheSampleIsLaidOutInOrderAligned) {
  const std::string text = test::ReadTestData("sample.ppd");
  const std::u16string path = files_.Write(text);
  image_.reset(PpdOpen(path.c_str()));
  ASSERT_NE(image(), nullptr);
  EXPECT_EQ(image()->format, kImageFormat);
  EXPECT_EQ(image()->totalSize % 4, 0u);
  EXPECT_EQ(image()->checksum, test::BitwiseCrc16(text));
  EXPECT_EQ(std::u16string(WideString(image(), image()->path)), path);
  EXPECT_EQ(image()->path, sizeof(PpdImage));

  std::vector<Ref> refs;  // in the order the layout places them
  for (Ref ref :
       {image()->nickName, image()->password, image()->exitServer, image()->customPageSizeCode,
        image()->jclBegin, image()->jclToPsInterpreter, image()->jclEnd}) {
    ASSERT_NE(ref, 0u);
    ExpectPlacedString(image(), ref, &refs);
  }
  refs.push_back(image()->orderDependencies);
  refs.push_back(image()->constraints);
  for (const PpdFeature* feature = FirstFeature(image()); feature;
       feature = NextFeature(image(), feature)) {
    const Ref at = test::OffsetOf(image(), feature);
    refs.push_back(at);
    EXPECT_EQ(feature->keyword, at + sizeof(PpdFeature));
    ExpectPlacedString(image(), feature->keyword, &refs);
    ExpectPlacedString(image(), feature->translation, &refs);
    if (feature->number < kPredefinedFeatureCount) {
      EXPECT_EQ(image()->predefined[feature->number], at);
    }
    for (const PpdOption* option : test::Options(image(), feature)) {
      const Ref optionAt = test::OffsetOf(image(), option);
      refs.push_back(optionAt);
      EXPECT_EQ(option->keyword, optionAt + feature->optionSize);
      ExpectPlacedString(image(), option->keyword, &refs);
      ExpectPlacedString(image(), option->translation, &refs);
      ExpectPlacedString(image(), option->invocation, &refs);
    }
  }
  for (const PpdFont* font = FirstFont(image()); font; font = NextFont(image(), font)) {
    refs.push_back(test::OffsetOf(image(), font));
    ExpectPlacedString(image(), font->name, &refs);
  }
  for (size_t i = 1; i < refs.size(); ++i) {
    EXPECT_LT(refs[i - 1], refs[i]) << "placement " << i;
    EXPECT_EQ(refs[i] % 4, 0u);
  }
  EXPECT_LT(refs.back(), image()->totalSize);
  EXPECT_EQ(image()->predefined[kManualFeed], 0u);  // the sample has none
  EXPECT_EQ(image()->ordinaryFeatureCount + image()->installableFeatureCount,
            test::FeatureKeywords(image()).size());
}

// A writable copy of an image, freed with the object.
struct ImageCopy {
  explicit ImageCopy(const PpdImage* image)
      : bytes(static_cast<uint8_t*>(std::malloc(image->totalSize))) {
    std::memcpy(bytes.get(), image, image->totalSize);
  }
  PpdImage* get() { return reinterpret_cast<PpdImage*>(bytes.get()); }
  template <typename Record>
  Record* At(Ref ref) {
    return reinterpret_cast<Record*>(bytes.get() + ref);
  }

  struct Free {
    void operator()(uint8_t* p) const { std::free(p); }
  };
  std::unique_ptr<uint8_t, Free> bytes;
};

TEST_F(PpdImageTest, RelocationDropsReferencesBeyondTheImageAndCutsBackwardLinks) {
  Open(test::ReadTestData("sample.ppd"));
  ImageCopy copy(image());
  PpdImage* damaged = copy.get();
  const uint32_t total = damaged->totalSize;
  damaged->nickName = total + 1;
  damaged->password = total;  // not beyond the image: kept, but no string lives there
  PpdFeature* first = copy.At<PpdFeature>(damaged->features);
  PpdFeature* second = copy.At<PpdFeature>(first->next);
  PpdOption* option = copy.At<PpdOption>(first->options);
  option->keyword = 0xFFFFFFF0;
  second->next = first->next;  // a link to itself
  for (Ref& slot : damaged->predefined) slot = 12345;

  RelocateImage(damaged);
  EXPECT_EQ(damaged->nickName, 0u);
  EXPECT_EQ(damaged->password, total);
  EXPECT_EQ(String(damaged, damaged->password), nullptr);
  EXPECT_EQ(option->keyword, 0u);
  EXPECT_EQ(second->next, 0u);
  EXPECT_EQ(test::FeatureKeywords(damaged).size(), 2u);
  for (uint16_t number = 0; number < kPredefinedFeatureCount; ++number) {
    SCOPED_TRACE(number);
    const PpdFeature* feature = PredefinedFeature(damaged, static_cast<FeatureNumber>(number));
    if (feature != nullptr) {
      EXPECT_EQ(feature->number, number);
    } else {
      EXPECT_EQ(damaged->predefined[number], 0u);
    }
  }
}

TEST_F(PpdImageTest, AccessorsNeverHandOutARecordPastTheImage) {
  Open(test::ReadTestData("sample.ppd"));
  ImageCopy copy(image());
  PpdImage* damaged = copy.get();
  const uint32_t total = damaged->totalSize;
  constexpr uint32_t kFeatureSize = sizeof(PpdFeature);
  EXPECT_NE(Feature(damaged, total - kFeatureSize), nullptr);  // ends exactly at the end
  EXPECT_EQ(Feature(damaged, total - kFeatureSize + 4), nullptr);
  EXPECT_EQ(Font(damaged, total - 20), nullptr);
  EXPECT_EQ(Option(damaged, total), nullptr);
  EXPECT_EQ(Option(damaged, 8), nullptr);                     // inside the header
  EXPECT_EQ(Option(damaged, sizeof(PpdImage) + 2), nullptr);  // misaligned
  EXPECT_EQ(WideString(damaged, sizeof(PpdImage) + 1), nullptr);
  EXPECT_EQ(String(damaged, 0), nullptr);
  std::memset(copy.bytes.get() + total - 8, 'x', 8);  // the last string loses its NUL
  EXPECT_EQ(String(damaged, total - 8), nullptr);
  EXPECT_EQ(String(damaged, total - 1), nullptr);

  PpdTableHeader* table = copy.At<PpdTableHeader>(damaged->constraints);
  table->rowCount = 0xFFFF;
  EXPECT_EQ(Constraints(damaged), nullptr);
  EXPECT_EQ(Constraint(damaged, 0), nullptr);
  table->rowCount = 1;
  table->rowSize = 6;  // smaller than a row
  EXPECT_EQ(Constraints(damaged), nullptr);

  const PpdFeature* slot = PredefinedFeature(damaged, kInputSlot);
  ASSERT_NE(slot, nullptr);
  EXPECT_EQ(OptionRecord<PpdVmOption>(damaged, slot, FirstOption(damaged, slot)), nullptr);
  EXPECT_NE(OptionRecord<PpdInputSlotOption>(damaged, slot, FirstOption(damaged, slot)), nullptr);
  PpdOption outside{};
  EXPECT_EQ(OptionRecord<PpdInputSlotOption>(damaged, slot, &outside), nullptr);

  const PpdImage* none = nullptr;
  EXPECT_EQ(String(none, 300), nullptr);
  EXPECT_EQ(Feature(none, 300), nullptr);
  EXPECT_EQ(OrderDependencies(none), nullptr);
  EXPECT_EQ(PpdFindFeature(none, "PageSize"), nullptr);
  EXPECT_EQ(PpdFindOptions(none, "PageSize"), nullptr);
}

TEST_F(PpdImageTest, ImagesOfOneFileAreIdenticalAndSelfContained) {
  const std::u16string path = files_.Write(test::ReadTestData("sample.ppd"));
  test::ImagePtr first(PpdOpen(path.c_str()));
  test::ImagePtr second(PpdOpen(path.c_str()));
  ASSERT_NE(first, nullptr);
  ASSERT_NE(second, nullptr);
  ASSERT_EQ(first->totalSize, second->totalSize);
  EXPECT_EQ(std::memcmp(first.get(), second.get(), first->totalSize), 0);
  // The image no longer needs its file.
  ASSERT_TRUE(std::filesystem::remove(std::filesystem::path(std::u16string_view(path))));
  EXPECT_EQ(Text(first.get(), first->nickName), "Test Colour Laser (PS)");
}

// An image laid out straight into a block of guessed room must be the image measured
// first, byte for byte: whether the room was ample, fell short (the image is then
// measured and laid out again), or came as a kept block that an earlier user dirtied.
TEST(PpdImageLayoutTest, AnImageLaidOutUnmeasuredIsTheMeasuredOne) {
  const std::string fonts =
      "*Font Courier/Courier Font: Standard \"(002.004S)\" Standard ROM\n"
      "*Font Ryumin-Light-83pv-RKSJ-H: RKSJ \"(003.000)\" 83pv ROM\n"
      "*Font GothicBBB-Medium-RKSJ-UserGaiji: RKSJ \"(1)\" Add ROM\n"
      "*Font NotAFont: Standard \"(1)\" Standard ROM\n";
  std::string manyFonts;
  for (int copy = 0; copy < 3; ++copy) manyFonts += fonts;
  const struct {
    const char* label;
    std::string text;
  } files[] = {
      {"sample", test::ReadTestData("sample.ppd")},
      {"fonts only", manyFonts},
      {"header only", "*PPD-Adobe: \"4.3\"\n*NickName: \"A printer\"\n"},
  };
  const std::u16string path = u"/printers/a printer with a long name.ppd";
  constexpr size_t kDirtyBlock = size_t{1} << 15;
  const struct {
    const char* label;
    bool guessed;  // BuildImage's own guess rather than `room`
    size_t room;
  } builds[] = {
      {"the guess, in a dirty kept block", true, 0},
      {"ample room, in a dirty kept block", false, kDirtyBlock},
      {"far too little room", false, 16},
  };
  for (const auto& file : files) {
    SCOPED_TRACE(file.label);
    Parser measuredParse;
    ASSERT_TRUE(ParseBytes(file.text, measuredParse));
    const test::ImagePtr measured(BuildImageWithRoomForTesting(measuredParse, path, 0));
    ASSERT_NE(measured, nullptr);
    for (const auto& build : builds) {
      SCOPED_TRACE(build.label);
      Parser parse;
      ASSERT_TRUE(ParseBytes(file.text, parse));
      // Kept now, so that the image rather than the parse is offered it.
      ReleaseKeptBlocks();
      size_t capacity = 0;
      auto* dirty = static_cast<uint8_t*>(TakeBlock(kDirtyBlock, &capacity));
      ASSERT_NE(dirty, nullptr);
      std::memset(dirty, 0xA5, capacity);
      GiveBlock(dirty, capacity);
      if (build.room < kDirtyBlock && !build.guessed) ReleaseKeptBlocks();  // only the room
      const test::ImagePtr image(build.guessed
                                     ? BuildImage(parse, path)
                                     : BuildImageWithRoomForTesting(parse, path, build.room));
      ASSERT_NE(image, nullptr);
      ASSERT_EQ(image->totalSize, measured->totalSize);
      EXPECT_EQ(std::memcmp(image.get(), measured.get(), measured->totalSize), 0);
    }
  }
}

}  // namespace
}  // namespace kx::ppd
