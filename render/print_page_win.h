// The laid-out barcode drawn on any device context: a printer's, or a memory DC's in tests, whose own
// resolution is the screen's, so the resolution and printable area always come from the caller.
#pragma once

#include <windows.h>

#include <string_view>

#include "render/print_layout.h"

namespace sw {

// A printer DC's resolution and printable area (LOGPIXELSX/Y, HORZRES, VERTRES).
PrintableArea PrintableAreaOf(HDC printer);

// Bars black from the width string at the layout's whole-dot columns (the spaces are the paper's own
// white), then `caption` (GBK) centred under them in `font`, whose height becomes the layout's caption
// height (none where the layout has no caption). False when GDI refuses a bar or the caption.
bool DrawPrintedBarcode(HDC dc, const PrintLayout& layout, std::string_view widths, std::string_view caption,
                        const LOGFONTW& font);

}  // namespace sw
