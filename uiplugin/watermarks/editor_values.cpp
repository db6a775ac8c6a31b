#include "watermarks/editor_values.h"

#include <algorithm>

#include "watermarks/editor_layout.h"
#include "watermarks/watermark_store.h"

namespace kx::ui::editor {
namespace {

using settings::WatermarkRecord;

// 워터마크 이름과 텍스트는 적어도 한 개의 문자를 포함해야 합니다.
constexpr char kNameAndText[] =
    "\xBF\xF6\xC5\xCD\xB8\xB6\xC5\xA9 \xC0\xCC\xB8\xA7\xB0\xFA \xC5\xD8\xBD\xBA\xC6\xAE\xB4\xC2 "
    "\xC0\xFB\xBE\xEE\xB5\xB5 \xC7\xD1 \xB0\xB3\xC0\xC7 \xB9\xAE\xC0\xDA\xB8\xA6 "
    "\xC6\xF7\xC7\xD4\xC7\xD8\xBE\xDF \xC7\xD5\xB4\xCF\xB4\xD9.";
// 미리 정의된 워터마크 이름을 복사할 수 없습니다.
constexpr char kPredefinedName[] =
    "\xB9\xCC\xB8\xAE \xC1\xA4\xC0\xC7\xB5\xC8 \xBF\xF6\xC5\xCD\xB8\xB6\xC5\xA9 "
    "\xC0\xCC\xB8\xA7\xC0\xBB \xBA\xB9\xBB\xE7\xC7\xD2 \xBC\xF6 \xBE\xF8\xBD\xC0\xB4\xCF\xB4\xD9.";

// 범위 값은 4 와 350 사이여야 합니다
constexpr char kSizeRange[] =
    "\xB9\xFC\xC0\xA7 \xB0\xAA\xC0\xBA "
    "4 \xBF\xCD 350 \xBB\xE7\xC0\xCC\xBF\xA9\xBE\xDF \xC7\xD5\xB4\xCF\xB4\xD9";
// 범위 값은 0 와 360 사이여야 합니다
constexpr char kAngleRange[] =
    "\xB9\xFC\xC0\xA7 \xB0\xAA\xC0\xBA "
    "0 \xBF\xCD 360 \xBB\xE7\xC0\xCC\xBF\xA9\xBE\xDF \xC7\xD5\xB4\xCF\xB4\xD9";
// 범위 값은 0 와 100 사이여야 합니다
constexpr char kShadeRange[] =
    "\xB9\xFC\xC0\xA7 \xB0\xAA\xC0\xBA "
    "0 \xBF\xCD 100 \xBB\xE7\xC0\xCC\xBF\xA9\xBE\xDF \xC7\xD5\xB4\xCF\xB4\xD9";
// 범위 값은 -306 와 306 사이여야 합니다
constexpr char kXRange[] =
    "\xB9\xFC\xC0\xA7 \xB0\xAA\xC0\xBA "
    "-306 \xBF\xCD 306 \xBB\xE7\xC0\xCC\xBF\xA9\xBE\xDF \xC7\xD5\xB4\xCF\xB4\xD9";
// 범위 값은 -396 와 396 사이여야 합니다
constexpr char kYRange[] =
    "\xB9\xFC\xC0\xA7 \xB0\xAA\xC0\xBA "
    "-396 \xBF\xCD 396 \xBB\xE7\xC0\xCC\xBF\xA9\xBE\xDF \xC7\xD5\xB4\xCF\xB4\xD9";

constexpr NumberField kNumberFields[] = {
    {.boxId = kSizeBox, .field = &WatermarkRecord::fontSize, .minimum = 4, .maximum = 350,
     .message = kSizeRange},
    {.boxId = kAngleBox, .field = &WatermarkRecord::angle, .minimum = 0, .maximum = 360,
     .message = kAngleRange},
    {.boxId = kShadeBox, .field = &WatermarkRecord::shadeOrColour, .minimum = 0, .maximum = 100,
     .message = kShadeRange},
    {.boxId = kXBox, .field = &WatermarkRecord::offsetX, .minimum = -306, .maximum = 306,
     .message = kXRange},
    {.boxId = kYBox, .field = &WatermarkRecord::offsetY, .minimum = -396, .maximum = 396,
     .message = kYRange},
};
constexpr size_t kShadeIndex = 2;

// Past every field's range; reading stops growing the number there.
constexpr int64_t kFarOutOfRange = 1'000'000'000;

}  // namespace

const char* const kNameAndTextMessage = kNameAndText;
const char* const kPredefinedNameMessage = kPredefinedName;

std::span<const NumberField> NumberFields() { return kNumberFields; }

const NumberField* NumberFieldOf(int boxId) {
  const auto found = std::find_if(std::begin(kNumberFields), std::end(kNumberFields),
                                  [&](const NumberField& field) { return field.boxId == boxId; });
  return found != std::end(kNumberFields) ? &*found : nullptr;
}

const NumberField& ShadeField() { return kNumberFields[kShadeIndex]; }

int64_t ParseDecimal(std::u16string_view text) {
  size_t at = 0;
  const bool negative = !text.empty() && text[0] == u'-';
  if (!text.empty() && (text[0] == u'-' || text[0] == u'+')) at = 1;
  int64_t value = 0;
  for (; at < text.size() && text[at] >= u'0' && text[at] <= u'9'; ++at) {
    value = std::min(value * 10 + (text[at] - u'0'), kFarOutOfRange);
  }
  return negative ? -value : value;
}

std::optional<int32_t> AcceptedValue(const NumberField& field, std::u16string_view text) {
  if (text.empty()) return std::nullopt;
  const int64_t value = ParseDecimal(text);
  if (value < field.minimum || value > field.maximum) return std::nullopt;
  return static_cast<int32_t>(value);
}

void ApplyColourChoice(WatermarkRecord* record, uint32_t chosen, std::u16string_view shadeBoxText,
                       int32_t* savedShade) {
  const bool wasBlack = record->colourFlag == 0;
  if (chosen != kBlackColourCode) {
    if (wasBlack) *savedShade = record->shadeOrColour;
    record->shadeOrColour = static_cast<int32_t>(chosen);
  } else {
    // A box that holds no shade (left out of range, say) gives the shade black had.
    record->shadeOrColour = AcceptedValue(ShadeField(), shadeBoxText).value_or(*savedShade);
  }
  record->colourFlag = chosen != kBlackColourCode ? 1 : 0;
}

}  // namespace kx::ui::editor
