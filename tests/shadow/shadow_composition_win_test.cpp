// Shadow composition under Wine, read from the bitmap handed to UpdateLayeredWindow.
#include "shadow/shadow_composition_win.h"

#include <windows.h>
#include <gtest/gtest.h>

#include <array>
#include <optional>
#include <span>
#include <vector>

#include "shadow/gdiplus_startup_win.h"
#include "shadow/shadow_template_image_win.h"
#include "shadow/shadow_template_profile.h"
#include "shadow/shadow_window_win.h"
#include "shadow/system_call_table_win.h"
#include "tests/shadow/shadow_test_support_win.h"
#include "tests/support/case_table.h"

namespace sw {
namespace {

// The owner used throughout: 500 x 300, so a size-5 shadow is 510 x 310.
constexpr int kOwnerWidth = 500;
constexpr int kOwnerHeight = 300;

class ShadowComposition : public ::testing::Test {
 protected:
  // One owner for the whole suite: under Wine without a window manager every destroyed top-level
  // window costs two seconds.
  static void SetUpTestSuite() {
    StartGdiplus();
    owner_ = new test::OwnerWindow{100, 100, kOwnerWidth, kOwnerHeight};
  }
  static void TearDownTestSuite() {
    delete owner_;
    owner_ = nullptr;
  }

  // Attaches the shadow and returns the bitmap it was composed into.
  const test::CapturedShadow& Compose(std::optional<COLORREF> color, std::optional<int> size) {
    capture_.clear();
    EXPECT_TRUE(SetWindowShadow(owner_->get(), color, size));
    EXPECT_GE(capture_.last().count, 1);
    return capture_;
  }

  // Alpha across each side at mid-length, outermost pixel first, `depth` pixels deep.
  std::array<std::vector<int>, 4> MidSideAlphas(int depth) const {
    std::array<std::vector<int>, 4> sides;
    const int w = capture_.width(), h = capture_.height();
    for (int i = 0; i < depth; ++i) {
      sides[0].push_back(capture_.alpha(i, h / 2));          // left
      sides[1].push_back(capture_.alpha(w - 1 - i, h / 2));  // right
      sides[2].push_back(capture_.alpha(w / 2, i));          // top
      sides[3].push_back(capture_.alpha(w / 2, h - 1 - i));  // bottom
    }
    return sides;
  }

  // True when nothing at all is drawn over the owner's area.
  bool OwnerAreaIsClear(int size) const {
    for (int y = size; y < capture_.height() - size; ++y) {
      for (int x = size; x < capture_.width() - size; ++x) {
        if (capture_.pixel(x, y) != 0) return false;
      }
    }
    return true;
  }

