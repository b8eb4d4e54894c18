// Composition arithmetic: colours, ring opacity, the nine template pieces and shadow placement.
#include "shadow/shadow_geometry.h"

#include <gtest/gtest.h>

#include <climits>

#include "tests/support/case_table.h"

namespace sw {
namespace {

TEST(ShadowGeometry, MakeShadowArgbSwapsRedAndBlueAndDropsTheTopByte) {
  constexpr std::uint32_t kRed = 0x000000FF, kGreen = 0x0000FF00, kBlue = 0x00FF0000;
  const struct {
    std::uint32_t color, alpha, argb;
    const char* reason;
  } cases[] = {
      {kRed, 33, 0x21FF0000, "COLORREF red lands in the ARGB red byte"},
      {kGreen, 0, 0x0000FF00, "green stays in the middle"},
      {kBlue, 255, 0xFF0000FF, "blue moves to the low byte"},
      {0x00123456, 20, 0x14563412, "mixed colour"},
      {0xFF000000, 100, 0x64000000, "a top byte alone counts as black"},
  };
  testing::ForEachRow(cases, [](const auto& c) { EXPECT_EQ(MakeShadowArgb(c.color, c.alpha), c.argb); });
}

TEST(ShadowGeometry, RingStepGivesTheMostOpaqueRing) {
  const struct {
    int size, step;
    const char* reason;
  } cases[] = {
      {3, 33, "rings 33, 66, 99"},
      {5, 20, "rings 20 to 100"},
      {8, 12, "most opaque ring 96"},
      {9, 16, "most opaque 144, stronger than size 8"},
      {20, 7, "150 / 20"},
      {150, 1, "the widest visible shadow"},
      {151, 0, "too wide: invisible"},
      {0, 0, "no size: nothing to draw, no division by zero"},
  };
  testing::ForEachRow(cases, [](const auto& c) { EXPECT_EQ(ShadowRingStep(c.size), c.step); });
}

TEST(ShadowGeometry, NineSlicePiecesOfATemplateInOrder) {
  // A 100 x 100 template over a 510 x 310 shadow: border 20, centre (20, 20)-(80, 80).
  constexpr float b = 20, W = 510, H = 310, dw = W - 2 * b, dh = H - 2 * b, c = 60, far = 80;
  const std::array<NineSlicePiece, 9> expected = {{
      {{0, 0, b, b}, {0, 0, b, b}},              // top left
      {{b, 0, dw, b}, {b, 0, c, b}},             // top
      {{W - b, 0, b, b}, {far, 0, b, b}},        // top right
      {{0, b, b, dh}, {0, b, b, c}},             // left
      {{b, b, dw, dh}, {b, b, c, c}},            // centre
      {{W - b, b, b, dh}, {far, b, b, c}},       // right
      {{0, H - b, b, b}, {0, far, b, b}},        // bottom left
      {{b, H - b, dw, b}, {b, far, c, b}},       // bottom
      {{W - b, H - b, b, b}, {far, far, b, b}},  // bottom right
  }};
  EXPECT_EQ(NineSlicePieces(100, 100, 510, 310), expected);
}

TEST(ShadowGeometry, NineSliceBorderFollowsImageSizeAndNeverOverlaps) {
  const struct {
    float iw, ih;
    int width, height, border;
    const char* reason;
  } cases[] = {
      {100, 100, 510, 310, 20, "templates: 20"},
      {80, 100, 510, 310, 10, "not larger than 80 on both sides"},
      {60, 60, 510, 310, 10, "larger than 50"},
      {50, 50, 510, 310, 5, "50 is not larger than 50"},
      {100, 100, 30, 300, 15, "narrow shadow: half its width, so no piece turns inside out"},
      {100, 100, 300, 21, 10, "low shadow: half its height, rounded down"},
  };
  testing::ForEachRow(cases, [](const auto& c) {
    EXPECT_EQ(NineSliceBorder(c.iw, c.ih, c.width, c.height), c.border);
    for (const NineSlicePiece& piece : NineSlicePieces(c.iw, c.ih, c.width, c.height)) {
      EXPECT_GE(piece.destination.width, 0);
      EXPECT_GE(piece.destination.height, 0);
    }
  });
}

TEST(ShadowGeometry, PlaceShadowAroundTheOwner) {
  const struct {
    int left, top, right, bottom, size;
    std::optional<ShadowPlacement> placement;
    const char* reason;
  } cases[] = {
      {100, 50, 600, 350, 5, ShadowPlacement{95, 45, 510, 310}, "s pixels outside on every side"},
      {-20, -30, 80, 70, 10, ShadowPlacement{-30, -40, 120, 120}, "partly off screen"},
      {100, 50, 100, 350, 5, std::nullopt, "zero width: neither moved nor drawn"},
      {100, 50, 600, 50, 5, std::nullopt, "zero height"},
      {0, 0, 500, 300, INT_MAX / 2, std::nullopt, "too large for a 32-bit bitmap, and no overflow"},
      {INT_MIN + 1, 0, INT_MIN + 101, 100, 5, std::nullopt, "left edge would fall below INT_MIN"},
  };
  testing::ForEachRow(cases, [](const auto& c) {
    EXPECT_EQ(PlaceShadow(c.left, c.top, c.right, c.bottom, c.size), c.placement);
  });
}

}  // namespace
}  // namespace sw
