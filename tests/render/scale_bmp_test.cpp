// ScaleBmpBytes: the column and row rules, degenerate sizes, and byte-for-byte agreement of the row-wise
// implementation with the plain per-pixel GetPixel / SetPixel rule.
#include "render/scale_bmp.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "base/bmp_format.h"
#include "base/byte_reader.h"
#include "render/barcode_canvas.h"
#include "render/bitmap.h"
#include "tests/support/case_table.h"

namespace sw {
namespace {

using bytes = std::vector<std::uint8_t>;

// The scaling rule written pixel by pixel, with nothing but the Bitmap operations.
bytes PlainScale(const bytes& data, std::int32_t w0, std::int32_t h0, std::int32_t w1, std::int32_t h1) {
  Bitmap a;
  a.LoadData(data);
  Bitmap b;
  if (!b.Create(w1, h1, a.GetBitCount())) return b.GetData();
  for (std::int32_t x = 0; x < w1; ++x) {
    for (std::int32_t y = 0; y < h1; ++y) b.SetPixel(x, y, kBlack);
  }
  const float sx = static_cast<float>(static_cast<double>(w1) / w0);
  const float sy = static_cast<float>(static_cast<double>(h1) / h0);
  auto trunc = [](double v) {
    const bool fits = std::isfinite(v) && v > -2147483649.0 && v < 2147483648.0;
    return fits ? static_cast<std::int32_t>(v) : std::numeric_limits<std::int32_t>::min();
  };
  for (std::int32_t y = 1; y <= h1; ++y) {
    for (std::int32_t x = 1; x <= w1; ++x) {
      const ColorRef c =
          a.GetPixel(trunc(x / static_cast<double>(sx) - 1.0), trunc(y / static_cast<double>(sy) - 1.0));
      b.SetPixel(x - 1, y - 1, c);
    }
  }
  return b.GetData();
}

bytes RandomImage(std::int32_t width, std::int32_t height, std::int16_t bits, std::uint32_t seed) {
  Bitmap bitmap;
  EXPECT_TRUE(bitmap.Create(width, height, bits, kWhite));
  for (std::int32_t y = 0; y < height; ++y) {
    for (std::int32_t x = 0; x < width; ++x) {
      seed = seed * 1103515245u + 12345u;
      // Runs of equal rows exercise the row reuse; otherwise random colours.
      if (y % 4 != 3) bitmap.SetPixel(x, y, seed >> 8 & 0xFFFFFF);
    }
  }
  return bitmap.GetData();
}

std::size_t PixelOffset(const bytes& data) { return LoadLe32(data.data() + bmp::kBfOffBits); }

TEST(ScaleBmpBytes, RowWiseScalingMatchesThePerPixelRule) {
  struct Source {
    bytes data;
    const char* reason;
  };
  std::vector<Source> sources;
  sources.push_back(
      {RenderWidths("2112142111213311421221132321121131112331112").GetData(), "a barcode canvas"});
  for (std::int16_t bits : {1, 4, 8, 16, 24, 32})
    sources.push_back({RandomImage(37, 23, bits, bits), "random"});
  {
    bytes data = RandomImage(37, 23, 32, 7);  // the unused fourth bytes are not copied
    for (std::size_t i = PixelOffset(data) + 3; i < data.size(); i += 4) data[i] = 0xA5;
    sources.push_back({data, "32 bits with fourth bytes set"});
  }
  {
    bytes data = RandomImage(37, 23, 16, 8);  // the unused top bit of a word is dropped
    for (std::size_t i = PixelOffset(data) + 1; i < data.size(); i += 2) data[i] |= 0x80;
    sources.push_back({data, "16 bits with top bits set"});
  }
  {
    bytes data = RandomImage(37, 23, 8, 9);  // indices past a 5-entry table read as black
    StoreLe32(data.data() + bmp::kFileHeaderSize + bmp::kBiClrUsed, 5);
    sources.push_back({data, "8 bits, short table"});
  }
  testing::ForEachRow(sources, [](const Source& row) {
    const bytes& data = row.data;
    Bitmap source;
    ASSERT_TRUE(source.LoadData(data));
    const std::int32_t w = source.GetWidth(), h = source.GetHeight();
    const std::pair<std::int32_t, std::int32_t> targets[] = {
        {344, 120}, {w, h}, {2 * w, h}, {w / 2, 2 * h + 1}, {1, 1}};
    const std::pair<std::int32_t, std::int32_t> passed[] = {{w, h}, {w + 9, h - 5}, {0, h}, {w, -h}};
    for (auto [w1, h1] : targets) {
      for (auto [w0, h0] : passed) {
        // Sizes that leave the source fail every GetPixel in the plain rule (slow): small targets only.
        if (w1 * h1 > 10000 && (w0 != w || h0 != h)) continue;
        EXPECT_EQ(ScaleBmpBytes(data, w0, h0, w1, h1), PlainScale(data, w0, h0, w1, h1))
            << w0 << "x" << h0 << " -> " << w1 << "x" << h1;
      }
    }
  });
}

// One line of six distinct colours; the target line's colours say which source columns it took.
std::vector<int> ScaledColumns(std::int32_t target_width) {
  Bitmap line;
  EXPECT_TRUE(line.Create(8, 1, 24, kWhite));
  for (std::int32_t x = 0; x < 8; ++x) line.SetPixel(x, 0, static_cast<ColorRef>(x));
  Bitmap scaled;
  EXPECT_TRUE(scaled.LoadData(ScaleBmpBytes(line.GetData(), 8, 1, target_width, 1)));
  std::vector<int> columns;
  for (std::int32_t x = 0; x < target_width; ++x) columns.push_back(static_cast<int>(scaled.GetPixel(x, 0)));
  return columns;
}

TEST(ScaleBmpBytes, ColumnsFollowTheTruncationRule) {
  EXPECT_EQ(ScaledColumns(8), (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7})) << "same size: same pixels";
  EXPECT_EQ(ScaledColumns(16), (std::vector<int>{0, 0, 0, 1, 1, 2, 2, 3, 3, 4, 4, 5, 5, 6, 6, 7}))
      << "doubled: trunc((k + 1) / 2 - 1), the first column three times, the last once";
  EXPECT_EQ(ScaledColumns(4), (std::vector<int>{1, 3, 5, 7})) << "halved: the odd-numbered columns";
}

TEST(ScaleBmpBytes, SameSizeGivesTheSameBytes) {
  const bytes data = RandomImage(13, 7, 24, 3);
  EXPECT_EQ(ScaleBmpBytes(data, 13, 7, 13, 7), data);
}

TEST(ScaleBmpBytes, DegenerateSizesGiveEmptyBytesOrBlack) {
  const bytes data = RandomImage(13, 7, 24, 5);
  struct Case {
    std::int32_t w0, h0, w1, h1;
    bool empty;
    const char* reason;
  };
  const Case cases[] = {
      {13, 7, 0, 7, true, "zero target width: nothing to create"},
      {13, 7, 13, 0, true, "zero target height"},
      {13, 7, -5, 7, true, "negative target width"},
      {13, 7, 100000, 100000, true, "a target over the size cap"},
      {0, 7, 4, 3, false, "zero source width: every source column is -1, black"},
      {13, 0, 4, 3, false, "zero source height"},
      {-13, 7, 4, 3, false, "negative source width: negative columns, black"},
      {0, 0, 0, 0, true, "all zero"},
  };
  testing::ForEachRow(cases, [&](const Case& c) {
    const bytes scaled = ScaleBmpBytes(data, c.w0, c.h0, c.w1, c.h1);
    if (c.empty) {
      EXPECT_TRUE(scaled.empty());
      return;
    }
    Bitmap black;
    ASSERT_TRUE(black.Create(c.w1, c.h1, 24, kBlack));
    EXPECT_EQ(scaled, black.GetData());
  });
  EXPECT_TRUE(ScaleBmpBytes({}, 13, 7, 4, 3).empty()) << "no source bytes";
  EXPECT_TRUE(ScaleBmpBytes(bytes(data.begin(), data.begin() + 60), 13, 7, 4, 3).empty()) << "a cut source";
}

}  // namespace
}  // namespace sw
