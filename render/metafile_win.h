// A barcode recorded as an enhanced metafile: its frame the symbol's size in 0.01 mm, the bars filled
// rectangles and the caption text, as a word processor places it at its physical size.
#pragma once

#include <windows.h>

#include <string_view>

#include "base/handles_win.h"
#include "render/print_layout.h"

namespace sw {

enum class MetafileError {
  kUnusable,  // not a width string, or a look with no size
  kRefused,   // GDI made no metafile or did not record the drawing
};
using MetafileResult = Result<ScopedMetafile, MetafileError>;

// In memory; `caption` is GBK, drawn in `font` at the look's size (none where the look has no caption).
MetafileResult BarcodeMetafile(std::string_view widths, std::string_view caption, const BarcodeLook& look,
                               const LOGFONTW& font);

}  // namespace sw
