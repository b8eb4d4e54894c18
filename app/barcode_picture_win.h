// The barcode of a symbol as a picture at 300 dpi, drawn as a printed page is (render/print_page_win.h):
// module and bar height in whole pixels nearest the look's, the quiet zones, the caption as the look has it.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "app/barcode_symbol.h"
#include "render/print_layout.h"

namespace sw::app {

// BMP bytes, 1 bit a pixel, marked 300 dpi (biXPelsPerMeter and biYPelsPerMeter 11811): the symbol with
// its quiet zones across, from the bars' top to a millimetre under the caption (or the bars). Empty where
// the look cannot be laid out or the picture would be too large to hold.
std::vector<std::uint8_t> BarcodePictureAt300Dpi(const BarcodeSymbol& symbol, const BarcodeLook& look,
                                                 const LOGFONTW& font);

}  // namespace sw::app
