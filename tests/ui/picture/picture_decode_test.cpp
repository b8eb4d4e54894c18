// Recognition, and each reader on good files written by independent encoders (libpng, libjpeg) or built
// here field by field.
#include "ui/picture/picture_decode.h"

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "render/bitmap.h"
#include "tests/support/case_table.h"
#include "tests/ui/picture/picture_test_images.h"

namespace sw {
namespace {

using test::Bytes;
using test::Color;

constexpr std::array<std::uint8_t, 8> kPngSignature = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};

Bytes Prefix(std::initializer_list<std::uint8_t> head, std::size_t size = 8) {
  Bytes bytes(head);
  bytes.resize(size, 0);
  return bytes;
}

struct RecognitionCase {
  Bytes bytes;
  PictureKind expected;
  const char* reason;
};

TEST(RecognisePicture, TakesTheFirstMatchingRule) {
  const RecognitionCase cases[] = {
      /* 0*/ {Prefix({'B', 'M'}), PictureKind::kBmp, "BM"},
      /* 1*/ {Prefix({0xFF, 0xD8, 0xFF}), PictureKind::kJpeg, "JPEG start of image"},
      /* 2*/ {Bytes(kPngSignature.begin(), kPngSignature.end()), PictureKind::kPng, "PNG signature"},
      /* 3*/ {Prefix({0x89, 'P', 'N', 'G'}), PictureKind::kPng, "the first four signature bytes suffice"},
      /* 4*/
      {Bytes(kPngSignature.begin(), kPngSignature.begin() + 7), PictureKind::kEmpty, "7 bytes: too short"},
      /* 5*/ {Prefix({0, 0, 1, 0, 2, 0}), PictureKind::kIcon, "icon directory of 2 images"},
      /* 6*/ {Prefix({0, 0, 2, 0, 1, 0}), PictureKind::kCursor, "cursor directory"},
      /* 7*/ {Prefix({0, 0, 1, 0, 0, 0}), PictureKind::kEmpty, "icon directory without images"},
      /* 8*/ {Prefix({0, 0, 3, 0, 1, 0}), PictureKind::kEmpty, "directory type 3"},
      /* 9*/ {Prefix({'G', 'I', 'F', '8', '7', 'a'}), PictureKind::kGif, "GIF87a"},
      /*10*/ {Prefix({'G', 'I', 'F', '8', '9', 'a'}), PictureKind::kGif, "GIF89a"},
      /*11*/ {Prefix({'G', 'I', 'F', '8', '8', 'a'}), PictureKind::kEmpty, "no such GIF version"},
      /*12*/ {Prefix({0x0A, 5, 1, 8}), PictureKind::kPcx8, "PCX version 5, 8 bits"},
      /*13*/ {Prefix({0x0A, 0, 1, 8}), PictureKind::kPcx8, "PCX version 0, 8 bits"},
      /*14*/ {Prefix({0x0A, 6, 1, 8}), PictureKind::kEmpty, "PCX version 6 is unknown"},
      /*15*/ {Prefix({0x0A, 3, 1, 1}), PictureKind::kPcx1, "PCX version 3, 1 bit"},
      /*16*/ {Prefix({0x0A, 5, 1, 1}), PictureKind::kEmpty, "1 bit only with version 3"},
      /*17*/ {Prefix({0x0A, 3, 0, 8}), PictureKind::kEmpty, "PCX without run-length encoding"},
      /*18*/ {Prefix({'B', 'M'}, 7), PictureKind::kEmpty, "BMP start, but 7 bytes"},
      /*19*/ {Prefix({'B', 'M', 0x89, 'P', 'N', 'G'}), PictureKind::kBmp, "BM comes first"},
  };
  testing::ForEachRow(cases,
                      [](const RecognitionCase& c) { EXPECT_EQ(RecognisePicture(c.bytes), c.expected); });
}

TEST(DecodePicture, AbsentOrEmptyBytesGiveNoPicture) {
  const Bytes bmp = test::MakeBmp({.width = 1, .height = 1, .bits = 24, .rows = {{1, 2, 3}}});
  const auto length = static_cast<std::int32_t>(bmp.size());
  EXPECT_FALSE(DecodePicture(nullptr, length));
  EXPECT_FALSE(DecodePicture(bmp.data(), 0));
  EXPECT_FALSE(DecodePicture(bmp.data(), -1));
  EXPECT_TRUE(DecodePicture(bmp.data(), length));
}

TEST(DecodePng, GivesStraightBgraTopDown) {
  // Two rows: opaque red, half-transparent green / transparent blue, opaque white.
  const Bytes rgba = {255, 0, 0, 255, 0, 255, 0, 128, /**/ 0, 0, 255, 0, 255, 255, 255, 255};
  const Bytes png = test::WritePng(2, 2, rgba);
  const auto picture = DecodePicture(png.data(), static_cast<std::int32_t>(png.size()));
  ASSERT_TRUE(picture);
  EXPECT_EQ(picture->kind, PictureKind::kPng);
  EXPECT_EQ(picture->width, 2);
  EXPECT_EQ(picture->height, 2);
  const Bytes bgra = {0, 0, 255, 255, 0, 255, 0, 128, /**/ 255, 0, 0, 0, 255, 255, 255, 255};
  EXPECT_EQ(picture->pixels, bgra);
}

// Four quadrants, so that a turned or mirrored picture shows.
struct Quadrants {
  static constexpr int kSide = 16;
  static Color At(int x, int y) {
    const bool right = x >= kSide / 2;
    const bool bottom = y >= kSide / 2;
    if (!bottom) return right ? Color{0, 200, 0} : Color{220, 0, 0};
    return right ? Color{250, 250, 250} : Color{0, 0, 200};
  }
  static Bytes Rgb() {
    Bytes rgb;
    for (int y = 0; y < kSide; ++y) {
      for (int x = 0; x < kSide; ++x) rgb.insert(rgb.end(), {At(x, y).red, At(x, y).green, At(x, y).blue});
    }
    return rgb;
  }
};

// Pixel (x, y), y = 0 the top line, of 24-bit bottom-up rows.
Color BottomUpPixel(const DecodedPicture& picture, int x, int y) {
  const std::size_t at = (static_cast<std::size_t>(picture.height - 1 - y) * picture.width + x) * 3;
  return {picture.pixels[at + 2], picture.pixels[at + 1], picture.pixels[at]};
}

void ExpectNear(Color actual, Color expected, int tolerance, const std::string& where) {
  EXPECT_NEAR(actual.red, expected.red, tolerance) << where;
  EXPECT_NEAR(actual.green, expected.green, tolerance) << where;
  EXPECT_NEAR(actual.blue, expected.blue, tolerance) << where;
}

TEST(DecodeJpeg, SwapsToBlueGreenRedAndTurnsRowsBottomUp) {
  for (const bool progressive : {false, true}) {
    const Bytes jpeg =
        test::WriteJpeg(Quadrants::kSide, Quadrants::kSide, 3, Quadrants::Rgb(), 95, progressive);
    const auto picture = DecodePicture(jpeg.data(), static_cast<std::int32_t>(jpeg.size()));
    ASSERT_TRUE(picture) << "progressive " << progressive;
    EXPECT_EQ(picture->kind, PictureKind::kJpeg);
    ASSERT_EQ(picture->pixels.size(), std::size_t{Quadrants::kSide} * Quadrants::kSide * 3);
    // Quadrant centres, away from the blurred edges.
    for (const auto& [x, y] : {std::pair{3, 3}, {12, 3}, {3, 12}, {12, 12}}) {
      ExpectNear(BottomUpPixel(*picture, x, y), Quadrants::At(x, y), 8,
                 "pixel " + std::to_string(x) + "," + std::to_string(y) + " progressive " +
                     std::to_string(progressive));
    }
  }
}

TEST(DecodeJpeg, GreyBecomesThreeEqualChannels) {
  const Bytes grey = {0, 60, 120, 250};
  const Bytes jpeg = test::WriteJpeg(2, 2, 1, grey, 100, false);
  const auto picture = DecodePicture(jpeg.data(), static_cast<std::int32_t>(jpeg.size()));
  ASSERT_TRUE(picture);
  for (int i = 0; i < 4; ++i) {
    const Color c = BottomUpPixel(*picture, i % 2, i / 2);
    EXPECT_NEAR(c.red, grey[static_cast<std::size_t>(i)], 3) << i;
    EXPECT_EQ(c.red, c.green);
    EXPECT_EQ(c.green, c.blue);
  }
}

TEST(DecodeBmp, ReadsWhatTheBitmapWriterWrites) {
  // The program's own BMP bytes (the barcode is 1 bit, its scaled copy 24) in every depth this reader takes.
  constexpr std::int32_t kWidth = 11, kHeight = 5;
  auto color_at = [](std::int32_t x, std::int32_t y) {
    return MakeColorRef(static_cast<std::uint8_t>(x * 23), static_cast<std::uint8_t>(y * 60),
                        static_cast<std::uint8_t>((x ^ y) * 17));
  };
  for (const std::int16_t bits : {1, 4, 8, 24, 32}) {
    Bitmap bitmap;
    ASSERT_TRUE(bitmap.Create(kWidth, kHeight, bits, kWhite)) << bits;
    for (std::int32_t y = 0; y < kHeight; ++y) {
      for (std::int32_t x = 0; x < kWidth; ++x) ASSERT_TRUE(bitmap.SetPixel(x, y, color_at(x, y)));
    }
    const std::vector<std::uint8_t> bytes = bitmap.GetData();
    const auto picture = DecodePicture(bytes.data(), static_cast<std::int32_t>(bytes.size()));
    ASSERT_TRUE(picture) << bits << " bits";
    for (std::int32_t y = 0; y < kHeight; ++y) {
      for (std::int32_t x = 0; x < kWidth; ++x) {
        const ColorRef written = bitmap.GetPixel(x, y);  // the nearest colour the depth holds
        EXPECT_EQ(BottomUpPixel(*picture, x, y), (Color{RedOf(written), GreenOf(written), BlueOf(written)}))
            << bits << " bits at " << x << "," << y;
      }
    }
  }
  Bitmap sixteen;
  ASSERT_TRUE(sixteen.Create(2, 2, 16, kWhite));
  EXPECT_EQ(DecodePictureBytes(sixteen.GetData()).failure, DecodeFailure::kUnsupported)
      << "16 bits are refused";
}

TEST(DecodePicture, EveryImageThatShipsWithTheProgramDecodes) {
  namespace fs = std::filesystem;
  const fs::path folder = SW_APP_IMAGES_DIR;
  if (!fs::is_directory(folder)) GTEST_SKIP() << "no program images in " << folder;
  std::size_t decoded = 0;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
    std::ifstream in(entry.path(), std::ios::binary);
    const Bytes bytes(std::istreambuf_iterator<char>(in), {});
    const auto picture = DecodePicture(bytes.data(), static_cast<std::int32_t>(bytes.size()));
    ASSERT_TRUE(picture) << entry.path();
    EXPECT_EQ(picture->kind, entry.path().extension() == ".png" ? PictureKind::kPng : PictureKind::kJpeg)
        << entry.path();
    ++decoded;
  }
  EXPECT_GT(decoded, 0u);
}