  test::CapturedShadow capture_;
  static inline test::OwnerWindow* owner_ = nullptr;
};

// The template pixel that a nine-slice drawing puts at (x, y) of a width x height shadow: corners
// copied, edges stretched along their side, where the template is constant.
int StretchedTemplateAlpha(ShadowTemplateKind kind, int x, int y, int width, int height) {
  constexpr int kBorder = 20, kSide = kShadowTemplateSide;
  const int tx = x < kBorder ? x : (x >= width - kBorder ? kSide - (width - x) : kSide / 2);
  const int ty = y < kBorder ? y : (y >= height - kBorder ? kSide - (height - y) : kSide / 2);
  return ShadowTemplateAlpha(kind, tx, ty);
}

struct TemplateCase {
  int size;
  ShadowTemplateKind kind;
  std::array<std::vector<int>, 4> mid_side;  // left, right, top, bottom; outermost first
  int wine_seam_x;  // a column that Wine leaves empty in the top and bottom bands, or -1
  const char* reason;
};

TEST_F(ShadowComposition, BlackShadowsOfSizeFiveAndTenComeFromTheTemplates) {
  const std::vector<int> small = {15, 31, 53, 79, 111};
  const std::vector<int> large_top_left = {11, 19, 28, 40, 53, 68, 85, 105, 122, 137};
  const std::vector<int> large_bottom_right = {11, 19, 28, 40, 53, 68, 85, 105, 122, 124};
  const TemplateCase cases[] = {
      // Wine starts its 60 -> 470 stretch of the top and bottom edge pieces one column late, leaving
      // column 20 empty; at 60 -> 480 (size 10) it does not.
      {5, ShadowTemplateKind::Small, {small, small, small, small}, 20, "default shadow"},
      {10,
       ShadowTemplateKind::Large,
       {large_top_left, large_bottom_right, large_top_left, large_bottom_right},
       -1,
       "size 10: the large template"},
  };
  testing::ForEachRow(cases, [&](const TemplateCase& c) {
    const auto& shadow = Compose(std::nullopt, c.size);
    ASSERT_EQ(shadow.width(), kOwnerWidth + 2 * c.size);
    ASSERT_EQ(shadow.height(), kOwnerHeight + 2 * c.size);
    EXPECT_EQ(MidSideAlphas(c.size), c.mid_side);
    EXPECT_TRUE(OwnerAreaIsClear(c.size));
    int differences = 0;
    for (int y = 0; y < shadow.height(); ++y) {
      for (int x = 0; x < shadow.width(); ++x) {
        const bool seam = x == c.wine_seam_x && (y < c.size || y >= shadow.height() - c.size);
        const int expected = seam ? 0 : StretchedTemplateAlpha(c.kind, x, y, shadow.width(), shadow.height());
        if (shadow.alpha(x, y) != expected || (shadow.pixel(x, y) & 0xFFFFFF) != 0) ++differences;
      }
    }
    EXPECT_EQ(differences, 0) << "black everywhere, the template's alpha everywhere";
  });
}

struct RingCase {
  std::optional<COLORREF> color;
  int size;
  std::vector<int> alphas;  // outermost ring first
  int red, green, blue;     // after undoing the premultiplication
  const char* reason;
};

TEST_F(ShadowComposition, OtherShadowsAreDrawnAsRings) {
  const RingCase cases[] = {
      {0x00563412, 5, {20, 40, 60, 80, 100}, 0x12, 0x34, 0x56, "any colour but black: rings, 20 apart"},
      {0xFF000000,
       5,
       {20, 40, 60, 80, 100},
       0,
       0,
       0,
       "only the ignored top byte set: still rings, and black"},
      {0x000000FF, 3, {33, 66, 99}, 255, 0, 0, "pure red, three rings"},
      {std::nullopt, 9, {16, 32, 48, 64, 80, 96, 112, 128, 144}, 0, 0, 0, "size 9: step 16, up to 144"},
      {0, 8, {12, 24, 36, 48, 60, 72, 84, 96}, 0, 0, 0, "size 8: step 12, only up to 96"},
      {0, 1, {100}, 0, 0, 0, "one ring"},
  };
  testing::ForEachRow(cases, [&](const RingCase& c) {
    const auto& shadow = Compose(c.color, c.size);
    ASSERT_EQ(shadow.width(), kOwnerWidth + 2 * c.size);
    EXPECT_EQ(MidSideAlphas(c.size),
              (std::array<std::vector<int>, 4>{c.alphas, c.alphas, c.alphas, c.alphas}));
    EXPECT_TRUE(OwnerAreaIsClear(c.size));
    // The DIB holds premultiplied colour.
    const int x = c.size - 1, y = shadow.height() / 2, a = shadow.alpha(x, y);
    EXPECT_NEAR(shadow.red(x, y) * 255 / a, c.red, 4);
    EXPECT_NEAR(shadow.green(x, y) * 255 / a, c.green, 4);
    EXPECT_NEAR(shadow.blue(x, y) * 255 / a, c.blue, 4);
  });
}

TEST_F(ShadowComposition, RingCornersAreRoundedAsWineDrawsThem) {
  // Radius-4 corners, the outer 8 x 8 pixels of each, as seen on screen. Wine's GDI+ strokes the
  // semi-transparent rings without anti-aliasing: each ring's corner is a one-pixel staircase with
  // untouched pixels between neighbouring rings, and its right and bottom corners are rasterised a
  // pixel differently from the left and top ones (Windows blends these pixels instead).
  using Corner = std::array<std::array<int, 8>, 8>;
  // clang-format off
  const Corner top_left = {{
      {{  0,   0,   0,  20,  20,  20,  20,  20 }},
      {{  0,   0,  20,   0,  40,  40,  40,  40 }},
      {{  0,  20,   0,  40,   0,  60,  60,  60 }},
      {{ 20,   0,  40,   0,  60,   0,  80,  80 }},
      {{ 20,  40,   0,  60,   0,  80,   0, 100 }},
      {{ 20,  40,  60,   0,  80,   0,   0,   0 }},
      {{ 20,  40,  60,  80,   0,   0,   0,   0 }},
      {{ 20,  40,  60,  80, 100,   0,   0,   0 }},
  }};
  const Corner top_right = {{
      {{ 20,  20,  20,  20,  20,   0,   0,   0 }},
      {{ 40,  40,  40,  40,   0,  20,   0,   0 }},
      {{ 60,  60,  60,   0,  40,   0,  20,   0 }},
      {{ 80,  80,   0,  60,   0,  40,   0,  20 }},
      {{100,   0,  80,   0,  60,   0,  40,  20 }},
      {{  0,   0,   0,  80,   0,  60,  40,  20 }},
      {{  0,   0,   0,   0,  80,  60,  40,  20 }},
      {{  0,   0,   0, 100,  80,  60,  40,  20 }},
  }};
  const Corner bottom_left = {{
      {{ 20,  40,  60,  80, 100,   0,   0,   0 }},
      {{ 20,  40,  60,  80,   0,   0,   0,   0 }},
      {{ 20,  40,  60,   0,  80,   0,   0,   0 }},
      {{ 20,  40,   0,  60,   0,  80,   0, 100 }},
      {{ 20,   0,  40,   0,  60,   0,  80,  80 }},
      {{  0,  20,   0,  40,   0,  60,  60,  60 }},
      {{  0,   0,  20,   0,  40,  40,  40,  40 }},
      {{  0,   0,   0,  20,  20,  20,  20,  20 }},
  }};
  const Corner bottom_right = {{
      {{  0,   0,   0,   0,  80,  60,  40,  20 }},
      {{  0,   0,   0,   0,   0,  60,  40,  20 }},
      {{  0,   0,   0,  80,   0,   0,  40,  20 }},
      {{100,   0,  80,   0,  60,   0,   0,  20 }},
      {{ 80,  80,   0,  60,   0,  40,   0,   0 }},
      {{ 60,  60,  60,   0,  40,   0,  20,   0 }},
      {{ 40,  40,  40,  40,   0,  20,   0,   0 }},
      {{ 20,  20,  20,  20,  20,   0,   0,   0 }},
  }};
  // clang-format on
  const auto& shadow = Compose(0x00563412, 5);
  const int right = shadow.width() - 8, bottom = shadow.height() - 8;
  const struct {
    const Corner& corner;
    int left, top;
    const char* reason;
  } corners[] = {{top_left, 0, 0, "top left"},
                 {top_right, right, 0, "top right"},
                 {bottom_left, 0, bottom, "bottom left"},
                 {bottom_right, right, bottom, "bottom right"}};
  testing::ForEachRow(corners, [&](const auto& c) {
    for (int y = 0; y < 8; ++y) {
      for (int x = 0; x < 8; ++x) {
        EXPECT_EQ(shadow.alpha(c.left + x, c.top + y), c.corner[y][x]) << "at " << x << "," << y;
      }
    }
  });
}

TEST_F(ShadowComposition, ShadowsWiderThan150AreInvisibleAndQuick) {
  const auto& shadow = Compose(0x00563412, 151);
  ASSERT_EQ(shadow.width(), kOwnerWidth + 2 * 151);
  for (std::uint32_t pixel : shadow.last().bottom_up) ASSERT_EQ(pixel, 0U);
}

TEST_F(ShadowComposition, ShadowOfASmallOwnerStaysOffTheOwner) {
  // Below twice the template border the nine pieces would overlap and mirror over the owner.
  test::OwnerWindow tiny{50, 50, 10, 10};
  for (int size : {5, 10}) {
    capture_.clear();
    ASSERT_TRUE(SetWindowShadow(tiny.get(), 0, size));
    ASSERT_EQ(capture_.width(), 10 + 2 * size);
    EXPECT_TRUE(OwnerAreaIsClear(size)) << "size " << size;
    EXPECT_GT(capture_.alpha(size - 1, capture_.height() / 2), 0) << "the band is still there, size " << size;
  }
}

TEST_F(ShadowComposition, ATemplateThatCannotBeDecodedLeavesTheShadowClearUntilItCan) {
  const std::vector<unsigned char> not_an_image(200, 0x5A);
  ReleaseShadowTemplates();
  SetShadowTemplatePngs(not_an_image, not_an_image);
  const struct {
    int size;
    const char* reason;
  } cases[] = {{5, "the small template"}, {10, "the large template"}};
  testing::ForEachRow(cases, [&](const auto& c) {
    const auto& shadow = Compose(std::nullopt, c.size);
    ASSERT_EQ(shadow.width(), kOwnerWidth + 2 * c.size);
    for (std::uint32_t pixel : shadow.last().bottom_up) ASSERT_EQ(pixel, 0U) << "fully transparent";
  });
  SetShadowTemplatePngs({}, {});
  // The next composition decodes again, and this time it works.
  testing::ForEachRow(cases, [&](const auto& c) {
    Compose(std::nullopt, c.size);
    EXPECT_EQ(capture_.alpha(0, capture_.height() / 2), c.size == 5 ? 15 : 11);
  });
}

TEST(ShadowTemplateImage, DecodesTheEmbeddedTemplatesToTheirPixels) {
  StartGdiplus();
  const struct {
    std::span<const unsigned char> png;
    ShadowTemplateKind kind;
  } templates[] = {{ShadowTemplateSmallPng(), ShadowTemplateKind::Small},
                   {ShadowTemplateLargePng(), ShadowTemplateKind::Large}};
  for (const auto& t : templates) {
    ShadowTemplateImage image;
    ASSERT_TRUE(image.LoadFromBytes(t.png));
    ASSERT_NE(image.GetImage(), nullptr);
    UINT width = 0, height = 0;
    Gdiplus::DllExports::GdipGetImageWidth(image.GetImage(), &width);
    Gdiplus::DllExports::GdipGetImageHeight(image.GetImage(), &height);
    ASSERT_EQ(width, 100U);
    ASSERT_EQ(height, 100U);
    auto* bitmap = static_cast<Gdiplus::GpBitmap*>(image.GetImage());
    for (int y = 0; y < 100; ++y) {
      for (int x = 0; x < 100; ++x) {
        Gdiplus::ARGB argb = 0;
        Gdiplus::DllExports::GdipBitmapGetPixel(bitmap, x, y, &argb);
        ASSERT_EQ(argb, static_cast<Gdiplus::ARGB>(ShadowTemplateAlpha(t.kind, x, y)) << 24) << x << "," << y;
      }
    }
    image.Release();
    EXPECT_EQ(image.GetImage(), nullptr);
  }
}

TEST(ShadowTemplateImage, RefusesWhatIsNotAnImage) {
  StartGdiplus();
  const std::vector<unsigned char> png(ShadowTemplateSmallPng().begin(), ShadowTemplateSmallPng().end());
  const struct {
    std::vector<unsigned char> bytes;
    const char* reason;
  } cases[] = {
      {{}, "nothing"},
      {{0x89, 'P', 'N', 'G'}, "fewer than 5 bytes"},
      {std::vector<unsigned char>(200, 0x5A), "not an image"},
      {std::vector<unsigned char>(png.begin(), png.begin() + 40), "a cut-off PNG"},
  };
  testing::ForEachRow(cases, [&](const auto& c) {
    ShadowTemplateImage image;
    ASSERT_TRUE(image.LoadFromBytes(png)) << "holds an image first";
    EXPECT_FALSE(image.LoadFromBytes(c.bytes));
    EXPECT_EQ(image.GetImage(), nullptr) << "the previous image is gone too";
  });
}

// Last, after every kind of composition above: the two rows that nothing calls were never bound.
TEST(ShadowCompositionRows, UnusedRowsAreNeverBound) {
  EXPECT_TRUE(IsSystemCallBound(sysrow::kGdipCreateBitmapFromStream));
  EXPECT_TRUE(IsSystemCallBound(sysrow::kGdipDrawPath));
  EXPECT_FALSE(IsSystemCallBound(sysrow::kGdipGetImageWidth));
  EXPECT_FALSE(IsSystemCallBound(sysrow::kGdipGetImageHeight));
}

}  // namespace
}  // namespace sw
