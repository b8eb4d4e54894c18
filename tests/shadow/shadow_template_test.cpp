// The two black templates: their pixel rules and the PNG files drawn from them at build time.
#include <gtest/gtest.h>
#include <png.h>

#include <cstdio>
#include <string>
#include <vector>

#include "shadow/shadow_template_profile.h"
#include "tests/support/case_table.h"

namespace sw {
namespace {

constexpr int kLast = kShadowTemplateSide - 1;
constexpr auto kSmall = ShadowTemplateKind::Small;
constexpr auto kLarge = ShadowTemplateKind::Large;

struct PixelCase {
  ShadowTemplateKind kind;
  int x, y;
  int alpha;
  const char* reason;
};

TEST(ShadowTemplateProfile, StatedPixels) {
  // clang-format off
  const PixelCase cases[] = {
      // small: mid-side band, outermost pixel first, on each of the four sides
      {kSmall, 0, 50, 15, "left side, outer edge"},
      {kSmall, 4, 50, 111, "left side, innermost band pixel"},
      {kSmall, 5, 50, 0, "inside the band: transparent"},
      {kSmall, kLast, 30, 15, "right side mirrors the left"},
      {kSmall, kLast - 2, 30, 53, "right side, third pixel"},
      {kSmall, 60, 0, 15, "top side, outer edge"},
      {kSmall, 60, 3, 79, "top side, fourth pixel"},
      {kSmall, 60, kLast - 4, 111, "bottom side, innermost band pixel"},
      {kSmall, 11, 0, 15, "first profile pixel past the corner table"},
      {kSmall, 50, 50, 0, "centre"},
      // small: the corner table and its mirrors
      {kSmall, 4, 0, 3, "K[0][4]"},
      {kSmall, 0, 4, 2, "K[4][0]: the table is not symmetric"},
      {kSmall, 10, 4, 110, "K[4][10]: one below the profile's 111"},
      {kSmall, 4, 4, 50, "K[4][4], inner corner of the band"},
      {kSmall, 5, 5, 0, "K[5][5]: the owner's corner"},
      {kSmall, kLast - 4, 0, 3, "top-right corner mirrors K[0][4]"},
      {kSmall, 0, kLast - 4, 2, "bottom-left corner mirrors K[4][0]"},
      {kSmall, kLast - 10, kLast - 4, 110, "bottom-right corner mirrors K[4][10]"},
      // large: left/top sides end in 137, right/bottom in 124
      {kLarge, 0, 50, 11, "left side, outer edge"},
      {kLarge, 9, 50, 137, "left side, innermost"},
      {kLarge, 50, 9, 137, "top side, innermost"},
      {kLarge, kLast - 9, 50, 124, "right side, innermost"},
      {kLarge, 50, kLast - 9, 124, "bottom side, innermost"},
      {kLarge, kLast - 8, 50, 122, "right side, next to innermost"},
      {kLarge, 10, 50, 0, "inside the band"},
      {kLarge, 20, 5, 68, "top side where the corner ends"},
      {kLarge, 0, 0, 0, "the outermost corner pixel is cut off"},
      {kLarge, 12, 12, 0, "the owner's corner"},
  };
  // clang-format on
  testing::ForEachRow(cases, [](const PixelCase& c) {
    EXPECT_EQ(ShadowTemplateAlpha(c.kind, c.x, c.y), c.alpha) << "at " << c.x << "," << c.y;
  });
}

// The small template is exactly its profile plus the corner table, mirrored into four corners.
TEST(ShadowTemplateProfile, SmallTemplateFollowsItsRuleEverywhere) {
  for (int y = 0; y < kShadowTemplateSide; ++y) {
    for (int x = 0; x < kShadowTemplateSide; ++x) {
      const int cx = x < 50 ? x : kLast - x;
      const int cy = y < 50 ? y : kLast - y;
      int expected = 0;
      if (cx <= 10 && cy <= 10) {
        expected = kSmallShadowCorner[cy][cx];
      } else if (cx < 5) {
        expected = kSmallShadowProfile[cx];
      } else if (cy < 5) {
        expected = kSmallShadowProfile[cy];
      }
      ASSERT_EQ(ShadowTemplateAlpha(kSmall, x, y), expected) << x << "," << y;
    }
  }
}

// The large corners round the band off: within the band, alpha never falls going inwards along a
// row or a column, and the corner meets the straight profile without a step.
TEST(ShadowTemplateProfile, LargeCornersRoundOffTheBand) {
  for (int cy = 0; cy < 10; ++cy) {
    for (int cx = 1; cx < 20; ++cx) {
      EXPECT_GE(ShadowTemplateAlpha(kLarge, cx, cy), ShadowTemplateAlpha(kLarge, cx - 1, cy))
          << cx << "," << cy;
      EXPECT_GE(ShadowTemplateAlpha(kLarge, cy, cx), ShadowTemplateAlpha(kLarge, cy, cx - 1))
          << cy << "," << cx;
    }
    EXPECT_EQ(ShadowTemplateAlpha(kLarge, 19, cy), kLargeShadowProfileTopLeft[cy]) << "row " << cy;
  }
  // Mirror images, apart from the lighter innermost value of the right and bottom sides.
  for (int cy = 0; cy < 9; ++cy) {
    for (int cx = 0; cx < 9; ++cx) {
      EXPECT_EQ(ShadowTemplateAlpha(kLarge, cx, cy), ShadowTemplateAlpha(kLarge, kLast - cx, kLast - cy));
    }
  }
}

struct DecodedPng {
  bool ok = false;
  png_uint_32 width = 0, height = 0;
  int bit_depth = 0, color_type = 0, interlace = 0;
  std::vector<unsigned char> rgba;
};

DecodedPng ReadPng(const std::string& path) {
  DecodedPng out;
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return out;
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  if (setjmp(png_jmpbuf(png)) == 0) {
    png_init_io(png, file);
    png_read_info(png, info);
    png_get_IHDR(png, info, &out.width, &out.height, &out.bit_depth, &out.color_type, &out.interlace, nullptr,
                 nullptr);
    if (out.bit_depth == 8 && out.color_type == PNG_COLOR_TYPE_RGBA && out.width <= 1000 &&
        out.height <= 1000) {
      out.rgba.resize(static_cast<std::size_t>(out.width) * out.height * 4);
      std::vector<png_bytep> rows(out.height);
      for (png_uint_32 y = 0; y < out.height; ++y)
        rows[y] = out.rgba.data() + static_cast<std::size_t>(y) * out.width * 4;
      png_read_image(png, rows.data());
      out.ok = true;
    }
  }
  png_destroy_read_struct(&png, &info, nullptr);
  std::fclose(file);
  return out;
}

TEST(ShadowTemplatePng, DecodesToTheStatedPixels) {
  const struct {
    ShadowTemplateKind kind;
    const char* file;
  } templates[] = {{kSmall, "shadow_template_small.png"}, {kLarge, "shadow_template_large.png"}};
  for (const auto& t : templates) {
    const DecodedPng png = ReadPng(std::string(SW_SHADOW_TEMPLATE_DIR) + "/" + t.file);
    ASSERT_TRUE(png.ok) << t.file;
    EXPECT_EQ(png.width, 100U);
    EXPECT_EQ(png.height, 100U);
    EXPECT_EQ(png.interlace, PNG_INTERLACE_NONE);
    for (int y = 0; y < 100; ++y) {
      for (int x = 0; x < 100; ++x) {
        const unsigned char* p = &png.rgba[(static_cast<std::size_t>(y) * 100 + x) * 4];
        ASSERT_EQ(p[0] | p[1] | p[2], 0) << t.file << ": every pixel is black, " << x << "," << y;
        ASSERT_EQ(p[3], ShadowTemplateAlpha(t.kind, x, y)) << t.file << " at " << x << "," << y;
      }
    }
  }
}

}  // namespace
}  // namespace sw
