#include "ui/picture/packed_dib.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <utility>

#include "ui/picture/picture_bytes.h"

namespace sw {
namespace {

using picture_bytes::Fits;
using picture_bytes::Le16;
using picture_bytes::Le32;
using picture_bytes::Le32Signed;

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kOffBitsAt = 10;

struct PackedLayout {
  std::size_t rows_at = 0;  // after the header and the colour table
  std::size_t size = 0;     // through the last row
};

// The layout of an uncompressed packed DIB at the start of `dib`, or none.
std::optional<PackedLayout> PackedLayoutOf(std::span<const std::uint8_t> dib) {
  if (dib.size() < kPackedDibHeaderSize) return std::nullopt;
  const std::uint32_t header_size = Le32(dib, 0);
  const std::int32_t width = Le32Signed(dib, 4);
  const std::int32_t height = Le32Signed(dib, 8);
  const std::uint16_t bits = Le16(dib, 14);
  const std::uint32_t compression = Le32(dib, 16);
  const std::uint32_t colors_used = Le32(dib, 32);
  if (header_size < kPackedDibHeaderSize || width <= 0 || height == 0 || Le16(dib, 12) != 1 ||
      compression != 0) {
    return std::nullopt;
  }
  if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) return std::nullopt;
  const std::uint64_t colors = colors_used != 0 ? colors_used : bits <= 8 ? std::uint64_t{1} << bits : 0;
  const std::uint64_t stride = (std::uint64_t{static_cast<std::uint32_t>(width)} * bits + 31) / 32 * 4;
  const std::uint64_t rows = static_cast<std::uint64_t>(height < 0 ? -std::int64_t{height} : std::int64_t{height});
  const std::uint64_t rows_at = std::uint64_t{header_size} + 4 * colors;  // each term below 2^35: no overflow
  if (!Fits(dib.size(), 0, rows_at) || stride > (dib.size() - rows_at) / rows) return std::nullopt;
  return PackedLayout{static_cast<std::size_t>(rows_at), static_cast<std::size_t>(rows_at + stride * rows)};
}

}  // namespace

std::span<const std::uint8_t> PackedDibInBmp(std::span<const std::uint8_t> bmp) {
  if (bmp.size() < kFileHeaderSize || bmp[0] != 'B' || bmp[1] != 'M') return {};
  const std::span<const std::uint8_t> dib = bmp.subspan(kFileHeaderSize);
  const std::optional<PackedLayout> layout = PackedLayoutOf(dib);
  // A gap between the table and the rows has no place in a packed DIB.
  if (!layout || Le32(bmp, kOffBitsAt) != kFileHeaderSize + layout->rows_at) return {};
  return dib.first(layout->size);
}

std::vector<std::uint8_t> BmpFromPackedDib(std::span<const std::uint8_t> dib) {
  const std::optional<PackedLayout> layout = PackedLayoutOf(dib);
  if (!layout || layout->size > UINT32_MAX - kFileHeaderSize) return {};
  std::vector<std::uint8_t> bmp(kFileHeaderSize + layout->size);
  bmp[0] = 'B';
  bmp[1] = 'M';
  picture_bytes::PutLe32(bmp.data() + 2, static_cast<std::uint32_t>(bmp.size()));
  picture_bytes::PutLe32(bmp.data() + kOffBitsAt, static_cast<std::uint32_t>(kFileHeaderSize + layout->rows_at));
  std::copy(dib.begin(), dib.begin() + static_cast<std::ptrdiff_t>(layout->size),
            bmp.begin() + kFileHeaderSize);
  return bmp;
}

PackedDib8::PackedDib8(std::int32_t width, std::int32_t height, std::span<const DibColor> colors)
    : stride_((static_cast<std::size_t>(width) + 3) / 4 * 4),
      bytes_(kPackedDibPixelsAt + stride_ * static_cast<std::size_t>(height)) {
  using picture_bytes::PutLe16;
  using picture_bytes::PutLe32;
  std::uint8_t* header = bytes_.data();
  PutLe32(header + 0, kPackedDibHeaderSize);            // biSize
  PutLe32(header + 4, static_cast<std::uint32_t>(width));    // biWidth
  PutLe32(header + 8, static_cast<std::uint32_t>(-height));  // biHeight: negative, rows top-down
  PutLe16(header + 12, 1);                              // biPlanes
  PutLe16(header + 14, 8);                              // biBitCount
  PutLe32(header + 32, kPackedDibColors);              // biClrUsed; the other fields stay 0
  std::uint8_t* entry = header + kPackedDibHeaderSize;
  for (const DibColor& color : colors.first(std::min(colors.size(), kPackedDibColors))) {
    entry[0] = color.blue;
    entry[1] = color.green;
    entry[2] = color.red;
    entry += 4;
  }
}

}  // namespace sw
