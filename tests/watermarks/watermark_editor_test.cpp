// The watermark editor driven as a user drives it, over the platform's dialog services:
// what it shows of the job's watermark, what enters the record when a box is left, what
// Save refuses and stores, colours and their shade, Defaults, the font list and help.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "dialog_driver.h"
#include "module_state.h"
#include "page_set.h"
#include "platform/shell.h"
#include "platform/text.h"
#include "platform/win32_errors.h"
#include "settings/record_ops.h"
#include "settings/record_text.h"
#include "support/code_pages.h"
#include "support/temp_store.h"
#include "support/test_ppd.h"
#include "watermarks/editor_layout.h"
#include "watermarks/editor_state.h"
#include "watermarks/watermark_editor.h"
#include "watermarks/watermark_store.h"

namespace kx::ui {
namespace {

using namespace host;
using namespace editor;
using settings::WatermarkRecord;
using test::DialogDriver;

// The texts a user reads in the balloon.
constexpr char16_t kNameAndText[] = u"워터마크 이름과 텍스트는 적어도 한 개의 문자를 포함해야 합니다.";
constexpr char16_t kPredefinedName[] = u"미리 정의된 워터마크 이름을 복사할 수 없습니다.";
constexpr char16_t kSizeRange[] = u"범위 값은 4 와 350 사이여야 합니다";
constexpr char16_t kAngleRange[] = u"범위 값은 0 와 360 사이여야 합니다";
constexpr char16_t kShadeRange[] = u"범위 값은 0 와 100 사이여야 합니다";
constexpr char16_t kXRange[] = u"범위 값은 -306 와 306 사이여야 합니다";
constexpr char16_t kYRange[] = u"범위 값은 -396 와 396 사이여야 합니다";

constexpr LRESULT kRed = 3;
constexpr LRESULT kGreen = 2;
constexpr LRESULT kBlack = 0;

std::string Utf8(std::u16string_view text) { return platform::Utf16ToUtf8(text); }
std::u16string Number(int32_t value) { return platform::Utf8ToUtf16(std::to_string(value)); }

// Every field, so that a difference names itself.
std::string Describe(const WatermarkRecord& r) {
  std::ostringstream out;
  out << "name=" << Utf8(settings::FieldText(r.name)) << " text=" << Utf8(settings::FieldText(r.text))
      << " font=" << Utf8(settings::FieldText(r.fontName)) << " enabled=" << r.enabled
      << " firstPage=" << r.firstPageOnly << " colour=" << r.colourFlag << "/" << r.shadeOrColour
      << " fontIndex=" << r.fontIndex << " size=" << r.fontSize << " offset=" << r.offsetX << ","
      << r.offsetY << " angle=" << r.angle << " background=" << r.background
      << " outline=" << r.outlineOnly;
  return out.str();
}

// The new-record default under a name, as the library gives a name it does not hold.
WatermarkRecord Named(std::u16string_view name) {
  WatermarkRecord record = NewWatermarkRecord();
  settings::StoreText(record.name, name);
  settings::StoreText(record.text, name);
  return record;
}

test::ShownBalloon BalloonNow(const DialogDriver& driver) {
  return test::BalloonShown(BalloonOf(driver.dialog()));
}

class WatermarkEditorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    settings::SetRecordDefaults(settings_.get(), nullptr);
    EditorState() = WatermarkEditorState{};
    param_.cbSize = sizeof(param_);
    param_.pPrinterName = printer_.data();
    param_.pOEMDM = settings_.get();
    context_.commonUi = &param_;
  }
  void TearDown() override {
    UseNoPpd();
    EditorState() = WatermarkEditorState{};
  }

