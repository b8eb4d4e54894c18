#include "render/dib.h"

namespace sw {

std::optional<DibLayout> PlanDib(std::int64_t width, std::int64_t height, int bits, std::uint64_t colors) {
  if (width <= 0 || height <= 0 || width > INT32_MAX || height > INT32_MAX) return std::nullopt;
  const std::uint64_t limit = kMaxDibBytes;
  if (colors > limit / 4) return std::nullopt;
  const auto stride = static_cast<std::uint64_t>(bmp::RowStride(width, bits));
  const std::uint64_t fixed = bmp::kInfoHeaderSize + 4 * colors;
  if (fixed > limit || stride > (limit - fixed) / static_cast<std::uint64_t>(height)) return std::nullopt;
  DibLayout layout;
  layout.width = static_cast<std::int32_t>(width);
  layout.height = static_cast<std::int32_t>(height);
  layout.bits = bits;
  layout.colors = static_cast<std::uint32_t>(colors);
  layout.stride = static_cast<std::size_t>(stride);
  return layout;
}

Dib::Dib(const DibLayout& layout) : layout_(layout), block_(layout.BlockSize()) {}

}  // namespace sw
