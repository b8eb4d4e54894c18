// The barcode laid out for a vector file or a metafile: the printed layout in units of 0.01 mm (a page of
// 2540 dpi just wide enough for the bars and their quiet zones), so that the file's size is the look's
// exactly wherever the module is a whole number of 0.01 mm, and the bar height follows the printed rule.
#pragma once

#include <cstdint>

#include "render/print_layout.h"

namespace sw {

inline constexpr std::int32_t kVectorDpi = 2540;  // one unit 0.01 mm

struct VectorLayout {
  PrintLayout layout;  // bars_left is the quiet zone; bottom the symbol's height
  std::int32_t width;  // quiet zones included
};
using VectorLayoutResult = Result<VectorLayout, PrintLayoutError>;

VectorLayoutResult LayOutVectorBarcode(std::int64_t modules, const BarcodeLook& look);

}  // namespace sw
