// Byte layout of BMP files and packed DIBs: header sizes and field offsets (base/byte_reader.h reads them).
#pragma once

#include <cstddef>
#include <cstdint>

namespace sw::bmp {

inline constexpr std::size_t kFileHeaderSize = 14;  // BITMAPFILEHEADER
inline constexpr std::size_t kInfoHeaderSize = 40;  // BITMAPINFOHEADER
inline constexpr std::size_t kCoreHeaderSize = 12;  // BITMAPCOREHEADER
inline constexpr std::size_t kSmallestFile = kFileHeaderSize + kInfoHeaderSize;
inline constexpr std::uint16_t kFileType = 0x4D42;     // "BM"
inline constexpr std::size_t kColorEntrySize = 4;      // blue, green, red, reserved
inline constexpr std::size_t kCoreColorEntrySize = 3;  // blue, green, red

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
inline constexpr std::uint32_t kUncompressed = 0;  // BI_RGB

// BITMAPCOREHEADER field offsets: 16-bit width, height, planes, bit count.
inline constexpr std::size_t kBcWidth = 4;
inline constexpr std::size_t kBcHeight = 6;
inline constexpr std::size_t kBcPlanes = 8;
inline constexpr std::size_t kBcBitCount = 10;

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