TEST(DecodeBmp, TwentyFourBitsPassThroughUnchanged) {
  // The barcode reaches its picture box like this: the decoded pixels are the file's rows without padding.
  const test::BmpFile file{.width = 3,
                           .height = 2,
                           .bits = 24,
                           .rows = {{1, 2, 3, 4, 5, 6, 7, 8, 9}, {11, 12, 13, 14, 15, 16, 17, 18, 19}}};
  const Bytes bmp = test::MakeBmp(file);
  const auto picture = DecodePicture(bmp.data(), static_cast<std::int32_t>(bmp.size()));
  ASSERT_TRUE(picture);
  EXPECT_EQ(picture->kind, PictureKind::kBmp);
  EXPECT_EQ(picture->width, 3);
  EXPECT_EQ(picture->height, 2);
  const Bytes file_rows_unpadded = {11, 12, 13, 14, 15, 16, 17, 18, 19, 1, 2, 3, 4, 5, 6, 7, 8, 9};
  EXPECT_EQ(picture->pixels, file_rows_unpadded);
}

TEST(DecodeBmp, EveryBitCountGivesTheSameColors) {
  const Color red{255, 0, 0}, teal{0, 128, 128}, white{255, 255, 255};
  const std::vector<Color> palette = {red, teal, white};
  // Top line red teal white, bottom line white red teal.
  const std::vector<Bytes> indices = {{0, 1, 2}, {2, 0, 1}};
  auto direct = [&](int bytes_per_pixel) {
    std::vector<Bytes> rows;
    for (const Bytes& line : indices) {
      Bytes row;
      for (const std::uint8_t i : line) {
        row.insert(row.end(), {palette[i].blue, palette[i].green, palette[i].red});
        if (bytes_per_pixel == 4) row.push_back(0x7F);  // the fourth byte is ignored
      }
      rows.push_back(row);
    }
    return rows;
  };
  // The three colours, then black up to `count` entries.
  auto padded = [&](std::size_t count) {
    std::vector<Color> table = palette;
    table.resize(count, Color{0, 0, 0});
    return table;
  };
  struct Case {
    test::BmpFile file;
    const char* reason;
    std::uint32_t colors_used = 0;  // written over biClrUsed when not 0
  };
  const std::vector<Case> cases = {
      {{.width = 3, .height = 2, .bits = 24, .rows = direct(3)}, "24 bits"},
      {{.width = 3, .height = 2, .bits = 32, .rows = direct(4)}, "32 bits"},
      {{.width = 3, .height = 2, .bits = 8, .palette = palette, .rows = indices}, "8 bits, 3 colours used"},
      {{.width = 3, .height = 2, .bits = 4, .palette = palette, .rows = indices}, "4 bits"},
      {{.width = 3, .height = 2, .bits = 24, .top_down = true, .rows = direct(3)}, "24 bits, top-down"},
      {{.width = 3, .height = 2, .bits = 8, .top_down = true, .palette = palette, .rows = indices},
       "8 bits, top-down"},
      {{.width = 3, .height = 2, .bits = 4, .palette = padded(17), .rows = indices},
       "4 bits, 17 colours stored and counted: the first 16 are read, the pixels still start at bfOffBits"},
      {{.width = 3, .height = 2, .bits = 4, .palette = padded(16), .rows = indices},
       "4 bits, 16 colours stored but 0xFFFFFFFF counted: read as 16",
       0xFFFFFFFFu},
  };
  testing::ForEachRow(cases, [&](const Case& c) {
    Bytes bmp = test::MakeBmp(c.file);
    if (c.colors_used != 0) test::PutLe32(bmp, test::bmp::kColorsUsed, c.colors_used);
    const auto picture = DecodePicture(bmp.data(), static_cast<std::int32_t>(bmp.size()));
    ASSERT_TRUE(picture);
    for (int y = 0; y < 2; ++y) {
      for (int x = 0; x < 3; ++x) {
        EXPECT_EQ(BottomUpPixel(*picture, x, y), palette[indices[y][x]]) << "at " << x << "," << y;
      }
    }
  });
}