  // Each test its own printer, so that its library is its own on every system.
  static std::u16string PrinterOfThisTest() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    return platform::Utf8ToUtf16(std::string("Editor ") + info->name());
  }

  void UsePpd(bool colour, const std::vector<std::string>& fonts = {"Courier"}) {
    UseNoPpd();
    std::string body = std::string("*ColorDevice: ") + (colour ? "True" : "False") + "\n";
    for (const std::string& font : fonts) {
      body += "*Font " + font + ": Standard \"(001.000)\" Standard ROM\n";
    }
    const std::string path = test::WriteTestPpd(store_.directory(), "editor.ppd", body);
    ppd_ = ppd::PpdOpen(platform::Utf8ToUtf16(path).c_str());
    ASSERT_NE(ppd_, nullptr);
    ASSERT_EQ(ppd_->colorDevice != 0, colour);
    context_.ppd = ppd_;
  }
  void UseNoPpd() {
    if (ppd_ != nullptr) ppd::PpdClose(ppd_);
    ppd_ = nullptr;
    context_.ppd = nullptr;
  }

  // Opens the editor with `script` as its user; the Help button takes the focus when a
  // box is left (it does nothing on taking it).
  INT_PTR Edit(const test::ModalScript::Script& script) {
    test::ModalScript modal(kHelpButton, script);
    const INT_PTR result = ShowWatermarkEditor(nullptr, &context_);
    EXPECT_EQ(modal.runs(), 1);
    return result;
  }

  WatermarkRecord& watermark() { return settings_->watermark; }
  void Start(const WatermarkRecord& record) { watermark() = record; }
  WatermarkRecord Stored(std::u16string_view name) { return LoadWatermark(name, printer_); }

  // Whether the system converts the code page 949 texts (the messages and the predefined
  // names) as the plug-in's home system does.
  bool korean() const { return codePages_.active(); }
  void ExpectBalloon(const DialogDriver& driver, int box, const char16_t* message) {
    const test::ShownBalloon balloon = BalloonNow(driver);
    EXPECT_EQ(balloon.at, box);
    if (korean() && message != nullptr) {
      EXPECT_EQ(balloon.text, message);
    }
  }

  test::TempStore store_;
  test::SystemCodePages codePages_{nullptr, nullptr};
  std::unique_ptr<settings::PrivateRecord> settings_ = std::make_unique<settings::PrivateRecord>();
  std::u16string printer_ = PrinterOfThisTest();
  OEMCUIPPARAM param_{};
  PageSetContext context_;
  const ppd::PpdImage* ppd_ = nullptr;
};

TEST_F(WatermarkEditorTest, ShowsTheWatermarkOfTheJob) {
  WatermarkRecord record = Named(u"Mine");
  settings::StoreText(record.text, u"Secret");
  record.fontSize = 99;
  record.angle = 30;
  record.shadeOrColour = 70;
  record.background = 0;
  record.outlineOnly = 1;
  Start(record);
  EXPECT_EQ(Edit([](DialogDriver& d) {
              EXPECT_EQ(d.Text(kNameBox), u"Mine");
              EXPECT_FALSE(d.Enabled(kNameBox)) << "a saved watermark keeps its name";
              EXPECT_EQ(d.Text(kTextBox), u"Secret");
              EXPECT_EQ(d.Text(kSizeBox), u"99");
              EXPECT_EQ(d.Text(kAngleBox), u"30");
              EXPECT_EQ(d.Text(kShadeBox), u"70");
              EXPECT_TRUE(d.Enabled(kShadeBox));
              EXPECT_FALSE(d.Checked(kBackgroundCheck));
              EXPECT_TRUE(d.Checked(kOutlineCheck));
              d.Click(kCancelButton);
            }),
            kEditorCancelled);
  // A new watermark's name can be typed.
  Start(NewWatermarkRecord());
  Edit([](DialogDriver& d) {
    EXPECT_TRUE(d.Enabled(kNameBox));
    d.Click(kCancelButton);
  });
}

TEST_F(WatermarkEditorTest, CentredOnlyWithoutAnyOffset) {
  const struct {
    int32_t x, y;
    bool centred;
  } cases[] = {{0, 0, true}, {0, 5, false}, {7, 0, false}, {-306, 396, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.x << "," << c.y);
    WatermarkRecord record = Named(u"Pos");
    record.offsetX = c.x;
    record.offsetY = c.y;
    Start(record);
    Edit([&](DialogDriver& d) {
      EXPECT_EQ(d.Checked(kCentreRadio), c.centred);
      EXPECT_EQ(d.Checked(kRelativeRadio), !c.centred);
      EXPECT_EQ(d.Text(kXBox), Number(c.x));
      EXPECT_EQ(d.Text(kYBox), Number(c.y));
      for (const int id : kPositionGroup) EXPECT_EQ(d.Enabled(id), !c.centred) << id;
      d.Click(kCancelButton);
    });
  }
}

