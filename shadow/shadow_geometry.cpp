#include "shadow/shadow_geometry.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace sw {

int NineSliceBorder(float image_width, float image_height, int width, int height) {
  constexpr float kEpsilon = 1e-7F;
  int border = 5;
  if (image_width - 80 > kEpsilon && image_height - 80 > kEpsilon) {
    border = 20;
  } else if (image_width - 50 > kEpsilon && image_height - 50 > kEpsilon) {
    border = 10;
  }
  return std::max(0, std::min(border, std::min(width, height) / 2));
}

std::array<NineSlicePiece, 9> NineSlicePieces(float image_width, float image_height, int width, int height) {
  const int border = NineSliceBorder(image_width, image_height, width, height);
  // Centre rectangle in image pixels, truncated to whole pixels.
  const float left = static_cast<float>(border);
  const float top = static_cast<float>(border);
  const float right = static_cast<float>(static_cast<int>(image_width - static_cast<float>(border)));
  const float bottom = static_cast<float>(static_cast<int>(image_height - static_cast<float>(border)));
  const float l = left;  // border widths
  const float t = top;
  const float r = image_width - right;
  const float b = image_height - bottom;
  const float cw = right - left;  // source centre
  const float ch = bottom - top;
  const float w = static_cast<float>(width);
  const float h = static_cast<float>(height);
  const float dw = w - l - r;  // destination centre
  const float dh = h - t - b;
  return {{
      {{0, 0, l, t}, {0, 0, l, t}},                   // top left
      {{l, 0, dw, t}, {left, 0, cw, t}},              // top
      {{w - r, 0, r, t}, {right, 0, r, t}},           // top right
      {{0, t, l, dh}, {0, top, l, ch}},               // left
      {{l, t, dw, dh}, {left, top, cw, ch}},          // centre
      {{w - r, t, r, dh}, {right, top, r, ch}},       // right
      {{0, h - b, l, b}, {0, bottom, l, b}},          // bottom left
      {{l, h - b, dw, b}, {left, bottom, cw, b}},     // bottom
      {{w - r, h - b, r, b}, {right, bottom, r, b}},  // bottom right
  }};
}

std::optional<ShadowPlacement> PlaceShadow(int left, int top, int right, int bottom, int size) {
  const std::int64_t w = static_cast<std::int64_t>(right) - left;
  const std::int64_t h = static_cast<std::int64_t>(bottom) - top;
  if (w == 0 || h == 0) return std::nullopt;
  const std::int64_t width = w + 2 * static_cast<std::int64_t>(size);
  const std::int64_t height = h + 2 * static_cast<std::int64_t>(size);
  const std::int64_t x = static_cast<std::int64_t>(left) - size;
  const std::int64_t y = static_cast<std::int64_t>(top) - size;
  // The bitmap header counts its bytes in 32 bits; anything larger cannot be composed.
  constexpr std::int64_t kMaxBitmapBytes = std::numeric_limits<std::uint32_t>::max();
  constexpr std::int64_t kIntMin = std::numeric_limits<int>::min();
  constexpr std::int64_t kIntMax = std::numeric_limits<int>::max();
  if (width <= 0 || height <= 0 || width > kIntMax || height > kIntMax || x < kIntMin || y < kIntMin) {
    return std::nullopt;
  }
  if (width * height > kMaxBitmapBytes / 4) return std::nullopt;
  return ShadowPlacement{static_cast<int>(x), static_cast<int>(y), static_cast<int>(width),
                         static_cast<int>(height)};
}

}  // namespace sw
