#include "device/printer_answers.h"

#include <algorithm>
#include <cstring>

#include "platform/codepage.h"
#include "platform/text.h"

namespace kx::device {

namespace {

// The page's texts are kept in code page 949.
constexpr uint32_t kMessageCodePage = 949;

struct StateWord {
  int32_t level;
  const char* word;
};

// Levels of a supply without capacity.
constexpr StateWord kStateWords[] = {
    {0, "\xB0\xA1\xB5\xE6\x20\xC2\xFC"},              // 가득 참 (full)
    {1, "\xB0\xC5\xC0\xC7\x20\xC3\xA1\xC0\xBD"},    // 거의 찼음 (almost full)
    {-3, "\xC1\xD8\xBA\xF1\xB5\xCA"},                  // 준비됨 (ready)
};

std::u16string FromCodePage(uint32_t codePage, const char* text, size_t length,
                            size_t maxCharacters) {
  if (length == 0) return std::u16string();
  char16_t wide[kSupplyTextSize];
  const int count = platform::MultiByteToWideChar(codePage, 0, text, static_cast<int>(length),
                                                  wide, static_cast<int>(kSupplyTextSize));
  if (count <= 0) return std::u16string();
  return std::u16string(wide, std::min<size_t>(static_cast<size_t>(count), maxCharacters));
}

std::u16string PercentText(int64_t percent) {
  const std::string digits = std::to_string(percent);
  std::u16string text(digits.begin(), digits.end());
  text += u" %";
  return text;
}

SupplyDisplay Percent(SupplyGroup group, const SupplyRecord& record) {
  SupplyDisplay display;
  display.group = group;
  display.kind = SupplyDisplay::Kind::kPercent;
  display.percent = SupplyPercent(record.level, record.maximum);
  display.text = PercentText(display.percent);
  return display;
}

// A maximum of 0, or a negative one other than -2 (-1: the printer does not know it), gives
// nothing to measure the level against: the row shows no percent, as for a maximum of 0.
bool HasNoMeasure(int32_t maximum) {
  return maximum == 0 || (maximum < 0 && maximum != kNoCapacity);
}

}  // namespace

bool IsOptionInstalled(const AnsweredOption& option, std::span<const ScalarQueryRow> rows) {
  if (option.row >= rows.size()) return false;
  const int32_t value = rows[option.row].value;
  return option.needsMoreThanOne ? value > 1 : value != kNotAnswered;
}

void ApplyAnsweredOptions(std::span<const ScalarQueryRow> rows,
                          uint8_t (&installedOptions)[settings::kInstalledOptionCount]) {
  for (const AnsweredOption& option : kAnsweredOptions) {
    installedOptions[option.flag] = IsOptionInstalled(option, rows) ? 1 : 0;
  }
}

SupplyGroup GroupOfSupply(int32_t type) {
  switch (type) {
    case kSupplyTypeToner:
    case kSupplyTypeWasteToner:
      return SupplyGroup::kToner;
    case kSupplyTypePhotoconductor:
      return SupplyGroup::kPrintUnit;
    default:
      return SupplyGroup::kNotShown;
  }
}

int64_t SupplyPercent(int32_t level, int32_t maximum) {
  if (maximum == 0) return 0;
  return static_cast<int64_t>(level) * 100 / maximum;
}

SupplyDisplay DescribeSupply(const SupplyRecord& record) {
  const SupplyGroup group = GroupOfSupply(record.type);
  SupplyDisplay display;
  display.group = group;
  switch (group) {
    case SupplyGroup::kToner:
      if (HasNoMeasure(record.maximum)) return display;
      if (record.maximum == kNoCapacity) {
        for (const StateWord& state : kStateWords) {
          if (state.level == record.level) {
            display.kind = SupplyDisplay::Kind::kStateWord;
            display.text = FromCodePage(kMessageCodePage, state.word, std::strlen(state.word),
                                        kSupplyTextSize);
          }
        }
        return display;
      }
      return Percent(group, record);
    case SupplyGroup::kPrintUnit:
      if (!HasNoMeasure(record.maximum)) return Percent(group, record);
      display.kind = SupplyDisplay::Kind::kUnitText;
      display.text = SupplyText(record.unit, kSupplyTextSize);
      return display;
    case SupplyGroup::kNotShown:
      break;
  }
  return display;
}

std::u16string SupplyText(const char (&field)[kSupplyTextSize], size_t maxCharacters) {
  return FromCodePage(platform::kCpAcp, field, platform::BoundedLength(field, kSupplyTextSize),
                      maxCharacters);
}

}  // namespace kx::device
