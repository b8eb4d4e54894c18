// Bitmap: creation, pixels, BMP bytes out and back in, and the failure results.
#include "render/bitmap.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "base/bmp_format.h"
#include "base/byte_reader.h"
#include "render/bitmap_messages.h"
#include "tests/support/case_table.h"

namespace sw {
namespace {

using bytes = std::vector<std::uint8_t>;
constexpr std::size_t kHeaders = bmp::kFileHeaderSize + bmp::kInfoHeaderSize;  // 54

std::uint32_t U32At(const bytes& data, std::size_t at) { return LoadLe32(data.data() + at); }

TEST(BitmapData, FileSizesAndOffsetsFollowTheLayout) {
  struct Case {
    std::int32_t width, height;
    std::int16_t bits;
    std::size_t colors, stride;
    const char* reason;
  };
  const Case cases[] = {
      {344, 120, 24, 0, 1032, "the picture box: 3 x 344 bytes a row, no padding"},
      {1, 1, 24, 0, 4, "one pixel: 3 bytes and one padding byte"},
      {9, 1, 1, 2, 4, "9 one-bit pixels round up to a 32-bit word"},
      {3, 2, 4, 16, 4, "three nibbles in one word"},
      {5, 1, 8, 256, 8, "five bytes padded to eight"},
      {3, 1, 16, 0, 8, "three words padded to eight bytes"},
      {2, 2, 32, 0, 8, "no padding at 32 bits"},
  };
  testing::ForEachRow(cases, [](const Case& c) {
    Bitmap bitmap;
    ASSERT_TRUE(bitmap.Create(c.width, c.height, c.bits, kWhite));
    const bytes data = bitmap.GetData();
    const std::size_t offset = kHeaders + 4 * c.colors;
    ASSERT_EQ(data.size(), offset + c.stride * static_cast<std::size_t>(c.height));
    EXPECT_EQ(data[0], 'B');
    EXPECT_EQ(data[1], 'M');
    EXPECT_EQ(U32At(data, bmp::kBfSize), data.size());
    EXPECT_EQ(U32At(data, bmp::kBfOffBits), offset);
    const std::size_t info = bmp::kFileHeaderSize;
    EXPECT_EQ(U32At(data, info + bmp::kBiSize), 40u);
    EXPECT_EQ(U32At(data, info + bmp::kBiWidth), static_cast<std::uint32_t>(c.width));
    EXPECT_EQ(U32At(data, info + bmp::kBiHeight), static_cast<std::uint32_t>(c.height));
    EXPECT_EQ(LoadLe16(data.data() + info + bmp::kBiPlanes), 1);
    EXPECT_EQ(LoadLe16(data.data() + info + bmp::kBiBitCount), c.bits);
    for (std::size_t at = info + bmp::kBiCompression; at < kHeaders; ++at) EXPECT_EQ(data[at], 0) << at;
  });
  EXPECT_EQ(Bitmap().GetData().size(), 0u);
}

TEST(BitmapData, OneBitTableIsBlackThenWhite) {
  Bitmap bitmap;
  ASSERT_TRUE(bitmap.Create(9, 1, 1));
  const bytes data = bitmap.GetData();
  const bytes table(data.begin() + kHeaders, data.begin() + kHeaders + 8);
  EXPECT_EQ(table, (bytes{0, 0, 0, 0, 255, 255, 255, 0}));
}

TEST(BitmapPixels, BlackOnWhiteClearsExactlyOneBit) {
  constexpr std::int32_t kWidth = 13, kHeight = 5, kX = 6, kY = 1;
  Bitmap bitmap;
  ASSERT_TRUE(bitmap.Create(kWidth, kHeight, 1, kWhite));
  ASSERT_TRUE(bitmap.SetPixel(kX, kY, kBlack));
  const bytes data = bitmap.GetData();
  const std::size_t pixels = kHeaders + 8;
  constexpr std::size_t kStride = 4;
  for (std::int32_t row = 0; row < kHeight; ++row) {
    for (std::int32_t x = 0; x < kWidth; ++x) {
      const int bit = (data[pixels + std::size_t(row) * kStride + std::size_t(x / 8)] >> (7 - x % 8)) & 1;
      const bool is_the_pixel = row == kHeight - 1 - kY && x == kX;
      EXPECT_EQ(bit, is_the_pixel ? 0 : 1) << "row " << row << " x " << x;
    }
    // Unused bits of the last pixel byte and the padding bytes stay zero.
    EXPECT_EQ(data[pixels + std::size_t(row) * kStride + 1] & 0x07, 0);
    EXPECT_EQ(data[pixels + std::size_t(row) * kStride + 2], 0);
  }
}

TEST(BitmapPixels, OutOfRangeFailsAndChangesNothing) {
  Bitmap bitmap;
  ASSERT_TRUE(bitmap.Create(4, 3, 24, kWhite));
  const bytes before = bitmap.GetData();
  const std::pair<std::int32_t, std::int32_t> outside[] = {
      {4, 0}, {-1, 0}, {0, 3}, {0, -1}, {INT32_MIN, INT32_MAX}};
  for (auto [x, y] : outside) {
    EXPECT_FALSE(bitmap.SetPixel(x, y, kBlack));
    EXPECT_EQ(bitmap.LastError(), bitmap_message::kOutOfRange);
    EXPECT_EQ(bitmap.GetPixel(x, y), 0u);
    EXPECT_EQ(bitmap.LastError(), bitmap_message::kOutOfRange);
  }
  EXPECT_EQ(bitmap.GetData(), before);
  EXPECT_EQ(bitmap.LastError(), "");
}

TEST(BitmapPixels, EmptyBitmapGivesFailureValues) {
  Bitmap empty;
  EXPECT_EQ(empty.GetWidth(), -1);
  EXPECT_EQ(empty.GetHeight(), -1);
  EXPECT_EQ(empty.GetBitCount(), -1);
  EXPECT_TRUE(empty.GetData().empty());
  EXPECT_FALSE(empty.SetPixel(0, 0, kBlack));
  EXPECT_EQ(empty.GetPixel(0, 0), 0u);
  EXPECT_EQ(empty.LastError(), bitmap_message::kEmpty);
}

TEST(BitmapPixels, ColorsReadBackPerFormat) {
  struct Case {
    std::int16_t bits;
    ColorRef written, read;
    const char* reason;
  };
  const Case cases[] = {
      {1, MakeColorRef(200, 200, 200), kWhite, "nearer to white"},
      {4, MakeColorRef(100, 0, 0), MakeColorRef(128, 0, 0), "nearest entry: dark red"},
      {4, MakeColorRef(64, 0, 0), kBlack, "halfway between black and dark red: the first entry wins"},
      {8, MakeColorRef(166, 202, 240), MakeColorRef(166, 202, 240), "an exact entry of the 8-bit table"},
      {16, kWhite, MakeColorRef(248, 248, 248), "five bits a channel: 0x7FFF reads as 248s"},
      {16, MakeColorRef(7, 8, 255), MakeColorRef(0, 8, 248), "low three bits are lost"},
      {24, 0x123456, 0x123456, "exact"},
      {32, 0x654321, 0x654321, "exact"},
  };
  testing::ForEachRow(cases, [](const Case& c) {
    Bitmap bitmap;
    ASSERT_TRUE(bitmap.Create(3, 2, c.bits, kBlack));
    ASSERT_TRUE(bitmap.SetPixel(2, 1, c.written));
    EXPECT_EQ(bitmap.GetPixel(2, 1), c.read);
    EXPECT_EQ(bitmap.GetPixel(1, 1), kBlack);
  });
}

TEST(BitmapCreate, RefusesBadBitCountsAndSizes) {
  struct Case {
    std::int32_t width, height;
    std::int16_t bits;
    std::string_view message;
    const char* reason;
  };
  const Case cases[] = {
      {4, 4, 0, bitmap_message::kBadBitCount, "no such bit count"},
      {4, 4, 2, bitmap_message::kBadBitCount, "no such bit count"},
      {4, 4, 3, bitmap_message::kBadBitCount, "no such bit count"},
      {4, 4, 64, bitmap_message::kBadBitCount, "no such bit count"},
      {4, 4, -1, bitmap_message::kBadBitCount, "what GetBitCount of an empty bitmap returns"},
      {0, 4, 24, bitmap_message::kUnsupported, "zero width"},
      {4, 0, 24, bitmap_message::kUnsupported, "zero height"},
      {-4, 4, 24, bitmap_message::kUnsupported, "negative width"},
      {4, -4, 24, bitmap_message::kUnsupported, "negative height"},
      {INT32_MAX, INT32_MAX, 32, bitmap_message::kUnsupported, "the product overflows 64 bits of stride"},
      {20000, 20000, 24, bitmap_message::kUnsupported, "1.2 GB: over the 256 MiB cap"},
  };
  testing::ForEachRow(cases, [](const Case& c) {
    Bitmap bitmap;
    ASSERT_TRUE(bitmap.Create(2, 2, 8, kWhite));
    EXPECT_FALSE(bitmap.Create(c.width, c.height, c.bits, kWhite));
    EXPECT_EQ(bitmap.LastError(), c.message);
    EXPECT_TRUE(bitmap.IsEmpty()) << "a failed Create leaves the bitmap empty";
  });
}

// Create's fill colours one line and copies it; the result must be what SetPixel on every pixel gives.
TEST(BitmapCreate, FillMatchesSettingEveryPixel) {
  const std::int16_t all_bits[] = {1, 4, 8, 16, 24, 32};
  const std::int32_t widths[] = {1, 2, 3, 7, 8, 9, 15, 31, 33};
  const ColorRef colors[] = {kBlack, kWhite, 0x00C0DCC0, 0x123456, 0x800080};
  for (std::int16_t bits : all_bits) {
    for (std::int32_t width : widths) {
      for (ColorRef color : colors) {
        Bitmap filled;
        ASSERT_TRUE(filled.Create(width, 3, bits, color));
        Bitmap plain;
        ASSERT_TRUE(plain.Create(width, 3, bits));
        for (std::int32_t x = 0; x < width; ++x) {
          for (std::int32_t y = 0; y < 3; ++y) ASSERT_TRUE(plain.SetPixel(x, y, color));
        }
        EXPECT_EQ(filled.GetData(), plain.GetData())
            << bits << " bits, width " << width << ", colour " << color;
      }
    }
  }
}

TEST(BitmapData, LoadDataOfGetDataGivesTheSameImage) {
  for (std::int16_t bits : {1, 4, 8, 16, 24, 32}) {
    Bitmap original;
    ASSERT_TRUE(original.Create(11, 5, bits, kWhite));
    std::uint32_t seed = 12345;
    for (std::int32_t y = 0; y < 5; ++y) {
      for (std::int32_t x = 0; x < 11; ++x) {
        seed = seed * 1103515245u + 12345u;
        ASSERT_TRUE(original.SetPixel(x, y, seed >> 8 & 0xFFFFFF));
      }
    }
    const bytes data = original.GetData();
    Bitmap copy;
    ASSERT_TRUE(copy.LoadData(data)) << bits;
    EXPECT_EQ(copy.GetData(), data) << bits;
    EXPECT_EQ(copy.GetPixel(10, 4), original.GetPixel(10, 4));
  }
}

TEST(BitmapData, FailedLoadLeavesTheBitmapEmpty) {
  Bitmap bitmap;
  ASSERT_TRUE(bitmap.Create(2, 2, 24, kWhite));
  const bytes data = bitmap.GetData();
  const bytes too_short(data.begin(), data.begin() + 53);
  bytes not_bm = data;
  not_bm[0] = 'M';
  not_bm[1] = 'B';
  for (const bytes& bad : {too_short, not_bm, bytes{}}) {
    ASSERT_TRUE(bitmap.LoadData(data));
    EXPECT_FALSE(bitmap.LoadData(bad));
    EXPECT_TRUE(bitmap.IsEmpty());
    EXPECT_EQ(bitmap.LastError(), bitmap_message::kUnsupported);
  }
}

TEST(BitmapCopy, CopyIsIndependentAndCarriesTheLastError) {
  Bitmap source;
  ASSERT_TRUE(source.Create(3, 3, 8, kWhite));
  EXPECT_FALSE(source.SetPixel(5, 5, kBlack));
  Bitmap copy;
  copy.CopyFrom(source);
  EXPECT_EQ(copy.LastError(), bitmap_message::kOutOfRange);
  EXPECT_EQ(copy.GetData(), source.GetData());
  ASSERT_TRUE(copy.SetPixel(0, 0, kBlack));
  EXPECT_EQ(source.GetPixel(0, 0), kWhite);

  copy.CopyFrom(Bitmap());
  EXPECT_TRUE(copy.IsEmpty());
}

}  // namespace
}  // namespace sw
