// Image bytes of a picture unit (PNG, JPEG, BMP, GIF, PCX, icon, cursor) decoded into pixels ready to paint.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "base/handle_owner.h"

namespace sw {

enum class PictureKind : std::int32_t {
  kEmpty = 0,
  kJpeg = 1,
  kBmp = 2,
  kIcon = 3,
  kCursor = 4,
  kGif = 5,
  kPcx8 = 6,
  kPcx1 = 7,
  kPng = 8,
};

// Sizes beyond these are refused before anything is allocated (a BGRA picture stays under 64 MiB).
inline constexpr std::int32_t kMaxPictureSide = 16384;
inline constexpr std::int64_t kMaxPicturePixels = std::int64_t{1} << 24;
// Progressive JPEG files of a few dozen scans are normal; thousands of tiny scans are a way to stall us.
inline constexpr int kMaxJpegScans = 100;

// A platform handle made for a picture, and the function that releases it (DestroyIcon for an icon).
struct PlatformHandleHeld {
  void* handle = nullptr;
  void (*release)(void*) = nullptr;
  bool operator==(const PlatformHandleHeld&) const = default;
};
inline void ReleasePlatformHandle(const PlatformHandleHeld& held) {
  if (held.release != nullptr) held.release(held.handle);
}
using PlatformHandle = HandleOwner<PlatformHandleHeld, ReleasePlatformHandle>;

// pixels, by kind:
//   kJpeg, kBmp: 24-bit blue-green-red, rows bottom-up, no padding (width * height * 3 bytes);
//   kGif, kPcx8: packed DIB (40-byte header, 256 colours, 8-bit rows padded to 4 bytes, top-down);
//   kPcx1: 1-bit rows padded to 2 bytes, top-down, as CreateBitmap takes them (bit set = white);
//   kPng: 32-bit blue-green-red-alpha, straight alpha, rows top-down, no padding;
//   kIcon, kCursor: the chosen entry's image (BITMAPINFOHEADER or PNG), for the Windows side to make `icon`.
struct DecodedPicture {
  PictureKind kind = PictureKind::kEmpty;
  std::int32_t width = 0;
  std::int32_t height = 0;
  PlatformHandle icon;
  std::vector<std::uint8_t> pixels;
  // kCursor: the hot spot that the chosen directory entry gives, in pixels from the top-left corner.
  std::uint16_t hot_spot_x = 0;
  std::uint16_t hot_spot_y = 0;
};

// Why bytes gave no picture; stable, so callers and tests can tell the cases apart.
enum class DecodeFailure {
  kNone,
  kNoData,        // absent bytes or a length of 0 or less
  kUnrecognised,  // no signature matched (also anything shorter than 8 bytes)
  kTruncated,     // the data ends before what its headers announce
  kBadHeader,     // a header field is out of its range
  kTooLarge,      // a dimension, pixel count or JPEG scan count above the caps
  kUnsupported,   // a valid but unhandled variant (compression, bit count, plane count)
  kBadPalette,    // a pixel indexes past its colour table, or the table is missing
  kBadData,       // corrupt compressed data (run length past the row, LZW code past the table, ...)
  kLibraryError,  // libpng or libjpeg refused the data
};
std::string_view DescribeDecodeFailure(DecodeFailure failure);

struct PictureDecoding {
  std::optional<DecodedPicture> picture;
  DecodeFailure failure = DecodeFailure::kNone;
};

// Kind from the first 8 bytes; kEmpty when nothing matches.
PictureKind RecognisePicture(std::span<const std::uint8_t> bytes);

PictureDecoding DecodePictureBytes(std::span<const std::uint8_t> bytes);

// None for absent bytes, a length of 0 or less, an unrecognised format or a decoding failure.
std::optional<DecodedPicture> DecodePicture(const std::uint8_t* bytes, std::int32_t length);

}  // namespace sw
