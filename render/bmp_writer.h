// Writes a pixel block as BMP file bytes.
#pragma once

#include <cstdint>
#include <vector>

#include "render/dib.h"

namespace sw {

// A 14-byte file header, then the block's header, colour table and rows. Throws std::bad_alloc.
std::vector<std::uint8_t> WriteBmp(const Dib& dib);

}  // namespace sw
