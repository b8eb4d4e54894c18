// Icon and cursor files: the directory is walked and one entry chosen here; its image is checked so that
// the system only ever gets data that holds what its header announces. The handle is made on Windows.
#include <algorithm>
#include <array>

#include "ui/picture_bytes.h"
#include "ui/picture_readers.h"

namespace sw {
namespace {

using picture_bytes::Fail;
using picture_bytes::Fits;
using picture_bytes::Le16;
using picture_bytes::Le32;
using picture_bytes::Le32Signed;

constexpr size_t kDirectoryHeaderSize = 6;
constexpr size_t kCountAt = 4;
constexpr size_t kEntrySize = 16;
constexpr size_t kEntryWidthAt = 0;
constexpr size_t kEntryColoursAt = 2;
constexpr size_t kEntryHotSpotXAt = 4;  // a cursor's; an icon has its planes here
constexpr size_t kEntryHotSpotYAt = 6;  // and its bit count here
constexpr size_t kEntryBytesAt = 8;
constexpr size_t kEntryOffsetAt = 12;
constexpr uint8_t kPreferredWidth = 32;
constexpr uint8_t kPreferredMinColours = 16;  // "above 15"

constexpr size_t kInfoHeaderSize = 40;
constexpr size_t kWidthAt = 4;
constexpr size_t kHeightAt = 8;  // the colour rows and the mask rows together: twice the icon's height
constexpr size_t kBitCountAt = 14;
constexpr size_t kCompressionAt = 16;
constexpr size_t kColoursUsedAt = 32;
constexpr uint32_t kMaxColours = 256;
constexpr std::array<uint8_t, 8> kPngSignature = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};

bool IsPng(std::span<const uint8_t> image) {
  return image.size() >= kPngSignature.size() && std::equal(kPngSignature.begin(), kPngSignature.end(), image.begin());
}

size_t RowBytes(uint64_t width, unsigned bits) { return static_cast<size_t>((width * bits + 31) / 32 * 4); }

// A BITMAPINFOHEADER image: colour rows and a 1-bit mask, all inside the entry's bytes.
PictureDecoding CheckBitmapImage(std::span<const uint8_t> image, PictureKind kind) {
  if (image.size() < kInfoHeaderSize) return Fail(DecodeFailure::kTruncated);
  const uint32_t header_size = Le32(image, 0);
  if (header_size < kInfoHeaderSize) return Fail(DecodeFailure::kUnsupported);
  const int32_t width = Le32Signed(image, kWidthAt);
  const int32_t double_height = Le32Signed(image, kHeightAt);
  if (width <= 0 || double_height < 2) return Fail(DecodeFailure::kBadHeader);
  const int32_t height = double_height / 2;
  if (!picture_bytes::WithinCaps(width, height)) return Fail(DecodeFailure::kTooLarge);
  if (Le32(image, kCompressionAt) != 0) return Fail(DecodeFailure::kUnsupported);
  const unsigned bits = Le16(image, kBitCountAt);
  if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) {
    return Fail(DecodeFailure::kUnsupported);
  }
  // Deeper images may carry an optional table of biClrUsed entries that the system skips as well.
  const uint32_t used = Le32(image, kColoursUsedAt);
  uint64_t colours = std::min(used, kMaxColours);
  if (bits <= 8) {
    if (used > (1u << bits)) return Fail(DecodeFailure::kBadPalette);
    if (used == 0) colours = 1u << bits;
  }
  const uint64_t rows = static_cast<uint64_t>(double_height);
  const uint64_t needed = uint64_t{header_size} + 4 * colours + RowBytes(width, bits) * (rows - rows / 2) +
                          RowBytes(width, 1) * (rows / 2);
  if (needed > image.size()) return Fail(DecodeFailure::kTruncated);
  return picture_bytes::Succeed(kind, width, height, {image.begin(), image.end()});
}

// A PNG image: decoded once here, so that a broken one is refused before the system sees it.
PictureDecoding CheckPngImage(std::span<const uint8_t> image, PictureKind kind) {
  PictureDecoding png = DecodePng(image);
  if (!png.picture) return png;
  return picture_bytes::Succeed(kind, png.picture->width, png.picture->height, {image.begin(), image.end()});
}

}  // namespace

PictureDecoding DecodeIconDirectory(std::span<const uint8_t> bytes, PictureKind kind) {
  if (kind != PictureKind::kIcon && kind != PictureKind::kCursor) return Fail(DecodeFailure::kUnrecognised);
  if (bytes.size() < kDirectoryHeaderSize) return Fail(DecodeFailure::kTruncated);
  const size_t count = Le16(bytes, kCountAt);
  if (count == 0) return Fail(DecodeFailure::kBadHeader);
  if (!Fits(bytes.size(), kDirectoryHeaderSize, count * kEntrySize)) return Fail(DecodeFailure::kTruncated);

  // The first 32-pixel entry with at least 16 colours, else the last entry.
  size_t chosen = kDirectoryHeaderSize + (count - 1) * kEntrySize;
  for (size_t i = 0; i < count; ++i) {
    const size_t entry = kDirectoryHeaderSize + i * kEntrySize;
    if (bytes[entry + kEntryWidthAt] == kPreferredWidth && bytes[entry + kEntryColoursAt] >= kPreferredMinColours) {
      chosen = entry;
      break;
    }
  }
  const uint32_t size = Le32(bytes, chosen + kEntryBytesAt);
  const uint32_t offset = Le32(bytes, chosen + kEntryOffsetAt);
  if (!Fits(bytes.size(), offset, size)) return Fail(DecodeFailure::kTruncated);
  const std::span<const uint8_t> image = bytes.subspan(offset, size);
  PictureDecoding decoded = IsPng(image) ? CheckPngImage(image, kind) : CheckBitmapImage(image, kind);
  if (decoded.picture && kind == PictureKind::kCursor) {
    decoded.picture->hot_spot_x = Le16(bytes, chosen + kEntryHotSpotXAt);
    decoded.picture->hot_spot_y = Le16(bytes, chosen + kEntryHotSpotYAt);
  }
  return decoded;
}

}  // namespace sw
