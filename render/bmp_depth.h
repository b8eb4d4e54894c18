// The same picture at another bit count.
#pragma once

#include <cstdint>
#include <vector>

namespace sw {

// BMP bytes of the picture at `bits` bits a pixel (pixel by pixel, nearest colour where the new depth has a
// palette). Bytes whose header already gives that bit count come back as they are, unread; otherwise
// empty when they are no readable BMP or the new picture cannot be created.
std::vector<std::uint8_t> BmpBytesWithBitCount(std::vector<std::uint8_t> bytes, std::int16_t bits);

}  // namespace sw
