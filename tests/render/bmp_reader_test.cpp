// LoadData: the BMP forms it reads, and malformed files that must fail cleanly.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "base/bmp_format.h"
#include "base/byte_reader.h"
#include "render/bitmap.h"
#include "render/bitmap_messages.h"
#include "tests/support/case_table.h"

namespace sw {
namespace {

using bytes = std::vector<std::uint8_t>;
constexpr std::size_t kInfo = bmp::kFileHeaderSize;

// A 9 x 3 one-bit image with a pattern in it: 54 + 8 table bytes + 3 rows of 4 bytes.
bytes OneBitFile() {
  Bitmap bitmap;
  EXPECT_TRUE(bitmap.Create(9, 3, 1, kWhite));
  for (std::int32_t x = 0; x < 9; x += 2) EXPECT_TRUE(bitmap.SetPixel(x, x % 3, kBlack));
  return bitmap.GetData();
}

void Put32(bytes& data, std::size_t at, std::uint32_t value) { StoreLe32(data.data() + at, value); }
void Put16(bytes& data, std::size_t at, std::uint16_t value) { StoreLe16(data.data() + at, value); }

TEST(BmpReader, MalformedFilesFailCleanly) {
  const bytes good = OneBitFile();
  ASSERT_EQ(good.size(), 74u);
  auto cut = [&](std::size_t length) { return bytes(good.begin(), good.begin() + length); };
  auto edited = [&](const std::function<void(bytes&)>& edit) {
    bytes data = good;
    edit(data);
    return data;
  };
  auto info32 = [&](std::size_t field, std::uint32_t value) {
    return edited([=](bytes& d) { Put32(d, kInfo + field, value); });
  };
  auto info16 = [&](std::size_t field, std::uint16_t value) {
    return edited([=](bytes& d) { Put16(d, kInfo + field, value); });
  };
  struct Case {
    bytes data;
    const char* reason;
  };
  const Case cases[] = {
      {{}, "no bytes"},
      {cut(2), "cut after bfType"},
      {cut(6), "cut after bfSize"},
      {cut(10), "cut after the reserved words"},
      {cut(14), "cut after bfOffBits"},
      {cut(18), "cut after biSize"},
      {cut(26), "cut after biHeight"},
      {cut(30), "cut after biBitCount"},
      {cut(46), "cut after biYPelsPerMeter"},
      {cut(53), "one byte short of the headers"},
      {cut(61), "cut inside the colour table"},
      {cut(73), "cut inside the last row"},
      {edited([](bytes& d) {
         d.pop_back();
         Put32(d, bmp::kBfSize, 73);
       }),
       "last row one byte short, bfSize agreeing"},
      {edited([](bytes& d) {
         d[0] = 'M';
         d[1] = 'B';
       }),
       "not BM"},
      {edited([](bytes& d) { Put32(d, bmp::kBfSize, 75); }), "bfSize past the end"},
      {edited([](bytes& d) { Put32(d, bmp::kBfOffBits, 74); }), "bfOffBits at the end"},
      {edited([](bytes& d) { Put32(d, bmp::kBfOffBits, 0xFFFFFFFF); }), "bfOffBits far past the end"},
      {edited([](bytes& d) { Put32(d, bmp::kBfOffBits, 0); }), "bfOffBits inside the file header"},
      {edited([](bytes& d) { Put32(d, bmp::kBfOffBits, 58); }), "bfOffBits inside the colour table"},
      {edited([](bytes& d) { Put32(d, bmp::kBfOffBits, 63); }), "rows start too late for all of them to fit"},
      {info32(bmp::kBiSize, 0), "header size 0"},
      {info32(bmp::kBiSize, 16), "header size 16"},
      {info32(bmp::kBiSize, 108), "a version 4 header"},
      {info32(bmp::kBiSize, 124), "a version 5 header"},
      {info32(bmp::kBiSize, 0xFFFFFFFF), "header size -1"},
      {info16(bmp::kBiBitCount, 0), "bit count 0"},
      {info16(bmp::kBiBitCount, 2), "bit count 2"},
      {info16(bmp::kBiBitCount, 3), "bit count 3"},
      {info16(bmp::kBiBitCount, 64), "bit count 64"},
      {info32(bmp::kBiClrUsed, 3), "a third table entry would overlap the rows"},
      {info32(bmp::kBiClrUsed, 1000), "more table entries than bytes"},
      {info32(bmp::kBiClrUsed, 0x40000000), "a table of 4 GiB"},
      {info32(bmp::kBiClrUsed, 0xFFFFFFFF), "4 x biClrUsed overflows 32 bits"},
      {info32(bmp::kBiCompression, 1), "run-length encoded"},
      {info32(bmp::kBiCompression, 3), "bit fields"},
      {info32(bmp::kBiCompression, 4), "embedded JPEG"},
      {info32(bmp::kBiCompression, 5), "embedded PNG"},
      {info32(bmp::kBiWidth, 0), "zero width"},
      {info32(bmp::kBiWidth, static_cast<std::uint32_t>(-9)), "negative width"},
      {info32(bmp::kBiHeight, 0), "zero height"},
      {info32(bmp::kBiWidth, 0x7FFFFFFF), "huge width, few bytes"},
      {info32(bmp::kBiHeight, 0x7FFFFFFF), "huge height, few bytes"},
      {info32(bmp::kBiHeight, 0x80000000), "the most negative height"},
      {edited([](bytes& d) {
         Put32(d, kInfo + bmp::kBiWidth, 100000);
         Put32(d, kInfo + bmp::kBiHeight, 100000);
       }),
       "100000 x 100000 claimed by a 74-byte file"},
      {info16(bmp::kBiPlanes, 0), "zero planes"},
      {info16(bmp::kBiPlanes, 2), "two planes"},
  };
  testing::ForEachRow(cases, [](const Case& c) {
    Bitmap bitmap;
    ASSERT_TRUE(bitmap.Create(1, 1, 24, kWhite));
    EXPECT_FALSE(bitmap.LoadData(c.data));
    EXPECT_TRUE(bitmap.IsEmpty());
    EXPECT_EQ(bitmap.LastError(), bitmap_message::kUnsupported);
  });
}

// Flips a bottom-up file's rows and negates its height.
bytes TopDown(const bytes& bottom_up, std::size_t stride) {
  bytes data = bottom_up;
  const std::size_t offset = LoadLe32(data.data() + bmp::kBfOffBits);
  const std::int32_t height = static_cast<std::int32_t>(LoadLe32(data.data() + kInfo + bmp::kBiHeight));
  for (std::int32_t row = 0; row < height; ++row) {
    std::copy_n(
        bottom_up.begin() + static_cast<std::ptrdiff_t>(offset + std::size_t(height - 1 - row) * stride),
        stride, data.begin() + static_cast<std::ptrdiff_t>(offset + std::size_t(row) * stride));
  }
  Put32(data, kInfo + bmp::kBiHeight, static_cast<std::uint32_t>(-height));
  return data;
}

TEST(BmpReader, TopDownRowsReadAsTheSamePicture) {
  const bytes bottom_up = OneBitFile();
  Bitmap bitmap;
  ASSERT_TRUE(bitmap.LoadData(TopDown(bottom_up, 4)));
  EXPECT_EQ(bitmap.GetHeight(), 3);
  EXPECT_EQ(bitmap.GetData(), bottom_up) << "stored bottom-up with a positive height";
}

TEST(BmpReader, CoreHeaderIsWidened) {
  // 10 x 2, 1 bit, a core table of 3-byte entries (blue, green, red), rows of 4 bytes.
  const bytes core = {
      'B',  'M',  40,  0,   0,  0, 0, 0, 0, 0, 32, 0, 0, 0,  // file header: size 40, rows at 32
      12,   0,    0,   0,   10, 0, 2, 0, 1, 0, 1,  0,        // core header
      0,    0,    255, 255, 0,  0,                           // entry 0 red, entry 1 blue
      0x80, 0x40, 0,   0,                                    // bottom line: blue at x = 0 and x = 9
      0x00, 0x00, 0,   0,                                    // top line: red
  };
  bytes padded = core;  // files under 54 bytes are refused whatever their header
  padded.resize(54, 0);
  Bitmap bitmap;
  ASSERT_TRUE(bitmap.LoadData(padded));
  EXPECT_EQ(bitmap.GetWidth(), 10);
  EXPECT_EQ(bitmap.GetBitCount(), 1);
  const ColorRef red = MakeColorRef(255, 0, 0), blue = MakeColorRef(0, 0, 255);
  EXPECT_EQ(bitmap.GetPixel(0, 1), blue);
  EXPECT_EQ(bitmap.GetPixel(9, 1), blue);
  EXPECT_EQ(bitmap.GetPixel(1, 1), red);
  EXPECT_EQ(bitmap.GetPixel(5, 0), red);
  const bytes written = bitmap.GetData();
  EXPECT_EQ(LoadLe32(written.data() + kInfo + bmp::kBiSize), 40u);
  EXPECT_EQ(LoadLe32(written.data() + bmp::kBfOffBits), 54u + 2 * 4);
}

TEST(BmpReader, GapsAndTrailingBytesAreAccepted) {
  bytes data = OneBitFile();
  Bitmap reference;
  ASSERT_TRUE(reference.LoadData(data));
  data.insert(data.begin() + 62, {0xAA, 0xBB, 0xCC, 0xDD});  // a gap between table and rows
  Put32(data, bmp::kBfOffBits, 66);
  data.insert(data.end(), {1, 2, 3});
  Bitmap bitmap;
  ASSERT_TRUE(bitmap.LoadData(data));
  EXPECT_EQ(bitmap.GetData(), reference.GetData());
}

TEST(BmpReader, IndexPastAShortTableReadsAsAFailure) {
  bytes data = OneBitFile();  // pixel (0, 0) is black (index 0), pixel (1, 0) white (index 1)
  Put32(data, kInfo + bmp::kBiClrUsed, 1);
  // With one entry the table ends 4 bytes earlier; keep the rows where they are.
  Bitmap bitmap;
  ASSERT_TRUE(bitmap.LoadData(data));
  EXPECT_EQ(bitmap.GetPixel(0, 0), kBlack);
  EXPECT_EQ(bitmap.LastError(), "");
  EXPECT_EQ(bitmap.GetPixel(1, 0), 0u);
  EXPECT_EQ(bitmap.LastError(), bitmap_message::kBadColorIndex);
}

}  // namespace
}  // namespace sw
