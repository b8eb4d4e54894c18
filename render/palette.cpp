#include "render/palette.h"

namespace sw {
namespace {

// Entry i for 10 <= i <= 245 of the 8-bit table: three bits of red, three of green, two of blue.
constexpr RgbQuad CubeEntry(int i) {
  return Rgb(static_cast<std::uint8_t>((i % 8) * 32), static_cast<std::uint8_t>(((i / 8) % 8) * 32),
             static_cast<std::uint8_t>((i / 64) * 64));
}

constexpr std::array<RgbQuad, 10> kSystemLow = {
    Rgb(0, 0, 0),        // 0
    Rgb(128, 0, 0),      //
    Rgb(0, 128, 0),      //
    Rgb(128, 128, 0),    //
    Rgb(0, 0, 128),      //
    Rgb(128, 0, 128),    // 5
    Rgb(0, 128, 128),    //
    Rgb(192, 192, 192),  //
    Rgb(192, 220, 192),  //
    Rgb(166, 202, 240),  // 9
};

constexpr std::array<RgbQuad, 10> kSystemHigh = {
    Rgb(255, 251, 240),  // 246
    Rgb(160, 160, 164),  //
    Rgb(128, 128, 128),  //
    Rgb(255, 0, 0),      //
    Rgb(0, 255, 0),      // 250
    Rgb(255, 255, 0),    //
    Rgb(0, 0, 255),      //
    Rgb(255, 0, 255),    //
    Rgb(0, 255, 255),    //
    Rgb(255, 255, 255),  // 255
};

constexpr std::array<RgbQuad, 256> MakeTable8Bit() {
  std::array<RgbQuad, 256> table{};
  for (int i = 0; i < 256; ++i) {
    if (i < 10) {
      table[i] = kSystemLow[i];
    } else if (i < 246) {
      table[i] = CubeEntry(i);
    } else {
      table[i] = kSystemHigh[i - 246];
    }
  }
  return table;
}

}  // namespace

constinit const std::array<RgbQuad, 2> kDefaultTable1Bit = {
    Rgb(0, 0, 0),        // 0
    Rgb(255, 255, 255),  // 1
};

constinit const std::array<RgbQuad, 16> kDefaultTable4Bit = {
    Rgb(0, 0, 0),        // 0
    Rgb(128, 0, 0),      //
    Rgb(0, 128, 0),      //
    Rgb(128, 128, 0),    //
    Rgb(0, 0, 128),      // 4
    Rgb(128, 0, 128),    //
    Rgb(0, 128, 128),    //
    Rgb(128, 128, 128),  //
    Rgb(192, 192, 192),  // 8
    Rgb(255, 0, 0),      //
    Rgb(0, 255, 0),      //
    Rgb(255, 255, 0),    //
    Rgb(0, 0, 255),      // 12
    Rgb(255, 0, 255),    //
    Rgb(0, 255, 255),    //
    Rgb(255, 255, 255),  // 15
};

constinit const std::array<RgbQuad, 256> kDefaultTable8Bit = MakeTable8Bit();

std::span<const RgbQuad> DefaultColorTable(int bits) {
  switch (bits) {
    case 1: return kDefaultTable1Bit;
    case 4: return kDefaultTable4Bit;
    case 8: return kDefaultTable8Bit;
    default: return {};
  }
}

std::uint32_t NearestPaletteIndex(std::span<const std::uint8_t> table, ColorRef color) {
  const int red = RedOf(color);
  const int green = GreenOf(color);
  const int blue = BlueOf(color);
  std::uint32_t best = 0;
  int best_distance = 0x7FFFFFFF;
  const std::size_t count = table.size() / 4;
  for (std::size_t i = 0; i < count && best_distance != 0; ++i) {
    const std::uint8_t* entry = table.data() + 4 * i;
    const int db = entry[0] - blue;
    const int dg = entry[1] - green;
    const int dr = entry[2] - red;
    const int distance = dr * dr + dg * dg + db * db;
    if (distance < best_distance) {  // strictly closer: ties keep the first entry
      best_distance = distance;
      best = static_cast<std::uint32_t>(i);
    }
  }
  return best;
}

}  // namespace sw
