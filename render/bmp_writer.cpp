#include "render/bmp_writer.h"

#include <cstring>

#include "base/byte_reader.h"

namespace sw {

std::vector<std::uint8_t> WriteBmp(const Dib& dib) {
  const DibLayout& layout = dib.Layout();
  const std::size_t size =
      bmp::kFileHeaderSize + layout.BlockSize();  // at most kMaxDibBytes + 14: fits 32 bits
  std::vector<std::uint8_t> file(size);
  StoreLe16(file.data() + bmp::kBfType, bmp::kFileType);
  StoreLe32(file.data() + bmp::kBfSize, static_cast<std::uint32_t>(size));
  StoreLe32(file.data() + bmp::kBfOffBits,
            static_cast<std::uint32_t>(bmp::kFileHeaderSize + layout.PixelOffset()));
  std::memcpy(file.data() + bmp::kFileHeaderSize, dib.Block().data(), dib.Block().size());
  return file;
}

}  // namespace sw
