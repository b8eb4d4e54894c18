// PCX by our own run-length reader: 8 bits a pixel with the 256-colour palette at the end of the file into
// a top-down 8-bit DIB, or 1 bit a pixel into rows for CreateBitmap.
#include <algorithm>
#include <array>

#include "ui/packed_dib.h"
#include "ui/picture_bytes.h"
#include "ui/picture_readers.h"

namespace sw {
namespace {

using picture_bytes::Fail;
using picture_bytes::Le16;

constexpr size_t kHeaderSize = 128;  // the pixel data starts here
constexpr uint8_t kMaker = 0x0A;
constexpr size_t kBitsAt = 3;
constexpr size_t kXMinAt = 4;
constexpr size_t kYMinAt = 6;
constexpr size_t kXMaxAt = 8;
constexpr size_t kYMaxAt = 10;
constexpr size_t kPlanesAt = 65;
constexpr size_t kBytesPerLineAt = 66;
constexpr uint8_t kRunMarkBase = 192;  // a byte above it repeats the next byte (byte - 192) times
constexpr uint8_t kPaletteMark = 0x0C;
constexpr size_t kPaletteSize = 256 * 3;
constexpr size_t kPaletteTrailerSize = 1 + kPaletteSize;

// Expands run-length data one scan line at a time. A run never continues into the next line.
class RunLengthReader {
 public:
  explicit RunLengthReader(std::span<const uint8_t> data) : data_(data) {}
  DecodeFailure ReadLine(uint8_t* line, size_t length) {
    size_t filled = 0;
    while (filled < length) {
      if (at_ >= data_.size()) return DecodeFailure::kTruncated;
      const uint8_t byte = data_[at_++];
      if (byte <= kRunMarkBase) {
        line[filled++] = byte;
        continue;
      }
      const size_t count = byte - kRunMarkBase;
      if (at_ >= data_.size()) return DecodeFailure::kTruncated;
      if (count > length - filled) return DecodeFailure::kBadData;
      std::fill_n(line + filled, count, data_[at_++]);
      filled += count;
    }
    return DecodeFailure::kNone;
  }

 private:
  std::span<const uint8_t> data_;
  size_t at_ = 0;
};

struct PcxLayout {
  int32_t width;
  int32_t height;
  size_t bytes_per_line;
};

DecodeFailure ReadLayout(std::span<const uint8_t> bytes, uint8_t bits, PcxLayout& layout) {
  if (bytes.size() <= kHeaderSize) return DecodeFailure::kTruncated;
  if (bytes[0] != kMaker || bytes[kBitsAt] != bits) return DecodeFailure::kUnrecognised;
  const int32_t x_min = Le16(bytes, kXMinAt);
  const int32_t y_min = Le16(bytes, kYMinAt);
  const int32_t x_max = Le16(bytes, kXMaxAt);
  const int32_t y_max = Le16(bytes, kYMaxAt);
  if (x_max < x_min || y_max < y_min) return DecodeFailure::kBadHeader;
  layout.width = x_max - x_min + 1;
  layout.height = y_max - y_min + 1;
  if (!picture_bytes::WithinCaps(layout.width, layout.height)) return DecodeFailure::kTooLarge;
  // Several planes (24-bit colour as three 8-bit planes, 16 colours as four 1-bit planes) are not read.
  if (bytes[kPlanesAt] != 1) return DecodeFailure::kUnsupported;
  layout.bytes_per_line = Le16(bytes, kBytesPerLineAt);
  if (layout.bytes_per_line < (static_cast<size_t>(layout.width) * bits + 7) / 8) return DecodeFailure::kBadHeader;
  return DecodeFailure::kNone;
}

PictureDecoding DecodePcx8(std::span<const uint8_t> bytes, const PcxLayout& layout) {
  // The palette trails the pixel data: a 0x0C mark, then 256 red-green-blue triples.
  if (bytes.size() < kHeaderSize + kPaletteTrailerSize) return Fail(DecodeFailure::kBadPalette);
  const size_t palette_at = bytes.size() - kPaletteSize;
  if (bytes[palette_at - 1] != kPaletteMark) return Fail(DecodeFailure::kBadPalette);
  std::array<DibColour, 256> colours;
  for (size_t i = 0; i < colours.size(); ++i) {
    const uint8_t* entry = bytes.data() + palette_at + 3 * i;
    colours[i] = {entry[0], entry[1], entry[2]};
  }

  PackedDib8 dib(layout.width, layout.height, colours);
  RunLengthReader reader(bytes.subspan(kHeaderSize, palette_at - 1 - kHeaderSize));
  std::vector<uint8_t> line(layout.bytes_per_line);
  for (int32_t y = 0; y < layout.height; ++y) {
    if (const DecodeFailure failure = reader.ReadLine(line.data(), line.size()); failure != DecodeFailure::kNone) {
      return Fail(failure);
    }
    std::copy_n(line.begin(), layout.width, dib.Row(y));
  }
  return picture_bytes::Succeed(PictureKind::kPcx8, layout.width, layout.height, dib.Release());
}

PictureDecoding DecodePcx1(std::span<const uint8_t> bytes, const PcxLayout& layout) {
  // CreateBitmap wants each row padded to a 16-bit boundary; the bits keep their meaning (set = white).
  const size_t row_bytes = (static_cast<size_t>(layout.width) + 7) / 8;
  const size_t stride = (static_cast<size_t>(layout.width) + 15) / 16 * 2;
  std::vector<uint8_t> pixels(stride * static_cast<size_t>(layout.height));
  RunLengthReader reader(bytes.subspan(kHeaderSize));
  std::vector<uint8_t> line(layout.bytes_per_line);
  for (int32_t y = 0; y < layout.height; ++y) {
    if (const DecodeFailure failure = reader.ReadLine(line.data(), line.size()); failure != DecodeFailure::kNone) {
      return Fail(failure);
    }
    std::copy_n(line.begin(), row_bytes, pixels.begin() + static_cast<ptrdiff_t>(y * stride));
  }
  return picture_bytes::Succeed(PictureKind::kPcx1, layout.width, layout.height, std::move(pixels));
}

}  // namespace

PictureDecoding DecodePcx(std::span<const uint8_t> bytes, PictureKind kind) {
  if (kind != PictureKind::kPcx8 && kind != PictureKind::kPcx1) return Fail(DecodeFailure::kUnrecognised);
  PcxLayout layout{};
  const uint8_t bits = kind == PictureKind::kPcx8 ? 8 : 1;
  if (const DecodeFailure failure = ReadLayout(bytes, bits, layout); failure != DecodeFailure::kNone) {
    return Fail(failure);
  }
  return kind == PictureKind::kPcx8 ? DecodePcx8(bytes, layout) : DecodePcx1(bytes, layout);
}

}  // namespace sw
