// Reads BMP file bytes into a pixel block.
#pragma once

#include <cstdint>
#include <span>

#include "render/dib.h"

namespace sw {

// The image in `bytes` as a bottom-up block with a 40-byte header. Throws CDIBException (unsupported data)
// for anything it cannot read completely and safely, std::bad_alloc when memory runs out.
Dib ReadBmp(std::span<const std::uint8_t> bytes);

}  // namespace sw