// Pixel (x, y) of a top-down 8-bit packed DIB, through its colour table.
Color DibPixel(const DecodedPicture& picture, int x, int y) {
  constexpr std::size_t kHeader = 40, kTable = 256 * 4;
  const std::size_t stride = (static_cast<std::size_t>(picture.width) + 3) / 4 * 4;
  const std::uint8_t index = picture.pixels.at(kHeader + kTable + static_cast<std::size_t>(y) * stride + x);
  const std::uint8_t* entry = picture.pixels.data() + kHeader + 4 * index;
  return {entry[2], entry[1], entry[0]};
}

std::vector<Color> Greys(std::size_t count) {
  std::vector<Color> greys;
  for (std::size_t i = 0; i < count; ++i) {
    const auto v = static_cast<std::uint8_t>(i * 255 / (count - 1));
    greys.push_back({v, static_cast<std::uint8_t>(255 - v), v});
  }
  return greys;
}

TEST(DecodeGif, FirstImageBecomesATopDownDib) {
  constexpr std::uint16_t kSide = 64;  // enough codes to fill the LZW table once
  Bytes indices;
  for (int i = 0; i < kSide * kSide; ++i)
    indices.push_back(static_cast<std::uint8_t>((i * 7 + i / 13) % 256));
  const std::vector<Color> palette = Greys(256);
  for (const bool interlaced : {false, true}) {
    const test::GifFile file{.screen_width = kSide,
                             .screen_height = kSide,
                             .palette = palette,
                             .width = kSide,
                             .height = kSide,
                             .interlaced = interlaced,
                             .indices = indices};
    const Bytes gif = test::MakeGif(file);
    const auto picture = DecodePicture(gif.data(), static_cast<std::int32_t>(gif.size()));
    ASSERT_TRUE(picture) << "interlaced " << interlaced;
    EXPECT_EQ(picture->kind, PictureKind::kGif);
    ASSERT_EQ(picture->width, kSide);
    for (int y = 0; y < kSide; ++y) {
      for (int x = 0; x < kSide; ++x) {
        ASSERT_EQ(DibPixel(*picture, x, y), palette[indices[y * kSide + x]])
            << x << "," << y << " " << interlaced;
      }
    }
  }
}

