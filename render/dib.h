// The pixel block a Bitmap owns: a 40-byte info header, the colour table, then the rows, bottom line first.
// Callers inside render/ use it for whole-row fast paths; everyone else goes through Bitmap.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "base/bmp_format.h"

namespace sw {

// No block may exceed this, whatever a header or a caller asks for.
inline constexpr std::size_t kMaxDibBytes = std::size_t{256} << 20;

struct DibLayout {
  std::int32_t width = 0;    // > 0
  std::int32_t height = 0;   // > 0; rows are stored bottom-up
  int bits = 0;              // 1, 4, 8, 16, 24 or 32
  std::uint32_t colors = 0;  // colour-table entries
  std::size_t stride = 0;    // bytes a row

  std::size_t TableOffset() const { return bmp::kInfoHeaderSize; }
  std::size_t PixelOffset() const { return bmp::kInfoHeaderSize + 4 * std::size_t{colors}; }
  std::size_t PixelBytes() const { return stride * static_cast<std::size_t>(height); }
  std::size_t BlockSize() const { return PixelOffset() + PixelBytes(); }
};

// The layout for these values, or nothing when a size is not positive or the block would pass kMaxDibBytes.
// `bits` must already be one of the six supported counts.
std::optional<DibLayout> PlanDib(std::int64_t width, std::int64_t height, int bits, std::uint64_t colors);

class Dib {
 public:
  // A zeroed block for `layout`; the caller writes the header and table. Throws std::bad_alloc.
  explicit Dib(const DibLayout& layout);

  const DibLayout& Layout() const { return layout_; }
  std::span<const std::uint8_t> Block() const { return block_; }
  std::uint8_t* Header() { return block_.data(); }
  std::span<const std::uint8_t> Table() const {
    return std::span(block_).subspan(layout_.TableOffset(), 4 * std::size_t{layout_.colors});
  }
  std::span<std::uint8_t> MutableTable() {
    return std::span(block_).subspan(layout_.TableOffset(), 4 * std::size_t{layout_.colors});
  }
  std::span<std::uint8_t> Pixels() { return std::span(block_).subspan(layout_.PixelOffset()); }

  // Line y counts from the top; the caller checks 0 <= y < height.
  std::uint8_t* Row(std::int32_t y) { return block_.data() + RowOffset(y); }
  const std::uint8_t* Row(std::int32_t y) const { return block_.data() + RowOffset(y); }

  bool Contains(std::int32_t x, std::int32_t y) const {
    return x >= 0 && x < layout_.width && y >= 0 && y < layout_.height;
  }

 private:
  std::size_t RowOffset(std::int32_t y) const {
    return layout_.PixelOffset() + static_cast<std::size_t>(layout_.height - 1 - y) * layout_.stride;
  }

  DibLayout layout_;
  std::vector<std::uint8_t> block_;
};

// Pixel x of an indexed row (1, 4 or 8 bits): most significant bits hold the leftmost pixel.
inline std::uint32_t ReadIndex(const std::uint8_t* row, std::int32_t x, int bits) {
  switch (bits) {
    case 1: return (row[x >> 3] >> (7 - (x & 7))) & 1u;
    case 4: return (x & 1) ? row[x >> 1] & 0x0Fu : row[x >> 1] >> 4;
    default: return row[x];
  }
}

// Stores an index that fits the bit count; the other pixels sharing the byte are unchanged.
inline void WriteIndex(std::uint8_t* row, std::int32_t x, int bits, std::uint32_t index) {
  switch (bits) {
    case 1: {
      const auto mask = static_cast<std::uint8_t>(0x80u >> (x & 7));
      row[x >> 3] = static_cast<std::uint8_t>(index ? row[x >> 3] | mask : row[x >> 3] & ~mask);
      break;
    }
    case 4:
      row[x >> 1] = static_cast<std::uint8_t>((x & 1) ? (row[x >> 1] & 0xF0u) | index
                                                      : (row[x >> 1] & 0x0Fu) | index << 4);
      break;
    default: row[x] = static_cast<std::uint8_t>(index); break;
  }
}

}  // namespace sw
