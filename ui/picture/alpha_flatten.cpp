#include "ui/picture/alpha_flatten.h"

#include <algorithm>
#include <bit>
#include <cmath>

namespace sw {
namespace {

// 1/255 rounded to single precision lands slightly above 1/255, so alpha 255 would give s a hair over 1;
// together with truncation this makes half-transparent black over white 126, not 127.
constexpr float kAlphaScale = std::bit_cast<float>(0x3B808081u);
static_assert(kAlphaScale > 1.0 / 255.0 && kAlphaScale < 1.0 / 254.99);
constexpr std::uint8_t kOpaque = 255;

}  // namespace

std::uint8_t FlattenChannel(std::uint8_t channel, std::uint8_t alpha, std::uint8_t background) {
  if (alpha == kOpaque) return channel;
  // Only k is single precision; s, t and the sum are exact in double, so only the truncation rounds.
  // (t rounded to single would turn alpha 1 over white into 254 instead of 253.)
  const double s = static_cast<double>(alpha) * static_cast<double>(kAlphaScale);
  const double t = 1.0 - s;
  const double mixed = std::trunc(static_cast<double>(channel) * s + static_cast<double>(background) * t);
  return static_cast<std::uint8_t>(std::clamp(mixed, 0.0, 255.0));
}

std::vector<std::uint8_t> FlattenAlpha(std::span<const std::uint8_t> bgra, std::uint32_t background) {
  const std::uint8_t background_bgr[3] = {static_cast<std::uint8_t>(background >> 16),
                                          static_cast<std::uint8_t>(background >> 8),
                                          static_cast<std::uint8_t>(background)};
  std::vector<std::uint8_t> out(bgra.begin(), bgra.end());
  for (std::size_t i = 0; i + 3 < out.size(); i += 4) {
    const std::uint8_t alpha = out[i + 3];
    if (alpha == kOpaque) continue;
    for (std::size_t c = 0; c < 3; ++c) out[i + c] = FlattenChannel(out[i + c], alpha, background_bgr[c]);
  }
  return out;
}

}  // namespace sw
