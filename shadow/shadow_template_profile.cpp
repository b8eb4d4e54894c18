#include "shadow/shadow_template_profile.h"

#include <algorithm>
#include <cmath>
#include <span>

namespace sw {

// clang-format off
const std::array<std::array<std::uint8_t, kSmallCornerSpan>, kSmallCornerSpan> kSmallShadowCorner = {{
    //  cx: 0    1    2    3    4    5    6    7    8    9   10
    {{    0,   0,   0,   0,   3,   6,   9,  12,  13,  14,  15 }},  // cy 0
    {{    0,   0,   1,   7,  11,  16,  21,  25,  28,  30,  31 }},  // cy 1
    {{    0,   1,   8,  14,  21,  29,  37,  43,  47,  50,  52 }},  // cy 2
    {{    0,   7,  14,  23,  34,  46,  57,  65,  72,  76,  78 }},  // cy 3
    {{    2,  11,  21,  34,  50,  66,  81,  93, 102, 107, 110 }},  // cy 4
    {{    6,  16,  29,  46,  66,   0,   0,   0,   0,   0,   0 }},  // cy 5
    {{    9,  20,  36,  56,  81,   0,   0,   0,   0,   0,   0 }},  // cy 6
    {{   11,  24,  42,  65,  93,   0,   0,   0,   0,   0,   0 }},  // cy 7
    {{   12,  27,  47,  71, 102,   0,   0,   0,   0,   0,   0 }},  // cy 8
    {{   14,  29,  50,  76, 107,   0,   0,   0,   0,   0,   0 }},  // cy 9
    {{   14,  30,  52,  78, 110,   0,   0,   0,   0,   0,   0 }},  // cy 10
}};
// clang-format on

namespace {

constexpr int kHalf = kShadowTemplateSide / 2;
constexpr int kLargeBand = static_cast<int>(kLargeShadowProfileTopLeft.size());
// The large corners are the small corner's shape at twice the scale: alpha follows the side profile
// by depth into a band whose outer edge is an arc. 9.25 is the radius that best reproduces the small
// corner table by that rule; the large band is twice as wide, so its arc is twice as large.
constexpr double kLargeCornerRadius = 18.5;
constexpr int kLargeCornerSpan = 20;

int MirroredOffset(int coordinate) {
  return coordinate < kHalf ? coordinate : kShadowTemplateSide - 1 - coordinate;
}

// The profile read at a fractional depth: linear between pixels, fading to 0 one pixel outside.
double ProfileAt(std::span<const std::uint8_t> profile, double depth) {
  if (depth <= -1.0) return 0.0;
  if (depth < 0.0) return profile.front() * (1.0 + depth);
  const double last = static_cast<double>(profile.size() - 1);
  if (depth >= last) return profile.back();
  const auto index = static_cast<std::size_t>(depth);
  const double fraction = depth - static_cast<double>(index);
  return profile[index] * (1.0 - fraction) + profile[index + 1] * fraction;
}

std::uint8_t SmallAlpha(int cx, int cy) {
  constexpr int band = static_cast<int>(kSmallShadowProfile.size());
  if (cx < kSmallCornerSpan && cy < kSmallCornerSpan) return kSmallShadowCorner[cy][cx];
  if (cx < band) return kSmallShadowProfile[cx];
  if (cy < band) return kSmallShadowProfile[cy];
  return 0;
}

std::uint8_t LargeAlpha(int x, int y) {
  const int cx = MirroredOffset(x);
  const int cy = MirroredOffset(y);
  // The vertical band (left or right side) is read across x, the horizontal one across y.
  const auto& vertical = x < kHalf ? kLargeShadowProfileTopLeft : kLargeShadowProfileBottomRight;
  const auto& horizontal = y < kHalf ? kLargeShadowProfileTopLeft : kLargeShadowProfileBottomRight;
  if (cx >= kLargeBand && cy >= kLargeBand) return 0;  // the owner's area
  if (cx >= kLargeCornerSpan || cy >= kLargeCornerSpan) {
    return cx < kLargeBand ? vertical[cx] : horizontal[cy];
  }
  const double dx = std::max(0.0, kLargeCornerRadius - cx);
  const double dy = std::max(0.0, kLargeCornerRadius - cy);
  const double depth = kLargeCornerRadius - std::hypot(dx, dy);
  // Beside the vertical band dx dominates, beside the horizontal one dy; blend the two profiles.
  const double vertical_weight = dx + dy > 0.0 ? dx / (dx + dy) : 0.5;
  const double value =
      ProfileAt(vertical, depth) * vertical_weight + ProfileAt(horizontal, depth) * (1.0 - vertical_weight);
  return static_cast<std::uint8_t>(std::lround(std::clamp(value, 0.0, 255.0)));
}

}  // namespace

std::uint8_t ShadowTemplateAlpha(ShadowTemplateKind kind, int x, int y) {
  if (x < 0 || y < 0 || x >= kShadowTemplateSide || y >= kShadowTemplateSide) return 0;
  if (kind == ShadowTemplateKind::Small) return SmallAlpha(MirroredOffset(x), MirroredOffset(y));
  return LargeAlpha(x, y);
}

std::vector<std::uint8_t> ShadowTemplateRgba(ShadowTemplateKind kind) {
  std::vector<std::uint8_t> rgba(static_cast<std::size_t>(kShadowTemplateSide) * kShadowTemplateSide * 4, 0);
  for (int y = 0; y < kShadowTemplateSide; ++y) {
    for (int x = 0; x < kShadowTemplateSide; ++x) {
      rgba[(static_cast<std::size_t>(y) * kShadowTemplateSide + x) * 4 + 3] = ShadowTemplateAlpha(kind, x, y);
    }
  }
  return rgba;
}

}  // namespace sw
