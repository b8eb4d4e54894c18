// PCX by our own run-length reader: 8 bits a pixel with the 256-colour palette at the end of the file into
// a top-down 8-bit DIB, or 1 bit a pixel into rows for CreateBitmap.
#include <algorithm>
#include <array>

#include "base/byte_reader.h"
#include "ui/picture/packed_dib.h"
#include "ui/picture/picture_bytes.h"
#include "ui/picture/picture_readers.h"

namespace sw {
namespace {

using picture_bytes::Fail;

constexpr std::size_t kHeaderSize = 128;  // the pixel data starts here
constexpr std::uint8_t kMaker = 0x0A;
constexpr std::size_t kBitsAt = 3;
constexpr std::size_t kXMinAt = 4;
constexpr std::size_t kYMinAt = 6;
constexpr std::size_t kXMaxAt = 8;
constexpr std::size_t kYMaxAt = 10;
constexpr std::size_t kPlanesAt = 65;
constexpr std::size_t kBytesPerLineAt = 66;
constexpr std::uint8_t kRunMarkBase = 192;  // a byte above it repeats the next byte (byte - 192) times
constexpr std::uint8_t kPaletteMark = 0x0C;
constexpr std::size_t kPaletteSize = 256 * 3;
constexpr std::size_t kPaletteTrailerSize = 1 + kPaletteSize;

// Expands run-length data one scan line at a time. A run never continues into the next line.
class RunLengthReader {
 public:
  explicit RunLengthReader(std::span<const std::uint8_t> data) : data_(data) {}
  DecodeFailure ReadLine(std::uint8_t* line, std::size_t length) {
    std::size_t filled = 0;
    while (filled < length) {
      if (at_ >= data_.size()) return DecodeFailure::kTruncated;
      const std::uint8_t byte = data_[at_++];
      if (byte <= kRunMarkBase) {
        line[filled++] = byte;
        continue;
      }
      const std::size_t count = byte - kRunMarkBase;
      if (at_ >= data_.size()) return DecodeFailure::kTruncated;
      if (count > length - filled) return DecodeFailure::kBadData;
      std::fill_n(line + filled, count, data_[at_++]);
      filled += count;
    }
    return DecodeFailure::kNone;
  }

 private:
  std::span<const std::uint8_t> data_;
  std::size_t at_ = 0;
};

struct PcxLayout {
  std::int32_t width;
  std::int32_t height;
  std::size_t bytes_per_line;
};

DecodeFailure ReadLayout(std::span<const std::uint8_t> bytes, std::uint8_t bits, PcxLayout& layout) {
  if (bytes.size() <= kHeaderSize) return DecodeFailure::kTruncated;
  ByteReader header(bytes);  // every field below lies in the 128 header bytes
  if (header.U8At(0) != kMaker || header.U8At(kBitsAt) != bits) return DecodeFailure::kUnrecognised;
  const std::int32_t x_min = header.U16At(kXMinAt);
  const std::int32_t y_min = header.U16At(kYMinAt);
  const std::int32_t x_max = header.U16At(kXMaxAt);
  const std::int32_t y_max = header.U16At(kYMaxAt);
  if (x_max < x_min || y_max < y_min) return DecodeFailure::kBadHeader;
  layout.width = x_max - x_min + 1;
  layout.height = y_max - y_min + 1;
  if (!picture_bytes::WithinCaps(layout.width, layout.height)) return DecodeFailure::kTooLarge;
  // Several planes (24-bit colour as three 8-bit planes, 16 colours as four 1-bit planes) are not read.
  if (header.U8At(kPlanesAt) != 1) return DecodeFailure::kUnsupported;
  layout.bytes_per_line = header.U16At(kBytesPerLineAt);
  if (layout.bytes_per_line < (static_cast<std::size_t>(layout.width) * bits + 7) / 8)
    return DecodeFailure::kBadHeader;
  return DecodeFailure::kNone;
}

PictureDecoding DecodePcx8(std::span<const std::uint8_t> bytes, const PcxLayout& layout) {
  // The palette trails the pixel data: a 0x0C mark, then 256 red-green-blue triples.
  if (bytes.size() < kHeaderSize + kPaletteTrailerSize) return Fail(DecodeFailure::kBadPalette);
  const std::size_t palette_at = bytes.size() - kPaletteSize;
  if (bytes[palette_at - 1] != kPaletteMark) return Fail(DecodeFailure::kBadPalette);
  std::array<DibColor, 256> colors;
  for (std::size_t i = 0; i < colors.size(); ++i) {
    const std::uint8_t* entry = bytes.data() + palette_at + 3 * i;
    colors[i] = {entry[0], entry[1], entry[2]};
  }

  PackedDib8 dib(layout.width, layout.height, colors);
  RunLengthReader reader(bytes.subspan(kHeaderSize, palette_at - 1 - kHeaderSize));
  std::vector<std::uint8_t> line(layout.bytes_per_line);
  for (std::int32_t y = 0; y < layout.height; ++y) {
    if (const DecodeFailure failure = reader.ReadLine(line.data(), line.size());
        failure != DecodeFailure::kNone) {
      return Fail(failure);
    }
    std::copy_n(line.begin(), layout.width, dib.Row(y));
  }
  return picture_bytes::Succeed(PictureKind::kPcx8, layout.width, layout.height, dib.Release());
}

PictureDecoding DecodePcx1(std::span<const std::uint8_t> bytes, const PcxLayout& layout) {
  // CreateBitmap wants each row padded to a 16-bit boundary; the bits keep their meaning (set = white).
  const std::size_t row_bytes = (static_cast<std::size_t>(layout.width) + 7) / 8;
  const std::size_t stride = (static_cast<std::size_t>(layout.width) + 15) / 16 * 2;
  std::vector<std::uint8_t> pixels(stride * static_cast<std::size_t>(layout.height));
  RunLengthReader reader(bytes.subspan(kHeaderSize));
  std::vector<std::uint8_t> line(layout.bytes_per_line);
  for (std::int32_t y = 0; y < layout.height; ++y) {
    if (const DecodeFailure failure = reader.ReadLine(line.data(), line.size());
        failure != DecodeFailure::kNone) {
      return Fail(failure);
    }
    std::copy_n(line.begin(), row_bytes, pixels.begin() + static_cast<std::ptrdiff_t>(y * stride));
  }
  return picture_bytes::Succeed(PictureKind::kPcx1, layout.width, layout.height, std::move(pixels));
}

}  // namespace

PictureDecoding DecodePcx(std::span<const std::uint8_t> bytes, PictureKind kind) {
  if (kind != PictureKind::kPcx8 && kind != PictureKind::kPcx1) return Fail(DecodeFailure::kUnrecognised);
  PcxLayout layout{};
  const std::uint8_t bits = kind == PictureKind::kPcx8 ? 8 : 1;
  if (const DecodeFailure failure = ReadLayout(bytes, bits, layout); failure != DecodeFailure::kNone) {
    return Fail(failure);
  }
  return kind == PictureKind::kPcx8 ? DecodePcx8(bytes, layout) : DecodePcx1(bytes, layout);
}

}  // namespace sw