TEST_F(WatermarkEditorTest, ANumberEntersTheRecordWhenItsBoxIsLeftInRange) {
  struct Case {
    const char* name;
    int box;
    const char16_t* typed;
    int32_t WatermarkRecord::*field;
    int32_t expected;
    const char16_t* message;  // null: accepted
  };
  const Case cases[] = {
      {"size 351", kSizeBox, u"351", &WatermarkRecord::fontSize, 72, kSizeRange},
      {"size 350", kSizeBox, u"350", &WatermarkRecord::fontSize, 350, nullptr},
      {"size 4", kSizeBox, u"4", &WatermarkRecord::fontSize, 4, nullptr},
      {"size 3", kSizeBox, u"3", &WatermarkRecord::fontSize, 72, kSizeRange},
      {"size left empty", kSizeBox, u"", &WatermarkRecord::fontSize, 72, kSizeRange},
      {"angle 360", kAngleBox, u"360", &WatermarkRecord::angle, 360, nullptr},
      {"angle 361", kAngleBox, u"361", &WatermarkRecord::angle, 45, kAngleRange},
      {"shade 0", kShadeBox, u"0", &WatermarkRecord::shadeOrColour, 0, nullptr},
      {"shade 101", kShadeBox, u"101", &WatermarkRecord::shadeOrColour, 50, kShadeRange},
      {"x -306", kXBox, u"-306", &WatermarkRecord::offsetX, -306, nullptr},
      {"x -307", kXBox, u"-307", &WatermarkRecord::offsetX, 1, kXRange},
      {"x read up to a letter", kXBox, u"7a", &WatermarkRecord::offsetX, 7, nullptr},
      {"y 396", kYBox, u"396", &WatermarkRecord::offsetY, 396, nullptr},
      {"y -397", kYBox, u"-397", &WatermarkRecord::offsetY, 1, kYRange},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    WatermarkRecord record = Named(u"Numbers");
    record.offsetX = 1;  // relative, so that x and y can be typed
    record.offsetY = 1;
    Start(record);
    Edit([&](DialogDriver& d) {
      d.Enter(c.box, c.typed);
      ExpectBalloon(d, c.message != nullptr ? c.box : 0, c.message);
      d.Click(kCancelButton);
    });
    EXPECT_EQ(watermark().*(c.field), c.expected);
  }
}

TEST_F(WatermarkEditorTest, TheBalloonStaysUntilABoxOrTheFontListIsLeft) {
  UsePpd(true);
  Start(NewWatermarkRecord());
  Edit([&](DialogDriver& d) {
    d.Type(kTextBox, u"Secret");
    d.Click(kSaveButton);
    ExpectBalloon(d, kNameBox, kNameAndText);
    d.Click(kBackgroundCheck);
    d.ChooseData(kColourList, kRed);
    ExpectBalloon(d, kNameBox, kNameAndText);
    d.Visit(kFontList);
    ExpectBalloon(d, 0, nullptr);
    d.Enter(kSizeBox, u"351");
    ExpectBalloon(d, kSizeBox, kSizeRange);
    d.Enter(kAngleBox, u"90");
    ExpectBalloon(d, 0, nullptr);
    d.Click(kCancelButton);
  });
}

