#include "render/bmp_depth.h"

#include "render/bitmap.h"

namespace sw {

std::vector<std::uint8_t> BmpBytesWithBitCount(std::span<const std::uint8_t> bytes, std::int16_t bits) {
  Bitmap source;
  if (!source.LoadData(bytes)) return {};
  if (source.GetBitCount() == bits) return {bytes.begin(), bytes.end()};
  const std::int32_t width = source.GetWidth();
  const std::int32_t height = source.GetHeight();
  Bitmap target;
  if (!target.Create(width, height, bits)) return {};
  for (std::int32_t y = 0; y < height; ++y) {
    for (std::int32_t x = 0; x < width; ++x) target.SetPixel(x, y, source.GetPixel(x, y));
  }
  return target.GetData();
}

}  // namespace sw
