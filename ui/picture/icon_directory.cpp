// Icon and cursor files: the directory is walked and one entry chosen here; its image is checked so that
// the system only ever gets data that holds what its header announces. The handle is made on Windows.
#include <algorithm>
#include <array>

#include "ui/picture/picture_bytes.h"
#include "ui/picture/picture_readers.h"

namespace sw {
namespace {

using picture_bytes::Fail;
using picture_bytes::Fits;
using picture_bytes::Le16;
using picture_bytes::Le32;
using picture_bytes::Le32Signed;

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

constexpr std::size_t kInfoHeaderSize = 40;
constexpr std::size_t kWidthAt = 4;
constexpr std::size_t kHeightAt = 8;  // the colour rows and the mask rows together: twice the icon's height
constexpr std::size_t kBitCountAt = 14;
constexpr std::size_t kCompressionAt = 16;
constexpr std::size_t kColorsUsedAt = 32;
constexpr std::uint32_t kMaxColors = 256;
constexpr std::array<std::uint8_t, 8> kPngSignature = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};

bool IsPng(std::span<const std::uint8_t> image) {
  return image.size() >= kPngSignature.size() && std::equal(kPngSignature.begin(), kPngSignature.end(), image.begin());
}

std::size_t RowBytes(std::uint64_t width, unsigned bits) { return static_cast<std::size_t>((width * bits + 31) / 32 * 4); }

// A BITMAPINFOHEADER image: colour rows and a 1-bit mask, all inside the entry's bytes.
PictureDecoding CheckBitmapImage(std::span<const std::uint8_t> image, PictureKind kind) {
  if (image.size() < kInfoHeaderSize) return Fail(DecodeFailure::kTruncated);
  const std::uint32_t header_size = Le32(image, 0);
  if (header_size < kInfoHeaderSize) return Fail(DecodeFailure::kUnsupported);
  const std::int32_t width = Le32Signed(image, kWidthAt);
  const std::int32_t double_height = Le32Signed(image, kHeightAt);
  if (width <= 0 || double_height < 2) return Fail(DecodeFailure::kBadHeader);
  const std::int32_t height = double_height / 2;
  if (!picture_bytes::WithinCaps(width, height)) return Fail(DecodeFailure::kTooLarge);
  if (Le32(image, kCompressionAt) != 0) return Fail(DecodeFailure::kUnsupported);
  const unsigned bits = Le16(image, kBitCountAt);
  if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) {
    return Fail(DecodeFailure::kUnsupported);
  }
  // Deeper images may carry an optional table of biClrUsed entries that the system skips as well.
  const std::uint32_t used = Le32(image, kColorsUsedAt);
  std::uint64_t colors = std::min(used, kMaxColors);
  if (bits <= 8) {
    if (used > (1u << bits)) return Fail(DecodeFailure::kBadPalette);
    if (used == 0) colors = 1u << bits;
  }
  const std::uint64_t rows = static_cast<std::uint64_t>(double_height);
  const std::uint64_t needed = std::uint64_t{header_size} + 4 * colors + RowBytes(width, bits) * (rows - rows / 2) +
                          RowBytes(width, 1) * (rows / 2);
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
  const std::size_t count = Le16(bytes, kCountAt);
  if (count == 0) return Fail(DecodeFailure::kBadHeader);
  if (!Fits(bytes.size(), kDirectoryHeaderSize, count * kEntrySize)) return Fail(DecodeFailure::kTruncated);

  // The first 32-pixel entry with at least 16 colours, else the last entry.
  std::size_t chosen = kDirectoryHeaderSize + (count - 1) * kEntrySize;
  for (std::size_t i = 0; i < count; ++i) {
    const std::size_t entry = kDirectoryHeaderSize + i * kEntrySize;
    if (bytes[entry + kEntryWidthAt] == kPreferredWidth && bytes[entry + kEntryColorsAt] >= kPreferredMinColors) {
      chosen = entry;
      break;
    }
  }
  const std::uint32_t size = Le32(bytes, chosen + kEntryBytesAt);
  const std::uint32_t offset = Le32(bytes, chosen + kEntryOffsetAt);
  if (!Fits(bytes.size(), offset, size)) return Fail(DecodeFailure::kTruncated);
  const std::span<const std::uint8_t> image = bytes.subspan(offset, size);
  PictureDecoding decoded = IsPng(image) ? CheckPngImage(image, kind) : CheckBitmapImage(image, kind);
  if (decoded.picture && kind == PictureKind::kCursor) {
    decoded.picture->hot_spot_x = Le16(bytes, chosen + kEntryHotSpotXAt);
    decoded.picture->hot_spot_y = Le16(bytes, chosen + kEntryHotSpotYAt);
  }
  return decoded;
}

}  // namespace sw
