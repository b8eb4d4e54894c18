// PNG export: what it writes reads back, through our own PNG decoder and libpng, as the same picture at
// the resolution it was given.
#include "render/png_writer.h"

#include <gtest/gtest.h>
#include <png.h>

#include <algorithm>
#include <csetjmp>
#include <cstring>
#include <vector>

#include "render/bitmap.h"
#include "tests/support/case_table.h"
#include "ui/picture/picture_decode.h"

namespace sw {
namespace {

struct Resolution {
  png_uint_32 width = 0;  // from the header
  int bit_depth = 0;
  bool present = false;
  png_uint_32 x = 0, y = 0;
  int unit = -1;
};

struct Reader {
  const std::vector<std::uint8_t>* bytes;
  std::size_t at = 0;
};

void ReadFromMemory(png_structp png, png_bytep data, png_size_t length) {
  auto* reader = static_cast<Reader*>(png_get_io_ptr(png));
  if (reader->bytes->size() - reader->at < length) png_error(png, "past the end");
  std::copy_n(reader->bytes->data() + reader->at, length, data);
  reader->at += length;
}

// The width and the pHYs chunk as libpng reads them.
Resolution ResolutionOf(const std::vector<std::uint8_t>& png_bytes) {
  Resolution resolution;
  Reader reader{&png_bytes};
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  if (setjmp(png_jmpbuf(png)) == 0) {
    png_set_read_fn(png, &reader, &ReadFromMemory);
    png_set_user_limits(png, PNG_UINT_31_MAX, PNG_UINT_31_MAX);
    png_read_info(png, info);
    resolution.width = png_get_image_width(png, info);
    resolution.bit_depth = png_get_bit_depth(png, info);
    resolution.present = png_get_pHYs(png, info, &resolution.x, &resolution.y, &resolution.unit) != 0;
  }
  png_destroy_read_struct(&png, &info, nullptr);
  return resolution;
}

// Pictures of every kind the full-size barcode can be: 24-bit with colours (the captioned barcode) and
// 1-bit (the bare bars of the widest contents), and an indexed one between.
struct Case {
  std::int32_t width, height;
  std::int16_t bits;
  std::uint32_t pixels_per_metre;
  const char* reason;
  int png_bits = 8;  // 1: black and white only, written as 1-bit grey
};

ColorRef PatternColor(std::int32_t x, std::int32_t y, std::int16_t bits, int png_bits) {
  if (png_bits == 1) return (x + y) % 3 == 0 ? kBlack : kWhite;
  if (bits == 8) return (x + 2 * y) % 2 == 0 ? MakeColorRef(200, 10, 10) : MakeColorRef(10, 10, 200);
  return MakeColorRef(static_cast<std::uint8_t>(x * 37), static_cast<std::uint8_t>(y * 91),
                      static_cast<std::uint8_t>(x ^ y));
}

TEST(PngWriter, RoundTripKeepsEveryPixelAndTheResolution) {
  const Case cases[] = {
      {1, 1, 24, kPixelsPerMetreAt300Dpi, "one pixel", 1},
      {7, 5, 24, kPixelsPerMetreAt300Dpi, "colours: red, green and blue in the right order"},
      {333, 150, 24, kPixelsPerMetreAt300Dpi, "a captioned barcode's height, an odd width"},
      {17, 3, 1, kPixelsPerMetreAt300Dpi, "1-bit bars read through their colour table", 1},
      {9, 4, 8, kPixelsPerMetreAt300Dpi, "an indexed picture"},
      {4, 4, 24, 3780, "another resolution is written as given (96 dpi)"},
      {43, 9, 24, kPixelsPerMetreAt300Dpi, "24-bit, black and white only; a row of 5 bytes and 3 bits", 1},
  };
  testing::ForEachRow(cases, [](const Case& c) {
    Bitmap source;
    ASSERT_TRUE(source.Create(c.width, c.height, c.bits, kWhite));
    for (std::int32_t y = 0; y < c.height; ++y) {
      for (std::int32_t x = 0; x < c.width; ++x)
        source.SetPixel(x, y, PatternColor(x, y, c.bits, c.png_bits));
    }
    const PngWriting png = PngFromBmp(source.GetData(), c.pixels_per_metre);
    ASSERT_TRUE(png.ok()) << png.message();

    const PictureDecoding decoded = DecodePictureBytes(png.value());
    ASSERT_TRUE(decoded.picture.has_value()) << DescribeDecodeFailure(decoded.failure);
    const DecodedPicture& picture = *decoded.picture;
    EXPECT_EQ(picture.kind, PictureKind::kPng);
    ASSERT_EQ(picture.width, c.width);
    ASSERT_EQ(picture.height, c.height);
    int mismatches = 0;
    for (std::int32_t y = 0; y < c.height; ++y) {
      for (std::int32_t x = 0; x < c.width; ++x) {
        const std::uint8_t* bgra = picture.pixels.data() + 4 * (static_cast<std::size_t>(y) * c.width + x);
        const ColorRef expected = source.GetPixel(x, y);
        mismatches += bgra[0] != BlueOf(expected) || bgra[1] != GreenOf(expected) ||
                      bgra[2] != RedOf(expected) || bgra[3] != 0xFF;
      }
    }
    EXPECT_EQ(mismatches, 0);

    const Resolution resolution = ResolutionOf(png.value());
    EXPECT_TRUE(resolution.present) << "no pHYs chunk";
    EXPECT_EQ(resolution.x, c.pixels_per_metre);
    EXPECT_EQ(resolution.y, c.pixels_per_metre);
    EXPECT_EQ(resolution.unit, PNG_RESOLUTION_METER);
    EXPECT_EQ(resolution.bit_depth, c.png_bits);
  });
}

// The program's barcode pictures are 1-bit BMPs, packed straight from their rows: a table that lists white
// first and rows stored top-down read as the same pixels.
TEST(PngWriter, BilevelRowsInEitherTableAndRowOrderKeepTheirPixels) {
  constexpr std::int32_t kWidth = 21, kHeight = 5;
  Bitmap source;
  ASSERT_TRUE(source.Create(kWidth, kHeight, 1, kWhite));
  for (std::int32_t y = 0; y < kHeight; ++y) {
    for (std::int32_t x = 0; x < kWidth; ++x) source.SetPixel(x, y, (x * y + x) % 4 == 1 ? kBlack : kWhite);
  }
  const std::vector<std::uint8_t> original = source.GetData();
  std::vector<std::uint8_t> flipped = original;
  const std::size_t table = 14 + 40, pixels = table + 8, stride = 4;
  ASSERT_EQ(flipped.size(), pixels + stride * kHeight);
  std::swap_ranges(flipped.begin() + table, flipped.begin() + table + 4, flipped.begin() + table + 4);
  std::vector<std::uint8_t> rows(flipped.begin() + pixels, flipped.end());
  for (std::int32_t y = 0; y < kHeight; ++y) {  // top-down, each byte inverted for the swapped table
    for (std::size_t i = 0; i < stride; ++i)
      flipped[pixels + y * stride + i] = static_cast<std::uint8_t>(~rows[(kHeight - 1 - y) * stride + i]);
  }
  const std::int32_t top_down = -kHeight;
  std::memcpy(flipped.data() + 14 + 8, &top_down, 4);
  for (const std::vector<std::uint8_t>& bmp : {original, flipped}) {
    const PngWriting png = PngFromBmp(bmp, kPixelsPerMetreAt300Dpi);
    ASSERT_TRUE(png.ok()) << png.message();
    const PictureDecoding decoded = DecodePictureBytes(png.value());
    ASSERT_TRUE(decoded.picture.has_value());
    int mismatches = 0;
    for (std::int32_t y = 0; y < kHeight; ++y) {
      for (std::int32_t x = 0; x < kWidth; ++x) {
        const std::uint8_t blue = decoded.picture->pixels[4 * (static_cast<std::size_t>(y) * kWidth + x)];
        mismatches += blue != BlueOf(source.GetPixel(x, y));
      }
    }
    EXPECT_EQ(mismatches, 0);
  }
}

TEST(PngWriter, WritesTheBareBarsOfTheWidestContents) {
  // Past libpng's default limit of a million pixels a row; our own decoder refuses such a picture.
  constexpr std::int32_t kWidth = 1'000'001;
  Bitmap bars;
  ASSERT_TRUE(bars.Create(kWidth, 1, 1, kWhite));
  const PngWriting png = PngFromBmp(bars.GetData(), kPixelsPerMetreAt300Dpi);
  ASSERT_TRUE(png.ok()) << png.message();
  EXPECT_EQ(ResolutionOf(png.value()).width, png_uint_32{kWidth});
}

TEST(PngWriter, BytesThatAreNoPictureGiveNoPng) {
  const std::vector<std::uint8_t> not_a_bmp = {'B', 'M', 0, 0, 0, 0};
  const PngWriting png = PngFromBmp(not_a_bmp, kPixelsPerMetreAt300Dpi);
  ASSERT_FALSE(png.ok());
  EXPECT_EQ(png.code(), PngWriteFailure::kUnreadableBmp);
}

}  // namespace
}  // namespace sw
