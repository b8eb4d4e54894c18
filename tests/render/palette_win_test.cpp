// The portable nearest-colour rule against GDI's own: CreatePalette + GetNearestPaletteIndex on the default
// 1-, 4- and 8-bit tables, over a colour grid, every exact entry, every equidistant midpoint and random
// colours.
#include <windows.h>
#include <gtest/gtest.h>

#include <memory>
#include <span>
#include <vector>

#include "render/palette.h"

namespace sw {
namespace {

struct PaletteDeleter {
  void operator()(HPALETTE palette) const { DeleteObject(palette); }
};
using UniquePalette = std::unique_ptr<std::remove_pointer_t<HPALETTE>, PaletteDeleter>;

UniquePalette MakeGdiPalette(std::span<const RgbQuad> table) {
  std::vector<std::uint8_t> storage(sizeof(LOGPALETTE) + table.size() * sizeof(PALETTEENTRY));
  auto* logical = reinterpret_cast<LOGPALETTE*>(storage.data());
  logical->palVersion = 0x300;
  logical->palNumEntries = static_cast<WORD>(table.size());
  for (std::size_t i = 0; i < table.size(); ++i) {
    logical->palPalEntry[i] = PALETTEENTRY{table[i].red, table[i].green, table[i].blue, 0};
  }
  return UniquePalette(CreatePalette(logical));
}

std::vector<ColorRef> SampleColors(std::span<const RgbQuad> table) {
  std::vector<ColorRef> colors;
  for (int r = 0; r <= 255; r += 15) {  // an 18 x 18 x 18 grid
    for (int g = 0; g <= 255; g += 15) {
      for (int b = 0; b <= 255; b += 15)
        colors.push_back(MakeColorRef(std::uint8_t(r), std::uint8_t(g), std::uint8_t(b)));
    }
  }
  for (const RgbQuad& e : table) colors.push_back(MakeColorRef(e.red, e.green, e.blue));
  // Midpoints of every pair of entries are where ties happen.
  for (std::size_t i = 0; i < table.size(); ++i) {
    for (std::size_t j = i + 1; j < table.size(); ++j) {
      colors.push_back(MakeColorRef(std::uint8_t((table[i].red + table[j].red) / 2),
                                    std::uint8_t((table[i].green + table[j].green) / 2),
                                    std::uint8_t((table[i].blue + table[j].blue) / 2)));
    }
  }
  std::uint32_t seed = 2024;
  for (int i = 0; i < 5000; ++i) {
    seed = seed * 1664525u + 1013904223u;
    colors.push_back(seed >> 8);
  }
  return colors;
}

TEST(NearestPaletteIndex, AgreesWithGdiOnTheDefaultTables) {
  for (int bits : {1, 4, 8}) {
    const std::span<const RgbQuad> table = DefaultColorTable(bits);
    const UniquePalette palette = MakeGdiPalette(table);
    ASSERT_NE(palette, nullptr);
    const std::vector<ColorRef> colors = SampleColors(table);
    std::size_t mismatches = 0;
    for (ColorRef color : colors) {
      const UINT gdi = GetNearestPaletteIndex(palette.get(), color);
      const std::uint32_t ours = NearestPaletteIndex(table, color);
      if (gdi != ours && ++mismatches <= 10) {
        ADD_FAILURE() << bits << " bits, colour 0x" << std::hex << color << std::dec << ": GDI " << gdi
                      << ", ours " << ours;
      }
    }
    EXPECT_EQ(mismatches, 0u) << "of " << colors.size() << " colours at " << bits << " bits";
  }
}

}  // namespace
}  // namespace sw
