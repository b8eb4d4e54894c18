// Small image files built in memory for the picture tests, each field spelled out by name.
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "base/bmp_format.h"

namespace sw::test {

using Bytes = std::vector<std::uint8_t>;

struct Color {
  std::uint8_t red;
  std::uint8_t green;
  std::uint8_t blue;
  friend bool operator==(const Color&, const Color&) = default;
};

// Field offsets of the files built below, for tests that break one field on purpose.
namespace bmp {
inline constexpr std::size_t kInfo = sw::bmp::kFileHeaderSize;  // the info header follows the file header
inline constexpr std::size_t kOffBits = sw::bmp::kBfOffBits, kHeaderSize = kInfo + sw::bmp::kBiSize,
                             kWidth = kInfo + sw::bmp::kBiWidth, kHeight = kInfo + sw::bmp::kBiHeight,
                             kBitCount = kInfo + sw::bmp::kBiBitCount,
                             kCompression = kInfo + sw::bmp::kBiCompression,
                             kColorsUsed = kInfo + sw::bmp::kBiClrUsed, kTable = sw::bmp::kSmallestFile;
}  // namespace bmp
namespace pcx {
inline constexpr std::size_t kVersion = 1, kXMax = 8, kYMax = 10, kPlanes = 65, kBytesPerLine = 66,
                             kData = 128;
}

void PutLe16(Bytes& bytes, std::size_t at, std::uint16_t value);
void PutLe32(Bytes& bytes, std::size_t at, std::uint32_t value);

// Uncompressed BMP. `rows` are the file's rows top line first, unpadded (index bytes for <= 8 bits, one byte
// an index even for 1 and 4 bits); the writer packs, pads and orders them (bottom-up unless top_down).
struct BmpFile {
  std::int32_t width = 0;
  std::int32_t height = 0;
  std::uint16_t bits = 24;
  bool top_down = false;
  std::vector<Color> palette{};  // written as the colour table; biClrUsed = its size unless 0 entries
  std::vector<Bytes> rows{};     // per pixel: an index, or blue, green, red(, 0) for 24 and 32 bits
};
Bytes MakeBmp(const BmpFile& file);

// GIF with a global colour table and one image, LZW-compressed for real (the table fills and codes grow).
struct GifFile {
  std::uint16_t screen_width = 0;
  std::uint16_t screen_height = 0;
  std::uint8_t background = 0;
  std::vector<Color> palette{};  // a power of two, 2 to 256 entries
  std::uint16_t left = 0, top = 0, width = 0, height = 0;
  bool interlaced = false;
  int min_code_size = 8;
  Bytes indices{};  // width * height, rows top-down in picture order (interlacing is the writer's job)
};
Bytes MakeGif(const GifFile& file);
// Just the LZW codes for `indices`, packed least significant bit first (no sub-blocks).
Bytes LzwCompress(std::span<const std::uint8_t> indices, int min_code_size);

// PCX, one plane, run-length encoded. 8 bits: indices and a 256-colour palette at the end. 1 bit: packed
// rows.
struct PcxFile {
  std::uint8_t version = 5;
  std::uint8_t bits = 8;
  std::uint16_t width = 0, height = 0;
  std::vector<Color> palette{};  // 8 bits only
  std::vector<Bytes> lines{};    // each bytes_per_line long (even), as the file stores them
};
Bytes MakePcx(const PcxFile& file);

// Icon or cursor directory. Each entry's image is a 32-bit BITMAPINFOHEADER image (colour rows + mask) of
// width x height, filled with `colour`, unless `image` is given.
struct IconEntry {
  std::uint8_t width_byte = 0;
  std::uint8_t colors_byte = 0;
  std::int32_t width = 0, height = 0;
  Color color{};
  Bytes image{};
  std::uint16_t planes_or_hot_x = 1;  // an icon's planes and bit count are a cursor's hot spot
  std::uint16_t bits_or_hot_y = 32;
};
Bytes MakeIconImage(std::int32_t width, std::int32_t height, Color color);
Bytes MakeIconFile(std::uint16_t type, std::vector<IconEntry> entries);

// Written by libpng's simplified interface: RGBA pixels, rows top-down.
Bytes WritePng(std::int32_t width, std::int32_t height, std::span<const std::uint8_t> rgba);
// Written by libjpeg: RGB (3 components) or grey (1 component) rows, top-down.
Bytes WriteJpeg(std::int32_t width, std::int32_t height, int components,
                std::span<const std::uint8_t> samples, int quality, bool progressive);
// Progressive RGB with `scans` scans (1 to 190): the DC of all components, then one AC coefficient each.
Bytes WriteJpegScans(std::int32_t width, std::int32_t height, std::span<const std::uint8_t> rgb, int scans);

// Fixes the CRC of the PNG chunk whose length field is at `chunk_at`.
void FixPngChunkCrc(Bytes& png, std::size_t chunk_at);

}  // namespace sw::test