TEST_F(WatermarkEditorTest, SaveRefusesWhatABoxHoldsAndStaysOpen) {
  struct Case {
    const char* name;
    std::vector<std::pair<int, std::u16string>> entries;
    int box;
    const char16_t* message;
    bool needsKorean = false;
  };
  const std::vector<std::pair<int, std::u16string>> named = {{kNameBox, u"Draft"},
                                                             {kTextBox, u"Secret"}};
  const auto with = [&](int box, std::u16string text) {
    auto entries = named;
    entries.emplace_back(box, std::move(text));
    return entries;
  };
  const Case cases[] = {
      {"Add with an empty name", {{kTextBox, u"Secret"}}, kNameBox, kNameAndText},
      {"empty name and a bad size: the name first",
       {{kTextBox, u"Secret"}, {kSizeBox, u"351"}}, kNameBox, kNameAndText},
      {"Add with a predefined name", {{kNameBox, u"대외비"}, {kTextBox, u"Secret"}}, kNameBox,
       kPredefinedName, true},
      {"empty text", {{kNameBox, u"Draft"}}, kTextBox, kNameAndText},
      {"size 351", with(kSizeBox, u"351"), kSizeBox, kSizeRange},
      {"angle 361", with(kAngleBox, u"361"), kAngleBox, kAngleRange},
      {"shade 101", with(kShadeBox, u"101"), kShadeBox, kShadeRange},
      {"x -307", with(kXBox, u"-307"), kXBox, kXRange},
      {"y 397", with(kYBox, u"397"), kYBox, kYRange},
      {"a bad size and x: the size first",
       {{kNameBox, u"Draft"}, {kTextBox, u"Secret"}, {kXBox, u"-307"}, {kSizeBox, u"351"}},
       kSizeBox, kSizeRange},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    if (c.needsKorean && !korean()) continue;
    Start(NewWatermarkRecord());
    std::u16string name;
    EXPECT_EQ(Edit([&](DialogDriver& d) {
                d.Click(kRelativeRadio);
                for (const auto& [box, text] : c.entries) d.Enter(box, text);
                name = d.Text(kNameBox);
                d.Click(kSaveButton);
                ExpectBalloon(d, c.box, c.message);
                EXPECT_TRUE(d.Open());
                d.Click(kCancelButton);
              }),
              kEditorCancelled);
    if (!name.empty()) {
      EXPECT_EQ(Describe(Stored(name)), Describe(Named(name))) << "stored";
    }
  }
}

TEST_F(WatermarkEditorTest, SaveStoresTheRecordAsItsBoxesWereLeft) {
  UsePpd(true, {"Courier", "Times-Roman", "Helvetica"});
  Start(NewWatermarkRecord());
  WatermarkRecord expected = NewWatermarkRecord();
  EXPECT_EQ(Edit([&](DialogDriver& d) {
              d.Enter(kNameBox, u"Draft");
              d.Enter(kTextBox, u"Secret copy");
              d.Enter(kSizeBox, u"99");
              d.Enter(kAngleBox, u"30");
              d.Enter(kShadeBox, u"20");
              d.Click(kRelativeRadio);
              d.Enter(kXBox, u"-306");
              d.Enter(kYBox, u"12");
              d.Click(kBackgroundCheck);
              d.Click(kOutlineCheck);
              const std::vector<std::u16string> fonts = d.Items(kFontList);
              const auto times = std::find(fonts.begin(), fonts.end(), u"Times-Roman");
              ASSERT_NE(times, fonts.end());
              d.Focus(kFontList);
              d.Choose(kFontList, static_cast<int>(times - fonts.begin()));
              d.Leave();
              expected.fontIndex = static_cast<int32_t>(times - fonts.begin());
              d.Click(kSaveButton);
            }),
            kEditorSaved);
  settings::StoreText(expected.name, u"Draft");
  settings::StoreText(expected.text, u"Secret copy");
  settings::StoreText(expected.fontName, u"Times-Roman");
  expected.fontSize = 99;
  expected.angle = 30;
  expected.shadeOrColour = 20;
  expected.offsetX = -306;
  expected.offsetY = 12;
  expected.background = 0;
  expected.outlineOnly = 1;
  EXPECT_EQ(Describe(watermark()), Describe(expected));
  EXPECT_EQ(Describe(Stored(u"Draft")), Describe(expected));
}

// The Enter key saves without the focus leaving the box: what was typed there is saved
// too, and a number out of range there is refused as if the box had been left.
TEST_F(WatermarkEditorTest, SaveByEnterTakesTheBoxThatHasTheFocus) {
  Start(NewWatermarkRecord());
  EXPECT_EQ(Edit([&](DialogDriver& d) {
              d.Enter(kNameBox, u"Typed");
              d.Enter(kTextBox, u"Old");
              d.Type(kSizeBox, u"351");
              d.Command(kSaveButton);
              ExpectBalloon(d, kSizeBox, kSizeRange);
              EXPECT_TRUE(d.Open());
              d.Type(kSizeBox, u"80");
              d.Focus(kTextBox);
              d.Type(kTextBox, u"Just typed");
              d.Command(kSaveButton);
            }),
            kEditorSaved);
  EXPECT_EQ(settings::FieldText(Stored(u"Typed").text), u"Just typed");
  EXPECT_EQ(Stored(u"Typed").fontSize, 80);
}

