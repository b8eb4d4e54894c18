// Prints the typed text under the bars, through the caption host.
#pragma once

#include <string_view>

#include "render/bitmap.h"
#include "render/caption_host.h"

namespace sw {

// The bars become the panel's background, the text goes centred by its estimated width, 1.5 font sizes above
// the bottom edge, and the panel's image (24-bit) replaces the bars; when that image cannot be read or
// loaded, the bare bars stay. The host must be loaded. An empty `barcode` stays empty.
void AddCaption(Bitmap& barcode, std::string_view text, CaptionHost& host);

}  // namespace sw
