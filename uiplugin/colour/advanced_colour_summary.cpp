#include "colour/advanced_colour_summary.h"

#include <cstdint>

#include "dialog_routines.h"
#include "settings/record_text.h"

namespace kx::ui {
namespace {

constexpr char kAutomatic[] = "\xC0\xDA\xB5\xBF";               // 자동
constexpr char kDetail[] = "\xBC\xBC\xBA\xCE \xC1\xA4\xBA\xB8";  // 세부 정보
constexpr char kSmooth[] = "\xBA\xCE\xB5\xE5\xB7\xAF\xBF\xF2";   // 부드러움
constexpr char kGeneral[] = "\xC0\xCF\xB9\xDD";                  // 일반
constexpr char kUser[] = "\xBB\xE7\xBF\xEB\xC0\xDA";             // 사용자
constexpr char kNone[] = "\xBE\xF8\xC0\xBD";                     // 없음
constexpr char kVivid[] = "\xBC\xB1\xB8\xED";                    // 선명
constexpr char kContrast[] = "\xB4\xEB\xC1\xB6";                 // 대조
constexpr char kSrgb[] = "sRGB";
constexpr char kSrgbSaturation[] = "sRGB \xC3\xA4\xB5\xB5";  // sRGB 채도
constexpr char kIcm[] = "ICM";
constexpr char kBlackOnly[] = "K \xC0\xFC\xBF\xEB";  // K 전용
constexpr char kCmyk[] = "CMYK";
constexpr char kColour[] = "\xC4\xC3\xB7\xAF";           // 컬러
constexpr char kGray[] = "\xB1\xD7\xB7\xB9\xC0\xCC";     // 그레이

constexpr uint8_t kColourMode = 2;
constexpr uint32_t kIcmSet = 6;  // the predefined set whose intents (0, 0) mean ICM

// A pair of settings (text and graphics, image) and the word for it.
struct PairWord {
  uint8_t graphics;
  uint8_t image;
  const char* text;
};

constexpr PairWord kHalftoneWords[] = {
    {2, 0, kAutomatic}, {2, 2, kDetail}, {0, 0, kSmooth}, {1, 1, kGeneral}};
// Intents (0, 0) depend on the set and are left to the caller.
constexpr PairWord kIntentWords[] = {
    {2, 3, kAutomatic}, {2, 2, kVivid}, {1, 1, kContrast}, {3, 3, kSrgb}, {4, 4, kSrgbSaturation}};
constexpr PairWord kGrayWords[] = {{0, 1, kAutomatic}, {0, 0, kBlackOnly}, {1, 1, kCmyk}};

// Any pair the table does not name is the user's own mix.
template <size_t N>
const char* WordOf(const PairWord (&words)[N], uint8_t graphics, uint8_t image) {
  for (const PairWord& word : words) {
    if (word.graphics == graphics && word.image == image) return word.text;
  }
  return kUser;
}

std::u16string ProfileText(uint8_t none, std::u16string_view name) {
  return none == 1 ? ToUtf16(kNone) : std::u16string(name);
}

// A profile of the printer's disk replaces the intents; without the disk it cannot be used.
std::u16string RgbSourceText(const settings::PrivateRecord& record) {
  const bool hasHardDisk = record.devOpts.installedOptions[settings::kHasHardDisk] != 0;
  if (record.useColorIntents == 0 && hasHardDisk) {
    return ProfileText(record.rgbSourceDefault, settings::FieldText(record.rgbSourceName));
  }
  if (record.graphicsIntent == 0 && record.imageIntent == 0) {
    return ToUtf16(record.quickColorSet == kIcmSet ? kIcm : kNone);
  }
  return ToUtf16(WordOf(kIntentWords, record.graphicsIntent, record.imageIntent));
}

}  // namespace

ColourSummary SummarizeColourSettings(const settings::PrivateRecord& record) {
  const bool colour = record.colorMode == kColourMode;
  return {
      .colourModel = ToUtf16(colour ? kColour : kGray),
      .halftone = ToUtf16(WordOf(kHalftoneWords, record.graphicsHalftone, record.imageHalftone)),
      .rgbSource = RgbSourceText(record),
      .grayTreatment =
          ToUtf16(WordOf(kGrayWords, record.graphicsProcessGray, record.imageProcessGray)),
      .simulation = ProfileText(record.simulationNone, settings::FieldText(record.simulationName)),
      .destination =
          ProfileText(record.destinationNone, settings::FieldText(record.destinationName)),
      .colourParts = colour,
  };
}

}  // namespace kx::ui
