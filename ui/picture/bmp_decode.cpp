// BMP by our own reader: uncompressed 1, 4, 8, 24 and 32 bits a pixel into 24-bit blue-green-red rows,
// bottom-up, without padding. For the usual bottom-up 24-bit file that is the file's rows minus padding.
#include <cstdlib>
#include <limits>

#include "base/bmp_format.h"
#include "base/byte_reader.h"
#include "ui/picture/packed_dib.h"
#include "ui/picture/picture_bytes.h"
#include "ui/picture/picture_readers.h"

namespace sw {
namespace {

using picture_bytes::Fail;
using namespace bmp;  // the header offsets; the later info headers only add fields after the 40 bytes

constexpr int kOutBytesPerPixel = 3;

bool IsSupportedBitCount(std::uint16_t bits) {
  return bits == 1 || bits == 4 || bits == 8 || bits == 24 || bits == 32;
}

struct BmpLayout {
  std::int32_t width;
  std::int32_t height;
  bool top_down;
  std::uint16_t bits;
  std::uint64_t table_at;  // 64-bit so that header values cannot wrap on a 32-bit build
  std::uint32_t table_entries;
  std::uint64_t pixels_at;
  std::uint64_t stride;  // each file row is padded to 4 bytes
};

// Returns kNone and fills `layout` when the headers describe pixels that lie inside the data.
DecodeFailure ReadLayout(std::span<const std::uint8_t> bytes, BmpLayout& layout) {
  ByteReader file(bytes);
  if (file.U16At(kBfType) != kFileType) return DecodeFailure::kUnrecognised;  // also shorter than 2 bytes
  if (bytes.size() < kSmallestFile) return DecodeFailure::kTruncated;
  ByteReader info(bytes.subspan(kFileHeaderSize));  // from here on every header read lies inside the bytes
  const std::uint32_t header_size = info.U32At(kBiSize);
  if (header_size < kInfoHeaderSize) return DecodeFailure::kUnsupported;  // 12-byte core headers
  if (info.U32At(kBiCompression) != kUncompressed) return DecodeFailure::kUnsupported;
  layout.bits = info.U16At(kBiBitCount);
  if (!IsSupportedBitCount(layout.bits)) return DecodeFailure::kUnsupported;

  const std::int32_t width = info.I32At(kBiWidth);
  const std::int32_t height = info.I32At(kBiHeight);
  constexpr std::int32_t kLowest = std::numeric_limits<std::int32_t>::min();
  if (width == 0 || height == 0 || width == kLowest || height == kLowest) return DecodeFailure::kBadHeader;
  layout.width = std::abs(width);
  layout.height = std::abs(height);
  layout.top_down = height < 0;
  if (!picture_bytes::WithinCaps(layout.width, layout.height)) return DecodeFailure::kTooLarge;

  // Only the entries a pixel can name are read: the pixels are at bfOffBits, however long the table says
  // it is (ColorTableOf tells why a packed DIB cannot say the same).
  layout.table_entries = ColorTableOf(layout.bits, info.U32At(kBiClrUsed)).indexable;
  layout.table_at = std::uint64_t{kFileHeaderSize} + header_size;
  if (!file.Fits(layout.table_at, std::uint64_t{layout.table_entries} * kColorEntrySize)) {
    return DecodeFailure::kTruncated;
  }
  layout.pixels_at = file.U32At(kBfOffBits);
  if (layout.pixels_at < layout.table_at + layout.table_entries * kColorEntrySize)
    return DecodeFailure::kBadHeader;
  layout.stride = static_cast<std::uint64_t>(RowStride(layout.width, layout.bits));
  if (!file.Fits(layout.pixels_at, layout.stride * static_cast<std::uint32_t>(layout.height))) {
    return DecodeFailure::kTruncated;
  }
  return DecodeFailure::kNone;
}

// Palette index of pixel x in a row of 1, 4 or 8 bits (leftmost pixel in the high bits).
unsigned IndexAt(const std::uint8_t* row, std::int32_t x, std::uint16_t bits) {
  const unsigned bit = static_cast<unsigned>(x) * bits;
  const unsigned shift = 8 - bits - bit % 8;
  return (row[bit / 8] >> shift) & ((1u << bits) - 1);
}

}  // namespace

PictureDecoding DecodeBmp(std::span<const std::uint8_t> bytes) {
  BmpLayout layout{};
  if (const DecodeFailure failure = ReadLayout(bytes, layout); failure != DecodeFailure::kNone)
    return Fail(failure);

  // Every offset below was checked against the data in ReadLayout.
  const std::uint8_t* table = bytes.data() + static_cast<std::size_t>(layout.table_at);
  const std::uint8_t* rows = bytes.data() + static_cast<std::size_t>(layout.pixels_at);
  const std::size_t in_stride = static_cast<std::size_t>(layout.stride);
  const std::size_t out_stride = std::size_t{static_cast<std::uint32_t>(layout.width)} * kOutBytesPerPixel;
  std::vector<std::uint8_t> pixels(out_stride * static_cast<std::uint32_t>(layout.height));
  for (std::int32_t file_row = 0; file_row < layout.height; ++file_row) {
    const std::uint8_t* in = rows + file_row * in_stride;
    // Output rows are bottom-up: a bottom-up file keeps its order, a top-down one is turned over.
    const std::int32_t out_row = layout.top_down ? layout.height - 1 - file_row : file_row;
    std::uint8_t* out = pixels.data() + out_row * out_stride;
    for (std::int32_t x = 0; x < layout.width; ++x, out += kOutBytesPerPixel) {
      const std::uint8_t* color;  // blue, green, red
      if (layout.bits <= 8) {
        const unsigned index = IndexAt(in, x, layout.bits);
        if (index >= layout.table_entries) return Fail(DecodeFailure::kBadPalette);
        color = table + index * kColorEntrySize;
      } else {
        color = in + x * (layout.bits / 8);
      }
      out[0] = color[0];
      out[1] = color[1];
      out[2] = color[2];
    }
  }
  return picture_bytes::Succeed(PictureKind::kBmp, layout.width, layout.height, std::move(pixels));
}

}  // namespace sw
