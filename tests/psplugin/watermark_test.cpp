// The watermark text the plug-in writes at each injection point, byte for byte.
#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "host/oemps.h"
#include "hostsim/document_copier.h"
#include "settings/record_text.h"
#include "support/code_pages.h"
#include "support/loaded_plugin.h"

namespace kx::ps {
namespace {

using hostsim::DeviceModeSettings;
using settings::StoreText;

using namespace host;

constexpr char kGrayModel[] = "<</ProcessColorModel /DeviceGray >>setpagedevice\r\n";

// The procedure of the job default watermark (enabled) in portrait 1-up, as the prolog
// holds it after the colour model. `text` goes between "<" and ">".
std::string DefaultProcedure(const std::string& text) {
  return "userdict /DrawWaterMark { userdict begin "
         "/gh {gsave newpath 0 0 moveto false charpath flattenpath pathbbox exch pop 3 -1 roll pop grestore } def\r\n"
         "/Watermark <" + text + "> def /FontSize 72 def /Font /Courier def /OffsetX 0 def /OffsetY 0 def\r\n"
         "/WaterMarkColor {.50 .50 .50 setrgbcolor} bind def "
         "gsave "
         "Font findfont FontSize scalefont setfont "
         "currentpagedevice /PageSize get aload pop \r\n"
         "/MaxY exch def /MaxX exch def \r\n"
         "//userdict /nupangle known { //userdict /nupangle get exec -90 eq { 90 rotate MaxY MaxX sub 2 div MaxY MaxX add 2 div neg translate } if } if\r\n"
         "WaterMarkColor MaxX 2 div OffsetX add MaxY 2 div OffsetY add \r\n"
         "Watermark dup dup length /StrLen exch def stringwidth pop dup StrLen div 2 div dup /YOriginAdjust exch def Angle sin mul /XOriginAdjust exch def 2 div dup /strlen exch def 4 -1 roll exch Angle \r\n"
         "cos mul sub 3 -1 roll 2 index gh exch pop 2 div sub strlen Angle sin mul sub exch XOriginAdjust add exch YOriginAdjust dup Angle cos mul sub add moveto "
         "Angle rotate show grestore"
         " end } put\r\n";
}

std::string Invocation(int angle) {
  return "/Angle " + std::to_string(angle) +
         " def\r\n//userdict /DrawWaterMark known { //userdict /DrawWaterMark get exec } if\r\n";
}

class WatermarkTest : public test::LoadedPluginTest {
 protected:
  // A device whose job prints the default watermark with `text`.
  void Start(const DeviceModeSettings& mode = {}, const char16_t* text = u"DRAFT") {
    Device(mode);
    record().watermark.enabled = 1;
    StoreText(record().watermark.text, text);
  }
  // The prolog's watermark part (what follows the colour model).
  std::string Procedure() {
    const std::string prolog = At(PSINJECT_BEGINPROLOG);
    EXPECT_TRUE(prolog.starts_with(kGrayModel)) << prolog;
    return prolog.substr(std::min(prolog.size(), sizeof(kGrayModel) - 1));
  }
  // What one page writes at `index` (page set-ups and showpage run for every page).
  std::vector<std::string> Pages(int pages, DWORD index) {
    std::vector<std::string> texts;
    At(PSINJECT_COMMENTS);
    for (int page = 0; page < pages; ++page) {
      std::string text;
      for (const DWORD point : {PSINJECT_BEGINPAGESETUP, PSINJECT_ENDPAGESETUP, PSINJECT_SHOWPAGE}) {
        const std::string written = At(point);
        if (point == index) text = written;
      }
      texts.push_back(text);
    }
    return texts;
  }
};

TEST_F(WatermarkTest, JobDefaultEnabledInPortraitOneUp) {
  test::SystemCodePages codePages(nullptr, nullptr);  // the texts below are code page 949's
  if (!codePages.active()) GTEST_SKIP() << "written for the code pages 949/949";
  Start();
  const int writesBefore = device_->spool().pluginWrites;
  EXPECT_EQ(Procedure(), DefaultProcedure("4452414654"));
  // The colour model, then one write for each piece of the procedure.
  EXPECT_EQ(device_->spool().pluginWrites - writesBefore, 1 + 14);
  EXPECT_EQ(At(PSINJECT_ENDSETUP), "");
  EXPECT_EQ(Pages(2, PSINJECT_BEGINPAGESETUP),
            (std::vector<std::string>{Invocation(45), Invocation(45)}));
  EXPECT_EQ(Pages(2, PSINJECT_ENDPAGESETUP), (std::vector<std::string>{"", ""}));
  EXPECT_EQ(Pages(2, PSINJECT_SHOWPAGE), (std::vector<std::string>{"", ""}));
}

// DrawWaterMark divides by the text's length: with an empty text the procedure is still
// defined, but nothing runs it.
TEST_F(WatermarkTest, EmptyTextIsDefinedButNeverRun) {
  for (const uint32_t background : {1u, 0u}) {
    SCOPED_TRACE(background);
    Start({}, u"");
    record().watermark.background = background;
    record().nupCode = 1;
    const std::string procedure = Procedure();
    EXPECT_NE(procedure.find("/Watermark <> def /FontSize 72"), std::string::npos) << procedure;
    EXPECT_EQ(At(PSINJECT_ENDSETUP), "");
    for (const DWORD index : {PSINJECT_BEGINPAGESETUP, PSINJECT_ENDPAGESETUP, PSINJECT_SHOWPAGE}) {
      EXPECT_EQ(Pages(3, index), (std::vector<std::string>{"", "", ""})) << index;
    }
  }
}

TEST_F(WatermarkTest, AngleRule) {
  struct Case {
    const char* name;
    SHORT orientation;
    SHORT duplex;
    int32_t angle;
    uint16_t nupCode;
    uint16_t booklet;
    uint16_t page;
    int expected;
  };
  const Case cases[] = {
      {"landscape 45", 2, 1, 45, 0, 0, 1, 135},
      {"landscape 300 wraps", 2, 1, 300, 0, 0, 1, 30},
      {"2-up portrait 0", 1, 1, 0, 1, 0, 1, 270},
      {"6-up portrait 30", 1, 1, 30, 3, 0, 1, 300},
      {"landscape 2-up cancels", 2, 1, 10, 1, 0, 1, 10},
      {"booklet odd page", 1, 3, 0, 0, 1, 1, 90},
      {"booklet even page, short edge", 1, 3, 0, 0, 1, 2, 90},
      {"booklet even page, long edge", 1, 2, 0, 0, 1, 2, 270},
      {"360 stays", 1, 1, 360, 0, 0, 1, 360},
      {"720 becomes 360", 1, 1, 720, 0, 0, 1, 360},
      {"-450", 1, 1, -450, 0, 0, 1, 270},
      {"smallest angle", 1, 1, INT_MIN, 0, 0, 1, 232},
      {"largest angle, landscape", 2, 1, INT_MAX, 0, 0, 1, 217},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Start({c.orientation, 2100, 2970, 1, 15, c.duplex, 256});
    record().watermark.angle = c.angle;
    record().watermark.background = 0;
    record().nupCode = c.nupCode;
    record().booklet = c.booklet;
    record().pageCounter = c.page;
    EXPECT_EQ(At(PSINJECT_SHOWPAGE), Invocation(c.expected));
  }
}

TEST_F(WatermarkTest, FontSizeOffsetsAndFontName) {
  struct Case {
    const char* name;
    int32_t size;
    uint16_t booklet;
    int32_t offsetX;
    int32_t offsetY;
    const char16_t* font;
    const char* expected;  // the definitions after the text
  };
  const Case cases[] = {
      {"booklet halves 73", 73, 1, 0, 0, u"Courier",
       "> def /FontSize 36 def /Font /Courier def /OffsetX 0 def /OffsetY 0 def\r\n"},
      {"booklet halves toward zero", -73, 1, -306, 396, u"Courier",
       "> def /FontSize -36 def /Font /Courier def /OffsetX -306 def /OffsetY 396 def\r\n"},
      {"no booklet", 73, 0, 5, -7, u"Helvetica-Bold",
       "> def /FontSize 73 def /Font /Helvetica-Bold def /OffsetX 5 def /OffsetY -7 def\r\n"},
      // The name cannot end early or run code: it stops before a blank, a delimiter, a
      // comment sign or a byte outside printable ASCII.
      {"blank", 72, 0, 0, 0, u"Times Roman) show",
       "> def /FontSize 72 def /Font /Times def /OffsetX 0 def /OffsetY 0 def\r\n"},
      {"comment", 72, 0, 0, 0, u"Courier%x",
       "> def /FontSize 72 def /Font /Courier def /OffsetX 0 def /OffsetY 0 def\r\n"},
      {"slash first", 72, 0, 0, 0, u"/Courier",
       "> def /FontSize 72 def /Font / def /OffsetX 0 def /OffsetY 0 def\r\n"},
      {"above U+00FF", 72, 0, 0, 0, u"Ming\u4E00Light",
       "> def /FontSize 72 def /Font /Ming def /OffsetX 0 def /OffsetY 0 def\r\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Start({}, u"P");
    record().watermark.fontSize = c.size;
    record().booklet = c.booklet;
    record().watermark.offsetX = c.offsetX;
    record().watermark.offsetY = c.offsetY;
    StoreText(record().watermark.fontName, c.font);
    const std::string procedure = Procedure();
    const size_t start = procedure.find("/Watermark <50");
    ASSERT_NE(start, std::string::npos) << procedure;
    EXPECT_EQ(procedure.substr(start + 14, procedure.find('\n', start) - start - 13), c.expected);
  }
}

TEST_F(WatermarkTest, ShadesAndColours) {
  struct Case {
    uint32_t colourFlag;
    int32_t value;
    const char* definition;
  };
  const Case cases[] = {
      {0, 0, "/WaterMarkColor {1 1 1 setrgbcolor} bind def "},
      {0, 50, "/WaterMarkColor {.50 .50 .50 setrgbcolor} bind def "},
      {0, 95, "/WaterMarkColor {.05 .05 .05 setrgbcolor} bind def "},
      {0, 100, "/WaterMarkColor {.0 .0 .0 setrgbcolor} bind def "},
      // Damaged shades keep to the range rather than writing "{.-50 ...}".
      {0, 150, "/WaterMarkColor {.0 .0 .0 setrgbcolor} bind def "},
      {0, -20, "/WaterMarkColor {1 1 1 setrgbcolor} bind def "},
      {1, 1, "/WaterMarkColor {0 0 1 setrgbcolor} bind def\r\n"},
      {1, 2, "/WaterMarkColor {0 1 0 setrgbcolor} bind def\r\n"},
      {1, 3, "/WaterMarkColor {1 0 0 setrgbcolor} bind def\r\n"},
      {1, 4, "/WaterMarkColor {1 1 0 setrgbcolor} bind def\r\n"},
      // A colour code the editor never stores prints black.
      {1, 7, "/WaterMarkColor {0 0 0 setrgbcolor} bind def\r\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.colourFlag) + " " + std::to_string(c.value));
    Start();
    record().watermark.colourFlag = c.colourFlag;
    record().watermark.shadeOrColour = c.value;
    const std::string procedure = Procedure();
    const size_t start = procedure.find("/WaterMarkColor");
    ASSERT_NE(start, std::string::npos);
    EXPECT_EQ(procedure.substr(start, procedure.find("gsave ", start) - start), c.definition);
  }
}

TEST_F(WatermarkTest, TextBytesAndFontEncoding) {
  struct Case {
    const char* name;
    const char* acp;  // null: the default (949)
    const char* oemcp;
    const char16_t* text;
    const char* hex;
  };
  const Case cases[] = {
      {"last byte ends in 0", nullptr, nullptr, u"UP", "5550"},
      {"string delimiters", nullptr, nullptr, u"(a)<b>\\%{", "2861293C623E5C257B"},
      {"control characters", nullptr, nullptr, u"\r\n\x01\x7F", "0D0A017F"},
      {"Korean in code page 949", nullptr, nullptr, u"\uC791\uC5C5", "C0DBBEF7"},
      // Code page 1250: listed letters get their 1250 bytes, other units up to U+00FF
      // their own value, the rest keep the OEM byte.
      {"Central European", "1250", "852", u"\u0158\u0141\u00C4P\u20AC\u017E", "D89DC4503F9E"},
      {"Central European, OEM 949", "1250", nullptr, u"\u010C\u010Dx", "C8E878"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    test::SystemCodePages codePages(c.acp, c.oemcp);
    if (!codePages.active()) continue;  // another system's case (Windows)
    Start({}, c.text);
    const std::string procedure = Procedure();
    const size_t text = procedure.find("/Watermark <") + 12;
    EXPECT_EQ(procedure.substr(text, procedure.find('>', text) - text), c.hex);
    // Only Central-European systems re-encode the font with the host's _CEEnc vector.
    const bool centralEuropean = c.acp != nullptr;
    EXPECT_EQ(procedure.find("gsave Font findfont FontSize scalefont setfont ") != std::string::npos,
              !centralEuropean);
    EXPECT_EQ(procedure.find("gsave Font findfont dup length dict begin { 1 index/FID ne {def} "
                             "{pop pop} ifelse } forall /Encoding _CEEnc def currentdict end "
                             "/Font-CE exch definefont pop /Font-CE findfont FontSize scalefont "
                             "setfont ") != std::string::npos,
              centralEuropean);
  }
}

// Booklet, drawn over the page, outlined: the default procedure with these differences.
TEST_F(WatermarkTest, BookletOutlineVariant) {
  test::SystemCodePages codePages(nullptr, nullptr);  // the texts below are code page 949's
  if (!codePages.active()) GTEST_SKIP() << "written for the code pages 949/949";
  auto replace = [](std::string text, const std::string& from, const std::string& to) {
    const size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return at == std::string::npos ? text : text.replace(at, from.size(), to);
  };
  for (const uint32_t firstPageOnly : {0u, 1u}) {
    SCOPED_TRACE(firstPageOnly);
    Start();
    record().booklet = 1;
    record().watermark.background = 0;
    record().watermark.outlineOnly = 1;
    record().watermark.firstPageOnly = firstPageOnly;
    std::string expected = DefaultProcedure("4452414654");
    expected = replace(expected, "/FontSize 72", "/FontSize 36");
    expected = replace(expected, "bind def gsave ",
                       std::string("bind def /location {1.5 mul} def DrawBookletWaterMark ") +
                           (firstPageOnly ? "" : "/location {2 div} def DrawBookletWaterMark ") +
                           "end } put\r\n /DrawBookletWaterMark { \r\ngsave ");
    expected = replace(expected, "aload pop \r\n", "aload pop location\r\n");
    expected = replace(expected, "/MaxX exch def \r\n",
                       "/MaxX exch def //userdict /nupangle known not { initgraphics } if\r\n");
    expected = replace(expected, "Angle rotate show grestore end } put\r\n",
                       "Angle rotate false charpath 1 setlinewidth stroke grestore } def\r\n");
    const int writesBefore = device_->spool().pluginWrites;
    EXPECT_EQ(Procedure(), expected);
    EXPECT_EQ(device_->spool().pluginWrites - writesBefore, firstPageOnly ? 1 + 16 : 1 + 17);
  }
}

TEST_F(WatermarkTest, WherePagesGetTheirWatermark) {
  struct Case {
    const char* name;
    uint32_t background;
    uint32_t firstPageOnly;
    uint16_t nupCode;
    bool hook;          // the n-up hook at the end of the setup
    const char* marks;  // pages 1 to 5 at page set-up, its end and showpage: x written
  };
  const Case cases[] = {
      {"under, every page", 1, 0, 0, false, "xxxxx ..... ....."},
      {"under, first page", 1, 1, 0, false, "x.... ..... ....."},
      {"over, every page", 0, 0, 0, false, "..... ..... xxxxx"},
      {"over, first page", 0, 1, 0, false, "..... ..... x...."},
      // 2-up: the host's sheet start draws each sheet's first mark; page set-up the others.
      {"under, 2-up", 1, 0, 1, true, ".x.x. ..... ....."},
      {"under, 2-up, first page", 1, 1, 1, true, "..... x.... ....."},
      {"over, 2-up", 0, 0, 1, false, "..... ..... xxxxx"},
  };
  const std::string hook =
      "/startnup where { /dicName exch def dicName /oldstartnup dicName /startnup get put dicName "
      "begin /startnup { oldstartnup /Angle 315 def userdict /DrawWaterMark get exec } bind def "
      "end} if\r\n";
  const std::string unhook =
      "/startnup where { /dicName exch def dicName /startnup dicName /oldstartnup get put "
      "dicName} if\r\n";
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Start();
    record().watermark.background = c.background;
    record().watermark.firstPageOnly = c.firstPageOnly;
    record().nupCode = c.nupCode;
    EXPECT_EQ(At(PSINJECT_ENDSETUP), c.hook ? hook : "");
    const std::string invocation = Invocation(c.nupCode == 1 ? 315 : 45);
    std::string marks;
    for (const DWORD index : {PSINJECT_BEGINPAGESETUP, PSINJECT_ENDPAGESETUP, PSINJECT_SHOWPAGE}) {
      if (!marks.empty()) marks += ' ';
      const std::string& wanted = index == PSINJECT_ENDPAGESETUP ? unhook : invocation;
      for (const std::string& text : Pages(5, index)) marks += text.empty() ? '.' : text == wanted ? 'x' : '?';
    }
    EXPECT_EQ(marks, c.marks);
  }
}

TEST_F(WatermarkTest, PlaceAmongTheOtherInjections) {
  Start();
  record().rotation = 90;
  record().nupCode = 1;
  record().headerPage = 1;
  record().devOpts.installedOptions[settings::kHasHardDisk] = 1;
  StoreText(record().overlays[0].fileName, u"ALL.PS");
  record().overlays[0].enabled = 1;
  record().watermark.firstPageOnly = 1;

  // Prolog: flip procedure, then the watermark.
  const std::string prolog = At(PSINJECT_BEGINPROLOG);
  EXPECT_LT(prolog.find("vtideforig end\r\n"), prolog.find("userdict /DrawWaterMark {"));
  // End of setup: the header page, the watermark's n-up hook, the rotation hook.
  const std::string endSetup = At(PSINJECT_ENDSETUP);
  const size_t banner = endSetup.find("do_HeaderPage\n");
  const size_t watermarkHook = endSetup.find("/oldstartnup");
  const size_t rotationHook = endSetup.find("/oldfinalpage");
  ASSERT_NE(banner, std::string::npos);
  ASSERT_NE(watermarkHook, std::string::npos);
  ASSERT_NE(rotationHook, std::string::npos);
  EXPECT_LT(banner, watermarkHook);
  EXPECT_LT(watermarkHook, rotationHook);
  // End of the first page set-up: the unhook, then the overlays.
  At(PSINJECT_COMMENTS);
  At(PSINJECT_BEGINPAGESETUP);
  const std::string endPageSetup = At(PSINJECT_ENDPAGESETUP);
  EXPECT_TRUE(endPageSetup.starts_with("/startnup where { /dicName exch def dicName /startnup "))
      << endPageSetup;
  EXPECT_NE(endPageSetup.find("(/ata0a/ps/ALL.PS) run"), std::string::npos);

  // Page set-up: the rotation, then the watermark.
  Start();
  record().rotation = 180;
  At(PSINJECT_COMMENTS);
  EXPECT_EQ(At(PSINJECT_BEGINPAGESETUP),
            "Xlen 2 div Ylen 2 div translate 180 rotate Xlen -2 div Ylen -2 div translate\r\n" +
                Invocation(45));
}

// A negative image leaves the watermark out: the whole job is the job without one.
TEST_F(WatermarkTest, NegativeImageSuppressesEverything) {
  for (const uint32_t background : {0u, 1u}) {
    SCOPED_TRACE(background);
    std::string jobs[2];
    for (const uint32_t enabled : {0u, 1u}) {
      Start({1, 2100, 2970, 1, 15, 2, 256});
      record().watermark.enabled = enabled;
      record().watermark.background = background;
      record().negativeImage = 1;
      record().colorMode = 1;
      record().nupCode = 1;
      device_->StartDoc(u"negative");
      std::string error;
      ASSERT_TRUE(hostsim::CopyDocument(*device_, hostsim::SampleDocument(3), &error)) << error;
      jobs[enabled] = device_->spool().bytes;
    }
    EXPECT_NE(jobs[1].find("settransfer"), std::string::npos);
    EXPECT_EQ(jobs[1].find("WaterMark"), std::string::npos);
    EXPECT_EQ(jobs[0], jobs[1]);
  }
}

}  // namespace
}  // namespace kx::ps
