// Little-endian fields, size checks and failure results shared by the picture readers.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <utility>
#include <vector>

#include "ui/picture/picture_decode.h"

namespace sw::picture_bytes {

// The caller has checked that the field lies inside the data.
inline std::uint16_t Le16(std::span<const std::uint8_t> bytes, std::size_t offset) {
  return static_cast<std::uint16_t>(bytes[offset] | bytes[offset + 1] << 8);
}
inline std::uint32_t Le32(std::span<const std::uint8_t> bytes, std::size_t offset) {
  return static_cast<std::uint32_t>(bytes[offset]) | static_cast<std::uint32_t>(bytes[offset + 1]) << 8 |
         static_cast<std::uint32_t>(bytes[offset + 2]) << 16 | static_cast<std::uint32_t>(bytes[offset + 3]) << 24;
}
inline std::int32_t Le32Signed(std::span<const std::uint8_t> bytes, std::size_t offset) {
  return static_cast<std::int32_t>(Le32(bytes, offset));
}
inline void PutLe16(std::uint8_t* at, std::uint16_t value) {
  at[0] = static_cast<std::uint8_t>(value);
  at[1] = static_cast<std::uint8_t>(value >> 8);
}
inline void PutLe32(std::uint8_t* at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) at[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

// True when offset + count bytes lie inside a buffer of `size` bytes (no overflow on the way).
inline bool Fits(std::size_t size, std::uint64_t offset, std::uint64_t count) {
  return offset <= size && count <= size - offset;
}

// Positive sides within the caps; checked before any allocation that depends on them.
inline bool WithinCaps(std::int64_t width, std::int64_t height) {
  return width <= kMaxPictureSide && height <= kMaxPictureSide && width * height <= kMaxPicturePixels;
}

inline PictureDecoding Fail(DecodeFailure failure) { return PictureDecoding{std::nullopt, failure}; }

inline PictureDecoding Succeed(PictureKind kind, std::int32_t width, std::int32_t height, std::vector<std::uint8_t> pixels) {
  PictureDecoding result;
  result.picture.emplace();
  result.picture->kind = kind;
  result.picture->width = width;
  result.picture->height = height;
  result.picture->pixels = std::move(pixels);
  return result;
}

}  // namespace sw::picture_bytes
