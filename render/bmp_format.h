// Byte layout of BMP files: header sizes, field offsets and little-endian access.
#pragma once

#include <cstddef>
#include <cstdint>

namespace sw::bmp {

inline constexpr std::size_t kFileHeaderSize = 14;  // BITMAPFILEHEADER
inline constexpr std::size_t kInfoHeaderSize = 40;  // BITMAPINFOHEADER
inline constexpr std::size_t kCoreHeaderSize = 12;  // BITMAPCOREHEADER
inline constexpr std::size_t kSmallestFile = kFileHeaderSize + kInfoHeaderSize;
inline constexpr std::uint16_t kFileType = 0x4D42;  // "BM"

// BITMAPFILEHEADER field offsets.
inline constexpr std::size_t kBfType = 0;
inline constexpr std::size_t kBfSize = 2;
inline constexpr std::size_t kBfOffBits = 10;

// BITMAPINFOHEADER field offsets, from the start of the info header.
inline constexpr std::size_t kBiSize = 0;
inline constexpr std::size_t kBiWidth = 4;
inline constexpr std::size_t kBiHeight = 8;
inline constexpr std::size_t kBiPlanes = 12;
inline constexpr std::size_t kBiBitCount = 14;
inline constexpr std::size_t kBiCompression = 16;
inline constexpr std::size_t kBiClrUsed = 32;

// BITMAPCOREHEADER field offsets: 16-bit width, height, planes, bit count.
inline constexpr std::size_t kBcWidth = 4;
inline constexpr std::size_t kBcHeight = 6;
inline constexpr std::size_t kBcPlanes = 8;
inline constexpr std::size_t kBcBitCount = 10;

inline std::uint16_t ReadU16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | p[1] << 8); }
inline std::uint32_t ReadU32(const std::uint8_t* p) {
  return std::uint32_t{p[0]} | std::uint32_t{p[1]} << 8 | std::uint32_t{p[2]} << 16 | std::uint32_t{p[3]} << 24;
}
inline std::int32_t ReadI32(const std::uint8_t* p) { return static_cast<std::int32_t>(ReadU32(p)); }

inline void WriteU16(std::uint8_t* p, std::uint16_t v) {
  p[0] = static_cast<std::uint8_t>(v);
  p[1] = static_cast<std::uint8_t>(v >> 8);
}
inline void WriteU32(std::uint8_t* p, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<std::uint8_t>(v >> (8 * i));
}

// Colour-table entries a bit count implies when biClrUsed is 0; -1 for bit counts BMP rows cannot hold.
constexpr int DefaultColorCount(int bits) {
  switch (bits) {
    case 1: return 2;
    case 4: return 16;
    case 8: return 256;
    case 16:
    case 24:
    case 32: return 0;
    default: return -1;
  }
}

// Bytes a row takes: whole 32-bit words. 64-bit so that no header can overflow it.
constexpr std::int64_t RowStride(std::int64_t width, int bits) { return (width * bits + 31) / 32 * 4; }

}  // namespace sw::bmp
