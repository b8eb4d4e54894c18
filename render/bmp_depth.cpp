#include "render/bmp_depth.h"

#include "base/bmp_format.h"
#include "base/byte_reader.h"
#include "render/bitmap.h"

namespace sw {

std::vector<std::uint8_t> BmpBytesWithBitCount(std::vector<std::uint8_t> bytes, std::int16_t bits) {
  // The usual case, a picture already at that depth, costs no decoding and no copy.
  ByteReader header(bytes);
  if (header.U16At(bmp::kBfType) == bmp::kFileType &&
      header.U16At(bmp::kFileHeaderSize + bmp::kBiBitCount) == static_cast<std::uint16_t>(bits) &&
      !header.failed()) {
    return bytes;
  }
  Bitmap source;
  if (!source.LoadData(bytes)) return {};
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
