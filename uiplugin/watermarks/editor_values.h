// The watermark editor's rules for values, apart from its controls: which numbers each
// box accepts, how a box's text reads as a number, and what choosing a colour does to
// the record.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "settings/record.h"

namespace kx::ui::editor {

// The messages (code page 949 text) for a name or text left empty and for a new
// watermark that takes a predefined name.
extern const char* const kNameAndTextMessage;
extern const char* const kPredefinedNameMessage;

// A numeric box, the record field it sets and the values it accepts.
struct NumberField {
  int boxId = 0;
  int32_t settings::WatermarkRecord::*field = nullptr;
  int32_t minimum = 0;
  int32_t maximum = 0;
  const char* message = "";  // code page 949: the range the value must lie in
};

// Size, angle, shade, x and y: the order Save checks them in.
std::span<const NumberField> NumberFields();
// The field of that box; null when it is no numeric box.
const NumberField* NumberFieldOf(int boxId);
const NumberField& ShadeField();

// A decimal number as the C library reads one: an optional sign, then digits up to the
// first other character; no digits read as 0. Far too many digits stay far out of every
// field's range rather than wrapping.
int64_t ParseDecimal(std::u16string_view text);

// The value the box's text stands for when the field accepts it: a text that is not
// empty and reads as a number in the field's range.
std::optional<int32_t> AcceptedValue(const NumberField& field, std::u16string_view text);

// What choosing the colour `chosen` (a colour code, black is kBlackColourCode) does to the
// record: leaving black keeps the shade in `savedShade`; coming back to black takes the
// shade box's value when it is a shade, else the saved one.
void ApplyColourChoice(settings::WatermarkRecord* record, uint32_t chosen,
                       std::u16string_view shadeBoxText, int32_t* savedShade);

}  // namespace kx::ui::editor