TEST_F(WatermarkEditorTest, EditOfASavedPredefinedWatermarkSavesItUnderItsName) {
  if (!korean()) GTEST_SKIP() << "the predefined names are code page 949 texts";
  Start(Named(u"대외비"));
  EXPECT_EQ(Edit([](DialogDriver& d) {
              EXPECT_FALSE(d.Enabled(kNameBox));
              d.Enter(kSizeBox, u"80");
              d.Click(kSaveButton);
            }),
            kEditorSaved);
  WatermarkRecord expected = Named(u"대외비");
  expected.fontSize = 80;
  EXPECT_EQ(Describe(Stored(u"대외비")), Describe(expected));
}

TEST_F(WatermarkEditorTest, AStoreThatFailsIsToldAndTheEditorStaysOpen) {
  // No store takes a key name this long.
  printer_ = std::u16string(300, u'P');
  param_.pPrinterName = printer_.data();
  Start(Named(u"Draft"));
  test::MessageBoxLog boxes;
  EXPECT_EQ(Edit([&](DialogDriver& d) {
              d.Click(kSaveButton);
              EXPECT_TRUE(d.Open());
              ASSERT_EQ(boxes.boxes().size(), 1u);
              EXPECT_EQ(boxes.boxes()[0].text, u"워터마크를 저장할 수 없습니다.");
              EXPECT_EQ(boxes.boxes()[0].caption, u"워터마크");
              EXPECT_EQ(boxes.boxes()[0].type & MB_ICONERROR, MB_ICONERROR);
              d.Click(kCancelButton);
            }),
            kEditorCancelled);
}

TEST_F(WatermarkEditorTest, CancelAndEscapeLeaveWhatWasTakenAndStoreNothing) {
  const struct {
    const char* name;
    bool escape;
    INT_PTR result;
  } cases[] = {{"Cancel", false, kEditorCancelled}, {"Escape", true, kEditorClosed}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Start(Named(u"Kept"));
    EXPECT_EQ(Edit([&](DialogDriver& d) {
                d.Enter(kSizeBox, u"99");
                c.escape ? d.Command(IDCANCEL) : d.Click(kCancelButton);
              }),
              c.result);
    EXPECT_EQ(watermark().fontSize, 99);
    EXPECT_EQ(Describe(Stored(u"Kept")), Describe(Named(u"Kept")));
  }
}

TEST_F(WatermarkEditorTest, BlackComesBackWithTheShadeItHadBeforeAColour) {
  UsePpd(true);
  Start(Named(u"Tint"));
  Edit([&](DialogDriver& d) {
    std::vector<LRESULT> codes = d.ItemData(kColourList);
    std::sort(codes.begin(), codes.end());
    EXPECT_EQ(codes, (std::vector<LRESULT>{0, 1, 2, 3, 4}));
    EXPECT_TRUE(d.Enabled(kColourList));
    if (korean()) {
      EXPECT_EQ(d.Items(kColourList),
                (std::vector<std::u16string>{u"검정색", u"노란색", u"빨강", u"초록색", u"파랑색"}));
    }
    d.Enter(kShadeBox, u"30");
    ASSERT_TRUE(d.ChooseData(kColourList, kRed));
    EXPECT_EQ(watermark().colourFlag, 1u);
    EXPECT_EQ(watermark().shadeOrColour, kRed);
    EXPECT_FALSE(d.Enabled(kShadeBox));
    ASSERT_TRUE(d.ChooseData(kColourList, kGreen));
    EXPECT_EQ(watermark().shadeOrColour, kGreen);
    EXPECT_EQ(EditorState().savedShade, 30);
    ASSERT_TRUE(d.ChooseData(kColourList, kBlack));
    EXPECT_EQ(watermark().colourFlag, 0u);
    EXPECT_EQ(watermark().shadeOrColour, 30);
    EXPECT_TRUE(d.Enabled(kShadeBox));
    EXPECT_EQ(d.Text(kShadeBox), u"30");
    d.Click(kCancelButton);
  });
}

