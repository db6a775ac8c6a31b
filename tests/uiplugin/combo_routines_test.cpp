#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "dialog_fixture.h"
#include "dialog_routines.h"
#include "platform/text.h"
#include "support/code_pages.h"
#include "support/temp_store.h"
#include "support/test_ppd.h"

namespace kx::ui {
namespace {

using namespace host;
using Items = std::vector<std::pair<std::u16string, LRESULT>>;

constexpr int kList = 1100;
constexpr int kSortedList = 1101;

constexpr platform::ControlSpec kControls[] = {
    {.id = kList, .kind = platform::ControlKind::ComboBox, .width = 100, .height = 80,
     .style = CBS_DROPDOWNLIST | WS_VSCROLL},
    {.id = kSortedList, .kind = platform::ControlKind::ComboBox, .y = 20, .width = 100,
     .height = 80, .style = CBS_DROPDOWNLIST | CBS_SORT | WS_VSCROLL},
};
constexpr platform::DialogSpec kSpec = {
    .templateId = 990, .caption = "combo", .width = 200, .height = 120, .controls = kControls};

// "높음", "보통", "Draft" in code page 949.
constexpr TextRow kRows[] = {
    {30, "\xB3\xF4\xC0\xBD"},
    {20, "\xBA\xB8\xC5\xEB"},
    {10, "Draft"},
};

class ComboRoutinesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!codePages_.active()) GTEST_SKIP() << "the system's ANSI code page is not 949";
  }
  test::SystemCodePages codePages_{nullptr, nullptr};
  test::TestDialog dialog_{kSpec};
};

TEST_F(ComboRoutinesTest, FillWithValuesSelectsTheValueOrTheFirstItem) {
  struct Case {
    uint32_t select;
    int index;
  };
  for (const Case c : {Case{20, 1}, Case{10, 2}, Case{99, 0}}) {
    SCOPED_TRACE(c.select);
    EXPECT_EQ(FillComboWithValues(dialog_.get(), kList, kRows, c.select), c.index);
    EXPECT_EQ(dialog_.ComboItems(kList), (Items{{u"높음", 30}, {u"보통", 20}, {u"Draft", 10}}));
    EXPECT_EQ(dialog_.Selection(kList), c.index);
    EXPECT_EQ(SelectedValue(dialog_.get(), kList), c.select == 99 ? 30u : c.select);
  }
}

TEST_F(ComboRoutinesTest, ValuesFollowTheirItemsInASortedList) {
  FillComboWithValues(dialog_.get(), kSortedList, kRows, 30);
  EXPECT_EQ(SelectedValue(dialog_.get(), kSortedList), 30u);
  const int index = SelectByValue(dialog_.get(), kSortedList, 10);
  EXPECT_EQ(dialog_.ComboItems(kSortedList)[static_cast<size_t>(index)].first, u"Draft");
  EXPECT_EQ(SelectedValue(dialog_.get(), kSortedList), 10u);
}

