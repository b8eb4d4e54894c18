// The packed DIB inside BMP file bytes (the clipboard's picture format) and back: the bitmap writer's files
// pass whole, anything else is refused without a read past its end.
#include "ui/picture/packed_dib.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "base/bmp_format.h"
#include "base/byte_reader.h"
#include "render/bitmap.h"
#include "tests/support/case_table.h"
#include "ui/picture/picture_decode.h"

namespace sw {
namespace {

using namespace bmp;
constexpr std::size_t kInfo = kFileHeaderSize;  // the info header's fields follow the file header

std::vector<std::uint8_t> WrittenBmp(std::int16_t bits) {
  Bitmap bitmap;
  EXPECT_TRUE(bitmap.Create(13, 3, bits, 0xFFFFFF));
  EXPECT_TRUE(bitmap.SetPixel(5, 1, 0x000000));
  return bitmap.GetData();
}

TEST(PackedDib, TheBitmapWritersFilesPassWholeAndComeBack) {
  for (const std::int16_t bits : {1, 8, 24, 32}) {
    const std::vector<std::uint8_t> bmp = WrittenBmp(bits);
    const std::span<const std::uint8_t> dib = PackedDibInBmp(bmp);
    EXPECT_EQ(std::vector<std::uint8_t>(dib.begin(), dib.end()),
              std::vector<std::uint8_t>(bmp.begin() + kFileHeaderSize, bmp.end()))
        << bits << " bits";
    EXPECT_EQ(BmpFromPackedDib(dib), bmp) << bits << " bits";
  }
}

// The writer's file with its colour table grown to `entries` (black ones added) and biClrUsed saying so.
std::vector<std::uint8_t> WithColorTable(std::int16_t bits, std::uint32_t entries) {
  std::vector<std::uint8_t> bmp = WrittenBmp(bits);
  const std::uint32_t rows_at = LoadLe32(bmp.data() + kBfOffBits);
  const std::size_t added = entries * kColorEntrySize - (rows_at - kSmallestFile);
  bmp.insert(bmp.begin() + rows_at, added, 0);
  StoreLe32(bmp.data() + kBfSize, static_cast<std::uint32_t>(bmp.size()));
  StoreLe32(bmp.data() + kBfOffBits, static_cast<std::uint32_t>(rows_at + added));
  StoreLe32(bmp.data() + kInfo + kBiClrUsed, entries);
  return bmp;
}

std::vector<std::uint8_t> DecodedPixels(std::span<const std::uint8_t> bmp) {
  const auto picture = DecodePicture(bmp.data(), static_cast<std::int32_t>(bmp.size()));
  return picture ? picture->pixels : std::vector<std::uint8_t>{};
}

// Tables longer than the pixels need: the file always decodes to the writer's picture (its rows are at
// bfOffBits); its packed DIB passes only where the system reads the rows where the writer put them.
TEST(PackedDib, ALongColorTableIsKeptOnlyWhereTheSystemReadsItWhole) {
  struct Row {
    std::int16_t bits;
    std::uint32_t entries;
    bool packed;
    const char* reason;
  };
  const Row rows[] = {
      {1, 3, true, "3 entries for 1 bit: the rows follow all 3, and the pixels name the first 2"},
      {8, 257, false, "257 entries: the system would look for the rows after the 256th"},
      {24, 257, false, "an optional table of 257 entries before 24-bit rows: the same"},
  };
  testing::ForEachRow(rows, [](const Row& row) {
    const std::vector<std::uint8_t> bmp = WithColorTable(row.bits, row.entries);
    const std::vector<std::uint8_t> pixels = DecodedPixels(bmp);
    EXPECT_FALSE(pixels.empty());
    EXPECT_EQ(pixels, DecodedPixels(WrittenBmp(row.bits)));
    const std::span<const std::uint8_t> dib = PackedDibInBmp(bmp);
    const std::span<const std::uint8_t> file_dib =
        std::span<const std::uint8_t>(bmp).subspan(kFileHeaderSize);
    EXPECT_EQ(dib.size(), row.packed ? file_dib.size() : 0);
    EXPECT_EQ(BmpFromPackedDib(file_dib), row.packed ? bmp : std::vector<std::uint8_t>{});
  });
}

TEST(PackedDib, AnythingElseIsRefused) {
  struct Row {
    std::size_t at;  // a 32-bit field of the file changed, unless 0
    std::uint32_t value;
    std::size_t cut;  // bytes cut off the end
    bool file_only;   // the packed DIB alone is still good
    const char* reason;
  };
  const Row rows[] = {
      {0, 0, 1, false, "the last row is one byte short"},
      {kBfOffBits, kSmallestFile + 4, 0, true, "a gap between the header and the rows"},
      {0, 'B' | 'A' << 8, 0, true, "no BM signature"},
      {kInfo + kBiCompression, 1, 0, false, "compressed rows"},
      {kInfo + kBiSize, 12, 0, false, "a core header, which has no room for these fields"},
      {kInfo + kBiWidth, 0, 0, false, "no width"},  // 5
      {kInfo + kBiHeight, 0, 0, false, "no rows"},
      {kInfo + kBiHeight, 0x80000000, 0, false, "2^31 rows, top-down"},
      {kInfo + kBiWidth, 0x7FFFFFFF, 0, false, "rows far wider than the file"},
      {kInfo + kBiClrUsed, 0x40000000, 0, false, "a colour table far past the end"},
      {kInfo + kBiSize, 0xFFFFFFF0, 0, false, "a header longer than the file"},
  };
  testing::ForEachRow(rows, [](const Row& row) {
    std::vector<std::uint8_t> bmp = WrittenBmp(24);
    if (row.at == 0 && row.value != 0) {
      bmp[0] = static_cast<std::uint8_t>(row.value);
      bmp[1] = static_cast<std::uint8_t>(row.value >> 8);
    } else if (row.at != 0) {
      for (int i = 0; i < 4; ++i) bmp[row.at + i] = static_cast<std::uint8_t>(row.value >> (8 * i));
    }
    bmp.resize(bmp.size() - row.cut);
    EXPECT_TRUE(PackedDibInBmp(bmp).empty());
    const std::span<const std::uint8_t> dib = std::span<const std::uint8_t>(bmp).subspan(kFileHeaderSize);
    EXPECT_EQ(BmpFromPackedDib(dib).empty(), !row.file_only);
  });
  EXPECT_TRUE(PackedDibInBmp({}).empty()) << "no bytes";
  EXPECT_TRUE(BmpFromPackedDib(std::vector<std::uint8_t>(39)).empty()) << "less than a header";
}

}  // namespace
}  // namespace sw