TEST_F(WatermarkEditorTest, AColourOpensAsItIsWhereColourPrints) {
  UsePpd(true);
  EditorState().savedShade = 40;
  WatermarkRecord record = Named(u"Red");
  record.colourFlag = 1;
  record.shadeOrColour = kRed;
  Start(record);
  Edit([](DialogDriver& d) {
    ASSERT_GE(d.Selection(kColourList), 0);
    EXPECT_EQ(d.ItemData(kColourList)[static_cast<size_t>(d.Selection(kColourList))], kRed);
    EXPECT_EQ(d.Text(kShadeBox), u"40");
    EXPECT_FALSE(d.Enabled(kShadeBox));
    d.Click(kCancelButton);
  });
  EXPECT_EQ(Describe(watermark()), Describe(record));
}

TEST_F(WatermarkEditorTest, AColourOpensBlackWhereColourDoesNotPrint) {
  enum class Printer { kNoPpd, kMonochrome, kColour };
  const int32_t firstShade = NewWatermarkRecord().shadeOrColour;
  const struct {
    const char* name;
    Printer printer;
    uint8_t colorMode;
    int32_t savedShade;
    int32_t shade;
  } cases[] = {
      {"monochrome printer", Printer::kMonochrome, 2, 40, 40},
      {"grayscale job", Printer::kColour, 1, 40, 40},
      {"no PPD", Printer::kNoPpd, 2, 40, 40},
      {"first opening", Printer::kMonochrome, 2, WatermarkEditorState::kShadeUnset, firstShade},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    if (c.printer == Printer::kNoPpd) {
      UseNoPpd();
    } else {
      UsePpd(c.printer == Printer::kColour);
    }
    settings_->colorMode = c.colorMode;
    EditorState().savedShade = c.savedShade;
    WatermarkRecord record = Named(u"Red");
    record.colourFlag = 1;
    record.shadeOrColour = kRed;
    Start(record);
    Edit([&](DialogDriver& d) {
      EXPECT_EQ(d.ItemData(kColourList), std::vector<LRESULT>{kBlack});
      if (korean()) {
        EXPECT_EQ(d.Items(kColourList), std::vector<std::u16string>{u"검정색"});
      }
      EXPECT_EQ(d.Selection(kColourList), 0);
      EXPECT_FALSE(d.Enabled(kColourList));
      EXPECT_EQ(d.Text(kShadeBox), Number(c.shade));
      EXPECT_TRUE(d.Enabled(kShadeBox));
      if (c.printer == Printer::kNoPpd) {
        EXPECT_TRUE(d.Items(kFontList).empty()) << "fonts come from the PPD";
      }
      d.Click(kCancelButton);
    });
    EXPECT_EQ(watermark().colourFlag, 0u);
    EXPECT_EQ(watermark().shadeOrColour, c.shade);
    EXPECT_EQ(EditorState().savedShade, c.shade);
  }
}

