// A barcode as Save As writes it, in each of the dialog's types, and the generated content's barcode as
// the metafile a copy puts on the clipboard beside the bitmap. Both at the settings' size.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <vector>

#include "app/barcode_symbol.h"
#include "base/handles_win.h"
#include "render/print_layout.h"
#include "ui/files/save_dialog_win.h"

namespace sw::app {

// The Save dialog's file types, in this order.
enum SaveAsType : std::size_t { kPngFile, kBmpFile, kSvgFile, kEmfFile };
std::vector<SaveFileType> SaveAsTypes();

// The bytes of the file; empty when the barcode cannot be made (or its picture would be too large to hold).
// PNG and BMP are drawn at 300 dpi as a printer draws them; SVG and EMF are vectors.
std::vector<std::uint8_t> BarcodeFileBytes(std::size_t type, const BarcodeSymbol& symbol,
                                           const BarcodeLook& look, const LOGFONTW& caption_font);

// Empty when there is no barcode or GDI makes no metafile.
ScopedMetafile VectorBarcodeMetafile(const LOGFONTW& caption_font);

}  // namespace sw::app
