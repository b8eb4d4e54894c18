// Packed DIBs: an info header, its colour table and the rows, in one block (what the clipboard's CF_DIB
// holds). The 8-bit one that GIF and 8-bit PCX pictures are kept in has a 40-byte BITMAPINFOHEADER with a
// negative height (rows top-down), 256 colour entries (blue, green, red, 0), rows padded to 4 bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "base/bmp_format.h"

namespace sw {

struct DibColor {
  std::uint8_t red;
  std::uint8_t green;
  std::uint8_t blue;
};

inline constexpr std::size_t kPackedDibHeaderSize = bmp::kInfoHeaderSize;
inline constexpr std::size_t kPackedDibColors = 256;
inline constexpr std::size_t kPackedDibPixelsAt =
    kPackedDibHeaderSize + kPackedDibColors * bmp::kColorEntrySize;

class PackedDib8 {
 public:
  // width and height are positive and within the picture caps; colours past `colours` stay black.
  PackedDib8(std::int32_t width, std::int32_t height, std::span<const DibColor> colors);
  std::uint8_t* Row(std::int32_t y) {
    return bytes_.data() + kPackedDibPixelsAt + static_cast<std::size_t>(y) * stride_;
  }
  std::size_t stride() const { return stride_; }
  std::vector<std::uint8_t> Release() { return std::move(bytes_); }

 private:
  std::size_t stride_;
  std::vector<std::uint8_t> bytes_;
};

// The colour table of an info header (biBitCount, biClrUsed): `stored` entries (biClrUsed, or 2^bits when
// that is 0 at 8 bits or fewer; deeper pixels may carry an optional table), of which a pixel can name the
// first `indexable` (never more than 2^bits). Where the rows are depends on the container: a BMP file
// names their offset (bfOffBits), so its reader needs only the indexable entries before them; a packed DIB
// (the clipboard's, an icon's) does not, and its rows follow the stored table, where its writer put them
// and where GDI looks for them. GDI takes no more than kLongestColorTable entries, though, while a writer
// that declares more puts the rows after all of them: such a packed DIB has no agreed place for its rows.
struct ColorTableSize {
  std::uint32_t stored;
  std::uint32_t indexable;
};
inline constexpr std::uint32_t kLongestColorTable = 256;
constexpr ColorTableSize ColorTableOf(std::uint16_t bits, std::uint32_t colors_used) {
  if (bits > 8) return {colors_used, 0};
  const std::uint32_t addressable = std::uint32_t{1} << bits;
  if (colors_used == 0) return {addressable, addressable};
  return {colors_used, colors_used < addressable ? colors_used : addressable};
}

// The packed DIB inside BMP file bytes: the file minus its 14-byte header, when the file is uncompressed
// with an info header of 40 bytes or more, its rows follow the stored colour table directly (no longer than
// kLongestColorTable) and it holds every row its header counts. An empty span for anything else.
std::span<const std::uint8_t> PackedDibInBmp(std::span<const std::uint8_t> bmp);
// BMP file bytes for such a packed DIB (bytes past its last row are left out); empty for anything else.
std::vector<std::uint8_t> BmpFromPackedDib(std::span<const std::uint8_t> dib);

}  // namespace sw