TEST_F(WatermarkEditorTest, DefaultsGoBackToTheFactoryOrTheLastSavedVersion) {
  struct Case {
    const char* name;
    std::u16string watermarkName;
    bool storedFirst;  // a changed version of the watermark is in the library
    WatermarkRecord expected;
    bool needsKorean = false;
  };
  WatermarkRecord saved = Named(u"Mine");
  settings::StoreText(saved.text, u"Stored");
  saved.fontSize = 99;
  saved.angle = 10;
  saved.offsetX = 5;
  saved.offsetY = -5;
  saved.outlineOnly = 1;
  const Case cases[] = {
      {"a predefined watermark, even one saved changed", u"교정", true, Named(u"교정"), true},
      {"a saved user watermark", u"Mine", true, saved},
      {"a user watermark never saved", u"Nobody", false, Named(u"Nobody")},
      {"a new watermark", u"", false, NewWatermarkRecord()},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    if (c.needsKorean && !korean()) continue;
    WatermarkRecord changed = c.watermarkName == u"Mine" ? saved : Named(c.watermarkName);
    settings::StoreText(changed.text, u"Changed");
    changed.fontSize = 200;
    changed.background = 0;
    if (c.storedFirst) {
      WatermarkRecord stored = c.watermarkName == u"Mine" ? saved : changed;
      ASSERT_EQ(StoreWatermark(stored, printer_), platform::kErrorSuccess)
          << "waits on the watermark library";
    }
    Start(changed);
    Edit([&](DialogDriver& d) {
      if (c.watermarkName.empty()) d.Enter(kNameBox, u"Typed");
      d.Click(kDefaultsButton);
      EXPECT_EQ(d.Text(kNameBox), settings::FieldText(c.expected.name));
      EXPECT_EQ(d.Text(kTextBox), settings::FieldText(c.expected.text));
      EXPECT_EQ(d.Text(kSizeBox), Number(c.expected.fontSize));
      EXPECT_EQ(d.Checked(kBackgroundCheck), c.expected.background != 0);
      EXPECT_EQ(d.Checked(kCentreRadio), c.expected.offsetX == 0 && c.expected.offsetY == 0);
      d.Click(kCancelButton);
    });
    EXPECT_EQ(Describe(watermark()), Describe(c.expected));
  }
}

// Defaults bring back a saved colour watermark; where colour does not print it comes
// back black, as it opened.
TEST_F(WatermarkEditorTest, DefaultsWhereColourDoesNotPrintGiveBlack) {
  UsePpd(false);
  EditorState().savedShade = 40;
  WatermarkRecord red = Named(u"Red");
  red.colourFlag = 1;
  red.shadeOrColour = kRed;
  ASSERT_EQ(StoreWatermark(red, printer_), platform::kErrorSuccess);
  Start(red);
  Edit([&](DialogDriver& d) {
    d.Click(kDefaultsButton);
    EXPECT_EQ(d.Selection(kColourList), 0);
    EXPECT_EQ(d.Text(kShadeBox), Number(40));
    EXPECT_TRUE(d.Enabled(kShadeBox));
    d.Click(kCancelButton);
  });
  EXPECT_EQ(watermark().colourFlag, 0u);
  EXPECT_EQ(watermark().shadeOrColour, 40);
}

TEST_F(WatermarkEditorTest, TheFontIsFoundByTheBeginningOfItsName) {
  UsePpd(true, {"Times-Roman", "Courier-Bold", "Courier", "Helvetica"});
  const struct {
    const char16_t* font;
    const char16_t* selected;  // empty: none
  } cases[] = {{u"Courier", u"Courier"},
               {u"courier-b", u"Courier-Bold"},
               {u"Helv", u"Helvetica"},
               {u"Palatino-Roman", u""},
               {u"", u""}};
  for (const auto& c : cases) {
    SCOPED_TRACE(Utf8(c.font));
    WatermarkRecord record = Named(u"Font");
    settings::StoreText(record.fontName, c.font);
    record.fontIndex = 7;
    Start(record);
    int selection = -2;
    Edit([&](DialogDriver& d) {
      EXPECT_EQ(d.Items(kFontList), (std::vector<std::u16string>{u"Courier", u"Courier-Bold",
                                                                 u"Helvetica", u"Times-Roman"}));
      selection = d.Selection(kFontList);
      EXPECT_EQ(d.SelectedText(kFontList), c.selected);
      d.Visit(kFontList);
      d.Click(kCancelButton);
    });
    EXPECT_EQ(selection < 0, std::u16string_view(c.selected).empty());
    EXPECT_EQ(watermark().fontIndex, selection < 0 ? -1 : selection);
    // Without a font chosen the record keeps its own.
    EXPECT_EQ(settings::FieldText(watermark().fontName), *c.selected != u'\0' ? c.selected : c.font);
  }
}

