// Turns a complete parse into the PPD image: one zero-filled heap block holding the
// header, the tables, the features with their options, the fonts and every string, with
// every reference an offset from the block's start.
#pragma once

#include <cstddef>
#include <string_view>

#include "ppd/image_writer.h"
#include "ppd/parse_state.h"

namespace kx::ppd {

// Null when memory fails or the image would not be addressable by 32-bit offsets. The
// parse state is finalised in place and is not to be built again.
PpdImage* BuildImage(Parser& parser, std::u16string_view path);

// Test hook: BuildImage with `room` bytes tried in place of the room it would guess (0:
// the image is measured before it is laid out).
PpdImage* BuildImageWithRoomForTesting(Parser& parser, std::u16string_view path, size_t room);

// The cross-entry rules applied once the whole file is known (finalise.cpp).
void ApplyRequiresPageRegion(Parser& parser);
void ReorderFeatures(Parser& parser);
void RaiseFreeVm(Parser& parser);
void CheckCustomPageSize(Parser& parser);
void CleanPageSizes(Parser& parser);

// The parts of the layout (image_features.cpp, image_tables.cpp). PutFeatures also
// files the first feature of each predefined number in `predefined` (all 0 on entry).
Ref PutFeatures(const Parser& parser, ImageWriter& writer,
                Ref (&predefined)[kPredefinedFeatureCount]);
Ref PutFonts(const Parser& parser, ImageWriter& writer);
Ref PutOrderTable(const Parser& parser, ImageWriter& writer);
Ref PutConstraintTable(const Parser& parser, ImageWriter& writer);

}  // namespace kx::ppd
