// Nearest-neighbour scaling of BMP bytes, as the picture box shows a barcode.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace sw {

// BMP bytes of a target_width x target_height image with the source's bit count. The caller passes the
// source's own size; target pixel (x, y), counted from 1, takes source pixel
// (trunc(x / sx - 1.0), trunc(y / sy - 1.0)) with sx = target_width / source_width rounded to single
// precision (sy likewise); source pixels outside the image, or unreadable, come out black. Bytes that are
// not a readable BMP, or a target size that cannot be created (zero, negative, too large), give empty bytes.
std::vector<std::uint8_t> ScaleBmpBytes(std::span<const std::uint8_t> bytes, std::int32_t source_width,
                                        std::int32_t source_height, std::int32_t target_width,
                                        std::int32_t target_height);

}  // namespace sw
