// PNG through libpng's simplified reading interface: BGRA, straight alpha, rows top-down, no padding.
// libpng keeps its own setjmp inside the simplified calls, so no jump ever crosses our frames.
#include <png.h>

#include "ui/picture/picture_bytes.h"
#include "ui/picture/picture_readers.h"

namespace sw {
namespace {

// Frees libpng's reading state on every way out.
class SimplifiedPngRead {
 public:
  SimplifiedPngRead() {
    image_.version = PNG_IMAGE_VERSION;
    image_.opaque = nullptr;
  }
  ~SimplifiedPngRead() { png_image_free(&image_); }
  SimplifiedPngRead(const SimplifiedPngRead&) = delete;
  SimplifiedPngRead& operator=(const SimplifiedPngRead&) = delete;
  png_image& image() { return image_; }

 private:
  png_image image_{};
};

constexpr std::size_t kSignatureSize = 8;
constexpr std::size_t kChunkHeaderSize = 8;      // length, type
constexpr std::size_t kChunkFrameSize = 12;      // header, and the CRC after the data
constexpr std::uint32_t kEndChunk = 0x49454E44;  // "IEND"

std::uint32_t Be32(std::span<const std::uint8_t> bytes, std::size_t at) {
  return static_cast<std::uint32_t>(bytes[at]) << 24 | static_cast<std::uint32_t>(bytes[at + 1]) << 16 |
         static_cast<std::uint32_t>(bytes[at + 2]) << 8 | bytes[at + 3];
}

// Every chunk lies inside the data. libpng only warns about an oversized ancillary chunk and then allocates
// what its length field says (a 100-byte file can ask for 2 GB); in memory such a chunk is simply cut off.
bool ChunksFitInData(std::span<const std::uint8_t> bytes) {
  std::size_t at = kSignatureSize;
  while (bytes.size() - at >= kChunkHeaderSize) {
    const std::uint32_t length = Be32(bytes, at);
    if (bytes.size() - at < kChunkFrameSize || length > bytes.size() - at - kChunkFrameSize) return false;
    if (Be32(bytes, at + 4) == kEndChunk) return true;
    at += kChunkFrameSize + length;
  }
  return true;  // what is left holds no chunk length: libpng judges it
}

}  // namespace

PictureDecoding DecodePng(std::span<const std::uint8_t> bytes) {
  using picture_bytes::Fail;
  if (bytes.size() >= kSignatureSize && !ChunksFitInData(bytes)) return Fail(DecodeFailure::kTruncated);
  SimplifiedPngRead read;
  png_image& image = read.image();
  if (png_image_begin_read_from_memory(&image, bytes.data(), bytes.size()) == 0) {
    return Fail(DecodeFailure::kLibraryError);
  }
  // The header alone names the size; refuse it before the buffer exists.
  if (!picture_bytes::WithinCaps(image.width, image.height)) return Fail(DecodeFailure::kTooLarge);
  image.format = PNG_FORMAT_BGRA;
  std::vector<std::uint8_t> pixels(PNG_IMAGE_SIZE(image));
  if (png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr) == 0) {
    return Fail(DecodeFailure::kLibraryError);
  }
  return picture_bytes::Succeed(PictureKind::kPng, static_cast<std::int32_t>(image.width),
                                static_cast<std::int32_t>(image.height), std::move(pixels));
}

}  // namespace sw
