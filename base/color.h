// Colours as the rest of the system passes them, and colour-table entries as BMP files store them.
#pragma once

#include <cstdint>

namespace sw {

// 0x00BBGGRR: red in the low byte.
using ColorRef = std::uint32_t;

inline constexpr ColorRef kBlack = 0x000000;
inline constexpr ColorRef kWhite = 0xFFFFFF;
// Stored in a colour field, or passed for a background: no colour is set.
inline constexpr ColorRef kNoColor = 0xFF000000;

constexpr std::uint8_t RedOf(ColorRef c) { return static_cast<std::uint8_t>(c); }
constexpr std::uint8_t GreenOf(ColorRef c) { return static_cast<std::uint8_t>(c >> 8); }
constexpr std::uint8_t BlueOf(ColorRef c) { return static_cast<std::uint8_t>(c >> 16); }
constexpr ColorRef MakeColorRef(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
  return ColorRef{red} | ColorRef{green} << 8 | ColorRef{blue} << 16;
}

// One colour-table entry in file order: blue, green, red, zero.
struct RgbQuad {
  std::uint8_t blue = 0;
  std::uint8_t green = 0;
  std::uint8_t red = 0;
  std::uint8_t reserved = 0;
};
static_assert(sizeof(RgbQuad) == 4);

constexpr RgbQuad Rgb(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
  return {blue, green, red, 0};
}

}  // namespace sw
