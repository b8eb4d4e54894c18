#include "ui/packed_dib.h"

#include <algorithm>
#include <utility>

#include "ui/picture_bytes.h"

namespace sw {

PackedDib8::PackedDib8(int32_t width, int32_t height, std::span<const DibColour> colours)
    : stride_((static_cast<size_t>(width) + 3) / 4 * 4),
      bytes_(kPackedDibPixelsAt + stride_ * static_cast<size_t>(height)) {
  using picture_bytes::PutLe16;
  using picture_bytes::PutLe32;
  uint8_t* header = bytes_.data();
  PutLe32(header + 0, kPackedDibHeaderSize);            // biSize
  PutLe32(header + 4, static_cast<uint32_t>(width));    // biWidth
  PutLe32(header + 8, static_cast<uint32_t>(-height));  // biHeight: negative, rows top-down
  PutLe16(header + 12, 1);                              // biPlanes
  PutLe16(header + 14, 8);                              // biBitCount
  PutLe32(header + 32, kPackedDibColours);              // biClrUsed; the other fields stay 0
  uint8_t* entry = header + kPackedDibHeaderSize;
  for (const DibColour& colour : colours.first(std::min(colours.size(), kPackedDibColours))) {
    entry[0] = colour.blue;
    entry[1] = colour.green;
    entry[2] = colour.red;
    entry += 4;
  }
}

}  // namespace sw
