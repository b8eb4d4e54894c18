// Packed DIBs: an info header, its colour table and the rows, in one block (what the clipboard's CF_DIB
// holds). The 8-bit one that GIF and 8-bit PCX pictures are kept in has a 40-byte BITMAPINFOHEADER with a
// negative height (rows top-down), 256 colour entries (blue, green, red, 0), rows padded to 4 bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "render/bmp_format.h"

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

// The packed DIB inside BMP file bytes: the file minus its 14-byte header, when the file is uncompressed
// with an info header of 40 bytes or more, its rows follow the colour table directly and it holds every
// row its header counts. An empty span for anything else.
std::span<const std::uint8_t> PackedDibInBmp(std::span<const std::uint8_t> bmp);
// BMP file bytes for such a packed DIB (bytes past its last row are left out); empty for anything else.
std::vector<std::uint8_t> BmpFromPackedDib(std::span<const std::uint8_t> dib);

}  // namespace sw
