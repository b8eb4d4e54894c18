// Icon and cursor files: the directory is walked and one entry chosen here; its image is checked so that
// the system only ever gets data that holds what its header announces. The handle is made on Windows.
#include <algorithm>
#include <array>

#include "base/bmp_format.h"
#include "base/byte_reader.h"
#include "ui/picture/packed_dib.h"
#include "ui/picture/picture_bytes.h"
#include "ui/picture/picture_readers.h"

namespace sw {
namespace {

using picture_bytes::Fail;

constexpr std::size_t kDirectoryHeaderSize = 6;
constexpr std::size_t kCountAt = 4;
constexpr std::size_t kEntrySize = 16;
constexpr std::size_t kEntryWidthAt = 0;
constexpr std::size_t kEntryColorsAt = 2;
constexpr std::size_t kEntryHotSpotXAt = 4;  // a cursor's; an icon has its planes here
constexpr std::size_t kEntryHotSpotYAt = 6;  // and its bit count here
constexpr std::size_t kEntryBytesAt = 8;
constexpr std::size_t kEntryOffsetAt = 12;
constexpr std::uint8_t kPreferredWidth = 32;
constexpr std::uint8_t kPreferredMinColors = 16;  // "above 15"

constexpr std::uint32_t kMaxColors = 256;
constexpr std::array<std::uint8_t, 8> kPngSignature = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};

bool IsPng(std::span<const std::uint8_t> image) {
  return image.size() >= kPngSignature.size() &&
         std::equal(kPngSignature.begin(), kPngSignature.end(), image.begin());
}

// A BITMAPINFOHEADER image: colour rows and a 1-bit mask, all inside the entry's bytes.
PictureDecoding CheckBitmapImage(std::span<const std::uint8_t> image, PictureKind kind) {
  if (image.size() < bmp::kInfoHeaderSize) return Fail(DecodeFailure::kTruncated);
  ByteReader info(image);  // every field below lies in the 40 bytes
  const std::uint32_t header_size = info.U32At(bmp::kBiSize);
  if (header_size < bmp::kInfoHeaderSize) return Fail(DecodeFailure::kUnsupported);
  const std::int32_t width = info.I32At(bmp::kBiWidth);
  // The colour rows and the mask rows together: twice the icon's height.
  const std::int32_t double_height = info.I32At(bmp::kBiHeight);
  if (width <= 0 || double_height < 2) return Fail(DecodeFailure::kBadHeader);
  const std::int32_t height = double_height / 2;
  if (!picture_bytes::WithinCaps(width, height)) return Fail(DecodeFailure::kTooLarge);
  if (info.U32At(bmp::kBiCompression) != bmp::kUncompressed) return Fail(DecodeFailure::kUnsupported);
  const unsigned bits = info.U16At(bmp::kBiBitCount);
  if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) {
    return Fail(DecodeFailure::kUnsupported);
  }
  // Deeper images may carry an optional table of biClrUsed entries that the system skips as well.
  const ColorTableSize table = ColorTableOf(static_cast<std::uint16_t>(bits), info.U32At(bmp::kBiClrUsed));
  if (bits <= 8 && table.stored > table.indexable) return Fail(DecodeFailure::kBadPalette);
  const std::uint64_t colors = std::min(table.stored, kMaxColors);
  const std::uint64_t rows = static_cast<std::uint64_t>(double_height);
  const std::uint64_t needed = std::uint64_t{header_size} + bmp::kColorEntrySize * colors +
                               static_cast<std::uint64_t>(bmp::RowStride(width, bits)) * (rows - rows / 2) +
                               static_cast<std::uint64_t>(bmp::RowStride(width, 1)) * (rows / 2);
  if (needed > image.size()) return Fail(DecodeFailure::kTruncated);
  return picture_bytes::Succeed(kind, width, height, {image.begin(), image.end()});
}

// A PNG image: decoded once here, so that a broken one is refused before the system sees it.
PictureDecoding CheckPngImage(std::span<const std::uint8_t> image, PictureKind kind) {
  PictureDecoding png = DecodePng(image);
  if (!png.picture) return png;
  return picture_bytes::Succeed(kind, png.picture->width, png.picture->height, {image.begin(), image.end()});
}

}  // namespace

PictureDecoding DecodeIconDirectory(std::span<const std::uint8_t> bytes, PictureKind kind) {
  if (kind != PictureKind::kIcon && kind != PictureKind::kCursor) return Fail(DecodeFailure::kUnrecognised);
  if (bytes.size() < kDirectoryHeaderSize) return Fail(DecodeFailure::kTruncated);
  ByteReader directory(bytes);
  const std::size_t count = directory.U16At(kCountAt);
  if (count == 0) return Fail(DecodeFailure::kBadHeader);
  if (!directory.Fits(kDirectoryHeaderSize, count * kEntrySize)) return Fail(DecodeFailure::kTruncated);

  // The first 32-pixel entry with at least 16 colours, else the last entry.
  std::size_t chosen = kDirectoryHeaderSize + (count - 1) * kEntrySize;
  for (std::size_t i = 0; i < count; ++i) {
    const std::size_t entry = kDirectoryHeaderSize + i * kEntrySize;
    if (directory.U8At(entry + kEntryWidthAt) == kPreferredWidth &&
        directory.U8At(entry + kEntryColorsAt) >= kPreferredMinColors) {
      chosen = entry;
      break;
    }
  }
  const std::uint32_t size = directory.U32At(chosen + kEntryBytesAt);
  const std::uint32_t offset = directory.U32At(chosen + kEntryOffsetAt);
  if (!directory.Fits(offset, size)) return Fail(DecodeFailure::kTruncated);
  const std::span<const std::uint8_t> image = directory.BytesAt(offset, size);
  PictureDecoding decoded = IsPng(image) ? CheckPngImage(image, kind) : CheckBitmapImage(image, kind);
  if (decoded.picture && kind == PictureKind::kCursor) {
    decoded.picture->hot_spot_x = directory.U16At(chosen + kEntryHotSpotXAt);
    decoded.picture->hot_spot_y = directory.U16At(chosen + kEntryHotSpotYAt);
  }
  return decoded;
}

}  // namespace sw
