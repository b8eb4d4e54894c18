// The generated content's barcode as vectors at the settings' size: Save As's SVG and EMF files, and the
// metafile a copy puts on the clipboard beside the bitmap.
#pragma once

#include <windows.h>

#include <string>

#include "base/handles_win.h"

namespace sw::app {

enum class VectorFile { kSvg, kEmf };

// Writes the file at `path` (wholly, or not at all); false when the barcode or the file cannot be made.
bool SaveVectorBarcode(VectorFile type, const std::wstring& path, const LOGFONTW& caption_font);

// Empty when there is no barcode or GDI makes no metafile.
ScopedMetafile VectorBarcodeMetafile(const LOGFONTW& caption_font);

}  // namespace sw::app