TEST(DecodeGif, ImageSitsOnItsScreenOverTheBackground) {
  const std::vector<Color> palette = {{0, 0, 0}, {255, 0, 0}, {0, 255, 0}, {0, 0, 255}};
  // A 2x2 image at (1, 1) of a 4x2 screen whose background is colour 3; its second row is off the screen.
  const test::GifFile file{.screen_width = 4,
                           .screen_height = 2,
                           .background = 3,
                           .palette = palette,
                           .left = 1,
                           .top = 1,
                           .width = 2,
                           .height = 2,
                           .min_code_size = 2,
                           .indices = {1, 2, 0, 0}};
  const Bytes gif = test::MakeGif(file);
  const auto picture = DecodePicture(gif.data(), static_cast<std::int32_t>(gif.size()));
  ASSERT_TRUE(picture);
  EXPECT_EQ(picture->width, 4);
  EXPECT_EQ(picture->height, 2);
  const Color b = palette[3], r = palette[1], g = palette[2];
  const Color expected[2][4] = {{b, b, b, b}, {b, r, g, b}};
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 4; ++x) EXPECT_EQ(DibPixel(*picture, x, y), expected[y][x]) << x << "," << y;
  }
}

TEST(DecodePcx, EightBitsWithRunsAndTheTrailingPalette) {
  const std::vector<Color> palette = Greys(256);
  // Bytes per line 6 for a 5-pixel image: the padding byte is not part of the picture.
  const test::PcxFile file{.bits = 8,
                           .width = 5,
                           .height = 2,
                           .palette = palette,
                           .lines = {{7, 7, 7, 7, 200, 0}, {0, 192, 193, 255, 1, 0}}};
  const Bytes pcx = test::MakePcx(file);
  const auto picture = DecodePicture(pcx.data(), static_cast<std::int32_t>(pcx.size()));
  ASSERT_TRUE(picture);
  EXPECT_EQ(picture->kind, PictureKind::kPcx8);
  EXPECT_EQ(picture->width, 5);
  EXPECT_EQ(picture->height, 2);
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 5; ++x)
      EXPECT_EQ(DibPixel(*picture, x, y), palette[file.lines[y][x]]) << x << "," << y;
  }
}

