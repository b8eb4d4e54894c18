// RenderWidths and EstimateTextWidth: canvas geometry, and the row-copying drawing against plain SetPixel.
#include "render/barcode_canvas.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/support/case_table.h"

namespace sw {
namespace {

// Width strings of real symbols: Start B, "A", check, stop (46 modules) and Start C, 12, 34, 56, check 44,
// stop.
constexpr std::string_view kStartB = "211214", kStartC = "211232", kStop = "2331112";
const std::string kSingleA = std::string(kStartB) + "111323" + "131123" + std::string(kStop);
const std::string k123456 =
    std::string(kStartC) + "112232" + "131123" + "311123" + "132131" + std::string(kStop);

// The drawing rule pixel by pixel: white canvas, then every bar column of rows 1 to 110 set black.
std::vector<std::uint8_t> PlainRender(std::string_view widths) {
  const std::int32_t modules = static_cast<std::int32_t>(ModuleCount(widths));
  const std::int32_t width = 3 * modules + 102;
  Bitmap canvas;
  EXPECT_TRUE(canvas.Create(width, 150, 1));
  for (std::int32_t x = 0; x < width; ++x) {
    for (std::int32_t y = 0; y < 150; ++y) canvas.SetPixel(x, y, kWhite);
  }
  std::int32_t x = 50;
  for (std::size_t i = 0; i < widths.size(); ++i) {
    const std::int32_t w = widths[i] - '0';
    if (i % 2 == 0) {
      for (std::int32_t c = x; c < x + 3 * w; ++c) {
        for (std::int32_t r = 1; r <= 110; ++r) canvas.SetPixel(c, r, kBlack);
      }
    }
    x += 3 * w;
  }
  return canvas.GetData();
}

TEST(RenderWidths, CanvasSizeComesFromTheModuleCount) {
  struct Case {
    const std::string& widths;
    std::int64_t modules;
    std::int32_t width;
    const char* reason;
  };
  const Case cases[] = {
      {kSingleA, 46, 240, "a single character"},
      {k123456, 68, 306, "three digit pairs in set C"},
  };
  testing::ForEachRow(cases, [](const Case& c) {
    EXPECT_EQ(ModuleCount(c.widths), c.modules);
    Bitmap canvas = RenderWidths(c.widths);
    EXPECT_EQ(canvas.GetWidth(), c.width);
    EXPECT_EQ(canvas.GetHeight(), 150);
    EXPECT_EQ(canvas.GetBitCount(), 1);
  });
}

TEST(RenderWidths, BarsSitBetweenTheMargins) {
  Bitmap canvas = RenderWidths(k123456);
  const std::int32_t last_bar_column = 50 + 3 * 68 - 1;
  for (std::int32_t row : {1, 55, 110}) {
    EXPECT_EQ(canvas.GetPixel(49, row), kWhite);
    EXPECT_EQ(canvas.GetPixel(50, row), kBlack) << "the start symbol's first bar";
    EXPECT_EQ(canvas.GetPixel(last_bar_column, row), kBlack) << "the stop pattern's last bar";
    for (std::int32_t x = last_bar_column + 1; x < 306; ++x) ASSERT_EQ(canvas.GetPixel(x, row), kWhite) << x;
  }
  for (std::int32_t row : {0, 111, 149}) {
    for (std::int32_t x = 0; x < 306; ++x) ASSERT_EQ(canvas.GetPixel(x, row), kWhite) << row << ", " << x;
  }
}

TEST(RenderWidths, CopiedRowsMatchSettingEveryPixel) {
  for (const std::string& widths : {kSingleA, k123456, std::string("1"), std::string("41"), std::string()}) {
    EXPECT_EQ(RenderWidths(widths).GetData(), PlainRender(widths)) << widths;
  }
}

TEST(EstimateTextWidth, ByteCountTimesTruncatedSevenTenthsOfTheFontSize) {
  struct Case {
    std::string_view text;
    std::int32_t font_size, width;
    const char* reason;
  };
  const Case cases[] = {
      {"Code128", 24, 7 * 16, "0.7 x 24 = 16.8, truncated"},
      {"Code128", 10, 7 * 7, "0.7 x 10 is 7 exactly in double"},
      {"\xb0\xa1", 20, 2 * 14, "a double-byte character counts twice"},
      {"", 24, 0, "no text"},
      {"ab", -10, 2 * -7, "truncation toward zero"},
  };
  testing::ForEachRow(cases,
                      [](const Case& c) { EXPECT_EQ(EstimateTextWidth(c.text, c.font_size), c.width); });
}

}  // namespace
}  // namespace sw
