// The arithmetic of shadow composition, apart from any drawing: colours, ring opacity, the nine
// pieces of a stretched template and the size of a shadow around its owner.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

namespace sw {

// COLORREF 0x00BBGGRR plus an alpha to GDI+ ARGB 0xAARRGGBB; the colour's top byte is ignored.
constexpr std::uint32_t MakeShadowArgb(std::uint32_t color, std::uint32_t alpha) {
  const std::uint32_t red = color & 0xFF;
  const std::uint32_t green = (color >> 8) & 0xFF;
  const std::uint32_t blue = (color >> 16) & 0xFF;
  return (alpha << 24) | (red << 16) | (green << 8) | blue;
}

// Opacity added per ring, outermost ring first: wide shadows reach 150, narrow ones 100.
// Sizes above 150 give 0: such a shadow is invisible.
constexpr int ShadowRingStep(int size) {
  if (size < 1) return 0;
  return size > 8 ? 150 / size : 100 / size;
}

struct SliceRect {
  float x, y, width, height;
  friend bool operator==(const SliceRect&, const SliceRect&) = default;
};

struct NineSlicePiece {
  SliceRect destination;
  SliceRect source;
  friend bool operator==(const NineSlicePiece&, const NineSlicePiece&) = default;
};

// The border kept unscaled at each edge of an image of iw x ih pixels: 20 for images larger than 80
// on both sides, 10 for larger than 50, otherwise 5. It never exceeds half of the destination's
// smaller side, so the pieces of a small shadow neither overlap nor turn inside out.
int NineSliceBorder(float image_width, float image_height, int width, int height);

// The nine pieces that fill (0, 0, width, height) from the image, in drawing order: top left, top,
// top right, left, centre, right, bottom left, bottom, bottom right. Corners keep their size; edges
// stretch along their side only.
std::array<NineSlicePiece, 9> NineSlicePieces(float image_width, float image_height, int width, int height);

// Shadow window rectangle for an owner at (left, top) of width x height with a band of `size`;
// nothing when the owner is empty or the shadow would not fit in a 32-bit bitmap.
struct ShadowPlacement {
  int x, y, width, height;
  friend bool operator==(const ShadowPlacement&, const ShadowPlacement&) = default;
};
std::optional<ShadowPlacement> PlaceShadow(int left, int top, int right, int bottom, int size);

}  // namespace sw