TEST(DecodePcx, OneBitRowsArePaddedToWords) {
  const test::PcxFile file{.version = 3,
                           .bits = 1,
                           .width = 17,
                           .height = 2,
                           .lines = {{0xFF, 0x00, 0x80, 0x00}, {0x0F, 0xF0, 0x00, 0x00}}};
  const Bytes pcx = test::MakePcx(file);
  const auto picture = DecodePicture(pcx.data(), static_cast<std::int32_t>(pcx.size()));
  ASSERT_TRUE(picture);
  EXPECT_EQ(picture->kind, PictureKind::kPcx1);
  // 17 pixels need 3 bytes, padded to 4 for CreateBitmap.
  const Bytes rows = {0xFF, 0x00, 0x80, 0x00, /**/ 0x0F, 0xF0, 0x00, 0x00};
  EXPECT_EQ(picture->pixels, rows);
}

struct IconCase {
  std::vector<test::IconEntry> entries;
  std::size_t chosen;
  const char* reason;
};

TEST(DecodeIconDirectory, ChoosesTheFirst32PixelEntryWithColorsElseTheLast) {
  using E = test::IconEntry;
  const IconCase cases[] = {
      {{E{16, 0, 16, 16}, E{16, 16, 16, 8}}, 1, "all 16 pixels wide: the last entry"},
      {{E{48, 0, 48, 48}, E{32, 16, 32, 32}, E{32, 16, 32, 16}},
       1,
       "the first 32-pixel entry with 16 colours"},
      {{E{32, 0, 32, 32}, E{16, 0, 16, 16}}, 1, "colour byte 0 (256 or more colours) is not above 15"},
      {{E{32, 15, 32, 32}, E{24, 0, 24, 24}}, 1, "15 colours are not enough"},
      {{E{32, 255, 32, 32}, E{24, 0, 24, 24}}, 0, "255 colours"},
  };
  testing::ForEachRow(cases, [](const IconCase& c) {
    for (const std::uint16_t type : {1, 2}) {
      const Bytes file = test::MakeIconFile(type, c.entries);
      const auto picture = DecodePicture(file.data(), static_cast<std::int32_t>(file.size()));
      ASSERT_TRUE(picture);
      const test::IconEntry& chosen = c.entries[c.chosen];
      EXPECT_EQ(picture->kind, type == 1 ? PictureKind::kIcon : PictureKind::kCursor);
      EXPECT_EQ(picture->width, chosen.width);
      EXPECT_EQ(picture->height, chosen.height) << "half the image header's height";
      EXPECT_EQ(picture->pixels, test::MakeIconImage(chosen.width, chosen.height, chosen.color));
    }
  });
}

TEST(DecodeIconDirectory, PngEntriesTakeTheirSizeFromThePngHeader) {
  const Bytes png = test::WritePng(3, 5, Bytes(3 * 5 * 4, 0x80));
  const Bytes file = test::MakeIconFile(1, {test::IconEntry{.width_byte = 3, .image = png}});
  const auto picture = DecodePicture(file.data(), static_cast<std::int32_t>(file.size()));
  ASSERT_TRUE(picture);
  EXPECT_EQ(picture->width, 3);
  EXPECT_EQ(picture->height, 5);
  EXPECT_EQ(picture->pixels, png);
}

}  // namespace
}  // namespace sw
