// Straight-alpha BGRA pixels put onto an opaque background colour.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace sw {

// background is a COLORREF (0x00BBGGRR). Pixels with alpha 255 keep their colour; every other pixel gets
// trunc(channel * s + background channel * (1 - s)) in each of blue, green and red, s = alpha * k, where k
// is the single-precision number with bits 0x3B808081 (just above 1/255). Alpha bytes are kept.
std::vector<std::uint8_t> FlattenAlpha(std::span<const std::uint8_t> bgra, std::uint32_t background);

// One channel of the rule above; exposed so the rounding can be checked on its own.
std::uint8_t FlattenChannel(std::uint8_t channel, std::uint8_t alpha, std::uint8_t background);

}  // namespace sw