TEST_F(WatermarkEditorTest, CentreClearsTheOffsetsAndRelativeTakesThemWhenLeft) {
  WatermarkRecord record = Named(u"Pos");
  record.offsetX = 10;
  record.offsetY = -20;
  Start(record);
  Edit([&](DialogDriver& d) {
    d.Click(kCentreRadio);
    EXPECT_EQ(watermark().offsetX, 0);
    EXPECT_EQ(watermark().offsetY, 0);
    for (const int id : kPositionGroup) EXPECT_FALSE(d.Enabled(id)) << id;
    EXPECT_EQ(d.Text(kXBox), u"10");
    d.Click(kRelativeRadio);
    for (const int id : kPositionGroup) EXPECT_TRUE(d.Enabled(id)) << id;
    EXPECT_EQ(watermark().offsetX, 0);
    d.Visit(kXBox);
    EXPECT_EQ(watermark().offsetX, 10);
    EXPECT_EQ(watermark().offsetY, 0);
    d.Click(kCancelButton);
  });
}

TEST_F(WatermarkEditorTest, BoxesTakeNoMoreThanTheirFieldsHold) {
  const struct {
    int box;
    std::u16string typed;
    std::u16string shown;
  } cases[] = {
      {kNameBox, std::u16string(40, u'a'), std::u16string(31, u'a')},
      {kTextBox, std::u16string(70, u'b'), std::u16string(63, u'b')},
      {kSizeBox, u"1234", u"123"},
      {kShadeBox, u"5a0", u"50"},
      {kXBox, u"-3066", u"-306"},
  };
  Start(NewWatermarkRecord());
  Edit([&](DialogDriver& d) {
    d.Click(kRelativeRadio);
    for (const auto& c : cases) {
      SCOPED_TRACE(c.box);
      d.Type(c.box, c.typed);
      EXPECT_EQ(d.Text(c.box), c.shown);
    }
    d.Click(kCancelButton);
  });
}

TEST_F(WatermarkEditorTest, HelpForTheEditorAndItsControls) {
  std::vector<std::u16string> pages;
  platform::SetPageReceiver(
      [](void* context, const std::u16string& page) {
        static_cast<std::vector<std::u16string>*>(context)->push_back(page);
        return true;
      },
      &pages);
  std::vector<std::vector<platform::MenuItem>> menus;
  platform::SetMenuResponder(
      [](void* context, const std::vector<platform::MenuItem>& items) -> UINT {
        static_cast<std::vector<std::vector<platform::MenuItem>>*>(context)->push_back(items);
        return 0;
      },
      &menus);
  const auto helpOn = [](const DialogDriver& d, int id) {
    HELPINFO info{};
    info.cbSize = sizeof(info);
    info.iContextType = HELPINFO_WINDOW;
    info.iCtrlId = id;
    info.hItemHandle = d.Control(id);
    platform::SendMessage(d.dialog(), WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
  };
  Start(NewWatermarkRecord());
  Edit([&](DialogDriver& d) {
    d.Click(kHelpButton);
    helpOn(d, kSizeBox);
    helpOn(d, kXLabel);  // a label has no topic
    platform::SendMessage(d.dialog(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(d.Control(kXSpin)),
                          MakeLParam(10, 10));
    platform::SendMessage(d.dialog(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(d.dialog()),
                          MakeLParam(10, 10));
    EXPECT_TRUE(d.Open());
    d.Click(kCancelButton);
  });
  platform::SetPageReceiver(nullptr, nullptr);
  platform::SetMenuResponder(nullptr, nullptr);
  const std::u16string root = Module().HelpRoot();
  EXPECT_EQ(pages, (std::vector<std::u16string>{root + u"107.html", root + u"1224.html",
                                                root + u"1237.html"}));
  ASSERT_EQ(menus.size(), 1u);
  ASSERT_EQ(menus[0].size(), 1u);
  EXPECT_EQ(menus[0][0].command, kAboutCommand);
}

TEST_F(WatermarkEditorTest, NothingToEditWithoutASettingsRecord) {
  context_.commonUi = nullptr;
  test::ModalScript modal(kHelpButton, [](DialogDriver& d) { d.Click(kSaveButton); });
  EXPECT_EQ(ShowWatermarkEditor(nullptr, &context_), kEditorCancelled);
  EXPECT_EQ(modal.runs(), 0);
}

}  // namespace
}  // namespace kx::ui
