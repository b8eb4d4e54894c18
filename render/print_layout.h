// A barcode laid out on a printed page: every length in whole printer dots, so that each bar and each
// space is a whole number of dots and no printer has to round a bar's edge. Coordinates count from the
// printable area's top left corner, where a printer's device context has its origin.
#pragma once

#include <cstdint>

#include "base/result.h"

namespace sw {

// What the printer reports: dots per inch across (LOGPIXELSX) and down (LOGPIXELSY), and the printable
// area in dots (HORZRES, VERTRES).
struct PrintableArea {
  std::int32_t dpi_x = 0;
  std::int32_t dpi_y = 0;
  std::int32_t width = 0;
  std::int32_t height = 0;
};

struct PrintLayout {
  std::int32_t module = 0;          // dots a module, across
  std::int32_t quiet_zone = 0;      // 10 modules, white, each side of the bars
  std::int32_t bars_left = 0;       // the start character's first bar
  std::int32_t bars_width = 0;      // modules x module: from the first bar to the stop pattern's last
  std::int32_t bars_top = 0;        // the printable area's top
  std::int32_t bar_height = 0;      // dots down
  std::int32_t caption_height = 0;  // the caption font's character height (about 10 pt)
  std::int32_t caption_top = 0;     // the top of the caption's line, centred under the bars
  std::int32_t bottom = 0;          // one past the last row the caption's line may use
  bool operator==(const PrintLayout&) const = default;
};

// How the user wants the barcode: the module aimed at, the bar height (0: automatic, at least 10 mm and
// 15% of the bars' width), and the caption under the bars, on or off, in points.
struct BarcodeLook {
  std::int32_t module_microns = 330;
  std::int32_t bar_height_microns = 0;
  bool caption = true;
  std::int32_t caption_points = 10;
  bool operator==(const BarcodeLook&) const = default;
};

enum class PrintLayoutError {
  kUnusable,         // no resolution or no printable area reported, or a symbol without modules
  kTooLongForPaper,  // the bars with their quiet zones need more than the width at the smallest module
  kTooTallForPaper,  // bars and caption need more than the printable height
};
using PrintLayoutResult = Result<PrintLayout, PrintLayoutError>;

// The dots of a module aimed at `module_microns`: the nearest whole number, never under 0.19 mm.
std::int64_t ModuleDots(std::int64_t module_microns, std::int64_t dpi);

// The module aims at the look's (0.33 mm unless chosen), rounded to whole dots; where the bars and quiet
// zones do not fit across at that, the widest whole-dot module that does, down to 0.19 mm and never below.
// A chosen bar height is rounded to whole dots; without a caption the layout ends under the bars.
PrintLayoutResult LayOutPrintedBarcode(std::int64_t modules, const PrintableArea& area,
                                       const BarcodeLook& look = {});

}  // namespace sw
