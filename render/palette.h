// The colour tables that new indexed bitmaps get, and the nearest-colour rule that turns a colour into an
// index.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "base/color.h"

namespace sw {

extern const std::array<RgbQuad, 2> kDefaultTable1Bit;
extern const std::array<RgbQuad, 16> kDefaultTable4Bit;
extern const std::array<RgbQuad, 256> kDefaultTable8Bit;

// The default table for a bit count; empty for 16, 24 and 32 bits and for unknown counts.
std::span<const RgbQuad> DefaultColorTable(int bits);

// The index of the entry closest to `colour` by squared RGB distance, the first one on ties; 0 for an empty
// table. The high byte of `colour` is ignored. This is the rule GDI's GetNearestPaletteIndex applies (a
// Windows test holds the two together). `table` is the colour table as stored: 4 bytes an entry.
std::uint32_t NearestPaletteIndex(std::span<const std::uint8_t> table, ColorRef color);

inline std::uint32_t NearestPaletteIndex(std::span<const RgbQuad> table, ColorRef color) {
  return NearestPaletteIndex(
      std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>(table.data()), table.size_bytes()),
      color);
}

}  // namespace sw
