// A barcode as an SVG file: width and height in millimetres at the look's size, the view box in modules
// (quiet zones included), one rectangle a bar on a white ground and the caption as text.
#pragma once

#include <string>
#include <string_view>

#include "render/print_layout.h"

namespace sw {

using SvgWriting = Result<std::string, PrintLayoutError>;

// `widths` is the encoder's width string; `caption` is GBK, written as UTF-8. Only its ASCII characters
// are kept: any other character (and a control character, which XML cannot hold) becomes '?'. kUnusable
// for a width string with other characters than 1-4, or a look with no size.
SvgWriting SvgFromWidths(std::string_view widths, std::string_view caption, const BarcodeLook& look);

}  // namespace sw
