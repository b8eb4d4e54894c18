// The same picture at another bit count.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace sw {

// BMP bytes of the picture at `bits` bits a pixel (pixel by pixel, nearest colour where the new depth has a
// palette); the bytes themselves when they already have that bit count; empty when they are no readable BMP
// or the new picture cannot be created.
std::vector<std::uint8_t> BmpBytesWithBitCount(std::span<const std::uint8_t> bytes, std::int16_t bits);

}  // namespace sw
