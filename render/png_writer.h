// A picture as PNG file bytes: 1-bit grey where it is only black and white, else 8-bit RGB, with its physical
// resolution in a pHYs chunk, through libpng's writing interface. Portable; nothing throws.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "base/result.h"

namespace sw {

// 300 dots an inch, as pHYs counts them (pixels a metre, rounded): a 3-pixel module is then 0.254 mm.
inline constexpr std::uint32_t kPixelsPerMetreAt300Dpi = 11811;

enum class PngWriteFailure {
  kUnreadableBmp,  // the BMP bytes give no picture
  kLibraryError,   // libpng refused the picture, or memory ran out
};

using PngWriting = Result<std::vector<std::uint8_t>, PngWriteFailure>;

// The picture in BMP bytes (any depth the BMP reader takes), every pixel's colour kept.
PngWriting PngFromBmp(std::span<const std::uint8_t> bmp, std::uint32_t pixels_per_metre);

}  // namespace sw