TEST_F(ComboRoutinesTest, SelectedValueOfAnEmptyOrUnselectedList) {
  EXPECT_EQ(SelectedValue(dialog_.get(), kList), 0u);
  FillComboWithValues(dialog_.get(), kList, kRows, 20);
  platform::SendDlgItemMessage(dialog_.get(), kList, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
  EXPECT_EQ(SelectedValue(dialog_.get(), kList), 30u);  // item 0 stands in
}

TEST_F(ComboRoutinesTest, FillByTextSelectsTheWholeMatch) {
  struct Case {
    std::u16string select;
    int index;
  };
  for (const Case& c : {Case{u"보통", 1}, Case{u"DRAFT", 2}, Case{u"Dra", -1}, Case{u"", -1}}) {
    SCOPED_TRACE(platform::Utf16ToUtf8(c.select));
    EXPECT_EQ(FillComboByText(dialog_.get(), kList, kRows, c.select), c.index);
    EXPECT_EQ(dialog_.ComboItems(kList).size(), std::size(kRows));
    EXPECT_EQ(dialog_.Selection(kList), c.index);
  }
}

TEST_F(ComboRoutinesTest, NameInTableIgnoresCase) {
  EXPECT_TRUE(NameInTable(kRows, u"보통"));
  EXPECT_TRUE(NameInTable(kRows, u"dRAFT"));
  EXPECT_FALSE(NameInTable(kRows, u"Draft "));
  EXPECT_FALSE(NameInTable(kRows, u""));
  EXPECT_FALSE(NameInTable({}, u"Draft"));
}

// Fill from a PPD feature: the sample of options a PPD can give, with a feature whose
// keyword begins like "Resolution" ahead of the resolution feature itself.
class PpdComboTest : public ComboRoutinesTest {
 protected:
  void SetUp() override {
    ComboRoutinesTest::SetUp();
    const std::string path = test::WriteTestPpd(
        store_.directory(), "combo.ppd",
        test::PickOneFeature("ResolutionBoost", "On", {"On/Boost on", "Off/Boost off"}) +
            test::PickOneFeature("Resolution", "600x600dpi",
                                 {"300dpi/300 dpi", "600x600dpi/600 dpi", "1200dpi/1200 dpi"}) +
            test::PickOneFeature("TestHalftone", "Screen",
                                 {"Screen/<C8ADB8E9>", "screenLow/low", "Diffusion"}));
    ppd_.reset(ppd::PpdOpen(platform::Utf8ToUtf16(path).c_str()));
    ASSERT_NE(ppd_, nullptr);
  }
  struct Close {
    void operator()(const ppd::PpdImage* image) const { ppd::PpdClose(image); }
  };
  test::TempStore store_;
  std::unique_ptr<const ppd::PpdImage, Close> ppd_;
};

TEST_F(PpdComboTest, ShowsTheOptionsThePairsName) {
  constexpr settings::NameRow kResolutionPairs[] = {{7, "600"}, {9, "1200"}, {0, ""}, {5, "300"}};
  constexpr settings::NameRow kHalftonePairs[] = {{3, "Screen"}, {4, "Diffusion"}, {8, "D"}};
  struct Case {
    const char* keyword;
    settings::NameTable pairs;
    uint32_t select;
    Items items;
    int selection;
  };
  const Case cases[] = {
      // The resolution feature itself, never the feature that merely begins like it; the
      // pairs end at the empty prefix.
      {"Resolution", kResolutionPairs, 9, {{u"600 dpi", 7}, {u"1200 dpi", 9}}, 1},
      {"Resolution", kResolutionPairs, 5, {{u"600 dpi", 7}, {u"1200 dpi", 9}}, 0},
      // Case counts; the first matching pair gives the value; no translation: the keyword.
      {"TestHalftone", kHalftonePairs, 4, {{u"화면", 3}, {u"Diffusion", 4}}, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.keyword);
    HWND combo = dialog_.item(kList);
    EXPECT_TRUE(FillComboFromPpdFeature(combo, ppd_.get(), c.keyword, c.pairs, c.select));
    EXPECT_EQ(dialog_.ComboItems(kList), c.items);
    EXPECT_EQ(dialog_.Selection(kList), c.selection);
    EXPECT_TRUE(platform::IsWindowEnabled(combo));
  }
}

TEST_F(PpdComboTest, AMissingFeatureDisablesTheList) {
  constexpr settings::NameRow kPairs[] = {{1, "On"}};
  HWND combo = dialog_.item(kList);
  FillComboWithValues(dialog_.get(), kList, kRows, 0);
  EXPECT_FALSE(FillComboFromPpdFeature(combo, ppd_.get(), "Smoothing", kPairs, 1));
  EXPECT_TRUE(dialog_.ComboItems(kList).empty());
  EXPECT_FALSE(platform::IsWindowEnabled(combo));
}

TEST_F(PpdComboTest, WithoutAPpdTheListStaysEmpty) {
  constexpr settings::NameRow kPairs[] = {{1, "On"}};
  HWND combo = dialog_.item(kList);
  FillComboWithValues(dialog_.get(), kList, kRows, 0);
  EXPECT_TRUE(FillComboFromPpdFeature(combo, nullptr, "Resolution", kPairs, 1));
  EXPECT_TRUE(dialog_.ComboItems(kList).empty());
  EXPECT_TRUE(platform::IsWindowEnabled(combo));
}

}  // namespace
}  // namespace kx::ui
