#include "render/bmp_reader.h"

#include <algorithm>
#include <cstring>

#include "base/byte_reader.h"
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

HeaderFields ReadHeaderFields(ByteReader& info, std::size_t header_size) {
  HeaderFields f;
  if (header_size == kInfoHeaderSize) {
    f.width = info.I32At(kBiWidth);
    f.height = info.I32At(kBiHeight);
    f.planes = info.U16At(kBiPlanes);
    f.bits = info.U16At(kBiBitCount);
    f.compression = info.U32At(kBiCompression);
    f.colors_used = info.U32At(kBiClrUsed);
  } else {  // core header: unsigned 16-bit sizes, never compressed, table size from the bit count
    f.width = info.U16At(kBcWidth);
    f.height = info.U16At(kBcHeight);
    f.planes = info.U16At(kBcPlanes);
    f.bits = info.U16At(kBcBitCount);
  }
  return f;
}

}  // namespace

Dib ReadBmp(std::span<const std::uint8_t> bytes) {
  const std::uint64_t length = bytes.size();
  if (length < kSmallestFile) Unsupported();
  ByteReader file(bytes);  // both headers lie inside the smallest file: no read below is refused
  if (file.U16At(kBfType) != kFileType) Unsupported();
  if (length < file.U32At(kBfSize)) Unsupported();
  const std::uint64_t pixel_start = file.U32At(kBfOffBits);

  ByteReader info(bytes.subspan(kFileHeaderSize));
  const std::size_t header_size = info.U32At(kBiSize);
  if (header_size != kInfoHeaderSize && header_size != kCoreHeaderSize) Unsupported();
  const HeaderFields f = ReadHeaderFields(info, header_size);

  const int default_colors = DefaultColorCount(f.bits);
  if (default_colors < 0) Unsupported();
  const std::uint64_t colors =
      f.colors_used != 0 ? f.colors_used : static_cast<std::uint64_t>(default_colors);
  const std::uint64_t entry_size = header_size == kInfoHeaderSize ? kColorEntrySize : kCoreColorEntrySize;
  const std::uint64_t table_end = kFileHeaderSize + header_size + entry_size * colors;
  if (length < table_end) Unsupported();
  if (pixel_start >= length) Unsupported();  // not one byte of pixel data
  if (f.compression != kUncompressed) Unsupported();

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
    std::memcpy(header, info.BytesAt(0, kInfoHeaderSize).data(), kInfoHeaderSize);
  } else {
    StoreLe32(header + kBiSize, kInfoHeaderSize);
    StoreLe32(header + kBiWidth, static_cast<std::uint32_t>(f.width));
    StoreLe32(header + kBiHeight, static_cast<std::uint32_t>(f.height));
    StoreLe16(header + kBiPlanes, static_cast<std::uint16_t>(f.planes));
    StoreLe16(header + kBiBitCount, static_cast<std::uint16_t>(f.bits));
  }
  // Top-down rows are turned into the bottom-up order everything else uses, so the height becomes positive.
  if (top_down) StoreLe32(header + kBiHeight, static_cast<std::uint32_t>(layout->height));

  const std::uint8_t* table = bytes.data() + kFileHeaderSize + header_size;
  std::span<std::uint8_t> out_table = dib.MutableTable();
  for (std::size_t i = 0; i < layout->colors; ++i) {
    std::memcpy(out_table.data() + kColorEntrySize * i, table + entry_size * i, kCoreColorEntrySize);
    if (entry_size == kColorEntrySize) out_table[kColorEntrySize * i + 3] = table[kColorEntrySize * i + 3];
  }

  const std::uint8_t* rows = bytes.data() + pixel_start;
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
