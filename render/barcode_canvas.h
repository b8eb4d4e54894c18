// The bare-bars barcode canvas: a width string drawn three pixels a module into a 1-bit bitmap.
#pragma once

#include <cstdint>
#include <string_view>

#include "render/bitmap.h"

namespace sw {

inline constexpr std::int32_t kModulePixels = 3;
inline constexpr std::int32_t kLeftMargin = 50;   // white columns before the first bar
inline constexpr std::int32_t kRightMargin = 52;  // white columns after the stop pattern
inline constexpr std::int32_t kCanvasHeight = 150;
inline constexpr std::int32_t kFirstBarRow = 1;   // row 0 stays white
inline constexpr std::int32_t kLastBarRow = 110;  // rows 111 to 149 stay white, room for the caption

// The sum of the width string's digits: its module count.
std::int64_t ModuleCount(std::string_view widths);

// Canvas width 3 x modules + 102, height 150, white; odd positions of the width string (bars) drawn black
// in rows 1 to 110 from column 50 on. An empty bitmap when the canvas cannot be created.
Bitmap RenderWidths(std::string_view widths);

// The caption's estimated width: byte length x trunc(0.7 x font size).
std::int32_t EstimateTextWidth(std::string_view text, std::int32_t font_size);

}  // namespace sw
