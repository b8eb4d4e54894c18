#include "ui/picture/packed_dib.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <utility>

#include "base/bmp_format.h"
#include "base/byte_reader.h"

namespace sw {
namespace {

using namespace bmp;

struct PackedLayout {
  std::size_t rows_at = 0;  // after the header and the colour table
  std::size_t size = 0;     // through the last row
};

// The layout of an uncompressed packed DIB at the start of `dib`, or none.
std::optional<PackedLayout> PackedLayoutOf(std::span<const std::uint8_t> dib) {
  if (dib.size() < kPackedDibHeaderSize) return std::nullopt;
  ByteReader info(dib);  // every field below lies in the 40 bytes
  const std::uint32_t header_size = info.U32At(kBiSize);
  const std::int32_t width = info.I32At(kBiWidth);
  const std::int32_t height = info.I32At(kBiHeight);
  const std::uint16_t bits = info.U16At(kBiBitCount);
  const std::uint32_t compression = info.U32At(kBiCompression);
  const std::uint32_t colors_used = info.U32At(kBiClrUsed);
  if (header_size < kPackedDibHeaderSize || width <= 0 || height == 0 || info.U16At(kBiPlanes) != 1 ||
      compression != kUncompressed) {
    return std::nullopt;
  }
  if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) return std::nullopt;
  const std::uint32_t colors = ColorTableOf(bits, colors_used).stored;
  if (colors > kLongestColorTable) return std::nullopt;
  const std::uint64_t stride = static_cast<std::uint64_t>(RowStride(width, bits));
  const std::uint64_t rows =
      static_cast<std::uint64_t>(height < 0 ? -std::int64_t{height} : std::int64_t{height});
  const std::uint64_t rows_at = std::uint64_t{header_size} + kColorEntrySize * colors;  // below 2^33
  if (!info.Fits(0, rows_at) || stride > (dib.size() - rows_at) / rows) return std::nullopt;
  return PackedLayout{static_cast<std::size_t>(rows_at), static_cast<std::size_t>(rows_at + stride * rows)};
}

}  // namespace

std::span<const std::uint8_t> PackedDibInBmp(std::span<const std::uint8_t> bmp) {
  ByteReader file(bmp);
  if (bmp.size() < kFileHeaderSize || file.U16At(kBfType) != kFileType) return {};
  const std::span<const std::uint8_t> dib = bmp.subspan(kFileHeaderSize);
  const std::optional<PackedLayout> layout = PackedLayoutOf(dib);
  // A gap between the table and the rows has no place in a packed DIB.
  if (!layout || file.U32At(kBfOffBits) != kFileHeaderSize + layout->rows_at) return {};
  return dib.first(layout->size);
}

std::vector<std::uint8_t> BmpFromPackedDib(std::span<const std::uint8_t> dib) {
  const std::optional<PackedLayout> layout = PackedLayoutOf(dib);
  if (!layout || layout->size > UINT32_MAX - kFileHeaderSize) return {};
  std::vector<std::uint8_t> bmp(kFileHeaderSize + layout->size);
  StoreLe16(bmp.data() + kBfType, kFileType);
  StoreLe32(bmp.data() + kBfSize, static_cast<std::uint32_t>(bmp.size()));
  StoreLe32(bmp.data() + kBfOffBits, static_cast<std::uint32_t>(kFileHeaderSize + layout->rows_at));
  std::copy(dib.begin(), dib.begin() + static_cast<std::ptrdiff_t>(layout->size),
            bmp.begin() + kFileHeaderSize);
  return bmp;
}

PackedDib8::PackedDib8(std::int32_t width, std::int32_t height, std::span<const DibColor> colors)
    : stride_((static_cast<std::size_t>(width) + 3) / 4 * 4),
      bytes_(kPackedDibPixelsAt + stride_ * static_cast<std::size_t>(height)) {
  std::uint8_t* header = bytes_.data();
  StoreLe32(header + bmp::kBiSize, kPackedDibHeaderSize);
  StoreLe32(header + bmp::kBiWidth, static_cast<std::uint32_t>(width));
  StoreLe32(header + bmp::kBiHeight, static_cast<std::uint32_t>(-height));  // negative: rows top-down
  StoreLe16(header + bmp::kBiPlanes, 1);
  StoreLe16(header + bmp::kBiBitCount, 8);
  StoreLe32(header + bmp::kBiClrUsed, kPackedDibColors);  // the other fields stay 0
  std::uint8_t* entry = header + kPackedDibHeaderSize;
  for (const DibColor& color : colors.first(std::min(colors.size(), kPackedDibColors))) {
    entry[0] = color.blue;
    entry[1] = color.green;
    entry[2] = color.red;
    entry += bmp::kColorEntrySize;
  }
}

}  // namespace sw
