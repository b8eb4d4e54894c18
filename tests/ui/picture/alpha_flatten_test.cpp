#include "ui/picture/alpha_flatten.h"

#include <gtest/gtest.h>

#include "tests/support/case_table.h"

namespace sw {
namespace {

constexpr std::uint8_t kBlack = 0, kWhite = 255;

struct ChannelCase {
  std::uint8_t channel, alpha, background, expected;
  const char* reason;
};

TEST(FlattenChannel, FollowsTheScaleAboveOneOver255AndTruncates) {
  const ChannelCase cases[] = {
      {kBlack, 0, kWhite, kWhite, "alpha 0 shows the background"},
      {200, 0, 37, 37, "alpha 0, any colours"},
      {10, 255, kWhite, 10, "alpha 255 keeps the pixel's own colour"},
      {kBlack, 128, kWhite, 126, "half black over white: 255 * (1 - 128k) is just under 127"},
      {kBlack, 1, kWhite, 253, "alpha 1 over white: 255 * (1 - k) is just under 254"},
      {kWhite, 128, kBlack, 128, "half white over black: 255 * 128k is just over 128"},
      {kWhite, 254, kBlack, 254, "nearly opaque white over black"},
      {kWhite, 254, kWhite, kWhite, "white over white stays white"},
      {100, 51, 100, 100, "a colour over itself stays"},
  };
  testing::ForEachRow(cases, [](const ChannelCase& c) {
    EXPECT_EQ(FlattenChannel(c.channel, c.alpha, c.background), c.expected);
  });
}

TEST(FlattenAlpha, MixesEachChannelWithItsOwnBackgroundChannel) {
  // Background COLORREF 0x00BBGGRR: red 10, green 20, blue 30.
  constexpr std::uint32_t kBackground = 10 | 20 << 8 | 30 << 16;
  const std::vector<std::uint8_t> bgra = {1, 2, 3, 0, /**/ 4, 5, 6, 255, /**/ 255, 255, 255, 128};
  const std::vector<std::uint8_t> flat = FlattenAlpha(bgra, kBackground);
  const std::vector<std::uint8_t> expected = {
      30,
      20,
      10,
      0,  // transparent: blue, green, red of the background; alpha byte kept
      4,
      5,
      6,
      255,  // opaque: unchanged
      FlattenChannel(255, 128, 30),
      FlattenChannel(255, 128, 20),
      FlattenChannel(255, 128, 10),
      128};
  EXPECT_EQ(flat, expected);
}

}  // namespace
}  // namespace sw
