// Size caps and failure results shared by the picture readers; base/byte_reader.h reads their bytes.
#pragma once

#include <cstdint>
#include <utility>
#include <vector>

#include "ui/picture/picture_decode.h"

namespace sw::picture_bytes {

// Positive sides within the caps; checked before any allocation that depends on them.
inline bool WithinCaps(std::int64_t width, std::int64_t height) {
  return width <= kMaxPictureSide && height <= kMaxPictureSide && width * height <= kMaxPicturePixels;
}

inline PictureDecoding Fail(DecodeFailure failure) { return PictureDecoding{std::nullopt, failure}; }

inline PictureDecoding Succeed(PictureKind kind, std::int32_t width, std::int32_t height,
                               std::vector<std::uint8_t> pixels) {
  PictureDecoding result;
  result.picture.emplace();
  result.picture->kind = kind;
  result.picture->width = width;
  result.picture->height = height;
  result.picture->pixels = std::move(pixels);
  return result;
}

}  // namespace sw::picture_bytes
