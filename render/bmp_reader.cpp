#include "render/bmp_reader.h"

#include <algorithm>
#include <cstring>

#include "render/bitmap_messages.h"
#include "render/dib_exception.h"

namespace sw {
namespace {

using namespace bmp;

[[noreturn]] void Unsupported() { throw CDIBException(bitmap_message::kUnsupported); }

// The header fields the reader needs, from either header form.
struct HeaderFields {
  std::int64_t width = 0;
  std::int64_t height = 0;
  int planes = 0;
  int bits = 0;
  std::uint32_t compression = 0;
  std::uint32_t colors_used = 0;
};

HeaderFields ReadHeaderFields(const std::uint8_t* info, std::size_t header_size) {
  HeaderFields f;
  if (header_size == kInfoHeaderSize) {
    f.width = ReadI32(info + kBiWidth);
    f.height = ReadI32(info + kBiHeight);
    f.planes = ReadU16(info + kBiPlanes);
    f.bits = ReadU16(info + kBiBitCount);
    f.compression = ReadU32(info + kBiCompression);
    f.colors_used = ReadU32(info + kBiClrUsed);
  } else {  // core header: unsigned 16-bit sizes, never compressed, table size from the bit count
    f.width = ReadU16(info + kBcWidth);
    f.height = ReadU16(info + kBcHeight);
    f.planes = ReadU16(info + kBcPlanes);
    f.bits = ReadU16(info + kBcBitCount);
  }
  return f;
}

}  // namespace

Dib ReadBmp(std::span<const std::uint8_t> bytes) {
  const std::uint64_t length = bytes.size();
  if (length < kSmallestFile) Unsupported();
  const std::uint8_t* file = bytes.data();
  if (ReadU16(file + kBfType) != kFileType) Unsupported();
  if (length < ReadU32(file + kBfSize)) Unsupported();
  const std::uint64_t pixel_start = ReadU32(file + kBfOffBits);

  const std::uint8_t* info = file + kFileHeaderSize;
  const std::size_t header_size = ReadU32(info + kBiSize);
  if (header_size != kInfoHeaderSize && header_size != kCoreHeaderSize) Unsupported();
  const HeaderFields f = ReadHeaderFields(info, header_size);

  const int default_colors = DefaultColorCount(f.bits);
  if (default_colors < 0) Unsupported();
  const std::uint64_t colors = f.colors_used != 0 ? f.colors_used : static_cast<std::uint64_t>(default_colors);
  const std::uint64_t entry_size = header_size == kInfoHeaderSize ? 4 : 3;  // core entries are blue, green, red
  const std::uint64_t table_end = kFileHeaderSize + header_size + entry_size * colors;
  if (length < table_end) Unsupported();
  if (pixel_start >= length) Unsupported();  // not one byte of pixel data
  if (f.compression != 0) Unsupported();

  // Beyond the checks above: the rows must not overlap the headers, the sizes must be real ones, and every
  // row the header promises must be present, so no later read can leave the block.
  if (pixel_start < table_end) Unsupported();
  if (f.planes != 1) Unsupported();
  const bool top_down = f.height < 0;
  const std::optional<DibLayout> layout = PlanDib(f.width, top_down ? -f.height : f.height, f.bits, colors);
  if (!layout || layout->PixelBytes() > length - pixel_start) Unsupported();

  Dib dib(*layout);
  std::uint8_t* header = dib.Header();
  if (header_size == kInfoHeaderSize) {
    std::memcpy(header, info, kInfoHeaderSize);
  } else {
    WriteU32(header + kBiSize, kInfoHeaderSize);
    WriteU32(header + kBiWidth, static_cast<std::uint32_t>(f.width));
    WriteU32(header + kBiHeight, static_cast<std::uint32_t>(f.height));
    WriteU16(header + kBiPlanes, static_cast<std::uint16_t>(f.planes));
    WriteU16(header + kBiBitCount, static_cast<std::uint16_t>(f.bits));
  }
  // Top-down rows are turned into the bottom-up order everything else uses, so the height becomes positive.
  if (top_down) WriteU32(header + kBiHeight, static_cast<std::uint32_t>(layout->height));

  const std::uint8_t* table = info + header_size;
  std::span<std::uint8_t> out_table = dib.MutableTable();
  for (std::size_t i = 0; i < layout->colors; ++i) {
    std::memcpy(out_table.data() + 4 * i, table + entry_size * i, 3);
    if (entry_size == 4) out_table[4 * i + 3] = table[4 * i + 3];
  }

  const std::uint8_t* rows = file + pixel_start;
  if (top_down) {
    for (std::int32_t y = 0; y < layout->height; ++y) {
      std::memcpy(dib.Row(y), rows + static_cast<std::size_t>(y) * layout->stride, layout->stride);
    }
  } else {
    std::memcpy(dib.Pixels().data(), rows, layout->PixelBytes());
  }
  return dib;
}

}  // namespace sw
