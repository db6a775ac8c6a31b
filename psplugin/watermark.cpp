#include "watermark.h"

#include "central_european.h"
#include "nup.h"
#include "platform/codepage.h"
#include "postscript_text.h"
#include "settings/record_text.h"

namespace kx::ps {
namespace {

using settings::PrivateRecord;
using settings::WatermarkRecord;

// The procedure's fixed pieces, in the order they are written.
constexpr char kProcedureStart[] = "userdict /DrawWaterMark { userdict begin ";
// `gh` leaves the height of a string's outline; then the text's hex string opens.
constexpr char kGlyphHeightAndText[] =
    "/gh {gsave newpath 0 0 moveto false charpath flattenpath pathbbox exch pop 3 -1 roll "
    "pop grestore } def\r\n/Watermark <";
constexpr char kWhite[] = "/WaterMarkColor {1 1 1 setrgbcolor} bind def ";
constexpr char kBookletUpperHalf[] = "/location {1.5 mul} def DrawBookletWaterMark ";
constexpr char kBookletLowerHalf[] = "/location {2 div} def DrawBookletWaterMark ";
constexpr char kBookletDrawingStart[] = "end } put\r\n /DrawBookletWaterMark { \r\n";
constexpr char kSave[] = "gsave ";
// On Central-European systems the font is re-encoded with the host's _CEEnc vector.
constexpr char kCentralEuropeanFont[] =
    "Font findfont dup length dict begin { 1 index/FID ne {def} {pop pop} ifelse } forall "
    "/Encoding _CEEnc def currentdict end /Font-CE exch definefont pop /Font-CE findfont "
    "FontSize scalefont setfont ";
constexpr char kFont[] = "Font findfont FontSize scalefont setfont ";
constexpr char kBookletPageSize[] = "currentpagedevice /PageSize get aload pop location\r\n";
constexpr char kPageSize[] = "currentpagedevice /PageSize get aload pop \r\n";
constexpr char kPageLimitsUnder[] = "/MaxY exch def /MaxX exch def \r\n";
constexpr char kPageLimitsOver[] =
    "/MaxY exch def /MaxX exch def //userdict /nupangle known not { initgraphics } if\r\n";
constexpr char kNupTurn[] =
    "//userdict /nupangle known { //userdict /nupangle get exec -90 eq { 90 rotate MaxY MaxX "
    "sub 2 div MaxY MaxX add 2 div neg translate } if } if\r\n";
constexpr char kCentre[] = "WaterMarkColor MaxX 2 div OffsetX add MaxY 2 div OffsetY add \r\n";
constexpr char kOriginFirstPart[] =
    "Watermark dup dup length /StrLen exch def stringwidth pop dup StrLen div 2 div dup "
    "/YOriginAdjust exch def Angle sin mul /XOriginAdjust exch def 2 div dup /strlen exch def "
    "4 -1 roll exch Angle \r\n";
constexpr char kOriginSecondPart[] =
    "cos mul sub 3 -1 roll 2 index gh exch pop 2 div sub strlen Angle sin mul sub exch "
    "XOriginAdjust add exch YOriginAdjust dup Angle cos mul sub add moveto ";
constexpr char kOutline[] = "Angle rotate false charpath 1 setlinewidth stroke grestore";
constexpr char kFill[] = "Angle rotate show grestore";
constexpr char kBookletProcedureEnd[] = " } def\r\n";
constexpr char kProcedureEnd[] = " end } put\r\n";

constexpr char kRun[] = "//userdict /DrawWaterMark known { //userdict /DrawWaterMark get exec } if\r\n";
constexpr char kNupUnhook[] =
    "/startnup where { /dicName exch def dicName /startnup dicName /oldstartnup get put "
    "dicName} if\r\n";

// Colour codes of a coloured watermark.
const char* ColourDefinition(int32_t colour) {
  switch (colour) {
    case 1: return "/WaterMarkColor {0 0 1 setrgbcolor} bind def\r\n";
    case 2: return "/WaterMarkColor {0 1 0 setrgbcolor} bind def\r\n";
    case 3: return "/WaterMarkColor {1 0 0 setrgbcolor} bind def\r\n";
    case 4: return "/WaterMarkColor {1 1 0 setrgbcolor} bind def\r\n";
    // The editor offers no other code; anything else prints black rather than leaving
    // WaterMarkColor undefined.
    default: return "/WaterMarkColor {0 0 0 setrgbcolor} bind def\r\n";
  }
}

// Shade s (percent of black) as the gray level .g with g = 100 - s. A shade outside
// 0 to 100 (a damaged record) is taken as the nearest limit, so the level stays a number.
std::string ShadeDefinition(int32_t shade) {
  if (shade <= 0) return kWhite;
  const int level = 100 - (shade > 100 ? 100 : shade);
  const std::string digits = (level >= 1 && level <= 9 ? "0" : "") + std::to_string(level);
  return "/WaterMarkColor {." + digits + " ." + digits + " ." + digits + " setrgbcolor} bind def ";
}

// PostScript name characters: printable ASCII that is neither a delimiter nor `%`.
bool IsNameCharacter(char c) {
  if (c < 0x21 || c > 0x7E) return false;
  switch (c) {
    case '(': case ')': case '<': case '>': case '[': case ']':
    case '{': case '}': case '/': case '%':
      return false;
    default:
      return true;
  }
}

void WriteInvocation(const JobWriter& writer, int angle) {
  writer.Write("/Angle " + std::to_string(angle) + " def\r\n");
  writer.Write(kRun);
}

bool OnFirstPage(const PrivateRecord& record) { return record.pageCounter <= 1; }

// DrawWaterMark divides by the length of its text, so with no bytes of text it would end
// the job with a PostScript error: such a watermark is defined but never run.
bool WatermarkDrawn(const PrivateRecord& record) {
  return WatermarkActive(record) &&
         !OemHexText(settings::FieldText(record.watermark.text)).empty();
}

}  // namespace

bool WatermarkActive(const PrivateRecord& record) {
  return record.watermark.enabled != 0 && record.negativeImage == 0;
}

int WatermarkAngle(const PrivateRecord& record, const host::DEVMODEW& devMode,
                   uint32_t pageCounter) {
  // 64 bits: no record value can overflow the sums.
  int64_t angle = record.watermark.angle;
  if (devMode.dmOrientation != host::DMORIENT_PORTRAIT) angle += 90;
  if (record.nupCode == 1 || record.nupCode == 3) angle -= 90;
  if (record.booklet != 0) {
    if (pageCounter % 2 == 1) {
      angle += 90;
    } else {
      angle += devMode.dmDuplex == host::DMDUP_HORIZONTAL ? 90 : -90;
    }
  }
  if (angle < 0) angle += 360 * ((359 - angle) / 360);
  if (angle > 360) angle -= 360 * ((angle - 1) / 360);
  return static_cast<int>(angle);
}

std::string WatermarkFontName(std::u16string_view fontName) {
  std::string name = NarrowLatin1Prefix(fontName);
  size_t length = 0;
  while (length < name.size() && IsNameCharacter(name[length])) ++length;
  name.resize(length);
  return name;
}

void WriteWatermarkProcedure(const JobWriter& writer, const PrivateRecord& record) {
  if (!WatermarkActive(record)) return;
  const WatermarkRecord& watermark = record.watermark;
  const bool booklet = record.booklet != 0;

  writer.Write(kProcedureStart);
  writer.Write(kGlyphHeightAndText);
  const int32_t fontSize = booklet ? watermark.fontSize / 2 : watermark.fontSize;
  writer.Write(OemHexText(settings::FieldText(watermark.text)) + "> def /FontSize " +
               std::to_string(fontSize) + " def /Font /" +
               WatermarkFontName(settings::FieldText(watermark.fontName)) + " def /OffsetX " +
               std::to_string(watermark.offsetX) + " def /OffsetY " +
               std::to_string(watermark.offsetY) + " def\r\n");
  writer.Write(watermark.colourFlag != 0 ? std::string(ColourDefinition(watermark.shadeOrColour))
                                         : ShadeDefinition(watermark.shadeOrColour));
  if (booklet) {
    // The sheet's upper half, then (unless only the first page is marked) the lower one.
    writer.Write(kBookletUpperHalf);
    if (watermark.firstPageOnly == 0) writer.Write(kBookletLowerHalf);
    writer.Write(kBookletDrawingStart);
  }
  writer.Write(kSave);
  writer.Write(platform::AnsiCodePage() == kCentralEuropeanCodePage ? kCentralEuropeanFont : kFont);
  writer.Write(booklet ? kBookletPageSize : kPageSize);
  writer.Write(watermark.background != 0 ? kPageLimitsUnder : kPageLimitsOver);
  writer.Write(kNupTurn);
  writer.Write(kCentre);
  writer.Write(kOriginFirstPart);
  writer.Write(kOriginSecondPart);
  writer.Write(watermark.outlineOnly != 0 ? kOutline : kFill);
  writer.Write(booklet ? kBookletProcedureEnd : kProcedureEnd);
}

void WriteNupWatermarkHook(const JobWriter& writer, const PrivateRecord& record,
                           const host::DEVMODEW& devMode) {
  if (!WatermarkDrawn(record)) return;
  if (record.watermark.background == 0 || record.nupCode == 0) return;
  writer.Write(
      "/startnup where { /dicName exch def dicName /oldstartnup dicName /startnup get put "
      "dicName begin /startnup { oldstartnup /Angle " +
      std::to_string(WatermarkAngle(record, devMode, 0)) +
      " def userdict /DrawWaterMark get exec } bind def end} if\r\n");
}

void WriteBackgroundWatermark(const JobWriter& writer, const PrivateRecord& record,
                              const host::DEVMODEW& devMode) {
  if (!WatermarkDrawn(record) || record.watermark.background == 0) return;
  const bool firstPageOnly = record.watermark.firstPageOnly != 0;
  const bool nup = record.nupCode != 0;
  bool draw;
  if (firstPageOnly) {
    draw = !nup && OnFirstPage(record);
  } else {
    // On n-up sheets the first page's mark comes with the host's page start (the hook).
    draw = !nup || record.pageCounter % PagesPerSheet(record.nupCode) != 1;
  }
  if (draw) WriteInvocation(writer, WatermarkAngle(record, devMode, record.pageCounter));
}

void WriteNupWatermarkUnhook(const JobWriter& writer, const PrivateRecord& record) {
  if (!WatermarkDrawn(record)) return;
  const auto& watermark = record.watermark;
  if (watermark.background != 0 && record.nupCode != 0 && watermark.firstPageOnly != 0 &&
      OnFirstPage(record)) {
    writer.Write(kNupUnhook);
  }
}

void WriteForegroundWatermark(const JobWriter& writer, const PrivateRecord& record,
                              const host::DEVMODEW& devMode) {
  if (!WatermarkDrawn(record) || record.watermark.background != 0) return;
  if (record.watermark.firstPageOnly != 0 && !OnFirstPage(record)) return;
  WriteInvocation(writer, WatermarkAngle(record, devMode, record.pageCounter));
}

}  // namespace kx::ps
